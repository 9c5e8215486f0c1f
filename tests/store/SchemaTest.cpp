#include "store/Schema.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/NewLogFile.h"
#include "store/QueryDef.h"
#include "store/RoutesSet.h"
#include "store/TotalsSet.h"
#include "support/FailingVfs.h"
#include "support/TestLog.h"

namespace kivrun {
namespace {

using test::NewLog;
using test::ScriptedUi;
using test::TempDir;

using test::QueryRows;

std::string Dump(LogDatabase& db) {
    std::string out = QueryRows(db, "SELECT type, name, sql FROM sqlite_master ORDER BY name");
    for (const auto& t : schema::Tables())
        out += ";" + t.name + "=" + std::to_string(db.RowCount(t.name));
    return out;
}

class Schema : public ::testing::Test {
  protected:
    TempDir dir;
    ScriptedUi ui;
};

TEST_F(Schema, CompletesALogOfAnEarlierBuildAndKeepsItsRows) {
    const std::string path = dir.File("old.tlg");
    SqliteDb(path, true)
        .Exec(
            "CREATE TABLE \"Log Entry\" (EntryID INTEGER PRIMARY KEY AUTOINCREMENT, Date REAL NOT "
            "NULL, SptAbbrev TEXT NOT NULL, TrainingTypeAbbrev TEXT NOT NULL, Distance REAL, Time "
            "REAL NOT NULL, Pace REAL, Route TEXT, Notes TEXT, OptionalOne REAL, OptionalTwo "
            "REAL); INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time, Route) "
            "VALUES (37622, 'R', 'G', 3600, 'Hill'); CREATE TABLE Sports (SptAbbrev TEXT PRIMARY "
            "KEY, SptName TEXT, DistanceID INT, PaceID INT);"
            "INSERT INTO Sports VALUES ('R', 'Running', 0, 1)");
    std::unique_ptr<LogDatabase> db;
    ASSERT_EQ(LogDatabase::Open(path, ui, true, db), LogDatabase::kOpened);
    ASSERT_TRUE(schema::BuildOrComplete(*db, ui));
    EXPECT_TRUE(db->TableExists("Affiliations"));
    EXPECT_TRUE(db->TableExists("Imported Activities"));
    EXPECT_TRUE(db->TableExists("Device Sports"));
    EXPECT_TRUE(db->FieldExists("Sports", "Order"));
    // The new field is Null in rows that were there.
    EXPECT_EQ(QueryRows(*db, "SELECT Route, Background IS NULL, Time = 3600 FROM \"Log Entry\""),
              "Hill|1|1");
    // The old sport row gains Image and Order, required from now on.
    db->sql().Exec("UPDATE Sports SET SptName = 'Run' WHERE SptAbbrev = 'R'");
    EXPECT_THROW(db->sql().Exec("INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, "
                                "\"Order\", Image) VALUES ('X', 'X', 0, 1, NULL, 0)"),
                 DbError);
    for (const auto& r : schema::Relations())
        EXPECT_TRUE(db->RelationExists(r.name)) << r.name;
    for (const auto& q : schema::Queries())
        EXPECT_TRUE(db->QueryExists(q.name)) << q.name;
}

class RelationsTest : public Schema {
  protected:
    void SetUp() override {
        db = NewLog(dir.File("r.tlg"), ui);
        ASSERT_TRUE(db);
        Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES "
            "('R','Running',0,1), ('S','Swimming',3,5);"
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) VALUES "
            "(37622,'R','G',3600), (37623,'R','R',1800), (37624,'S','G',900);"
            "INSERT INTO \"Log Entry Details Routine\" (EntryID, Exercise, Sets) VALUES "
            "(1,'Squats',3), (1,'Lunges',2), (3,'Kick',1);"
            "INSERT INTO \"Log Entry Details Split Times\" VALUES (1, 1, '7:30'), (2, 1, '8:00');"
            "INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES ('R','G','Hill');"
            "INSERT INTO \"Device Sports\" VALUES ('running', 'R'), ('swimming/pool', 'S')");
    }
    void Exec(const std::string& sql) { db->sql().Exec(sql); }
    long long Count(const std::string& from) {
        return std::stoll(QueryRows(*db, "SELECT count(*) FROM " + from));
    }

