#pragma once

#include <array>
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
    // Abbreviations are one letter: looked up by that letter, as every drawn cell does.
    template <class T>
    class ByAbbrev {
      public:
        void clear() {
            one_ = {};
            other_.clear();
        }
        void set(const std::string& key, T value) {
            if (key.size() == 1)
                one_[static_cast<unsigned char>(key[0])] = std::move(value);
            else
                other_[key] = std::move(value);
        }
        const T* find(const std::string& key) const {
            if (key.size() == 1) {
                const auto& v = one_[static_cast<unsigned char>(key[0])];
                return v ? &*v : nullptr;
            }
            const auto it = other_.find(key);
            return it == other_.end() ? nullptr : &it->second;
        }

      private:
        std::array<std::optional<T>, 256> one_{};
        std::map<std::string, T> other_;
    };
    ByAbbrev<Sport> sports_;
    ByAbbrev<Class> classes_;
    bool mixedUnits_ = false;
};

// "r,g,b" as stored in a class's ColorCode; none for an empty text.
std::optional<Rgb> ParseColorCode(const std::string& code);
// The distance text of a sport's unit: one decimal for miles and km, none for yards and
// meters.
std::string DistanceText(double distance, int distanceUnit);
// An optional value as the list, the entry view, the printouts and the HTML page show it:
// empty for 0, else with the decimals it has, up to two.
std::string OptionalValueText(double value);

}  // namespace kivrun
