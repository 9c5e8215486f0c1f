// A log runs only the program's own code: stored queries, triggers and views it did not
// write are never run, whichever command opens the log.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/Database.h"
#include "store/Schema.h"
#include "tool/ToolTest.h"

namespace kivrun {
namespace {

using test::ReadBytes;
using test::ShellQuote;

class HostileSchemaTest : public test::ToolTest {
  protected:
    void SetUp() override { ASSERT_EQ(Run("sample " + Log() + " 200 9").status, 0); }
    std::string Log() const { return ShellQuote(dir.File("log.tlg")); }
};

TEST_F(HostileSchemaTest, TriggersAndViewsOfAnyoneElseAreRemovedBeforeAnythingRuns) {
    const std::string path = dir.File("log.tlg");
    SqliteDb(path, false)
        .Exec(
            "CREATE TRIGGER e AFTER INSERT ON \"Log Entry\" BEGIN "
            "DELETE FROM \"Log Entry\" WHERE EntryID <> NEW.EntryID; END;"
            "CREATE TRIGGER p AFTER UPDATE ON Preferences BEGIN DELETE FROM \"Log Entry\"; END;"
            "CREATE TRIGGER q AFTER INSERT ON Preferences BEGIN DELETE FROM \"Log Entry\"; END;"
            "CREATE TRIGGER c AFTER INSERT ON \"Calendar Events\" BEGIN "
            "DELETE FROM \"Log Entry\"; END;"
            "CREATE VIEW spy AS SELECT Notes FROM \"Log Entry\";"
            // One of the program's names over a body of someone else's.
            "DROP TRIGGER \"kivrun_rel_SportsToEntry_cascade_delete\";"
            "CREATE TRIGGER \"kivrun_rel_SportsToEntry_cascade_delete\" AFTER DELETE ON Sports "
            "BEGIN DELETE FROM \"Log Entry\"; END;");
    // Read-only, nothing can be rid of it: the log is refused, and left as it is.
    const std::string before = ReadBytes(path);
    const auto list = Run("list " + Log());
    EXPECT_EQ(list.status, 1);
    EXPECT_NE(list.err.find("holds database code that Kivrun did not write"), std::string::npos)
        << list.err;
    EXPECT_EQ(ReadBytes(path), before);

    // The first command that writes removes it, and says so once.
    const auto add = Run("add " + Log() + " 1/06/2003 Running General 5 0:40:00");
    ASSERT_EQ(add.status, 0) << add.err;
    EXPECT_EQ(add.err, std::string(schema::kForeignCodeRemoved) + "\n");
    const std::string backups = ShellQuote(dir.File("bk"));
    for (const std::string& command :
         {"pref " + Log() + " DaysBetweenBackup 0", "filter " + Log() + " ''",
          "event add " + Log() + " 1/07/2003 Running Race",
          "backup " + Log() + " --backup-dir " + backups, "list " + Log()}) {
        const auto r = Run(command);
        EXPECT_EQ(r.status, 0) << command << ": " << r.err;
        EXPECT_EQ(r.err, "") << command;
    }
    EXPECT_EQ(test::Workouts(path), 201);
    EXPECT_EQ(test::Workouts(dir.File("bk/logBAK.tlg")), 201);
    SqliteDb db(path, false);
    Statement code =
        db.Prepare("SELECT count(*) FROM sqlite_master WHERE name IN ('e', 'p', 'q', 'c', 'spy')");
    code.Step();
    EXPECT_EQ(code.Int64(0), 0);
    // The relation is the program's again: a sport takes its workouts along, nothing more.
    db.Exec(
        "DELETE FROM Sports WHERE SptAbbrev = (SELECT SptAbbrev FROM \"Log Entry\" "
        "WHERE EntryID = 1)");
    EXPECT_GT(test::Workouts(path), 0);
    // Whatever a file's views and triggers call, only harmless functions are allowed.
    Statement trusted = db.Prepare("PRAGMA trusted_schema");
    trusted.Step();
    EXPECT_EQ(trusted.Int64(0), 0);
}

// SQL stored in the file is never run as it stands: the program's own is put back.
TEST_F(HostileSchemaTest, ACraftedStoredQueryIsRestored) {
    SqliteDb(dir.File("log.tlg"), false)
        .Exec(
            "UPDATE kivrun_queries SET SQL = 'DELETE FROM [Log Entry]' "
            "WHERE Name IN ('TotalsQuery', 'TotalsQueryByWeek', 'FilteredSetQuery')");
    // Reading runs the program's own texts; the first open that writes puts them back, once.
    const auto totals = Run("totals " + Log() + " week");
    EXPECT_EQ(totals.status, 0) << totals.err;
    EXPECT_EQ(Run("export " + Log() + " " + ShellQuote(dir.File("log.htm"))).status, 0);
    const auto check = Run("check " + Log());
    EXPECT_EQ(check.status, 0) << check.err;
    EXPECT_NE(check.err.find("have been restored"), std::string::npos) << check.err;
    EXPECT_EQ(Run("check " + Log()).err, "");
    EXPECT_EQ(test::Workouts(dir.File("log.tlg")), 200);
}

}  // namespace
}  // namespace kivrun
