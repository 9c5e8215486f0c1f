#include <gtest/gtest.h>

#include "support/RunTool.h"
#include "support/TestLog.h"

namespace kivrun {
namespace {

using test::RunTool;
using test::ShellQuote;

TEST(EventCommandsTest, EventsArePlannedChangedListedAndDeleted) {
    test::TempDir dir;
    auto run = [&](const std::string& args) { return RunTool(args, dir.path()); };
    const std::string log = ShellQuote(dir.File("events.tlg"));
    ASSERT_EQ(run("new " + log).status, 0);
    ASSERT_EQ(run("sport " + log + " R Running 0 1").status, 0);
    const auto added = run("event add " + log + " 12/08/2026 Running 'Turkey Trot' --details " +
                           ShellQuote("Start 9:00|Bring belt") + " --affiliation " +
                           ShellQuote("Bob's \"A\" team"));
    ASSERT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(run("event add " + log + " 12/14/2026 R Crit").status, 0);
    EXPECT_EQ(run("event add " + log + " 12/15/2026 Rowing Regatta").err,
              "Please specify a sport !!\n");
    EXPECT_EQ(run("events " + log).out,
              "12/08/26\tRunning\tBob's \"A\" team\tTurkey Trot\tStart 9:00.  Bring belt\t0\n"
              "12/14/26\tRunning\t\tCrit\t\t1\n");
    const std::string id = added.out.substr(0, added.out.size() - 1);
    EXPECT_EQ(run("event edit " + log + " " + id + " --date 12/20/2026 --name Trot").status, 0);
    EXPECT_EQ(run("event list " + log + " --sort EventName --desc").out,
              "12/20/26\tRunning\tBob's \"A\" team\tTrot\tStart 9:00.  Bring belt\t0\n"
              "12/14/26\tRunning\t\tCrit\t\t0\n");  // the same Monday week
    EXPECT_EQ(run("event delete " + log + " " + id).status, 0);
    EXPECT_EQ(run("event delete " + log + " " + id).status, 1);
    EXPECT_EQ(run("event list " + log + " --sort When").status, 2);

    const std::string club = ShellQuote("Bob's \"A\" team ");
    EXPECT_EQ(run("affiliation add " + log + " Running " + club).status, 0);
    EXPECT_EQ(run("affiliation add " + log + " R " + ShellQuote("Bob's \"A\" team")).status, 0);
    EXPECT_EQ(run("affiliation list " + log + " R").out, "Bob's \"A\" team\n");
    EXPECT_EQ(run("affiliation remove " + log + " Running " + club).status, 0);
    EXPECT_EQ(run("affiliation list " + log + " Running").out, "");
}

}  // namespace
}  // namespace kivrun
