#include "values/Units.h"

#include "values/NumberFormat.h"

namespace kivrun {
namespace {

constexpr double kMilesPerYard = 0.0005681818181818182;
constexpr double kYardsPerMile = 1760.0;
constexpr double kKmPerMile = 1.609344;
constexpr double kMilesPerKm = 0.621371192237334;
constexpr double kKmPerMeter = 0.001;
constexpr double kMetersPerKm = 1000.0;
constexpr double kHoursPerSecond = 0.0002777777777777778;

bool IsDistanceUnit(int unit) {
    return unit >= distance_unit::kMiles && unit <= distance_unit::kMeters;
}

std::string SpeedText(double speed) {
    return FormatNumber(speed, 1, true, true);
}

std::string TimePaceText(double seconds) {
    return CElapsedTime::FromSeconds(seconds).Format(3);
}

}  // namespace

double ConvertDistance(double value, int fromUnit, int toUnit) {
    using namespace distance_unit;
    if (!IsDistanceUnit(fromUnit) || !IsDistanceUnit(toUnit)) return value;
    if (fromUnit == kMiles || fromUnit == kYards) {
        const double miles = fromUnit == kYards ? value * kMilesPerYard : value;
        switch (toUnit) {
            case kMiles:
                return miles;
            case kYards:
                return miles * kYardsPerMile;
            case kKm:
                return miles * kKmPerMile;
            default:
                return miles * kKmPerMile * kMetersPerKm;
        }
    }
    const double km = fromUnit == kMeters ? value * kKmPerMeter : value;
    switch (toUnit) {
        case kMiles:
            return km * kMilesPerKm;
        case kYards:
            return km * kMilesPerKm * kYardsPerMile;
        case kKm:
            return km;
        default:
            return km * kMetersPerKm;
    }
}

bool IsTimePace(int paceUnit) {
    using namespace pace_unit;
    return paceUnit == kMinutesPerMile || paceUnit == kMinutesPer100Yards ||
           paceUnit == kMinutesPerKm || paceUnit == kMinutesPer100Meters;
}

int ReferenceDistanceUnit(int paceUnit) {
    switch (paceUnit) {
        case pace_unit::kMilesPerHour:
        case pace_unit::kMinutesPerMile:
            return distance_unit::kMiles;
        case pace_unit::kMinutesPer100Yards:
            return distance_unit::kYards;
        case pace_unit::kKmPerHour:
        case pace_unit::kMinutesPerKm:
            return distance_unit::kKm;
        case pace_unit::kMinutesPer100Meters:
            return distance_unit::kMeters;
        default:
            return distance_unit::kNone;
    }
}

PaceResult ComputePace(int paceUnit, double seconds, double distance, int distanceUnit) {
    const PaceResult none{0.0, "0"};
    if (distance == 0.0 || seconds == 0.0) return none;
    const int reference = ReferenceDistanceUnit(paceUnit);
    if (reference == distance_unit::kNone) return none;
    const double converted = ConvertDistance(distance, distanceUnit, reference);
    switch (paceUnit) {
        case pace_unit::kMilesPerHour:
        case pace_unit::kKmPerHour: {
            const double speed = converted / (seconds * kHoursPerSecond);
            return {speed, SpeedText(speed)};
        }
        case pace_unit::kMinutesPerMile:
        case pace_unit::kMinutesPerKm: {
            const double pace = seconds / converted;
            return {pace, TimePaceText(pace)};
        }
        default: {  // per 100 yards or 100 meters
            const double pace = seconds / (converted * 0.01);
            return {pace, TimePaceText(pace)};
        }
    }
}

CElapsedTime TimeFromDistanceAndPace(int paceUnit, double distance, int distanceUnit,
                                     std::string_view paceText) {
    const int reference = ReferenceDistanceUnit(paceUnit);
    if (reference == distance_unit::kNone) return {};
    const double converted = ConvertDistance(distance, distanceUnit, reference);
    if (!IsTimePace(paceUnit)) {
        const double speed = TextToDouble(paceText);
        // Standing still gives no time rather than an endless one.
        if (speed == 0.0) return {};
        return CElapsedTime::FromDecimalHours(converted / speed);
    }
    double seconds = converted * CElapsedTime(paceText).TotalSeconds() * (1.0 / 60.0);
    if (paceUnit == pace_unit::kMinutesPer100Yards || paceUnit == pace_unit::kMinutesPer100Meters) {
        seconds *= 0.01;
    }
    return CElapsedTime::FromSeconds(seconds);
}

std::string PaceText(int paceUnit, double storedPace) {
    if (IsTimePace(paceUnit)) return TimePaceText(storedPace);
    if (ReferenceDistanceUnit(paceUnit) == distance_unit::kNone) return {};
    return SpeedText(storedPace);
}

std::string DistanceUnitMeaning(int distanceUnit) {
    static const char* const kNames[] = {"miles", "yards", "kilometers", "meters"};
    return distanceUnit >= 0 && distanceUnit < 4 ? kNames[distanceUnit] : "";
}

std::string PaceUnitMeaning(int paceUnit) {
    static const char* const kNames[] = {"miles per hour",        "minutes per mile",
                                         "minutes per 100 yards", "kilometers per hour",
                                         "minutes per kilometer", "minutes per 100 meters"};
    return paceUnit >= 0 && paceUnit < 6 ? kNames[paceUnit] : "";
}

}  // namespace kivrun
