#include "document/Import.h"

#include <gtest/gtest.h>

#include "support/DocFixture.h"
#include "support/FailingVfs.h"

namespace kivrun {
namespace {

using test::DocFixture;

// The open log (DocFixture) has Running R, Road B and Weights W.
class ImportTest : public DocFixture {
  protected:
    // Another log: Running and a sport this log lacks, three workouts, two events, routes,
    // a class of its own and its own settings.
    std::string OtherLog() {
        const std::string other = dir.File("other.tlg");
        test::ScriptedUi quiet;
        auto db = test::NewLog(other, quiet);
        db->sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
            "VALUES ('R','Running',0,1,0,2), ('X','Xc ski',2,4,1,12);"
            "INSERT INTO \"Training Types\" (TypeAbbrev, TypeName, ColorCode, \"Order\") "
            "VALUES ('Z', 'Zone 2', '0,0,0', 7);"
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, "
            "Pace, Route, Notes, OptionalOne, OptionalTwo) VALUES "
            "(45001, 'R', 'I', 5, 1800, 360, 'Park', 'second', 150, 2),"
            "(45000, 'R', 'Z', 3, 1200, 400, '', 'first', 0, 0),"
            "(45002, 'X', 'G', 10, 3600, 360, '', 'other sport', 0, 0);"
            "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName, EventDetails, "
            "EventAffiliation) VALUES ('R', 45010, 'Race', '10k', 'Club'), "
            "('X', 45011, 'Loppet', '', '');"
            "INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES "
            "('R','G','Park'), ('R','G','River'), ('X','G','Trail');"
            "UPDATE Preferences SET Value = '3' WHERE Preference = 'WeekStartDay';"
            "UPDATE Preferences SET Value = 'Running' WHERE Preference = 'DefaultSport';"
            "UPDATE \"Log Column Settings\" SET ColumnVisible = 0 WHERE ColumnID > 2;"
            "UPDATE \"Log Column Settings\" SET ColumnOrder = 2 - ColumnID WHERE ColumnID <= 2;"
            "UPDATE \"Log Column Settings\" SET ColumnFieldName = 'Watts' WHERE ColumnID = 6;");
        return other;
    }

    std::string OldTextLog() {
        test::WriteBytes(dir.File("old.tlg"),
                         "[Routes\nXG\tTrail\nRG\tPark\n]\n[Calendar\n3/15/98\tR\tRace\t\n]\n"
                         "[Sports\nR\tRunning\t1\t0\nX\tXc ski\t4\t2\n]\n"
                         "[Prefs\nWeekStart\t0\nDSport\tXc ski\n]\n"
                         "1/2/98\tRG\t5\t0:40:00\n1/3/98\tXG\t10\t1:00:00\t6:00\n");
        return dir.File("old.tlg");
    }

