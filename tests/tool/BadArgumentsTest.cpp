// Every argument is read whole and must be something the log can keep and show; every
// refusal says what was wrong in one line and exits non-zero, and nothing is stored.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ShellQuote;

class BadArgumentsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("log.tlg", {"R Running 0 1", "W Weights 4 6"},
                {"1/06/2003 Running General 5 0:40"});
        ASSERT_EQ(Run("exercise add " + log + " Arms Curls").status, 0);
    }
    // The log as its commands show it: each table's rows, the workouts, the exercises.
    std::string Contents() {
        return Run("check " + log).out + Run("list " + log).out + Run("exercise list " + log).out;
    }
};

TEST_F(BadArgumentsTest, BadValuesAreRefusedNamingTheArgumentAndWhatItTakes) {
    const std::string add = "add " + log + " ";
    const std::string bad = ShellQuote("Caf\xe9");  // Windows-1252, not UTF-8
    const struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        // Which dates and times are refused is DateTest's and ElapsedTimeTest's.
        {add + "1/1/99999 Running General 5 0:40", "DATE is a date M/D/YYYY from 1/1/1901"},
        {add + "1/1/10000 Running General 5 0:40", "to 12/31/2099, not '1/1/10000'"},
        {add + "'1/1/2020 junk' Running General 5 0:40", "DATE is a date"},
        {add + "1/6/2003 Running General 5 1e20", "TIME is a time H:MM:SS (1:15:00)"},
        {add + "1/6/2003 Running General 5 0:00", "above 0 and under 1000 hours, not '0:00'"},
        {add + "1/6/2003 Running General -5 0:40", "DISTANCE is a number from 0 to 100000"},
        {add + "1/6/2003 Running General inf 0:40", "DISTANCE is a number"},
        {add + "1/6/2003 Running General 1e308 0:40", "DISTANCE is a number"},
        {add + "1/6/2003 Running General 1e400 0:40", "DISTANCE is a number"},
        {add + "1/6/2003 Running General NaN 0:40", "DISTANCE is a number"},
        {add + "1/6/2003 Running General 0x10 0:40", "not '0x10'"},
        {add + "1/6/2003 Running General 5 0:40 --pace abc", "--pace is minutes and seconds"},
        {add + "1/6/2003 Running General 5 0:40 --opt1 NaN", "--opt1 is a number"},
        {add + "1/6/2003 Weights General 0 0:40 --routine Bench,3,1e20,10",
         "--routine Weight1 is a whole number from 0 to 10000"},
        {add + "1/6/2003 Weights General 0 0:40 --routine Bench,-3,100,10",
         "--routine Sets is a whole number"},
        {add + "1/6/2003 Running General 5 0:40 --notes " + bad, "--notes is not valid UTF-8"},
        {add + "1/6/2003 Running General 5 0:40 --route " + bad, "--route is not valid UTF-8"},
        {"delete " + log + " 1.5", "ENTRYID is a whole number above 0, not '1.5'"},
        {"sport " + log + " X Run 9 1", "DISTANCE_ID is a whole number from 0 to 4"},
        {"sport " + log + " X Run 0 1.5", "PACE_ID is a whole number from 0 to 6"},
        {"sport " + log + " X " + bad + " 0 1", "NAME is not valid UTF-8"},
        {"sport " + log + " RR Run 0 1", "LETTER is one capital letter"},
        {"sample " + ShellQuote(dir.File("s.tlg")) + " NaN", "ENTRIES is a whole number"},
        {"pref " + log + " --bogus", "unknown option --bogus"},
        {"pref " + log + " Key " + bad, "VALUE is not valid UTF-8"},
        {"pref " + log + " WeekStartDay 7", "WeekStartDay (0 Sunday to 6 Saturday)"},
        {"filter " + log + " --bogus", "unknown option --bogus"},
        {"event add " + log + " 1/1/10000 Running Race", "DATE is a date"},
        {"event add " + log + " 1/1/2020 Running " + bad, "NAME is not valid UTF-8"},
        {"affiliation add " + log + " Running ''", "NAME is empty"},
        {"week " + log + " 1/1/10000", "M/D/YYYY is a date"},
        {"totals " + log + " fortnight", "week, month or year"},
        {"list " + log + " --colour red", "unknown option"},
        {"import-activities " + log + " x.fit --map " + ShellQuote("generic=Caf\xe9"),
         "--map is not valid UTF-8"},
        {"equipment add " + log + " " + bad, "NAME is not valid UTF-8"},
        {"equipment add " + log + " Shoes --notes " + bad, "--notes is not valid UTF-8"},
        {"equipment add " + log + " Shoes --start -5", "--start cannot be negative"},
    };
    const std::string before = Contents();
    for (const Case& c : cases) {
        const auto r = Run(c.args);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.err;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(Contents(), before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("s.tlg")));
}

// What the log refuses is said in one line, with a failing exit.
TEST_F(BadArgumentsTest, RefusalsFailAndSayWhy) {
    const struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"add " + log + " 1/06/2003 Cycling General 10 1:00", "Please specify a sport !!"},
        {"add " + log + " 1/06/2003 Running Nope 10 1:00", "the log has no class named Nope"},
        {"delete " + log + " 999", "the log has no entry 999"},
        {"sport " + log + " Y running 0 1", "There is a sport named Running already !!"},
        {"event add " + log + " 1/1/2020 Running ''", "Please enter a name for the event !!"},
        {"event delete " + log + " 999", "the log has no event 999"},
        {"exercise add " + log + " Arms ''", "Please enter a name for this exercise!!"},
    };
    const std::string before = Contents();
    for (const Case& c : cases) {
        const auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
        if (r.status == 1) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        }
    }
    EXPECT_EQ(Contents(), before);
}

// A run that fails for want of room says so and leaves nothing in the way of the next one.
TEST_F(BadArgumentsTest, AFullDiskIsSaidAndLeavesNothingBehind) {
    const std::string limited = "sh -c \"trap '' XFSZ; ulimit -f 64; exec ";
    const std::string sample = ShellQuote(dir.File("big.tlg"));
    auto r =
        test::RunCommand(limited + KIVRUN_TOOL_PATH + " sample " + sample + " 3000 2>/dev/null\"");
    EXPECT_EQ(r.status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir.File("big.tlg")));
    EXPECT_EQ(Run("sample " + sample + " 10").status, 0);

    // The log cannot be written: the workout is still there, and not said to be missing.
    r = test::RunCommand(limited + KIVRUN_TOOL_PATH + " delete " + log + " 1 2>&1\"");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.find("no entry"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Couldn't delete the entry"), std::string::npos) << r.out;
    const std::string list = Run("list " + log).out;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 2) << list;
}

}  // namespace
}  // namespace kivrun