    std::unique_ptr<LogDatabase> db;
};

TEST_F(RelationsTest, DeletesAndRenamesCarryThroughTheRelations) {
    struct Case {
        const char* change;
        std::vector<std::pair<const char*, long long>> counts;
    } cases[] = {
        {"DELETE FROM Sports WHERE SptAbbrev = 'R'",
         {{"\"Log Entry\"", 1},
          {"Routes", 0},
          {"\"Log Entry Details Routine\"", 1},
          {"\"Log Entry Details Split Times\"", 0},
          {"\"Device Sports\"", 1}}},
        {"UPDATE Sports SET SptAbbrev = 'Q' WHERE SptAbbrev = 'R'",
         {{"\"Log Entry\" WHERE SptAbbrev = 'Q'", 2},
          {"Routes WHERE SptAbbrev = 'Q'", 1},
          {"\"Device Sports\" WHERE SptAbbrev = 'Q'", 1}}},
        {"UPDATE \"Training Types\" SET TypeAbbrev = 'X' WHERE TypeAbbrev = 'G'",
         {{"\"Log Entry\" WHERE TrainingTypeAbbrev = 'X'", 2}}},
        // A unit takes the sports that use it, and their workouts.
        {"DELETE FROM \"Distance Units\" WHERE DistanceID = 3",
         {{"Sports", 1}, {"\"Log Entry\" WHERE SptAbbrev = 'S'", 0}}},
    };
    for (const Case& c : cases) {
        Exec("SAVEPOINT c; " + std::string(c.change));
        for (const auto& [from, count] : c.counts)
            EXPECT_EQ(Count(from), count) << c.change << ": " << from;
        Exec("ROLLBACK TO c; RELEASE c");
    }
}

TEST_F(RelationsTest, TheDatabaseRefusesWhatBreaksTheRules) {
    const std::string sport = "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ";
    const std::string entry = "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev";
    const std::string refused[] = {
        sport + "('RR','Two',0,0)",
        sport + "('X','',0,0)",
        sport + "('X','X',9,0)",
        sport + "('r','Dup',0,0)",
        entry + ", Time) VALUES (1,'Z','G',1)",
        entry + ") VALUES (1,'R','G')",
        entry + ", Time) VALUES ('soon','R','G',1)",
        "UPDATE \"Log Entry\" SET TrainingTypeAbbrev = 'Z' WHERE EntryID = 1",
        "DELETE FROM BodyParts WHERE BodyPartName = 'Chest'",
        "INSERT INTO Preferences (Preference, Value) VALUES ('', 'x')",
    };
    for (const std::string& sql : refused)
        EXPECT_THROW(Exec(sql), DbError) << sql;
    // Allowed: an empty route, a Null distance, a body part without exercises going away.
    Exec("INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES ('S','G','')");
    Exec("INSERT INTO BodyParts (BodyPartName) VALUES ('Neck')");
    Exec("DELETE FROM BodyParts WHERE BodyPartName = 'Neck'");
    EXPECT_EQ(Count("\"Log Entry\" WHERE Distance IS NULL"), 3);
}

TEST_F(RelationsTest, StoredQueriesRunByName) {
    QueryDef del;
    del.Open(*db, "DeleteRoutineQuery");
    del.SetParamValue("ID", std::int64_t{1});
    del.Execute();
    EXPECT_EQ(Count("\"Log Entry Details Routine\""), 1);

    del.Open(*db, "DeleteTemplateQuery");  // its parameter is not set
    EXPECT_THROW(del.Execute(), DbError);
    EXPECT_THROW(QueryDef().Open(*db, "NoSuchQuery"), DbError);
}