    // One import after another from the same file, each followed by the rows the log then
    // holds and the hints its views were sent.
    struct Step {
        const char* what;
        ImportOptions options;
        std::vector<long long> counts;  // workouts, events, routes, sports
        std::vector<int> hints;
    };
    void ImportInSteps(const std::string& file, std::initializer_list<Step> steps) {
        for (const Step& s : steps) {
            SCOPED_TRACE(s.what);
            view.hints.clear();
            ASSERT_TRUE(Import(*doc, file, s.options));
            EXPECT_EQ((std::vector{Count("Log Entry"), Count("Calendar Events"), Count("Routes"),
                                   Count("Sports")}),
                      s.counts);
            EXPECT_EQ(view.kinds(), s.hints);
        }
    }
};

// Workouts, routes, preferences, events.
const ImportOptions kWorkouts{true, false, false, false}, kRoutes{false, true, false, false},
    kPrefs{false, false, true, false}, kEvents{false, false, false, true},
    kWorkoutsAndEvents{true, false, false, true}, kAll{true, true, true, true};

TEST_F(ImportTest, WhatEachChoiceTakesFromADatabase) {
    ImportInSteps(OtherLog(),
                  {
                      {"workouts", kWorkouts, {2, 0, 0, 3}, {5}},
                      {"events alone: workouts untouched", kEvents, {2, 1, 0, 3}, {10}},
                      {"routes of the sports this log has", kRoutes, {2, 1, 2, 3}, {5, 6}},
                      {"routes again: none repeated", kRoutes, {2, 1, 2, 3}, {5, 6}},
                      {"workouts and events", kWorkoutsAndEvents, {4, 2, 2, 3}, {10, 5}},
                      {"preferences alone", kPrefs, {4, 2, 2, 3}, {5}},
                  });
    // The same log twice doubles its workouts, in date order; the sport this log lacks is
    // left out and a class it lacks becomes General. One week: one shade for all four.
    const std::string once = "45000.0|R|G|first|0.0;45001.0|R|I|second|150.0";
    EXPECT_EQ(Rows("SELECT Date, SptAbbrev, TrainingTypeAbbrev, Notes, OptionalOne FROM "
                   "\"Log Entry\" ORDER BY EntryID"),
              once + ";" + once);
    EXPECT_EQ(Rows("SELECT DISTINCT Background FROM \"Log Entry\""), "0");
    EXPECT_EQ(doc->EntryCount(), 4);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Rows("SELECT DISTINCT SptAbbrev, EventName, EventAffiliation FROM "
                   "\"Calendar Events\""),
              "R|Race|Club");
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 3);
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference IN ('WeekStartDay', "
                   "'DefaultSport') ORDER BY Preference"),
              "Running;3");
    EXPECT_EQ(Rows("SELECT ColumnID FROM \"Log Column Settings\" WHERE ColumnVisible <> 0 "
                   "ORDER BY ColumnOrder"),
              "2;1;0");
    EXPECT_EQ(Rows("SELECT ColumnFieldName FROM \"Log Column Settings\" WHERE ColumnID = 6"),
              "Watts");
}

TEST_F(ImportTest, TheOpenLogItselfALogOfOtherSportsAndAMissingFile) {
    doc->AddEntry(test::Entry(3, 4, 2025), nullptr);
    // Every row would come in twice, however the path is spelled.
    const std::string itself = dir.File(".") + "/log.tlg";
    EXPECT_FALSE(Import(*doc, itself, kWorkouts));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Couldn't import--Exception: \"" + itself +
                                                    "\" is the log that is open; a log is not "
                                                    "imported into itself."});
    EXPECT_EQ(Count("Log Entry"), 1);
    ui.messages.clear();
    const std::string other = dir.File("bikes.tlg");
    test::NewLog(other, ui)->sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ('M','MTB',2,3);"
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) VALUES "
        "(45000, 'M', 'G', 60)");
    EXPECT_TRUE(Import(*doc, other, kAll));
    EXPECT_EQ(Count("Log Entry"), 1);
    EXPECT_EQ(Count("Sports"), 3);
    view.hints.clear();
    EXPECT_FALSE(Import(*doc, dir.File("none.tlg"), kAll));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(view.hints.empty());
}

// Text another program left in a log that is not UTF-8 comes in as Windows-1252, as old
// logs were written: every stored text is valid UTF-8.
TEST_F(ImportTest, TextThatIsNotUtf8ComesInAsWindows1252) {
    const std::string other = dir.File("latin.tlg");
    test::NewLog(other, ui)->sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ('R','Running',0,1);"
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time, Route, Notes) "
        "VALUES (45000, 'R', 'G', 60, CAST(X'436166E9' AS TEXT), CAST(X'3580B0' AS TEXT));"
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES "
        "('R', 45010, CAST(X'52E97365' AS TEXT))");
    ASSERT_TRUE(Import(*doc, other, {true, false, false, true}));
    EXPECT_EQ(Rows("SELECT Route || '|' || Notes FROM \"Log Entry\""),
              "Caf\xC3\xA9|5\xE2\x82\xAC\xC2\xB0");
    EXPECT_EQ(Rows("SELECT EventName FROM \"Calendar Events\""), "R\xC3\xA9se");
}

