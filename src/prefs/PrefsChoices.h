#pragma once

#include <array>
#include <string>
#include <string_view>

// The fixed lists the preference pages offer. A list's index is what the log stores.
namespace kivrun::prefs {

inline constexpr std::array<const char*, 7> kWeekDays = {
    "Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Names offered for the two optional fields of a workout; the user may type another.
inline constexpr std::array<const char*, 5> kOptionalFieldNames = {"AvgHR", "RestingHR", "RecHR",
                                                                   "Weight", "Temp"};

// GrandTotalUnits and GrandTotalPace.
inline constexpr std::array<const char*, 4> kGrandTotalUnits = {"miles", "yards", "km", "meters"};
inline constexpr std::array<const char*, 6> kGrandTotalPaces = {
    "miles/hr", "min/mile", "min/100yds", "km/hr", "min/km", "min/100mtr"};

// A sport's DistanceID and PaceID; the last of each is "none".
inline constexpr std::array<const char*, 5> kDistanceUnits = {"miles", "yards", "km", "meters",
                                                              "N/A"};
inline constexpr std::array<const char*, 7> kPaceUnits = {
    "miles/hr", "min/mile", "min/100yds", "km/hr", "min/km", "min/100mtr", "N/A"};
inline constexpr int kNoDistance = 4;
inline constexpr int kNoPace = 6;

// Sport names the Sports page offers, in the order it offers them.
inline constexpr std::array<const char*, 8> kBuiltInSports = {
    "Road", "MTB", "Indoor", "Rowing", "Running", "Skiing", "Swimming", "Weights"};

// The column label that goes with an offered optional field name ("Temp" gives "Tmp"); empty
// for a name the user typed, whose label stays as it is.
std::string OptionalFieldLabel(std::string_view name);

// The name of a choice, or "" when the index is outside the list.
template <size_t N>
const char* ChoiceName(const std::array<const char*, N>& list, int index) {
    return index >= 0 && index < static_cast<int>(N) ? list[static_cast<size_t>(index)] : "";
}

}  // namespace kivrun::prefs