TEST_F(Schema, OpenTellsLogsFromOtherFiles) {
    std::ofstream(dir.File("text.tlg")) << "[Sports]\nR\tRunning\t1\t0\n]\n";
    std::ofstream(dir.File("empty.tlg"));
    std::ofstream(dir.File("junk.tlg"), std::ios::binary) << std::string(5000, '\x7f');
    std::filesystem::create_directory(dir.File("folder.tlg"));
    SqliteDb(dir.File("other.db"), true).Exec("CREATE TABLE x(a)");
    struct Case {
        std::string file;
        int result;
        size_t messages;
    } cases[] = {
        {"missing.tlg", LogDatabase::kNotFound, 1}, {"text.tlg", LogDatabase::kNotALog, 0},
        {"empty.tlg", LogDatabase::kOpened, 0},     {"junk.tlg", LogDatabase::kNotALog, 0},
        {"folder.tlg", LogDatabase::kFailed, 1},    {"other.db", LogDatabase::kOpened, 0},
    };
    for (const Case& c : cases) {
        ScriptedUi told;
        std::unique_ptr<LogDatabase> db;
        EXPECT_EQ(LogDatabase::Open(dir.File(c.file), told, true, db), c.result) << c.file;
        EXPECT_EQ(told.messages.size(), c.messages) << c.file;
        EXPECT_EQ(db != nullptr, c.result == LogDatabase::kOpened) << c.file;
        EXPECT_TRUE(told.messages.empty() ||
                    told.messages[0].rfind("Couldn't open database--Exception: ", 0) == 0)
            << told.messages[0];
    }
    std::unique_ptr<LogDatabase> db;
    EXPECT_EQ(LogDatabase::Open(dir.File("missing.tlg"), ui, false, db), LogDatabase::kNotFound);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LogDatabase::Create(dir.File("text.tlg"), ui), nullptr);
    EXPECT_EQ(ui.messages.at(0).rfind("Couldn't create database--Exception: ", 0), 0u);
}

// Only a log, or a file that holds nothing yet, is completed; anything else stays as it was.
TEST_F(Schema, CompletingOpensOnlyLogs) {
    NewLog(dir.File("lost.tlg"), ui)->sql().Exec("DROP TABLE \"Log Entry\"");
    SqliteDb(dir.File("other.db"), true)
        .Exec("CREATE TABLE Sports (x); INSERT INTO Sports VALUES (1)");
    std::ofstream(dir.File("empty.tlg"));
    const std::string lost =
        "The training log '" + dir.File("lost.tlg") +
        "' has lost its table of workouts (\"Log Entry\").\n\nOpen it anyway, with no workouts?";
    const std::string refused =
        "Couldn't open database--Exception: '" + dir.File("other.db") + "' is not a training log.";
    struct Case {
        const char* file;
        bool yes, completed, asked, refused;
    } cases[] = {
        {"other.db", true, false, false, true},
        {"lost.tlg", false, false, true, false},
        {"lost.tlg", true, true, true, false},
        {"empty.tlg", false, true, false, false},
    };
    for (const Case& c : cases) {
        ScriptedUi asked;
        asked.answers = {c.yes};
        const std::string before = test::ReadBytes(dir.File(c.file));
        std::unique_ptr<LogDatabase> db;
        ASSERT_EQ(LogDatabase::Open(dir.File(c.file), asked, false, db), LogDatabase::kOpened);
        EXPECT_EQ(schema::CompleteLog(*db, asked), c.completed) << c.file;
        EXPECT_EQ(asked.questions, c.asked ? std::vector{lost} : std::vector<std::string>{})
            << c.file;
        EXPECT_EQ(asked.messages, c.refused ? std::vector{refused} : std::vector<std::string>{})
            << c.file;
        EXPECT_EQ(db->TableExists("Log Entry"), c.completed) << c.file;
        db.reset();
        EXPECT_TRUE(c.completed || test::ReadBytes(dir.File(c.file)) == before) << c.file;
    }
    // The empty file became a whole new log.
    std::unique_ptr<LogDatabase> db;
    LogDatabase::Open(dir.File("empty.tlg"), ui, false, db);
    EXPECT_EQ(db->RowCount("Training Types"), 7);
}

