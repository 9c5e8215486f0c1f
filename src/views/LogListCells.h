#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace kivrun {

class CTamselDoc;
class CLogEntryFilteredSet;

// One workout as the lists, exports and prints read it from the filtered set.
struct EntryRow {
    long entryId = 0;
    double date = 0;  // serial day
    std::string sport;
    std::string cls;
    double distance = 0;
    double time = 0;  // seconds
    double pace = 0;  // as stored
    std::string route;
    std::string notes;
    double optionalOne = 0;
    double optionalTwo = 0;
    int background = 0;

    static EntryRow FromSet(const CLogEntryFilteredSet& set);
};

// A column of the log list as the log keeps it.
struct ListColumn {
    int id = 0;
    std::string fieldName;
    std::string label;
    int order = 0;
    int width = 0;
    int justification = 0;  // 0 left, 1 right, 2 centre
    int format = 0;
    bool visible = true;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// The texts a workout shows in each column of the log list. Sports, classes and units are
// read once (Refresh) and kept, so drawing a row never goes to the database for them.
class LogListCells {
  public:
    enum ColumnId {
        kDate = 0,
        kSport = 1,
        kClass = 2,
        kDistance = 3,
        kTime = 4,
        kPace = 5,
        kOptionalOne = 6,
        kOptionalTwo = 7,
        kRoute = 8,
        kNotes = 9
    };

    // Reads sports, classes and their units from the open log.
    void Refresh(CTamselDoc& doc);

    std::string Text(const EntryRow& entry, int columnId, int format) const;
    // The class's colour; none when the class is unknown or has no colour.
    std::optional<Rgb> ClassColor(const std::string& cls) const;
    // The sport's icon index (0..12), 12 when the sport is unknown.
    int SportImage(const std::string& sport) const;
    // Whether distances carry their unit letter: the sports with a distance do not all use
    // one unit.
    bool MixedDistanceUnits() const { return mixedUnits_; }
    // The sport's distance and pace unit ids, -1 when the sport is unknown.
    int SportDistanceUnit(const std::string& sport) const;
    int SportPaceUnit(const std::string& sport) const;
    std::string SportName(const std::string& sport) const;

    // Visible columns in display order, or every column by id when all is set.
    static std::vector<ListColumn> Columns(CTamselDoc& doc, bool all = false);

  private:
    struct Sport {
        std::string name;
        int distanceUnit = 0;
        int paceUnit = 0;
        int image = 12;
        std::string shortName;
    };
    struct Class {
        std::string name;
        std::optional<Rgb> color;
    };
    std::map<std::string, Sport> sports_;
    std::map<std::string, Class> classes_;
    bool mixedUnits_ = false;
};

// "r,g,b" as stored in a class's ColorCode; none for an empty text.
std::optional<Rgb> ParseColorCode(const std::string& code);
// The distance text of a sport's unit: one decimal for miles and km, none for yards and
// meters.
std::string DistanceText(double distance, int distanceUnit);

}  // namespace kivrun
