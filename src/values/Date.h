#pragma once

#include <compare>
#include <optional>
#include <string>
#include <string_view>

namespace kivrun {

// A calendar day of the civil (proleptic Gregorian) calendar, for every year an int holds.
// Weekdays run 1 = Sunday .. 7 = Saturday.
class CDate {
  public:
    // Today's local date.
    CDate();
    CDate(int month, int day, int year);
    // "M/D/Y", "M/D" (this year) or two-digit years; an invalid text gives today.
    explicit CDate(std::string_view text);
    // The calendar day of a stored date value (days since 30 December 1899).
    static CDate FromSerial(double serial);

    int Month() const { return month_; }
    int Day() const { return day_; }
    int Year() const { return year_; }

    // The stored date value of this day at midnight.
    double ToSerial() const;

    // A negative count goes the other way. Years past the int range saturate.
    CDate AddDays(int days) const;
    CDate SubtractDays(int days) const;
    CDate& operator+=(int days);
    // Days from the earlier date to the later one; never negative.
    static int DaysBetween(const CDate& a, const CDate& b);

    friend bool operator==(const CDate&, const CDate&) = default;
    // By year, then month, then day.
    friend std::strong_ordering operator<=>(const CDate& a, const CDate& b);

    // Same week under the program-wide week start day.
    bool SameWeek(const CDate& other) const;
    // The latest day not after this one that falls on the week start day.
    CDate FirstDayOfWeek() const;
    int Weekday() const;

    static bool IsValidText(std::string_view text);
    // The years a log can show.
    static constexpr int kFirstYear = 1901;
    static constexpr int kLastYear = 2099;
    // A date given whole, as a command line gives it: M/D/YYYY, M/D/YY or M/D (this year),
    // digits only, a day of that month, a year from kFirstYear to kLastYear; nothing else.
    static std::optional<CDate> FromWholeText(std::string_view text);
    // Invalid text sets today and returns false. A valid text always sets month and day;
    // the year only when it is above 1900 or has two digits, otherwise it is kept.
    bool SetFromText(std::string_view text);

    // 0 M/DD/YY, 1 M/DD/YYYY, 2 M/YY, 3 "January 2003", 4 "Sunday, January 5, 2003",
    // 5 "Sunday, Jan 5, 2003", 6 "Sunday". Other forms give an empty text.
    std::string Format(int form) const;

    // 1..12; anything else gives an empty text.
    static std::string MonthName(int month);
    // 1 = Sunday .. 7 = Saturday; anything else gives "Err".
    static std::string WeekdayName(int weekday);
    // 0 for a month outside 1..12.
    static int DaysInMonth(int month, int year);

  private:
    long long DayNumber() const;
    static CDate FromDayNumber(long long dayNumber);

    int month_;
    int day_;
    int year_;
};

}  // namespace kivrun
