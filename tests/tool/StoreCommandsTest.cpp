#include <gtest/gtest.h>

#include <fstream>

#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using ToolStore = test::ToolTest;
using test::ShellQuote;

TEST_F(ToolStore, NewThenCheckListsEveryTable) {
    log = ShellQuote(dir.File("my log.tlg"));
    ASSERT_EQ(Run("new " + log).status, 0);
    const auto check = Run("check " + log);
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(check.out,
              "Log Entry\t0\nLog Entry Details Routine\t0\nLog Entry Details Split Times\t0\n"
              "Calendar Events\t0\nDistance Units\t5\nLog Column Settings\t10\nPace Units\t7\n"
              "Preferences\t5\nRoutes\t0\nAffiliations\t0\nSports\t0\nTraining Types\t7\n"
              "Routine Templates\t0\nRoutine Templates Details\t0\nBodyParts\t7\nExercises\t20\n"
              "Imported Activities\t0\nDevice Sports\t0\nEquipment\t0\nEquipment Sports\t0\n"
              "Equipment Use\t0\n");

    const auto again = Run("new " + log);
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.err.find("already exists"), std::string::npos);
}

TEST_F(ToolStore, FailuresSayWhyAndExitNonZero) {
    std::ofstream(dir.File("old.tlg")) << "1/02/98\tRG\t5\t0:40:00\n";
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"check " + ShellQuote(dir.File("old.tlg")), "not a training log"},
        {"check " + ShellQuote(dir.File("none.tlg")), "no such file"},
        {"check", "missing argument"},
        {"new a b", "too many arguments"},
        {"frobnicate", "unknown command"},
    };
    for (const Case& c : cases) {
        const auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    const auto help = Run("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("check LOG"), std::string::npos);
    const auto version = Run("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("kivrun-tool (Kivrun) 1.", 0), 0u) << version.out;
}

TEST_F(ToolStore, PrefReadsWithTheReadersDefaultAndWrites) {
    log = ShellQuote(dir.File("p.tlg"));
    ASSERT_EQ(Run("new " + log).status, 0);
    struct Case {
        std::string args;
        std::string out;
        int status;
    } cases[] = {
        {"HTMLShowWeeklyTotals", "1\n", 0},
        {"HTMLShowWeeklyTotals 0", "0\n", 0},
        {"HTMLShowWeeklyTotals", "0\n", 0},
        {"TotalsGrouping", "0\n", 0},
        {"SomethingElse", "\n", 0},
        {"WeekStartDay 0", "0\n", 0},
        {"WeekStartDay 7", "", 2},
        {"WeekStartDay", "0\n", 0},
        {"HTMLHeading \"Tom's & Jerry's log\"", "Tom's & Jerry's log\n", 0},
    };
    for (const Case& c : cases) {
        const auto r = Run("pref " + log + " " + c.args);
        EXPECT_EQ(r.status, c.status) << c.args << ": " << r.err;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

}  // namespace
}  // namespace kivrun