// Whatever the file holds, only the program's own query texts are ever run.
TEST_F(Schema, OnlyTheProgramsOwnQueriesAreRun) {
    auto db = NewLog(dir.File("a.tlg"), ui);
    db->sql().Exec(
        "INSERT INTO Sports VALUES ('R', 'Running', 0, 1, 0, 0);"
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) "
        "VALUES (37622, 'R', 'G', 60);"
        "UPDATE kivrun_queries SET SQL = 'DELETE FROM [Log Entry]' "
        "WHERE Name IN ('TotalsQuery', 'DeleteTemplateQuery');"
        "INSERT INTO kivrun_queries VALUES ('Routes', 'DELETE FROM [Log Entry]');"
        "DROP VIEW FilteredSetQuery; CREATE VIEW FilteredSetQuery AS SELECT * FROM Sports");
    QueryDef totals;
    totals.Open(*db, "TotalsQuery");
    EXPECT_EQ(totals.GetSQL(), schema::FindQuery("TotalsQuery")->sql);
    totals.SetParamValue("StartDate", 0.0);
    totals.SetParamValue("EndDate", 99999.0);
    totals.SetParamValue("WeekStartDay", std::int64_t{2});
    totals.SetParamValue("DateGrouping", std::string("ww"));
    CTotalsSet rows(db.get());
    CRoutesSet routes(db.get());
    routes.Open();  // a catalog row named like a table is no query of the program's
    // The view is compared as the file has it, and made again.
    QueryDef filtered;
    filtered.Open(*db, "FilteredSetQuery");
    filtered.SetSQL(filtered.GetSQL());
    rows.Open(totals);
    EXPECT_EQ(rows.Workouts, 1);
    EXPECT_EQ(db->RowCount("Log Entry"), 1);
    // Opening again puts the program's texts back in the file, and says so once; after that,
    // building again changes nothing at all.
    ASSERT_TRUE(schema::BuildOrComplete(*db, ui));
    const std::string repaired = Dump(*db);
    ASSERT_TRUE(schema::BuildOrComplete(*db, ui));
    EXPECT_EQ(Dump(*db), repaired);
    for (const char* name : {"TotalsQuery", "DeleteTemplateQuery"})
        EXPECT_EQ(db->StoredQuerySql(name), schema::FindQuery(name)->sql);
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "The stored queries TotalsQuery, DeleteTemplateQuery of this log "
                               "were not the program's own; they have been restored."});
}

// A full disk at any write leaves nothing at the name, so trying again works; an existing
// file is never replaced unless asked.
TEST_F(Schema, ANewLogAppearsWholeOrNotAtAll) {
    const std::string path = dir.File("new.tlg");
    test::FailingVfs::Install();
    bool made = false;
    for (int allowed = 0; !made; allowed += 1 + allowed / 4) {
        ASSERT_LT(allowed, 5000);
        ScriptedUi full;
        test::FailingVfs::FailWritesAfter(allowed);
        made = WriteNewLogFile(path, false, full);
        test::FailingVfs::Disarm();
        const std::vector<std::filesystem::path> left(
            std::filesystem::directory_iterator(dir.path()), {});
        EXPECT_EQ(left.size(), made ? 1u : 0u) << allowed;
        EXPECT_EQ(std::filesystem::exists(path), made) << allowed;
    }
    const std::string written = test::ReadBytes(path);
    EXPECT_FALSE(WriteNewLogFile(path, false, ui));
    EXPECT_EQ(ui.messages, std::vector<std::string>{
                               "Couldn't create database--Exception: Database already exists."});
    EXPECT_EQ(test::ReadBytes(path), written);
    std::unique_ptr<LogDatabase> db;
    ASSERT_EQ(LogDatabase::Open(path, ui, false, db), LogDatabase::kOpened);
    EXPECT_EQ(db->RowCount("Training Types"), 7);
}

TEST(LogDatabase, ViewsLeaveTheirOrderToTheirReaders) {
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM \"T\" ORDER BY \"Date\" DESC", "SELECT * FROM \"T\""},
        {"SELECT * FROM \"T\" WHERE x = ' ORDER BY ' ORDER BY a",
         "SELECT * FROM \"T\" WHERE x = ' ORDER BY '"},
        {"SELECT * FROM (SELECT a FROM t ORDER BY a) WHERE b",
         "SELECT * FROM (SELECT a FROM t ORDER BY a) WHERE b"},
        {"SELECT \"ORDER BY\" FROM t", "SELECT \"ORDER BY\" FROM t"},
    };
    for (const auto& [sql, view] : cases)
        EXPECT_EQ(WithoutFinalOrderBy(sql), view) << sql;
}

}  // namespace
}  // namespace kivrun
