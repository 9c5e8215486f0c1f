#include "values/Calendar.h"

#include <cmath>
#include <cstdlib>
#include <ctime>

namespace kivrun::calendar {
namespace {

// 1899-12-30 is day 0 of the serial count.
constexpr long long kSerialEpochFromUnix = -25569;

std::optional<Ymd>& PinnedToday() {
    static std::optional<Ymd> pinned;
    return pinned;
}

}  // namespace

// H. Hinnant's algorithm, on 64-bit years.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, long long& year, unsigned& month, unsigned& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = static_cast<long long>(yoe) + era * 400 + (month <= 2);
}

double ToSerial(int year, int month, int day) {
    // Normalise an out-of-range month so callers may step across years.
    long long y = year;
    long long m = month - 1;
    y += m >= 0 ? m / 12 : (m - 11) / 12;
    m = ((m % 12) + 12) % 12;
    return static_cast<double>(DaysFromCivil(y, static_cast<unsigned>(m + 1), 1) +
                               (static_cast<long long>(day) - 1) - kSerialEpochFromUnix);
}

Ymd FromSerial(double serial) {
    if (!std::isfinite(serial)) return Ymd{};
    // Clamp to a range the arithmetic handles; logs hold nothing near these bounds.
    if (serial > 2.9e6) serial = 2.9e6;
    if (serial < -6.9e5) serial = -6.9e5;
    const long long days = static_cast<long long>(std::floor(serial));
    long long year = 0;
    unsigned month = 1, day = 1;
    CivilFromDays(days + kSerialEpochFromUnix, year, month, day);
    return Ymd{static_cast<int>(year), static_cast<int>(month), static_cast<int>(day)};
}

bool IsGregorianLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInGregorianMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    if (month == 2 && IsGregorianLeapYear(year)) return 29;
    return kDays[month - 1];
}

int Weekday(int year, int month, int day) {
    const long long serial = static_cast<long long>(ToSerial(year, month, day));
    // Serial day 1 (31 December 1899) was a Sunday.
    long long w = (serial - 1) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

Ymd Today() {
    if (PinnedToday()) return *PinnedToday();
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return Ymd{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void SetTodayForTesting(std::optional<Ymd> today) {
    PinnedToday() = today;
}

int ExpandTwoDigitYear(int year) {
    if (year < 0 || year >= 100) return year;
    const int current = Today().year;
    const int base = (current / 100) * 100;
    const int r = current % 100;
    if (std::abs(r - year) < 50) return base + year;
    if (year > r) return base + year - 100;
    return base + year + 100;
}

}  // namespace kivrun::calendar
