#include "entries/TimeChecks.h"

#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

constexpr double kKmPerMile = 1.609344;
constexpr double kMetersPer100Yards = 91.44;

// Two digits, as a clock shows minutes and seconds.
std::string TwoDigits(unsigned n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string Counted(unsigned n, const char* unit) {
    return std::to_string(n) + " " + unit + (n == 1 ? "" : "s");
}

}  // namespace

const std::array<PaceBounds, 6>& PlausiblePaces() {
    // Set in metric terms: 1 to 100 km/h, 1:30 to 30:00 per km, 0:15 to 10:00 per 100 m (a
    // rowing boat covers 100 m in under 20 s, a swimmer in 45 s or more). The imperial units
    // are the same bounds converted.
    static const std::array<PaceBounds, 6> table = {{
        {pace_unit::kMilesPerHour, 1 / kKmPerMile, 100 / kKmPerMile},
        {pace_unit::kMinutesPerMile, 90 * kKmPerMile, 1800 * kKmPerMile},
        {pace_unit::kMinutesPer100Yards, 15 * kMetersPer100Yards / 100,
         600 * kMetersPer100Yards / 100},
        {pace_unit::kKmPerHour, 1, 100},
        {pace_unit::kMinutesPerKm, 90, 1800},
        {pace_unit::kMinutesPer100Meters, 15, 600},
    }};
    return table;
}

bool IsPlausiblePace(int paceUnit, double storedPace) {
    for (const PaceBounds& b : PlausiblePaces())
        if (b.paceUnit == paceUnit) return storedPace >= b.lowest && storedPace <= b.highest;
    return true;
}

std::string TimeAsRead(std::string_view typed) {
    const std::string text = TrimBlanks(typed);
    if (text.empty()) return {};
    if (CElapsedTime::Validate(text) == 0) return "not a time";
    const CElapsedTime t = CElapsedTime::FromUserText(text);
    const auto seconds = static_cast<unsigned>(t.Seconds());
    if (t.Hours() > 0)
        return std::to_string(t.Hours()) + " h " + TwoDigits(t.Minutes()) + " min" +
               (seconds ? " " + TwoDigits(seconds) + " s" : "");
    if (t.Minutes() > 0)
        return std::to_string(t.Minutes()) + " min" +
               (seconds ? " " + TwoDigits(seconds) + " s" : "");
    return std::to_string(seconds) + " s";
}

std::string TimeInWords(const CElapsedTime& time) {
    std::string words;
    const auto add = [&words](unsigned n, const char* unit) {
        if (n == 0) return;
        if (!words.empty()) words += ' ';
        words += Counted(n, unit);
    };
    add(time.Hours(), "hour");
    add(time.Minutes(), "minute");
    add(static_cast<unsigned>(time.Seconds()), "second");
    return words.empty() ? "0 seconds" : words;
}

std::string ImplausibleTimeQuestion(const CElapsedTime& time) {
    return "Time is " + time.Format(1) + " (" + TimeInWords(time) + "). Save it anyway?";
}

}  // namespace kivrun
