#include <gtest/gtest.h>

#include "support/FilterText.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ShellQuote;

class ViewCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("month.tlg", {"R Running 0 1", "Y Kayak 0 0"},
                {"3/2/2026 Running General 5 0:40:00", "3/2/2026 Kayak General 6 1:00:00",
                 "3/31/2026 Running General 4 0:36:00", "4/1/2026 Running General 3 0:30:00",
                 "4/6/2026 Running General 2 0:20:00"});
        ASSERT_EQ(Run("event add " + log + " 3/2/2026 Running 'Spring 10K'").status, 0);
    }
};

TEST_F(ViewCommandsTest, CalendarAndWeekPrintWhatTheViewsFill) {
    const auto month = Run("calendar " + log + " 3/2026");
    ASSERT_EQ(month.status, 0) << month.err;
    // Newest first, as the log keeps its order; the grey 1 April is listed, 6 April is not.
    EXPECT_EQ(month.out,
              "weeks\t6\nstart\t2/23/2026\n"
              "37\t4/1/2026\tentry\t1\t2\t3M  0:30H  10:00mpm\n"
              "36\t3/31/2026\tentry\t1\t2\t4M  0:36H  9:00mpm\n"
              "7\t3/2/2026\tentry\t1\t12\tY: 6M  1:00H  6.0mph\n"
              "7\t3/2/2026\tentry\t1\t2\t5M  0:40H  8:00mpm\n"
              "7\t3/2/2026\tevent\t1\t2\tSpring 10K\n");
    // Too low for the month: laid out at its least height, two lines a column; the crowded
    // day splits and its event goes to the right half.
    const auto low = Run("calendar " + log + " 3/2026 --height 250");
    EXPECT_NE(low.out.find("7\t3/2/2026\tevent\t2\t2\tSpring 10K"), std::string::npos) << low.out;

    const auto week = Run("week " + log + " 3/4/2026");
    ASSERT_EQ(week.status, 0) << week.err;
    EXPECT_EQ(week.out,
              "Monday, Mar 2, 2026\n"
              "\t12\tY: 6M  1:00H  6.0mph\n"
              "\t2\t5M  0:40H  8:00mpm\n"
              "Tuesday, Mar 3, 2026\nWednesday, Mar 4, 2026\nThursday, Mar 5, 2026\n"
              "Friday, Mar 6, 2026\nSaturday, Mar 7, 2026\nSunday, Mar 8, 2026\nSummary\n"
              "\t2\t5M  0:40H  1x\n"
              "\t12\tY: 6M  1:00H  1x\n"
              "\tTotal:  11M  1:40H  2x\n");
    const std::string kayaks = test::StateWith("Y", "G", "0,-1,1/01/2026,1/01/2026,0");
    const auto filtered = Run("week " + log + " 3/4/2026 --filter " + ShellQuote(kayaks));
    EXPECT_EQ(filtered.out.find("8:00mpm"), std::string::npos) << filtered.out;
    EXPECT_NE(filtered.out.find("\tTotal:  6M  1:00H  1x\n"), std::string::npos);

    EXPECT_EQ(Run("calendar " + log + " 13/2026").status, 2);
    EXPECT_EQ(Run("week " + log + " 2/30/2026").status, 2);
    EXPECT_EQ(Run("week " + log + " 3/4/2026 --width wide").status, 2);
}

TEST_F(ViewCommandsTest, EntryPrintsThePageOfAWorkout) {
    // The kayak workout: second of five on the scroll bar, which counts from the earliest.
    const auto kayak = Run("entry " + log + " 2");
    ASSERT_EQ(kayak.status, 0) << kayak.err;
    EXPECT_EQ(kayak.out,
              "position\t1\t4\n0\t\tMonday, March 2, 2026\n1\t\tKayak\n2\t\tG\n"
              "3\tDistance: \t6 miles\n4\tTime: \t1:00:00\n5\tPace: \t6 mph\n6\t\t\n7\t\t\n"
              "8\tRoute\t\n9\tNotes\t\nicon\t12\n");
    const std::string runs = test::StateWith("R", "G", "0,-1,1/01/2026,1/01/2026,0");
    EXPECT_EQ(
        Run("entry " + log + " 2 --filter " + ShellQuote(runs)).out.rfind("position\t-1\t3\n", 0),
        0u);
    EXPECT_EQ(Run("entry " + log + " 99").status, 1);
}

}  // namespace
}  // namespace kivrun
