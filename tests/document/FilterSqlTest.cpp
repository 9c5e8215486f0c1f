#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "document/FilterState.h"
#include "store/LogEntrySet.h"
#include "store/Rows.h"
#include "support/TestLog.h"
#include "values/Calendar.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace {

// Sports R, S and B, the default classes and a class Q, the last two with an apostrophe
// in their names; five workouts from December 2001 to December 2003.
class FilterSqlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ProgramState::Instance().Reset();
        calendar::SetTodayForTesting(calendar::Ymd{2003, 6, 15});
        db = test::NewLog(dir.File("f.tlg"), ui);
        ASSERT_TRUE(db);
        db->sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) VALUES "
            "('R','Running',0,1,0,2), ('S','Swimming',3,5,1,3), ('B','Bob''s Bike',0,0,2,1);"
            "INSERT INTO \"Training Types\" (TypeAbbrev, TypeName, \"Order\") "
            "VALUES ('Q','Coach''s Pick',7);"
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
            "Route, Notes) SELECT julianday(column1) - julianday('1899-12-30'), column2, column3, "
            "column4, column5, column6, column7, column8 FROM (VALUES "
            "('2001-12-05', 'R', 'G', 10.4, 4080, 450, 'hill loop', 'easy'),"
            "('2002-06-10', 'S', 'R', 1500, 1800, 120, 'O''Hare pool', 'race, fast'),"
            "('2002-12-20', 'B', 'Q', 30, 3600, 18.5, '5*5 \"loop\"', ''),"
            "('2003-03-01', 'R', 'I', 11, 5000, 7.5, '55 \"loop\"', 'hill repeats'),"
            "('2003-12-31', 'R', 'G', 5, 1500, 8.5, 'hill', ''))");
        // The sports and classes in their display order, as the document's catalog has them.
        auto read = [&](const char* sql, auto& list) {
            for (Statement s = db->sql().Prepare(sql); s.Step();) {
                auto& item = list.emplace_back();
                item.abbrev = s.Text(0);
                item.name = s.Text(1);
            }
        };
        read("SELECT SptAbbrev, SptName FROM Sports ORDER BY \"Order\"", catalog.sports);
        read("SELECT TypeAbbrev, TypeName FROM \"Training Types\" ORDER BY \"Order\"",
             catalog.classes);
    }
    void TearDown() override { calendar::SetTodayForTesting(std::nullopt); }

    // The EntryIDs the query gives, in its order: "1,2,3".
    std::string Run(const std::string& sql) {
        CLogEntryFilteredSet set(db.get());
        set.Open(sql);
        std::string ids;
        for (set.MoveFirst(); !set.IsEOF(); set.MoveNext())
            ids += (ids.empty() ? "" : ",") + std::to_string(set.EntryID);
        return ids;
    }

    test::TempDir dir;
    test::ScriptedUi ui;
    std::unique_ptr<LogDatabase> db;
    Catalog catalog;
};

FilterState Criteria() {
    FilterState s;
    s.showAll = false;
    return s;
}

FilterState Dates(int op, CDate first, CDate second = {}, bool repeat = false) {
    FilterState s = Criteria();
    s.dateOn = true;
    s.dateOp = op;
    s.date1 = first;
    s.date2 = second;
    s.repeatAllYears = repeat;
    return s;
}

// Distance, pace or time ('d', 'p', 't'; times in seconds).
FilterState Values(char which, int op, double first, double second = 0) {
    FilterState s = Criteria();
    if (which == 't') {
        s.timeOn = true;
        s.timeOp = op;
        s.time1 = CElapsedTime::FromSeconds(first);
        s.time2 = CElapsedTime::FromSeconds(second);
        return s;
    }
    (which == 'd' ? s.distanceOn : s.paceOn) = true;
    (which == 'd' ? s.distanceOp : s.paceOp) = op;
    (which == 'd' ? s.distance1 : s.pace1) = first;
    (which == 'd' ? s.distance2 : s.pace2) = second;
    return s;
}

FilterState Route(int op, const std::string& text) {
    FilterState s = Criteria();
    s.routeOn = true;
    s.routeOp = op;
    s.route = text;
    return s;
}

// Only the sports and, unless null, the classes named by their letters are ticked.
FilterState Ticking(FilterState s, const char* sports, const char* classes) {
    s.sports.fill(false);
    for (const char* c = sports; *c; ++c)
        s.sports[*c - 'A'] = true;
    if (classes) s.classes.fill(false);
    for (const char* c = classes; c && *c; ++c)
        s.classes[*c - 'A'] = true;
    return s;
}

