#pragma once

#include <string>
#include <string_view>

#include "values/ElapsedTime.h"

// Distance and pace units of a sport, and the arithmetic between distance, time and pace.
namespace kivrun {

// Distance unit ids, as stored in a sport's DistanceID.
namespace distance_unit {
constexpr int kMiles = 0;
constexpr int kYards = 1;
constexpr int kKm = 2;
constexpr int kMeters = 3;
constexpr int kNone = 4;
}  // namespace distance_unit

// Pace unit ids, as stored in a sport's PaceID. Speeds are stored as distance per hour,
// time paces as seconds per mile, per 100 yards, per km or per 100 meters.
namespace pace_unit {
constexpr int kMilesPerHour = 0;
constexpr int kMinutesPerMile = 1;
constexpr int kMinutesPer100Yards = 2;
constexpr int kKmPerHour = 3;
constexpr int kMinutesPerKm = 4;
constexpr int kMinutesPer100Meters = 5;
constexpr int kNone = 6;
}  // namespace pace_unit

// Goes through miles (imperial units) or km (metric units). A unit outside 0..3 on either
// side returns the value unchanged.
double ConvertDistance(double value, int fromUnit, int toUnit);

// True for the paces given as a time per distance: units 1, 2, 4 and 5.
bool IsTimePace(int paceUnit);
// The distance unit a pace unit is measured against; kNone for a unit without pace.
int ReferenceDistanceUnit(int paceUnit);

struct PaceResult {
    double value;
    std::string text;
};

// The stored pace of `distance` (in `distanceUnit`) covered in `seconds`, and its text.
// No distance, no time or no pace unit gives 0.0 and "0".
PaceResult ComputePace(int paceUnit, double seconds, double distance, int distanceUnit);

// The time the entry form derives when distance and pace are typed. A speed is read as a
// number; a time pace text goes through the general time reader, whose total over 60 is
// the seconds per unit (the form's "7:30" reads as 7 h 30 min: 450 seconds per unit).
CElapsedTime TimeFromDistanceAndPace(int paceUnit, double distance, int distanceUnit,
                                     std::string_view paceText);

// What a unit is, in words ("minutes per mile"), for a short name the log shows ("mpm");
// empty for the units without a name.
std::string DistanceUnitMeaning(int distanceUnit);
std::string PaceUnitMeaning(int paceUnit);

// How a stored pace is shown: a speed with one decimal, a time pace as minutes:seconds.
// A unit without pace gives an empty text.
std::string PaceText(int paceUnit, double storedPace);

}  // namespace kivrun
