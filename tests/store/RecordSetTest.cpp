#include "store/RecordSet.h"

#include <gtest/gtest.h>

#include <fstream>

#include "store/Criteria.h"
#include "store/DistanceUnitsSet.h"
#include "store/LogEntrySet.h"
#include "store/PreferencesSet.h"
#include "store/QueryDef.h"
#include "store/SportsSet.h"
#include "store/TotalsSet.h"
#include "support/TestLog.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace {

using test::NewLog;
using test::ScriptedUi;
using test::TempDir;

class RecordSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramState::Instance().Reset();
        db = NewLog(dir.File("r.tlg"), ui);
        ASSERT_TRUE(db);
        db->sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) VALUES "
            "('S','Swimming',3,5,1,3), ('R','Running',0,1,0,2), ('W','Weights',4,6,2,5)");
    }
    void AddEntry(int date, const char* sport, int time) {
        db->sql().Exec("INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) " +
                       ("VALUES (" + std::to_string(date) + ", '" + sport + "', 'G', ") +
                       std::to_string(time) + ")");
    }
    std::vector<int> Ids(CLogEntryFilteredSet& set) {
        std::vector<int> ids;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
            ids.push_back(set.EntryID);
        return ids;
    }

    TempDir dir;
    ScriptedUi ui;
    std::unique_ptr<LogDatabase> db;
};

TEST_F(RecordSetTest, SportsComeInTheirOrderWithUnitNamesAndWriteThroughTheJoin) {
    CSportsSet sports(db.get());
    sports.Open();
    std::string seen;
    for (; !sports.IsEOF(); sports.MoveNext())
        seen += sports.SptName.get() + "/" + sports.DistanceName.get() + "/" +
                sports.PaceName.get() + ";";
    EXPECT_EQ(seen, "Running/miles/mpm;Swimming/meters/mhm;Weights//;");
    ASSERT_TRUE(sports.FindFirst("[SptName] = 'Swimming'"));
    sports.Edit();
    sports.DistanceID = 2;
    sports.Order = 5;
    sports.Update();
    EXPECT_EQ(sports.DistanceName.get(), "km");  // the companion follows the written row
    sports.Requery();
    sports.MoveLast();
    EXPECT_EQ(sports.SptAbbrev.get(), "S");

    // A sport whose unit row is gone (a log from before relations) is left out.
    db->sql().Exec(
        "DROP TRIGGER \"kivrun_rel_PaceUnitsToSports_insert\";"
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ('X','Orphan',0,42)");
    sports.Requery();
    EXPECT_EQ(sports.GetRecordCount(), 3);
    EXPECT_FALSE(sports.FindFirst("SptName = 'Orphan'"));
    // A unit id the file holds but the table lacks names nothing.
    CDistanceUnitsSet distances(db.get());
    distances.Open();
    EXPECT_EQ(distances.DistanceUnitName(2), "km");
    EXPECT_EQ(distances.DistanceUnitName(17), "");
}

TEST_F(RecordSetTest, MovesFindsAndBookmarks) {
    for (int i = 0; i < 6; ++i)
        AddEntry(37622 + i, i % 2 ? "R" : "S", 60 * (i + 1));
    CLogEntryFilteredSet set(db.get());
    set.Open("SELECT * FROM [Log Entry] ORDER BY [Date] DESC, [EntryID] DESC");
    EXPECT_EQ(Ids(set), (std::vector<int>{6, 5, 4, 3, 2, 1}));
    EXPECT_EQ(set.GetRecordCount(), 6);

    set.SetAbsolutePosition(2);
    EXPECT_EQ(set.EntryID, 4);
    EXPECT_EQ(set.GetAbsolutePosition(), 2);
    ASSERT_TRUE(set.FindFirst("SptAbbrev = 'S'"));
    EXPECT_EQ(set.EntryID, 5);
    ASSERT_TRUE(set.FindNext("SptAbbrev = 'S'"));
    EXPECT_EQ(set.EntryID, 3);
    // Nothing found: the set stays where it was.
    EXPECT_FALSE(set.FindNext("SptAbbrev = 'R' AND EntryID > 4"));
    EXPECT_FALSE(set.FindFirst("SptAbbrev = 'Q'"));
    EXPECT_EQ(set.EntryID, 3);
    EXPECT_FALSE(set.SetBookmark(999));
    set.MoveLast();
    set.MoveNext();
    EXPECT_TRUE(set.IsEOF());
    EXPECT_EQ(set.GetAbsolutePosition(), -1);

    CLogEntryFilteredSet none(db.get());
    none.Open("SELECT * FROM [Log Entry] WHERE SptAbbrev = 'W'");
    EXPECT_TRUE(none.IsEmpty());
    EXPECT_THROW(none.Edit(), DbError);
}

TEST_F(RecordSetTest, AddEditDeleteAndRequery) {
    for (int i = 0; i < 3; ++i)
        AddEntry(37622 + i, "R", 100);
    CLogEntryFilteredSet set(db.get());
    set.Open("SELECT * FROM [Log Entry] ORDER BY [Date] DESC, [EntryID] DESC");
    set.AddNew();
    set.Date = 37000;
    set.SptAbbrev = "S";
    set.TrainingTypeAbbrev = "R";
    set.Time = 0.0;  // written although it equals the empty value
    set.Update();
    EXPECT_EQ(set.EntryID, 3);  // still on the row it was on
    ASSERT_TRUE(set.SetBookmark(set.GetLastModifiedBookmark()));
    EXPECT_EQ(set.EntryID, 4);
    EXPECT_EQ(set.GetAbsolutePosition(), 3);  // an added row shows at the end until requery
    EXPECT_TRUE(set.IsFieldNull(set.Distance));
    EXPECT_FALSE(set.IsFieldNull(set.Time));
    EXPECT_EQ(set.OptionalOne, 0.0);  // the table's default
    set.Requery();
    EXPECT_EQ(Ids(set), (std::vector<int>{3, 2, 1, 4}));

    ASSERT_TRUE(set.FindFirst(criteria::Is("EntryID", 2)));
    set.Edit();
    set.Route = "O'Hare loop";
    set.Update();
    EXPECT_EQ(set.Route.get(), "O'Hare loop");
    EXPECT_TRUE(set.FindFirst(criteria::Is("Route", "O'Hare loop")));

    set.Edit();
    set.SptAbbrev = "RR";
    EXPECT_THROW(set.Update(), DbError);
    set.CancelUpdate();
    EXPECT_EQ(set.SptAbbrev.get(), "R");

    set.Delete();
    EXPECT_TRUE(set.IsDeleted());
    set.MoveNext();  // the row that followed the deleted one
    EXPECT_EQ(set.EntryID, 1);
    EXPECT_EQ(set.GetRecordCount(), 3);

    // A row deleted behind the set's back reads as deleted, not as stale values.
    db->sql().Exec("DELETE FROM \"Log Entry\" WHERE EntryID = 1");
    set.MoveFirst();
    set.MoveNext();
    EXPECT_TRUE(set.IsDeleted());
    set.MoveNext();  // and a walk goes past it
    EXPECT_EQ(set.EntryID, 4);
}

TEST_F(RecordSetTest, ARowThatCannotBeReadEndsTheWalk) {
    db->sql().Exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time, Notes) "
        "SELECT 37622 + i % 400, 'R', 'G', 60, printf('%.*c', 40, 'x') FROM n");
    const std::string path = db->path();
    db.reset();
    // The end of the last page zeroed, as a write broken off leaves it (a file cut short
    // reads the same, but is refused at open).
    std::fstream(path, std::ios::binary | std::ios::in | std::ios::out)
        .seekp(-2089, std::ios::end)
        .write(std::string(2089, '\0').data(), 2089);
    ASSERT_EQ(LogDatabase::Open(path, ui, false, db), LogDatabase::kOpened);
    CLogEntryFilteredSet set(db.get());
    long rows = 0;
    try {
        set.Open("SELECT * FROM [Log Entry] ORDER BY [Date], [EntryID]");
        for (set.MoveFirst(); !set.IsEOF() && rows < 10000; set.MoveNext())
            ++rows;
        ADD_FAILURE() << "the walk ended without an error after " << rows << " rows";
    } catch (const DbError& e) {
        EXPECT_STREQ(e.what(), "database disk image is malformed");
    }
    EXPECT_LT(rows, 3000);
}

