// Damaged and foreign files: every command ends quickly, says what went wrong with a non-zero
// exit, and leaves a file that is not a log as it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "store/Database.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ReadBytes;
using test::ShellQuote;
using test::WriteBytes;

class DamagedFilesTest : public test::ToolTest {
  protected:
    void SetUp() override { ASSERT_EQ(Run("sample " + Q("log.tlg") + " 2000 9").status, 0); }
    std::string Q(const std::string& name) const { return ShellQuote(dir.File(name)); }
    // Bounded: a command that would not end is a failure too. Prints the exit status.
    test::ToolResult RunBounded(const std::string& args) {
        return test::RunCommand("timeout 20 " + std::string(KIVRUN_TOOL_PATH) + " " + args + " 2>" +
                                ShellQuote(dir.File("err.txt")) + " >/dev/null; echo $?");
    }
};

TEST_F(DamagedFilesTest, EveryCommandOnABadFileFailsQuicklyAndSaysWhy) {
    std::filesystem::copy_file(dir.File("log.tlg"), dir.File("torn.tlg"));
    std::filesystem::resize_file(dir.File("torn.tlg"),
                                 std::filesystem::file_size(dir.File("torn.tlg")) - 2089);
    WriteBytes(dir.File("zeroes.tlg"), std::string(10000, '\0'));
    WriteBytes(dir.File("random.tlg"), std::string("\x93\x01\xfe\x7f\x10\x02\x80\x11\x03\xc0", 10));
    struct Case {
        std::string args;
        const char* says;
    } cases[] = {
        {"list " + Q("torn.tlg"), "malformed"},
        {"totals " + Q("torn.tlg") + " week", "malformed"},
        {"export " + Q("torn.tlg") + " " + Q("torn.htm"), "malformed"},
        {"pref " + Q("torn.tlg") + " DaysBetweenBackup 0", "malformed"},  // its pages are whole
        {"list " + Q("zeroes.tlg"), "is not a training log"},
        {"convert " + Q("random.tlg"), "not converted"},
        {"backup " + Q("log.tlg") + " --backup-dir " + Q("log.tlg"), "is not a folder"},
    };
    for (const Case& c : cases) {
        const auto r = RunBounded(c.args);
        EXPECT_NE(r.out, "0\n") << c.args;
        EXPECT_NE(r.out, "124\n") << c.args << ": it did not end";
        const std::string err = ReadBytes(dir.File("err.txt"));
        EXPECT_NE(err.find(c.says), std::string::npos) << c.args << ": " << err;
        // None of them is an old text log: no hint to convert it.
        EXPECT_EQ(err.find("converts with"), std::string::npos) << err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("torn.htm")));
}

// Whether a file is a log is decided before anything is written: another program's database
// (in WAL mode too), a look-alike of a log and an empty file stay byte for byte as they were,
// with nothing left beside them, and every command says what the file is.
TEST_F(DamagedFilesTest, AFileThatIsNoLogStaysAsItWas) {
    SqliteDb(dir.File("wal.db"), true)
        .Exec("PRAGMA journal_mode=WAL; CREATE TABLE notes (text); INSERT INTO notes VALUES (1)");
    SqliteDb(dir.File("alike.tlg"), true)
        .Exec(
            "CREATE TABLE \"Log Entry\" (a, b); CREATE TABLE Sports (x); "
            "CREATE TABLE Preferences (k, v)");
    WriteBytes(dir.File("empty.tlg"), "");
    std::filesystem::create_directory(dir.File("folder.tlg"));
    const std::string commands[] = {
        "list F",
        "totals F week",
        "export F " + Q("x.htm"),
        "check F",
        "pref F Key 1",
        "filter F ''",
        "backup F --backup-dir " + Q("bk"),
        "add F 1/06/2003 Running General 5 0:40",
        "delete F 1",
        "sport F R Running 0 1",
        "event add F 1/07/2003 Running Race",
        "convert F",
        "import F " + Q("log.tlg"),
        "import " + Q("log.tlg") + " F",
        "import-activities F " + Q("x.fit"),
    };
    const auto listing = [&] {
        std::vector<std::string> names;
        for (const auto& f : std::filesystem::directory_iterator(dir.path()))
            if (f.path().filename() != "err.txt" && f.path().filename() != "tool-stderr.txt")
                names.push_back(f.path().filename().string() + "=" +
                                (f.is_regular_file() ? ReadBytes(f.path().string()) : ""));
        std::sort(names.begin(), names.end());
        return names;
    };
    const std::vector<std::string> before = listing();
    for (const char* file : {"wal.db", "alike.tlg", "empty.tlg", "folder.tlg"}) {
        for (std::string command : commands) {
            command.replace(command.find('F'), 1, Q(file));
            const auto r = RunBounded(command);
            const std::string err = ReadBytes(dir.File("err.txt"));
            EXPECT_NE(r.out, "0\n") << command;
            const std::string name = file;
            const bool convert = command.rfind("convert", 0) == 0;
            const bool source = command.rfind("import " + Q("log.tlg"), 0) == 0;
            const std::string says = name == "folder.tlg" ? "is a folder, not a training log"
                                     : name == "empty.tlg" && convert ? "nothing to convert"
                                     : name == "empty.tlg" && !source
                                         ? "is empty, not a training log"
                                     : convert ? "another program's database"
                                               : "not a training log";
            EXPECT_NE(err.find(says), std::string::npos) << command << ": " << err;
        }
        EXPECT_EQ(listing(), before) << file;
    }
}

// Tabs and line breaks in the user's texts never split a line of tab-delimited output.
TEST_F(DamagedFilesTest, TabsInUserTextKeepEveryLinesFields) {
    const std::string log = Q("tabs.tlg");
    ASSERT_EQ(Run("new " + log).status, 0);
    ASSERT_EQ(Run("sport " + log + " R " + ShellQuote("Road\trun") + " 0 1").status, 0);
    ASSERT_EQ(Run("add " + log + " 1/06/2003 " + ShellQuote("Road\trun") +
                  " General 10 1:15:00 --route " + ShellQuote("Lake\tloop") + " --notes " +
                  ShellQuote("one\ntwo\rthree\xE2\x80\xA8"
                             "four"))
                  .status,
              0);
    ASSERT_EQ(Run("export " + log + " " + Q("tabs.txt")).status, 0);
    const std::string outputs[] = {Run("list " + log).out, ReadBytes(dir.File("tabs.txt"))};
    for (const std::string& out : outputs) {
        SCOPED_TRACE(out);
        size_t lines = 0;
        for (size_t start = 0; start < out.size(); ++lines) {
            const size_t end = out.find('\n', start);
            std::string line = out.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();  // the .txt line end
            EXPECT_EQ(line.find('\r'), std::string::npos);
            // Ten fields; the .txt header ends each name with a tab.
            const auto tabs = std::count(line.begin(), line.end(), '\t');
            EXPECT_TRUE(tabs == 9 || (tabs == 10 && lines == 0)) << line;
            start = end + 1;
        }
        EXPECT_EQ(lines, 2u);
    }
}

}  // namespace
}  // namespace kivrun
