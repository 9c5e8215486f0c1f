#include "values/Date.h"

#include <algorithm>
#include <limits>
#include <tuple>

#include "values/Calendar.h"
#include "values/NumberFormat.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace {

constexpr long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// Days from 1 January 1970 in the civil calendar. Days and months outside their range roll
// over into the neighbouring months and years, so arithmetic on any fields stays defined.
long long DayNumberOf(long long year, long long month, long long day) {
    const long long yearShift = FloorDiv(month - 1, 12);
    year += yearShift;
    month -= yearShift * 12;
    return calendar::DaysFromCivil(year, static_cast<unsigned>(month), 1) + day - 1;
}

// The parts of a date text; -1 marks a part that was not typed.
struct DateParts {
    int month;
    int day;
    int year;
};

int NextDateNumber(std::string_view& text) {
    const auto slash = text.find('/');
    std::string_view token = text;
    if (slash == std::string_view::npos) {
        text = {};
    } else {
        token = text.substr(0, slash);
        text.remove_prefix(slash + 1);
    }
    return token.empty() ? -1 : TextToInt(token);
}

DateParts SplitDate(std::string_view text) {
    DateParts parts{};
    parts.month = NextDateNumber(text);
    parts.day = NextDateNumber(text);
    parts.year = NextDateNumber(text);
    return parts;
}

bool IsTwoDigitYear(int year) {
    return year >= 0 && year <= 99;
}

bool IsValid(const DateParts& parts) {
    if (parts.month < 1 || parts.month > 12) return false;
    int year = parts.year;
    if (year == -1) {
        year = calendar::Today().year;
    } else if (IsTwoDigitYear(year)) {
        year = calendar::ExpandTwoDigitYear(year);
    }
    return parts.day >= 1 && parts.day <= CDate::DaysInMonth(parts.month, year);
}

std::string TwoDigits(int value) {
    return (value < 10 ? "0" : "") + std::to_string(value);
}

}  // namespace

CDate::CDate() {
    const calendar::Ymd today = calendar::Today();
    month_ = today.month;
    day_ = today.day;
    year_ = today.year;
}

CDate::CDate(int month, int day, int year) : month_(month), day_(day), year_(year) {}

CDate::CDate(std::string_view text) : CDate() {
    SetFromText(text);
}

CDate CDate::FromSerial(double serial) {
    const calendar::Ymd ymd = calendar::FromSerial(serial);
    return CDate(ymd.month, ymd.day, ymd.year);
}

double CDate::ToSerial() const {
    return calendar::ToSerial(year_, month_, day_);
}

long long CDate::DayNumber() const {
    return DayNumberOf(year_, month_, day_);
}

CDate CDate::FromDayNumber(long long dayNumber) {
    long long year = 0;
    unsigned month = 1, day = 1;
    calendar::CivilFromDays(dayNumber, year, month, day);
    if (year > std::numeric_limits<int>::max())
        return CDate(12, 31, std::numeric_limits<int>::max());
    if (year < std::numeric_limits<int>::min()) return CDate(1, 1, std::numeric_limits<int>::min());
    return CDate(static_cast<int>(month), static_cast<int>(day), static_cast<int>(year));
}

CDate CDate::AddDays(int days) const {
    return FromDayNumber(DayNumber() + days);
}

CDate CDate::SubtractDays(int days) const {
    return FromDayNumber(DayNumber() - days);
}

CDate& CDate::operator+=(int days) {
    *this = AddDays(days);
    return *this;
}

int CDate::DaysBetween(const CDate& a, const CDate& b) {
    const long long days = a.DayNumber() - b.DayNumber();
    return static_cast<int>(
        std::min<long long>(days < 0 ? -days : days, std::numeric_limits<int>::max()));
}

std::strong_ordering operator<=>(const CDate& a, const CDate& b) {
    return std::tie(a.year_, a.month_, a.day_) <=> std::tie(b.year_, b.month_, b.day_);
}

