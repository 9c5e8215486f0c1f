#include <gtest/gtest.h>

#include <fstream>

#include "support/RunTool.h"
#include "support/TestLog.h"

namespace kivrun {
namespace {

using test::ReadBytes;
using test::RunTool;
using test::ShellQuote;
using test::TempDir;

const char* const kOldLog =
    "[Sports\r\nR\tRunning\t1\t0\r\nW\tWeights\t*\t*\r\n]\r\n"
    "[Routes\r\nRT\tPark\r\n]\r\n[Calendar\r\n3/15/98\tR\tRace\t10k\r\n]\r\n"
    "[ColumnData\r\nNo such\t5\r\n]\r\n"
    "1/2/98\tRT\t5\t0:40:00\t0\tPark\tgood\t150\t0\r\n"
    "1/3/98\tWG\t0\t0:45:00\r\n{1\r\nBench\t3\t100\t10\r\n}\r\n"
    "1/4/98\tQG\t5\t0:40:00";

// The row count check prints for a table.
std::string RowCount(const std::string& check, const std::string& table) {
    const auto at = check.find(table + "\t");
    if (at == std::string::npos) return "(missing)";
    const auto start = at + table.size() + 1;
    return check.substr(start, check.find('\n', start) - start);
}

TEST(ToolConvert, ConvertsInPlaceAndTheLogChecksOut) {
    TempDir dir;
    const std::string log = dir.File("my log.tlg");
    std::ofstream(log, std::ios::binary) << kOldLog;
    const auto convert = RunTool("convert " + ShellQuote(log), dir.path());
    EXPECT_EQ(convert.status, 0) << convert.err;
    EXPECT_EQ(convert.out, "");
    EXPECT_EQ(convert.err, "Invalid column !!!\n");
    EXPECT_EQ(ReadBytes(dir.File("my logOLD.tlg")), kOldLog);

    const auto check = RunTool("check " + ShellQuote(log), dir.path());
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(RowCount(check.out, "Sports"), "2");
    EXPECT_EQ(RowCount(check.out, "Log Entry"), "2");
    EXPECT_EQ(RowCount(check.out, "Routes"), "1");
    EXPECT_EQ(RowCount(check.out, "Calendar Events"), "1");

    // Now it is a log: converting again is refused and changes nothing.
    const std::string before = ReadBytes(log);
    const auto again = RunTool("convert " + ShellQuote(log), dir.path());
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.err.find("is a training log already"), std::string::npos) << again.err;
    EXPECT_EQ(ReadBytes(log), before);
}

TEST(ToolConvert, FailuresSayWhy) {
    TempDir dir;
    const std::string log = dir.File("old.tlg");
    std::ofstream(log, std::ios::binary) << kOldLog;
    std::ofstream(dir.File("oldOLD.tlg")) << "taken";
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"convert " + ShellQuote(log), "already beside it"},
        {"convert " + ShellQuote(dir.File("none.tlg")), "no such file"},
        {"convert", "missing argument"},
    };
    for (const Case& c : cases) {
        const auto r = RunTool(c.args, dir.path());
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(ReadBytes(log), kOldLog);
    EXPECT_EQ(ReadBytes(dir.File("oldOLD.tlg")), "taken");
}

TEST(ToolImport, AppendsWhatTheOptionsName) {
    TempDir dir;
    const std::string log = ShellQuote(dir.File("log.tlg"));
    const std::string old = dir.File("old.tlg");
    std::ofstream(old, std::ios::binary) << kOldLog;
    ASSERT_EQ(RunTool("new " + log, dir.path()).status, 0);
    struct Case {
        std::string options;
        const char* entries;
        const char* events;
    } cases[] = {
        {"", "2", "0"},  // workouts alone, as the dialog opens
        {" --calendar", "2", "1"},
        {" --entries --calendar", "4", "2"},
    };
    for (const Case& c : cases) {
        const auto r = RunTool("import " + log + " " + ShellQuote(old) + c.options, dir.path());
        EXPECT_EQ(r.status, 0) << c.options << ": " << r.err;
        EXPECT_EQ(r.out, "");
        const auto check = RunTool("check " + log, dir.path());
        EXPECT_EQ(RowCount(check.out, "Log Entry"), c.entries) << c.options;
        EXPECT_EQ(RowCount(check.out, "Calendar Events"), c.events) << c.options;
    }
    const auto missing =
        RunTool("import " + log + " " + ShellQuote(dir.File("no.tlg")), dir.path());
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
    EXPECT_EQ(RunTool("import " + log + " " + ShellQuote(old) + " --everything", dir.path()).status,
              2);
    EXPECT_EQ(ReadBytes(old), kOldLog);
}

}  // namespace
}  // namespace kivrun
