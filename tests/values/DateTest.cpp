#include "values/Date.h"

#include <gtest/gtest.h>

#include <limits>

#include "values/Calendar.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace {

class DateTest : public ::testing::Test {
  protected:
    void SetUp() override { calendar::SetTodayForTesting(calendar::Ymd{2003, 6, 15}); }
    void TearDown() override {
        calendar::SetTodayForTesting(std::nullopt);
        ProgramState::Instance().Reset();
    }
};

// An empty expectation means invalid: the date falls back to today (pinned to 6/15/2003).
TEST_F(DateTest, ReadsTextsAndFallsBackToToday) {
    const std::pair<const char*, const char*> cases[] = {
        {"1/5/2003", "1/05/2003"},
        {"1/5", "1/05/2003"},
        {"2/29/03", ""},
        {"2/29/04", "2/29/2004"},
        {"2/29/1900", ""},
        {"2/29/2000", "2/29/2000"},
        {"2/29/2100", ""},
        {"13/1/2003", ""},
        {"4/31/2003", ""},
        {"1/0/2003", ""},
        {"/5/2003", ""},
        {"1/5/52", "1/05/2052"},
        {"1/5/53", "1/05/1953"},
        {"12/31/9999", "12/31/9999"},
        {"1/5/1850", "1/05/2003"},
        {"1/5/-1", "1/05/2003"},
        {"01/05/2003abc", "1/05/2003"},
        {"garbage", ""},
    };
    for (const auto& [text, want] : cases) {
        EXPECT_EQ(CDate::IsValidText(text), *want != '\0') << text;
        EXPECT_EQ(CDate(text).Format(1), *want ? want : "6/15/2003") << text;
    }
}

// A date given whole, as a command line gives it: only the years a log can show, and
// nothing after it. An empty expectation means refused.
TEST_F(DateTest, WholeTextsAreDatesTheLogCanShow) {
    const std::pair<const char*, const char*> cases[] = {
        {"1/1/1901", "1/01/1901"},
        {"12/31/2099", "12/31/2099"},
        {"1/5/52", "1/05/2052"},
        {"1/5", "1/05/2003"},
        {" 2/29/2004 ", "2/29/2004"},
        {"12/31/1900", ""},
        {"1/1/2100", ""},
        {"1/5/1850", ""},
        {"1/1/100", ""},
        {"1/1/0099", ""},
        {"1/5/-1", ""},
        {"01/05/2003abc", ""},
        {"1/5/2003/4", ""},
        {"2/29/2003", ""},
        {"5", ""},
    };
    for (const auto& [text, want] : cases) {
        const std::optional<CDate> date = CDate::FromWholeText(text);
        EXPECT_EQ(date ? date->Format(1) : "", want) << text;
    }
}

TEST_F(DateTest, SettingKeepsTheYearWhenNoneIsUsable) {
    CDate date(3, 1, 1999);
    EXPECT_TRUE(date.SetFromText("7/4"));
    EXPECT_EQ(date.Format(1), "7/04/1999");
    EXPECT_TRUE(date.SetFromText("7/4/1850"));
    EXPECT_EQ(date.Format(1), "7/04/1999");
    // Checked against 1896, which has a 29 February; 1999 has none.
    EXPECT_TRUE(date.SetFromText("2/29/1896"));
    EXPECT_EQ(date.Format(1), "2/28/1999");
    EXPECT_FALSE(date.SetFromText("2/30"));
    EXPECT_EQ(date.Format(1), "6/15/2003");
}

TEST_F(DateTest, FormatsAllForms) {
    const CDate date(1, 5, 2003);
    const char* expected[] = {"1/05/03",
                              "1/05/2003",
                              "1/03",
                              "January 2003",
                              "Sunday, January 5, 2003",
                              "Sunday, Jan 5, 2003",
                              "Sunday",
                              ""};
    for (int form = 0; form < 8; ++form)
        EXPECT_EQ(date.Format(form), expected[form]) << form;
    EXPECT_EQ(CDate(11, 25, 2010).Format(0), "11/25/10");
    EXPECT_EQ(CDate::MonthName(0), "");
    EXPECT_EQ(CDate::MonthName(13), "");
    EXPECT_EQ(CDate::WeekdayName(0), "Err");
    EXPECT_EQ(CDate::WeekdayName(8), "Err");
}

