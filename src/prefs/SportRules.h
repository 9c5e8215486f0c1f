#pragma once

#include <array>
#include <string>
#include <string_view>

// The rules of the Sports preferences page that do not need the log.
namespace kivrun::prefs {

// What a new sport with a built-in name starts with.
struct SportDefaults {
    const char* name;
    char letter;  // its usual abbreviation
    int distance;
    int pace;
    int icon;
};

// The defaults of a built-in sport name (exact, case-sensitive), or nullptr.
const SportDefaults* BuiltInSport(std::string_view name);

// The icon a sport added under a name of the user's own starts with.
inline constexpr int kNewSportIcon = 12;  // "Other"

// Which abbreviation letters A..Z are taken.
class LetterSet {
  public:
    bool IsUsed(char letter) const;
    void Use(char letter, bool used = true);
    // The preferred letter when it is free, else the first free one from A; 0 when all 26
    // are taken.
    char Choose(char preferred) const;
    // The first free letter of a name ("Kayak": K, else A, else Y), else the first free one
    // from A; 0 when all 26 are taken.
    char ChooseFor(std::string_view name) const;
    int FreeCount() const;

  private:
    std::array<bool, 26> used_{};
};

// The distance unit and pace of the sport being added; -1 where nothing is chosen.
struct UnitChoice {
    int distance = -1;
    int pace = -1;
    friend bool operator==(const UnitChoice&, const UnitChoice&) = default;
};

// The unit that goes with a pace and the pace that goes with a unit: miles/hr and min/mile
// go with miles, min/100yds with yards, km/hr and min/km with km, min/100mtr with meters,
// N/A with N/A.
int DistanceForPace(int pace);
int PaceForDistance(int distance);

// Swimming by its name: "Swimming", "Open water swim", "SWIM".
bool IsSwimmingName(std::string_view name);

// Choosing one list keeps the other consistent with it. When the other is empty it is filled
// with what goes with the choice; meters go with min/100mtr for a swimming sport only, with
// min/km for any other. N/A on one side means N/A on the other. A metric choice against an
// imperial other resets the other to km/hr or km, an imperial one to miles/hr or miles.
UnitChoice ChooseDistance(UnitChoice current, int distance, bool swimming = true);
UnitChoice ChoosePace(UnitChoice current, int pace);

// A sport name as stored: blanks at both ends taken off.
std::string TrimName(std::string_view name);

}  // namespace kivrun::prefs
