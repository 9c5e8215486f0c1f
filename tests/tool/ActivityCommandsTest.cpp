#include <gtest/gtest.h>

#include <filesystem>

#include "store/Database.h"
#include "support/FitActivities.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::kRunStart;
using test::ShellQuote;
using test::WriteSession;

class ActivityCommandsTest : public test::ToolTest {
  protected:
    void SetUp() override {
        MakeLog("log.tlg", {"R Running 0 1"});
        std::filesystem::create_directories(dir.File("watch/2024"));
        test::WriteBytes(dir.File("watch/2024/run.fit"),
                         WriteSession(1, 0, kRunStart, 3600, 3570, 10000));
        test::FitWriter course;
        course.Message(0, 0, test::fit_msg::FileId(6));
        test::WriteBytes(dir.File("watch/course.FIT"), course.Bytes());
        test::WriteBytes(dir.File("watch/notes.txt"), "not an activity file");
        test::WriteBytes(dir.File("generic.fit"),
                         WriteSession(0, 0, kRunStart + 86400, 1800, 1700, 5000));
    }
};

TEST_F(ActivityCommandsTest, PrintsALinePerActivityAndFailsOnlyForRefusedFiles) {
    const std::string watch = dir.File("watch"), run = dir.File("watch/2024/run.fit");
    const std::string course = dir.File("watch/course.FIT"), generic = dir.File("generic.fit");
    const std::string runLine = run + "\t%s\t3/31/2024\t08:00\tRunning\t6.21 M\t0:59:30\t1\t%s\n";
    const auto line = [&](const char* status, const char* id) {
        std::string text = runLine;
        text.replace(text.find("%s"), 2, status);
        text.replace(text.find("%s"), 2, id);
        return text;
    };
    const std::string courseLine =
        course + "\tnot an activity: a FIT course file, not an activity\t\t\t\t\t\t\t\n";
    struct Case {
        std::string args;
        int status;
        std::string out;
    } cases[] = {
        // A folder is walked for activity files; a dry run writes nothing.
        {ShellQuote(watch) + " --dry-run", 1, line("new", "") + courseLine},
        {ShellQuote(run), 0, line("imported", "1")},
        {ShellQuote(run), 0, line("already in the log (EntryID 1)", "")},
        {ShellQuote(generic) + " --dry-run", 1,
         generic + "\tno sport for generic\t4/01/2024\t08:00\tgeneric\t5.00 km\t0:28:20\t1\t\n"},
        {ShellQuote(generic) + " --map generic=running --time elapsed", 0,
         generic + "\timported\t4/01/2024\t08:00\tRunning\t3.11 M\t0:30:00\t1\t2\n"},
        {ShellQuote(dir.File("watch/notes.txt")), 1,
         dir.File("watch/notes.txt") + "\trefused: unknown file type\t\t\t\t\t\t\t\n"},
    };
    for (const Case& c : cases) {
        const std::string before = test::ReadBytes(dir.File("log.tlg"));
        const auto result = Run("import-activities " + log + " " + c.args);
        EXPECT_EQ(result.status, c.status) << c.args << "\n" << result.err;
        EXPECT_EQ(result.out, c.out) << c.args;
        if (c.args.find("--dry-run") != std::string::npos) {
            EXPECT_EQ(test::ReadBytes(dir.File("log.tlg")), before) << c.args;
        }
    }
    // What was imported is known again, and the --map is the log's from then on.
    const std::string check = Run("check " + log).out;
    EXPECT_NE(check.find("Imported Activities\t2\n"), std::string::npos) << check;
    EXPECT_NE(check.find("Device Sports\t1\n"), std::string::npos) << check;
}

TEST_F(ActivityCommandsTest, WrongArgumentsAreUsageErrors) {
    const std::string file = ShellQuote(dir.File("generic.fit"));
    for (const std::string& args :
         {log, log + " " + file + " --time fast", log + " " + file + " --map generic",
          log + " " + file + " --map =Running", log + " " + file + " --quick"}) {
        const auto result = Run("import-activities " + args);
        EXPECT_EQ(result.status, 2) << args;
        EXPECT_NE(result.err.find("usage: kivrun-tool import-activities"), std::string::npos);
    }
    const auto noSport = Run("import-activities " + log + " " + file + " --map generic=Rowing");
    EXPECT_EQ(noSport.status, 1);
    EXPECT_NE(noSport.err.find("no sport named 'Rowing'"), std::string::npos);
}

// A file's name is kept with the workout; one that is not UTF-8 is kept as Windows-1252.
TEST_F(ActivityCommandsTest, AFileNameThatIsNotUtf8IsKeptAsUtf8) {
    std::filesystem::copy_file(dir.File("generic.fit"), dir.File("caf\xe9.fit"));
    const auto result = Run("import-activities " + log + " " + ShellQuote(dir.File("caf\xe9.fit")) +
                            " --map generic=Running");
    ASSERT_EQ(result.status, 0) << result.err;
    SqliteDb db(dir.File("log.tlg"), false, true);
    Statement s = db.Prepare("SELECT FileName FROM \"Imported Activities\"");
    ASSERT_TRUE(s.Step());
    EXPECT_EQ(s.Text(0), "caf\xc3\xa9.fit");
}

}  // namespace
}  // namespace kivrun
