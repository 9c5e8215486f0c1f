#include <gtest/gtest.h>

#include <filesystem>

#include "support/FilterText.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ReadBytes;
using test::ShellQuote;
using test::StateWith;

class ExportCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("week.tlg", {"R Running 0 1", "S Swimming 3 5", "W Weights 4 6"},
                {"1/06/2003 Running General 10 1:15:00 --route \"River loop\" --opt1 150",
                 "1/08/2003 Weights Tempo 0 0.75"});
    }
};

TEST_F(ExportCommandsTest, AFilterNarrowsTheExport) {
    const std::string out = dir.File("runs.txt");
    const auto r = Run("export " + log + " " + ShellQuote(out) + " --filter " +
                       ShellQuote(StateWith("R", "GIRET", "1,3,1/01/2003,1/09/2003,0")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadBytes(out),
              "Date\tSport\tClass\tDistance\tTime\tPace\tAHR\tWeight\tRoute\tNotes\t\r\n"
              "1/06/2003\tRunning\tG\t10\t1:15:00\t7:30\t150\t0\tRiver loop\t\r\n");
}

// What each format holds is the exporters' tests', which format a name picks and how a failure
// leaves the files is ExportCommandTest's; here, what the command says and returns.
TEST_F(ExportCommandsTest, NamesFailuresAndMistakes) {
    const auto plain = Run("export " + log + " " + ShellQuote(dir.File("log")));
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_EQ(plain.out, dir.File("log.txt") + "\n");
    EXPECT_EQ(ReadBytes(dir.File("log.txt")).rfind("Date\tSport\t", 0), 0u);
    struct Case {
        std::string args;
        int status;
        const char* says;
    } cases[] = {
        {ShellQuote(dir.File("log.csv")), 1, "Nothing was exported"},
        {ShellQuote(dir.File("no/such/log.htm")), 1,
         "Couldn't export the training log--Exception: "},
        {"", 2, ""},
        {"a.txt b.txt", 2, ""},
        {"a.txt --filter", 2, ""},
        {"a.txt --sort x", 2, ""},
    };
    for (const Case& c : cases) {
        const auto r = Run("export " + log + " " + c.args);
        EXPECT_EQ(r.status, c.status) << c.args;
        EXPECT_EQ(r.out, "") << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(Run("export " + ShellQuote(dir.File("none.tlg")) + " " + dir.File("x.txt")).status,
              1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.txt")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("log.csv")));
}

}  // namespace
}  // namespace kivrun