TEST_F(RecordSetTest, PreferencesAreCreatedWithTheReadersDefault) {
    CPreferencesSet prefs(db.get());
    prefs.Open();
    EXPECT_EQ(prefs.GetPreference("HTMLShowWeeklyTotals", "1"), "1");
    EXPECT_EQ(db->RowCount("Preferences"), 6);
    EXPECT_EQ(prefs.GetPreference("HTMLShowWeeklyTotals", "0"), "1");  // stored now
    EXPECT_EQ(prefs.GetGrandTotalPace(), 0);
    ASSERT_TRUE(prefs.FindFirst("Preference = 'GrandTotalPace'"));
    EXPECT_EQ(prefs.Value.get(), "");

    struct Case {
        const char* stored;
        int read;
    } cases[] = {{"", 0},   {"abc", 0}, {"12abc", 12},
                 {" 7", 7}, {"-3", -3}, {"99999999999", INT_MAX}};
    for (const Case& c : cases) {
        prefs.SetPreference("DaysBetweenBackup", c.stored);
        EXPECT_EQ(prefs.GetDaysBetweenBackup(), c.read) << c.stored;
    }
    prefs.SetPreference("It's", "quoted");
    EXPECT_EQ(prefs.GetPreference("It's", ""), "quoted");

    prefs.SetWeekStartDay(0);
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 0);
    EXPECT_EQ(prefs.GetPreference("WeekStartDay", ""), "0");
    ProgramState::Instance().Reset();
}

// What the totals add up to is TotalsRowsTest's; here, the range and the units per sport.
TEST_F(RecordSetTest, TotalsReadFromTheFilteredQuery) {
    AddEntry(37622, "R", 600);  // Wednesday 1 January 2003
    AddEntry(37623, "R", 900);
    AddEntry(37629, "S", 300);  // the next week
    QueryDef totals;
    totals.Open(*db, "TotalsQueryByWeek");
    totals.SetParamValue("StartDate", 37700.0);  // dates in either order
    totals.SetParamValue("EndDate", 37600.0);
    totals.SetParamValue("WeekStartDay", std::int64_t{2});
    totals.SetParamValue("DateGrouping", std::string("ww"));
    CTotalsSet set(db.get());
    set.Open(totals);
    ASSERT_EQ(set.GetRecordCount(), 2);
    EXPECT_EQ(set.Workouts, 2);
    EXPECT_EQ(set.Week, 1);
    EXPECT_EQ(set.DistanceShortName.get(), "M");
    set.MoveNext();
    EXPECT_EQ(set.Week, 2);
    EXPECT_EQ(set.DistanceShortName.get(), "m");
}

}  // namespace
}  // namespace kivrun
