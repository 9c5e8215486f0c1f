#include "values/ElapsedTime.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "values/NumberFormat.h"

namespace kivrun {
namespace {

constexpr std::uint32_t kMaxHours = std::numeric_limits<std::uint32_t>::max();
constexpr double kMaxTotalSeconds = kMaxHours * 3600.0 + 3599.0;

// The parts of a colon text before any clamping; -1 marks a part that was not typed.
struct TimeParts {
    long hours;
    long minutes;
    double seconds;
};

// A leading colon stands for "0"; once the text is used up every token is empty.
std::string_view NextTimeToken(std::string_view& text) {
    const auto colon = text.find(':');
    if (colon == std::string_view::npos) {
        const std::string_view token = text;
        text = {};
        return token;
    }
    const std::string_view token = colon == 0 ? std::string_view("0") : text.substr(0, colon);
    text.remove_prefix(colon + 1);
    return token;
}

TimeParts SplitTime(std::string_view text) {
    TimeParts parts{};
    const auto hours = NextTimeToken(text);
    parts.hours = hours.empty() ? -1 : TextToLong(hours);
    const auto minutes = NextTimeToken(text);
    parts.minutes = minutes.empty() ? -1 : TextToLong(minutes);
    const auto seconds = NextTimeToken(text);
    parts.seconds = seconds.empty() ? -1.0 : TextToDouble(seconds);
    return parts;
}

std::uint32_t SaturateToHours(std::uint64_t value) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, kMaxHours));
}

std::string TwoDigits(std::uint32_t value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// Seconds cut to a whole number; a value set directly may be far outside 0..60.
std::string WholeSecondsText(double seconds) {
    const double whole = std::trunc(seconds);
    if (std::abs(whole) < 1e15) return IntToText(static_cast<long long>(whole));
    return DoubleToText(whole);
}

}  // namespace

CElapsedTime::CElapsedTime(unsigned hours, unsigned minutes, double seconds)
    : hours_(hours), minutes_(minutes), seconds_(seconds) {}

CElapsedTime::CElapsedTime(std::string_view text) {
    if (IsDecimal(text)) {
        SetFromSeconds(TextToDouble(text));
        return;
    }
    const TimeParts parts = SplitTime(text);
    const double hours = static_cast<double>(std::max(parts.hours, 0L));
    const double minutes = static_cast<double>(std::max(parts.minutes, 0L));
    const double seconds = parts.seconds >= 0.0 ? parts.seconds : 0.0;  // NaN too
    SetFromSeconds(minutes * 60.0 + hours * 3600.0 + seconds);
}

CElapsedTime CElapsedTime::FromSeconds(double seconds) {
    CElapsedTime time;
    time.SetFromSeconds(seconds);
    return time;
}

CElapsedTime CElapsedTime::FromDecimalHours(double hours) {
    CElapsedTime time;
    time.SetFromDecimalHours(hours);
    return time;
}

CElapsedTime CElapsedTime::FromUserText(std::string_view text) {
    if (IsDecimal(text)) return FromDecimalHours(TextToDouble(text));
    return CElapsedTime(text);
}

void CElapsedTime::SetFromSeconds(double seconds) {
    if (!(seconds > 0.0)) seconds = 0.0;
    seconds = std::min(seconds, kMaxTotalSeconds);
    hours_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(seconds) / 3600);
    const double rest = seconds - hours_ * 3600.0;
    minutes_ = static_cast<std::uint32_t>(static_cast<std::uint64_t>(rest) / 60);
    seconds_ = rest - minutes_ * 60.0;
}

void CElapsedTime::SetFromDecimalHours(double hours) {
    if (!(hours > 0.0)) hours = 0.0;
    if (hours >= kMaxHours + 1.0) {
        SetFromSeconds(kMaxTotalSeconds);
        return;
    }
    // A fraction below 1 times 60 always rounds below 60, so minutes and seconds stay in range.
    const double whole = std::trunc(hours);
    const double minutes = (hours - whole) * 60.0;
    const double wholeMinutes = std::trunc(minutes);
    const double seconds = std::trunc((minutes - wholeMinutes) * 60.0);
    hours_ = static_cast<std::uint32_t>(whole);
    minutes_ = static_cast<std::uint32_t>(wholeMinutes);
    seconds_ = seconds;
}

