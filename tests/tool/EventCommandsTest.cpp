#include <gtest/gtest.h>

#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ShellQuote;
using EventCommandsTest = test::ToolTest;

TEST_F(EventCommandsTest, EventsArePlannedChangedListedAndDeleted) {
    ASSERT_NO_FATAL_FAILURE(MakeLog("events.tlg", {"R Running 0 1"}));
    const auto added = Run("event add " + log + " 12/08/2026 Running 'Turkey Trot' --details " +
                           ShellQuote("Start 9:00|Bring belt") + " --affiliation " +
                           ShellQuote("Bob's \"A\" team"));
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(Run("event add " + log + " 12/14/2026 R Crit").status, 0);
    EXPECT_EQ(Run("event add " + log + " 12/15/2026 Rowing Regatta").err,
              "Please specify a sport !!\n");
    EXPECT_EQ(Run("events " + log).out,
              "12/08/26\tRunning\tBob's \"A\" team\tTurkey Trot\tStart 9:00.  Bring belt\t0\n"
              "12/14/26\tRunning\t\tCrit\t\t1\n");
    const std::string id = added.out.substr(0, added.out.size() - 1);
    EXPECT_EQ(Run("event edit " + log + " " + id + " --date 12/20/2026 --name Trot").status, 0);
    EXPECT_EQ(Run("event list " + log + " --sort EventName --desc").out,
              "12/20/26\tRunning\tBob's \"A\" team\tTrot\tStart 9:00.  Bring belt\t0\n"
              "12/14/26\tRunning\t\tCrit\t\t0\n");  // the same Monday week
    EXPECT_EQ(Run("event delete " + log + " " + id).status, 0);
    EXPECT_EQ(Run("event delete " + log + " " + id).status, 1);
    EXPECT_EQ(Run("event list " + log + " --sort When").status, 2);

    const std::string club = ShellQuote("Bob's \"A\" team ");
    EXPECT_EQ(Run("affiliation add " + log + " Running " + club).status, 0);
    EXPECT_EQ(Run("affiliation add " + log + " R " + ShellQuote("Bob's \"A\" team")).status, 0);
    EXPECT_EQ(Run("affiliation list " + log + " R").out, "Bob's \"A\" team\n");
    EXPECT_EQ(Run("affiliation remove " + log + " Running " + club).status, 0);
    EXPECT_EQ(Run("affiliation list " + log + " Running").out, "");
}

}  // namespace
}  // namespace kivrun