bool CDate::SameWeek(const CDate& other) const {
    const long long yearGap = static_cast<long long>(year_) - other.year_;
    if (yearGap > 1 || yearGap < -1) return false;
    return FirstDayOfWeek() == other.FirstDayOfWeek();
}

CDate CDate::FirstDayOfWeek() const {
    const int startWeekday = ProgramState::Instance().WeekStartDay() + 1;
    return SubtractDays((Weekday() - startWeekday + 7) % 7);
}

int CDate::Weekday() const {
    // 5 January 2003 was a Sunday.
    static const long long kSunday = DayNumberOf(2003, 1, 5);
    const long long offset = (DayNumber() - kSunday) % 7;
    return static_cast<int>(offset < 0 ? offset + 7 : offset) + 1;
}

bool CDate::IsValidText(std::string_view text) {
    return IsValid(SplitDate(text));
}

std::optional<CDate> CDate::FromWholeText(std::string_view typed) {
    const std::string text = TrimBlanks(typed);
    int slashes = 0;
    for (const char c : text) {
        if (c == '/') {
            ++slashes;
        } else if (c < '0' || c > '9') {
            return std::nullopt;
        }
    }
    // Every part typed, each of a sensible length (a year of two digits or four).
    const DateParts parts = SplitDate(text);
    if (slashes < 1 || slashes > 2 || parts.month < 0 || parts.day < 0) return std::nullopt;
    const std::size_t yearDigits = slashes == 2 ? text.size() - text.rfind('/') - 1 : 0;
    if (slashes == 2 && yearDigits != 2 && yearDigits != 4) return std::nullopt;
    // Four digits are the year itself (SetFromText would keep this year for 1899).
    if (yearDigits == 4 && (parts.year < kFirstYear || parts.year > kLastYear)) return std::nullopt;
    if (!IsValid(parts)) return std::nullopt;
    CDate date;
    date.SetFromText(text);
    if (date.Year() < kFirstYear || date.Year() > kLastYear) return std::nullopt;
    return date;
}

bool CDate::SetFromText(std::string_view text) {
    const DateParts parts = SplitDate(text);
    if (!IsValid(parts)) {
        *this = CDate();
        return false;
    }
    month_ = parts.month;
    day_ = parts.day;
    if (parts.year > 1900) {
        year_ = parts.year;
    } else if (IsTwoDigitYear(parts.year)) {
        year_ = calendar::ExpandTwoDigitYear(parts.year);
    }
    // The text was checked against its own year; a kept year may have no 29 February.
    day_ = std::min(day_, DaysInMonth(month_, year_));
    return true;
}

std::string CDate::Format(int form) const {
    const std::string month = std::to_string(month_);
    const std::string shortYear = TwoDigits(year_ % 100);
    switch (form) {
        case 0:
            return month + "/" + TwoDigits(day_) + "/" + shortYear;
        case 1:
            return month + "/" + TwoDigits(day_) + "/" + std::to_string(year_);
        case 2:
            return month + "/" + shortYear;
        case 3:
            return MonthName(month_) + " " + std::to_string(year_);
        case 4:
            return WeekdayName(Weekday()) + ", " + MonthName(month_) + " " + std::to_string(day_) +
                   ", " + std::to_string(year_);
        case 5:
            return WeekdayName(Weekday()) + ", " + MonthName(month_).substr(0, 3) + " " +
                   std::to_string(day_) + ", " + std::to_string(year_);
        case 6:
            return WeekdayName(Weekday());
        default:
            return {};
    }
}

std::string CDate::MonthName(int month) {
    static constexpr const char* kNames[] = {"January",   "February", "March",    "April",
                                             "May",       "June",     "July",     "August",
                                             "September", "October",  "November", "December"};
    if (month < 1 || month > 12) return {};
    return kNames[month - 1];
}

std::string CDate::WeekdayName(int weekday) {
    static constexpr const char* kNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
    if (weekday < 1 || weekday > 7) return "Err";
    return kNames[weekday - 1];
}

int CDate::DaysInMonth(int month, int year) {
    return calendar::DaysInGregorianMonth(month, year);
}

}  // namespace kivrun
