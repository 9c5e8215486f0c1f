// Feeds any text to the time, date, number and token readers. They must never crash or loop,
// and what they produce must keep the invariants the rest of the program relies on.
// tests/values/FormatsCorpusTest.cpp replays the seed corpus through the same function.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <string>
#include <string_view>

#include "values/Date.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun::fuzz {
namespace {

bool IsNormalised(const CElapsedTime& t) {
    return t.Minutes() <= 59 && t.Seconds() >= 0.0 && t.Seconds() < 60.0;
}

std::string CheckTimes(std::string_view text) {
    const CElapsedTime parsed(text);
    const CElapsedTime user = CElapsedTime::FromUserText(text);
    for (const CElapsedTime& t : {parsed, user, parsed + user}) {
        if (!IsNormalised(t)) return "time not normalised";
        for (int form = 0; form <= 5; ++form) {
            if (t.Format(form).empty()) return "empty time text";
        }
        // Form 1 reads back to the whole seconds; form 3 with a leading colon, as the
        // entry form reads a pace, to the same.
        const double whole = t.Hours() * 3600.0 + t.Minutes() * 60.0 + std::trunc(t.Seconds());
        if (CElapsedTime(t.Format(1)).TotalSeconds() != whole) return "form 1 round trip";
        if (CElapsedTime(":" + t.Format(3)).TotalSeconds() != whole) return "form 3 round trip";
    }
    const int validity = CElapsedTime::Validate(text);
    if (validity < 0 || validity > 2) return "validity out of range";
    // A decimal number of hours, blanks around it allowed, is taken below the typed limit.
    const std::string trimmed = TrimBlanks(text);
    const bool decimal =
        CElapsedTime::IsDecimal(trimmed) && TextToDouble(trimmed) < CElapsedTime::kMaxTypedHours;
    if ((validity == 2) != decimal) return "decimal test disagrees";
    if (validity == 1 && !(parsed.TotalSeconds() > 0.0)) return "valid time reads as zero";
    return {};
}

// The C library in the "C" locale is the reference; an embedded NUL ends both alike.
std::string CheckNumbers(std::string_view text) {
    const std::string terminated(text);
    if (TextToLong(text) != std::strtol(terminated.c_str(), nullptr, 10)) return "strtol differs";
    const double value = TextToDouble(text);
    const double expected = std::strtod(terminated.c_str(), nullptr);
    if (std::isnan(value) != std::isnan(expected)) return "strtod differs (nan)";
    if (!std::isnan(value) && (value != expected || std::signbit(value) != std::signbit(expected)))
        return "strtod differs";
    for (int decimals = 0; decimals <= 3; ++decimals) {
        const std::string shown = FormatNumber(value, decimals, true, decimals % 2 == 0);
        if (shown.empty()) return "empty number text";
        const double rounded = Round(value, decimals);
        const double back = TextToDouble(shown);
        if (std::isfinite(rounded) && !(std::abs(back - rounded) <= std::abs(rounded) * 1e-5))
            return "formatted number does not read back";
    }
    return {};
}

std::string CheckDates(std::string_view text) {
    const bool valid = CDate::IsValidText(text);
    CDate date(3, 1, 1999);
    if (date.SetFromText(text) != valid) return "set and validate disagree";
    if (date.Month() < 1 || date.Month() > 12 || date.Day() < 1 ||
        date.Day() > CDate::DaysInMonth(date.Month(), date.Year()))
        return "date does not exist";
    if (valid && date.Year() > 1900 && CDate(date.Format(1)) != date) return "form 1 round trip";
    for (int form = 0; form <= 6; ++form) {
        if (date.Format(form).empty()) return "empty date text";
    }
    const int days = TextToInt(text);
    const CDate moved = date.AddDays(days);
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    if (moved.Year() != kMax && moved.Year() != kMin) {
        // The difference saturates at the int range: 2^31 days back from INT_MIN.
        const long long span = days < 0 ? -static_cast<long long>(days) : days;
        if (CDate::DaysBetween(date, moved) != std::min<long long>(span, kMax))
            return "day difference";
        if (moved.SubtractDays(days) != date) return "add and subtract disagree";
        if (moved.Weekday() < 1 || moved.Weekday() > 7) return "weekday out of range";
    }
    const CDate first = date.FirstDayOfWeek();
    if (first > date || CDate::DaysBetween(first, date) > 6 || !first.SameWeek(date))
        return "first day of week";
    return {};
}

std::string CheckTokens(std::string_view text) {
    for (const char delimiter : {'\t', ',', '"'}) {
        std::string rest(text);
        while (!rest.empty()) {
            const std::size_t before = rest.size();
            const std::string token = NextToken(rest, delimiter);
            if (rest.size() >= before || token.size() > before) return "token not consumed";
        }
    }
    return {};
}

std::string CheckPaces(std::string_view text) {
    const double number = TextToDouble(text);
    const double seconds = CElapsedTime(text).TotalSeconds();
    for (int unit = -1; unit <= 7; ++unit) {
        const int distanceUnit = (unit + 5) % 5;
        ConvertDistance(number, distanceUnit, unit);
        if (ComputePace(unit, seconds, number, distanceUnit).text.empty()) return "empty pace";
        PaceText(unit, number);
        if (!IsNormalised(TimeFromDistanceAndPace(unit, number, distanceUnit, text)))
            return "derived time not normalised";
    }
    return {};
}

}  // namespace

// Returns the first broken invariant, or an empty text.
std::string ExerciseFormats(std::string_view text) {
    for (auto check : {CheckTimes, CheckNumbers, CheckDates, CheckTokens, CheckPaces}) {
        std::string broken = check(text);
        if (!broken.empty()) return broken;
    }
    return {};
}

}  // namespace kivrun::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string broken =
        kivrun::fuzz::ExerciseFormats(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
