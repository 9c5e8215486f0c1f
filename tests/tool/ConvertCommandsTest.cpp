#include <gtest/gtest.h>

#include <fstream>

#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using ToolConvert = test::ToolTest;
using ToolImport = test::ToolTest;
using test::ReadBytes;
using test::ShellQuote;

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

TEST_F(ToolConvert, ConvertsInPlaceAndTheLogChecksOut) {
    const std::string file = dir.File("my log.tlg");
    std::ofstream(file, std::ios::binary) << kOldLog;
    const auto convert = Run("convert " + ShellQuote(file));
    EXPECT_EQ(convert.status, 0) << convert.err;
    EXPECT_EQ(convert.out, "");
    EXPECT_EQ(convert.err, "Invalid column !!!\n");
    EXPECT_EQ(ReadBytes(dir.File("my logOLD.tlg")), kOldLog);

    const auto check = Run("check " + ShellQuote(file));
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_EQ(RowCount(check.out, "Log Entry"), "2");  // what each line becomes: ConversionTest

    // Now it is a log: converting again is refused and changes nothing.
    const std::string before = ReadBytes(file);
    const auto again = Run("convert " + ShellQuote(file));
    EXPECT_NE(again.status, 0);
    EXPECT_NE(again.err.find("is a training log already"), std::string::npos) << again.err;
    EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(ToolConvert, FailuresSayWhy) {
    const std::string file = dir.File("old.tlg");
    std::ofstream(file, std::ios::binary) << kOldLog;
    std::ofstream(dir.File("oldOLD.tlg")) << "taken";
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"convert " + ShellQuote(file), "already beside it"},
        {"convert " + ShellQuote(dir.File("none.tlg")), "no such file"},
        {"convert", "missing argument"},
    };
    for (const Case& c : cases) {
        const auto r = Run(c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    }
    EXPECT_EQ(ReadBytes(file), kOldLog);
    EXPECT_EQ(ReadBytes(dir.File("oldOLD.tlg")), "taken");
}

TEST_F(ToolImport, AppendsWhatTheOptionsName) {
    log = ShellQuote(dir.File("log.tlg"));
    const std::string old = dir.File("old.tlg");
    std::ofstream(old, std::ios::binary) << kOldLog;
    ASSERT_EQ(Run("new " + log).status, 0);
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
        const auto r = Run("import " + log + " " + ShellQuote(old) + c.options);
        EXPECT_EQ(r.status, 0) << c.options << ": " << r.err;
        EXPECT_EQ(r.out, "");
        const auto check = Run("check " + log);
        EXPECT_EQ(RowCount(check.out, "Log Entry"), c.entries) << c.options;
        EXPECT_EQ(RowCount(check.out, "Calendar Events"), c.events) << c.options;
    }
    const auto missing = Run("import " + log + " " + ShellQuote(dir.File("no.tlg")));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.err.find("no such file"), std::string::npos) << missing.err;
    EXPECT_EQ(Run("import " + log + " " + ShellQuote(old) + " --everything").status, 2);
    EXPECT_EQ(ReadBytes(old), kOldLog);
}

}  // namespace
}  // namespace kivrun
