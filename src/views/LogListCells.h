#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "store/Rows.h"

namespace kivrun {

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

    // Takes sports, classes and their units from the log's catalog.
    void Refresh(const Catalog& catalog);

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