// Fields are held month first, but dates order by year first.
TEST_F(DateTest, ComparesByYearThenMonthThenDay) {
    EXPECT_LT(CDate(12, 1, 2002), CDate(1, 1, 2003));
    EXPECT_LT(CDate(1, 31, 2003), CDate(2, 1, 2003));
    EXPECT_EQ(CDate(), CDate(6, 15, 2003));
    EXPECT_EQ(CDate::FromSerial(37626.75).Format(1), "1/05/2003");
    EXPECT_EQ(CDate(1, 5, 2003).ToSerial(), 37626.0);
}

// Day arithmetic must equal stepping one day at a time through the civil calendar (1900
// and 2100 have no 29 February), and agree with the stored day numbers.
TEST_F(DateTest, DayArithmeticMatchesSingleSteps) {
    auto step = [](CDate d) {
        int day = d.Day() + 1, month = d.Month(), year = d.Year();
        if (day > CDate::DaysInMonth(month, year)) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        return CDate(month, day, year);
    };
    const CDate start(12, 20, 1895);
    CDate stepped = start;
    for (int k = 0; k < 80000; ++k) {
        ASSERT_EQ(start.AddDays(k), stepped) << k;
        ASSERT_EQ(stepped.SubtractDays(k), start) << k;
        ASSERT_EQ(stepped.AddDays(-k), start) << k;
        ASSERT_EQ(CDate::DaysBetween(start, stepped), k);
        ASSERT_EQ(CDate::DaysBetween(stepped, start), k);
        const CDate next = step(stepped);
        ASSERT_EQ(stepped.AddDays(1), next) << stepped.Format(1);
        ASSERT_EQ(next.Weekday(), stepped.Weekday() % 7 + 1);
        ASSERT_EQ(stepped.Weekday(),
                  calendar::Weekday(stepped.Year(), stepped.Month(), stepped.Day()));
        ASSERT_EQ(stepped.ToSerial(), start.ToSerial() + k);
        stepped = next;
    }
    // Long spans are computed, not walked.
    EXPECT_EQ(CDate::DaysBetween(CDate(1, 1, 2000), CDate(1, 1, 9999)), 7999 * 365 + 1940);
    EXPECT_EQ(CDate(2, 28, 1900).AddDays(1).Format(1), "3/01/1900");
    EXPECT_EQ(CDate(3, 1, 2150).Weekday(), 1);  // a Sunday
    CDate date(12, 31, 9999);
    date += 1;
    EXPECT_EQ(date.Format(1), "1/01/10000");
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(CDate(1, 1, kMax).AddDays(kMax).Format(1), "12/31/" + std::to_string(kMax));
    EXPECT_EQ(CDate::DaysBetween(CDate(1, 1, -kMax), CDate(1, 1, kMax)), kMax);
}

TEST_F(DateTest, WeeksFollowTheProgramWeekStart) {
    const CDate sunday(1, 5, 2003);
    EXPECT_EQ(sunday.FirstDayOfWeek().Format(1), "12/30/2002");  // across New Year
    EXPECT_FALSE(sunday.SameWeek(CDate(1, 6, 2003)));
    EXPECT_TRUE(CDate(12, 31, 2002).SameWeek(CDate(1, 2, 2003)));
    ProgramState::Instance().SetWeekStartDay(0);
    EXPECT_EQ(sunday.FirstDayOfWeek().Format(1), "1/05/2003");
    EXPECT_TRUE(sunday.SameWeek(CDate(1, 11, 2003)));
    EXPECT_FALSE(sunday.SameWeek(CDate(1, 4, 2003)));
    ProgramState::Instance().SetWeekStartDay(6);
    EXPECT_EQ(sunday.FirstDayOfWeek().Format(1), "1/04/2003");
    EXPECT_FALSE(CDate(1, 1, 2002).SameWeek(CDate(1, 1, 2004)));
}
}  // namespace

namespace calendar {
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
}  // namespace calendar
}  // namespace kivrun