// Nothing in them is a workout: they are refused, not imported as nothing.
TEST_F(ImportTest, FilesThatAreNoLogAreRefused) {
    SqliteDb(dir.File("other.db"), true).Exec("CREATE TABLE t (x)");
    const std::pair<const char*, std::string> files[] = {
        {"random.bin", std::string("\x93\x01\xfe\x7f\x10\x02\x80\x11\x03\xc0\x1b\x04", 12)},
        {"zeroes.bin", std::string(8192, '\0')},
        {"empty.tlg", ""},
        {"other.db", test::ReadBytes(dir.File("other.db"))},
    };
    for (const auto& [name, bytes] : files) {
        test::WriteBytes(dir.File(name), bytes);
        ui.messages.clear();
        ImportReport report;
        EXPECT_FALSE(Import(*doc, dir.File(name), kAll, &report));
        EXPECT_FALSE(report.written);
        EXPECT_EQ(ui.messages,
                  std::vector<std::string>{"Couldn't import--Exception: \"" + dir.File(name) +
                                           "\" is not a training log, nor a log "
                                           "of the previous version."})
            << name;
        EXPECT_EQ(test::ReadBytes(dir.File(name)), bytes) << name;
    }
}

// A full disk at any write: the report says whether the workouts are in the log, and they
// are there exactly when it says so.
TEST_F(ImportTest, AFailureIsReportedAsWhatItIs) {
    const std::string other = OtherLog();
    test::FailingVfs::Install();
    doc->AddEntry(test::Entry(3, 25, 2023), nullptr);  // the imported weeks shade it anew
    doc->OnCloseDocument();
    ASSERT_TRUE(doc->OnOpenDocument(path));  // through the disk that fills up
    bool done = false;
    for (int allowed = 0; !done; allowed += 1 + allowed / 16) {
        SCOPED_TRACE(allowed);
        ASSERT_LT(allowed, 2000);
        const long before = Count("Log Entry");
        ImportReport report;
        test::FailingVfs::FailWritesAfter(allowed);
        done = Import(*doc, other, kWorkoutsAndEvents, &report);
        test::FailingVfs::Disarm();
        EXPECT_EQ(Count("Log Entry"), before + (report.written ? 2 : 0));
        EXPECT_EQ(report.written, done || ui.messages.back().find("The import is in the log") == 0)
            << ui.messages.back();
        EXPECT_EQ(doc->Database().IntegrityProblems(), "");
    }
}

TEST_F(ImportTest, WhatEachChoiceTakesFromAnOldTextLog) {
    ImportInSteps(OldTextLog(),
                  {
                      {"events alone add no sports", kEvents, {0, 1, 0, 3}, {10}},
                      {"routes wait for the sports section", kRoutes, {0, 1, 2, 4}, {5, 6}},
                      {"workouts: sports are told first", kWorkouts, {2, 1, 2, 4}, {5, 6, 5}},
                      {"workouts again double", kWorkouts, {4, 1, 2, 4}, {5, 6, 5}},
                      {"preferences: its sports are here", kPrefs, {4, 1, 2, 4}, {5}},
                  });
    // The sport the file adds comes after this log's own.
    EXPECT_EQ(Rows("SELECT SptAbbrev, \"Order\" FROM Sports WHERE \"Order\" > 2"), "X|4");
    EXPECT_EQ(Rows("SELECT DISTINCT Pace FROM \"Log Entry\" WHERE SptAbbrev = 'X'"), "6.0");
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 0);
    EXPECT_EQ(Rows("SELECT Value FROM Preferences WHERE Preference = 'DefaultSport'"), "Xc ski");
}

TEST_F(ImportTest, TheCommandAsksForOptionsThenAFile) {
    const std::string old = OldTextLog();
    struct Case {
        const char* what;
        std::optional<ImportOptions> options;
        std::optional<std::string> file;
        bool imports;
        std::size_t filesLeft;
    } cases[] = {
        {"cancelled options", std::nullopt, old, false, 1},
        {"no box checked is cancel", ImportOptions{false, false, false, false}, old, false, 1},
        {"cancelled file", kWorkouts, std::nullopt, false, 0},
        {"both chosen", kWorkouts, old, true, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ui.importOptions = c.options;
        ui.openFiles = {c.file};
        EXPECT_EQ(ImportFromOtherLog(*doc), c.imports);
        EXPECT_EQ(ui.openFiles.size(), c.filesLeft);
        EXPECT_EQ(Count("Log Entry"), c.imports ? 2 : 0);
    }
    EXPECT_EQ(ui.waitDepth, 0);
}

}  // namespace
}  // namespace kivrun
