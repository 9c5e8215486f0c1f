#pragma once

#include <optional>

// Calendar arithmetic shared by the value types, the SQL dialect layer and the store.
// Stored dates are serial days since 30 December 1899, the time of day as the fraction.
namespace kivrun::calendar {

struct Ymd {
    int year = 1899;
    int month = 12;
    int day = 30;
    friend bool operator==(const Ymd&, const Ymd&) = default;
};

// Days from 1 January 1970 of a proleptic Gregorian day, and back, for any year a 64-bit
// day count holds. The month must be 1..12; a day outside its month runs on into the next.
long long DaysFromCivil(long long year, unsigned month, unsigned day);
void CivilFromDays(long long days, long long& year, unsigned& month, unsigned& day);

// Proleptic Gregorian conversion between a calendar day and its serial number.
double ToSerial(int year, int month, int day);
Ymd FromSerial(double serial);

bool IsGregorianLeapYear(int year);
int DaysInGregorianMonth(int month, int year);

// 1 = Sunday .. 7 = Saturday.
int Weekday(int year, int month, int day);

// Today's local date; tests may pin it.
Ymd Today();
void SetTodayForTesting(std::optional<Ymd> today);

// Two-digit years (below 100) are placed within 50 years of the current year;
// other years are returned unchanged.
int ExpandTwoDigitYear(int year);

}  // namespace kivrun::calendar