double CElapsedTime::TotalSeconds() const {
    return hours_ * 3600.0 + minutes_ * 60.0 + seconds_;
}

CElapsedTime CElapsedTime::operator+(const CElapsedTime& other) const {
    double seconds = seconds_ + other.seconds_;
    std::uint64_t carry = 0;
    if (seconds >= 60.0) {
        seconds -= 60.0;
        carry = 1;
    }
    std::uint64_t minutes = std::uint64_t{minutes_} + other.minutes_ + carry;
    carry = 0;
    if (minutes >= 60) {
        minutes -= 60;
        carry = 1;
    }
    const std::uint64_t hours = std::uint64_t{hours_} + other.hours_ + carry;
    // Saturate rather than wrap: a sum of huge totals must not turn small.
    return CElapsedTime(SaturateToHours(hours), SaturateToHours(minutes), seconds);
}

CElapsedTime& CElapsedTime::operator+=(const CElapsedTime& other) {
    *this = *this + other;
    return *this;
}

std::string CElapsedTime::Format(int form) const {
    const std::string prefix = seconds_ < 10.0 ? "0" : "";
    const std::string clock = std::to_string(hours_) + ":" + TwoDigits(minutes_);
    const std::string totalMinutes =
        std::to_string(std::uint64_t{hours_} * 60 + std::uint64_t{minutes_});
    switch (form) {
        case 0:
            return clock;
        case 1:
            return clock + ":" + prefix + WholeSecondsText(seconds_);
        case 2:
            return clock + ":" + prefix + FormatNumber(seconds_, 2, true, false);
        case 3:
            return totalMinutes + ":" + prefix + WholeSecondsText(seconds_);
        case 4:
            return totalMinutes + ":" + prefix + FormatNumber(seconds_, 2, true, false);
        case 5:
            return clock + ":" + prefix + DoubleToText(seconds_);
        default:
            return {};
    }
}

namespace {

bool AllDigits(std::string_view token) {
    return std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Hours and minutes are whole numbers, seconds may carry a fraction: nothing else may follow.
bool IsWholeTimeText(std::string_view text) {
    std::string_view tokens[3];
    for (std::string_view& token : tokens) {
        token = NextTimeToken(text);
        if (text.empty()) break;
    }
    if (!text.empty()) return false;  // a fourth part
    const std::string_view seconds = tokens[2];
    const auto point = seconds.find('.');
    return AllDigits(tokens[0]) && AllDigits(tokens[1]) &&
           (point == std::string_view::npos
                ? AllDigits(seconds)
                : AllDigits(seconds.substr(0, point)) && AllDigits(seconds.substr(point + 1)));
}

}  // namespace

int CElapsedTime::Validate(std::string_view typed) {
    const std::string trimmed = TrimBlanks(typed);
    const std::string_view text = trimmed;
    if (IsDecimal(text)) return TextToDouble(text) < kMaxTypedHours ? 2 : 0;
    if (!IsWholeTimeText(text)) return 0;
    const TimeParts parts = SplitTime(text);
    if (parts.hours < 0) return 0;
    // -1 stands for a part that was left out.
    if (parts.minutes != -1 && (parts.minutes < 0 || parts.minutes > 59)) return 0;
    if (parts.seconds != -1.0 && !(parts.seconds >= 0.0 && parts.seconds < 60.0)) return 0;
    if (parts.hours >= kMaxTypedHours) return 0;
    if (parts.hours > 0 || parts.minutes > 0) return 1;
    return parts.seconds > 0.0 ? 1 : 0;
}

bool CElapsedTime::IsDecimal(std::string_view text) {
    bool point = false;
    for (const char c : text) {
        if (c == '.') {
            if (point) return false;
            point = true;
        } else if (c < '0' || c > '9') {
            return false;
        }
    }
    return point;
}

}  // namespace kivrun