std::string Sql(const std::string& where) {
    return "SELECT * FROM [Log Entry] WHERE ((" + where + ") ORDER BY [Date], [EntryID]";
}

const std::string kAnyDate = "([Log Entry].Date) Like '*')";
const std::string kAllSports =
    " AND (([Log Entry].SptAbbrev)='R' Or ([Log Entry].SptAbbrev)='S' Or "
    "([Log Entry].SptAbbrev)='B')";
const std::string kAllClasses =
    " AND (([Log Entry].TrainingTypeAbbrev)='G' Or ([Log Entry].TrainingTypeAbbrev)='C' Or "
    "([Log Entry].TrainingTypeAbbrev)='I' Or ([Log Entry].TrainingTypeAbbrev)='E' Or "
    "([Log Entry].TrainingTypeAbbrev)='S' Or ([Log Entry].TrainingTypeAbbrev)='T' Or "
    "([Log Entry].TrainingTypeAbbrev)='R' Or ([Log Entry].TrainingTypeAbbrev)='Q')";
const std::string kAll = kAllSports + kAllClasses;

// Each state's exact SQL, and the workouts it lets through in this log.
TEST_F(FilterSqlTest, StatesGiveTheirSqlAndTheirEntries) {
    FilterState routeAndNotes = Route(FilterState::kMatches, "55 \"loop\"");
    routeAndNotes.notesOn = true;
    routeAndNotes.notesOp = FilterState::kContains;
    routeAndNotes.notes = "hill";
    using S = FilterState;
    struct Case {
        const char* name;
        FilterState state;
        std::string sql;
        const char* ids;
    } cases[] = {
        {"no criterion, all ticked", Criteria(), Sql(kAnyDate + kAll), "1,2,3,4,5"},
        {"no sport ticked", Ticking(Criteria(), "", nullptr), Sql(kAnyDate + kAllClasses),
         "1,2,3,4,5"},
        {"Running, General", Ticking(Criteria(), "R", "G"),
         Sql(kAnyDate + " AND (([Log Entry].SptAbbrev)='R') AND "
                        "(([Log Entry].TrainingTypeAbbrev)='G')"),
         "1,5"},
        {"Running and Swimming, Racing, first quarter",
         Ticking(Dates(S::kBetween, {1, 1, 2003}, {3, 31, 2003}), "RS", "R"),
         Sql("([Log Entry].Date) Between #1/01/2003# And #3/31/2003#) AND "
             "(([Log Entry].SptAbbrev)='R' Or ([Log Entry].SptAbbrev)='S') AND "
             "(([Log Entry].TrainingTypeAbbrev)='R')"),
         ""},  // the one Racing workout is of 2002
        {"after", Dates(S::kAfter, {3, 1, 2003}), Sql("([Log Entry].Date) >= #3/01/2003#)" + kAll),
         "4,5"},
        {"before", Dates(S::kBefore, {6, 10, 2002}),
         Sql("([Log Entry].Date) <= #6/10/2002#)" + kAll), "1,2"},
        {"December of every year", Dates(S::kBetween, {12, 1, 2001}, {12, 31, 2003}, true),
         Sql("([Log Entry].Date) Between #12/01/2001# And #12/31/2001# Or ([Log Entry].Date) "
             "Between #12/01/2002# And #12/31/2002# Or ([Log Entry].Date) Between #12/01/2003# "
             "And #12/31/2003#)" +
             kAll),
         "1,3,5"},
        {"distance rounded", Values('d', S::kBetween, 10.4, 10.5),
         Sql(kAnyDate + kAll + " AND (([Log Entry].Distance) Between 10 And 11)"), "1,4"},
        {"pace", Values('p', S::kBetween, 7.5, 8.5),
         Sql(kAnyDate + kAll + " AND (([Log Entry].Pace) Between 7.5 And 8.5)"), "4,5"},
        {"time 1:08", Values('t', S::kGreater, 4080),
         Sql(kAnyDate + kAll + " AND (([Log Entry].Time) >= 4080)"), "1,4"},
        {"route contains hill", Route(S::kContains, "hill"),
         Sql(kAnyDate + kAll + " AND (([Log Entry].Route) Like \"*hill*\")"), "1,5"},
        {"route with wildcard and quotes", Route(S::kContains, "5*5 \"loop\""),
         Sql(kAnyDate + kAll + " AND (([Log Entry].Route) Like \"*5[*]5 \"\"loop\"\"*\")"), "3"},
        {"route and notes", routeAndNotes,
         Sql(kAnyDate + kAll +
             " AND (([Log Entry].Route) = \"55 \"\"loop\"\"\") AND "
             "(([Log Entry].Notes) Like \"*hill*\")"),
         "4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string sql = BuildFilterSql(c.state, catalog, "");
        EXPECT_EQ(sql, c.sql);
        EXPECT_EQ(Run(sql), c.ids);
    }
}

TEST_F(FilterSqlTest, ShowAllAndDateOrder) {
    FilterState s;
    s.dateOn = s.routeOn = true;  // ignored while Show All is on
    EXPECT_EQ(BuildFilterSql(s, catalog, ""),
              "SELECT * FROM [Log Entry] ORDER BY [Date], [EntryID]");
    EXPECT_EQ(Run(BuildFilterSql(s, catalog, "DESC")), "5,4,3,2,1");
    EXPECT_EQ(Run(BuildFilterSql(s, catalog, "desc")), "1,2,3,4,5");
}

TEST_F(FilterSqlTest, RepeatedRangeOfAnyLengthStaysBounded) {
    FilterState s = Criteria();
    s.dateOn = s.repeatAllYears = true;
    s.dateOp = FilterState::kBetween;
    s.date1 = CDate(1, 1, -2000000000);
    s.date2 = CDate(1, 2, 2000000000);
    const std::string sql = BuildFilterSql(s, catalog, "");
    EXPECT_LT(sql.size(), 1'000'000u);
    EXPECT_NE(sql.find("#1/01/9999# And #1/02/9999#)"), std::string::npos);
}

TEST_F(FilterSqlTest, BarShowsAndReadsTheState) {
    FilterState s = Criteria();
    s.sports['B' - 'A'] = false;
    s.classes['Q' - 'A'] = false;
    s.distance1 = 10;
    s.time1 = CElapsedTime(1, 8, 0);
    s.pace1 = 450;
    s.pace2 = 480;
    s.paceAsTime = true;
    s.route = "a, \"b\"";
    FilterBarValues bar = StateToBar(s, catalog);
    using Items = std::vector<std::pair<std::string, bool>>;
    EXPECT_EQ(bar.sports, (Items{{"Running", true}, {"Swimming", true}, {"Bob's Bike", false}}));
    EXPECT_EQ(bar.classes.back(), (std::pair<std::string, bool>{"Coach's Pick", false}));
    EXPECT_EQ((std::vector{bar.distance1, bar.distance2, bar.time1, bar.pace1, bar.pace2}),
              (std::vector<std::string>{"10.0", "0", "1:08:00", "7:30", "8:00"}));

    // Unchanged values read back to the same state.
    FilterState back = Criteria();
    BarToState(bar, back, catalog);
    EXPECT_EQ(back.Save(), s.Save());
    EXPECT_TRUE(back.paceAsTime);

    bar.sports = {{"Bob's Bike", true}, {"Running", false}, {"Nobody", true}};
    bar.classes = {{"Coach's Pick", true}};
    bar.pace1 = "12.5";
    bar.pace2 = "7:15";
    bar.time1 = "1.5";   // decimal hours
    bar.time2 = "0:00";  // refused: the state keeps its time
    back.time2 = CElapsedTime(0, 40, 0);
    BarToState(bar, back, catalog);
    // Swimming is not listed, so it stays ticked.
    EXPECT_EQ((std::vector<bool>{back.sports['B' - 'A'], back.sports['R' - 'A'],
                                 back.sports['S' - 'A'], back.classes['Q' - 'A']}),
              (std::vector<bool>{true, false, true, true}));
    EXPECT_EQ(
        (std::vector{back.pace1, back.pace2, back.time1.TotalSeconds(), back.time2.TotalSeconds()}),
        (std::vector{12.5, 435.0, 5400.0, 2400.0}));
    EXPECT_FALSE(back.paceAsTime);  // the first box decides

    // Equipment: the log's items ticked as the state holds them; an item gone from the
    // log leaves the criterion when the bar is read.
    s.equipment = {7, 99};
    bar = StateToBar(s, catalog, {{7, "Bike", false}, {8, "Shoes", true}});
    EXPECT_EQ(bar.equipment, (std::vector<FilterBarItem>{{7, "Bike", true}, {8, "Shoes", false}}));
    BarToState(bar, back, catalog);
    EXPECT_EQ(back.equipment, std::vector<RowId>{7});
}

}  // namespace
}  // namespace kivrun
