#include "values/Calendar.h"

#include <gtest/gtest.h>

namespace kivrun::calendar {
namespace {

TEST(Calendar, SerialRoundTripsAcrossCenturiesAndLeapDays) {
    struct Case {
        Ymd date;
        double serial;
    } cases[] = {
        {{1899, 12, 30}, 0},    {{1899, 12, 31}, 1},    {{1900, 3, 1}, 61},   {{2003, 1, 1}, 37622},
        {{2000, 2, 29}, 36585}, {{2026, 12, 5}, 46361}, {{1899, 12, 1}, -29},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ToSerial(c.date.year, c.date.month, c.date.day), c.serial);
        EXPECT_EQ(FromSerial(c.serial + 0.75), c.date) << c.serial;
    }
}

TEST(Calendar, WeekdayCountsSundayAsOne) {
    EXPECT_EQ(Weekday(2003, 1, 5), 1);   // a Sunday
    EXPECT_EQ(Weekday(2026, 12, 5), 7);  // a Saturday
    EXPECT_EQ(Weekday(2021, 1, 1), 6);   // a Friday
}

TEST(Calendar, TwoDigitYearsStayWithinFiftyYearsOfToday) {
    SetTodayForTesting(Ymd{2003, 6, 1});
    EXPECT_EQ(ExpandTwoDigitYear(52), 2052);
    EXPECT_EQ(ExpandTwoDigitYear(53), 1953);
    EXPECT_EQ(ExpandTwoDigitYear(98), 1998);
    EXPECT_EQ(ExpandTwoDigitYear(3), 2003);
    EXPECT_EQ(ExpandTwoDigitYear(1998), 1998);
    SetTodayForTesting(Ymd{2080, 1, 1});
    EXPECT_EQ(ExpandTwoDigitYear(20), 2120);
    SetTodayForTesting(std::nullopt);
}

}  // namespace
}  // namespace kivrun::calendar
