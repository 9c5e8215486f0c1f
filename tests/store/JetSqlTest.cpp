#include "store/JetSql.h"

#include <gtest/gtest.h>

#include "store/Database.h"
#include "values/Calendar.h"

namespace kivrun {
namespace {

// Criteria are checked by what they select from a small table, not by their SQLite text;
// statements by what they leave in the tables.
class CriteriaTest : public ::testing::Test {
  protected:
    void SetUp() override {
        calendar::SetTodayForTesting(calendar::Ymd{2026, 12, 6});
        jetsql::RegisterFunctions(db.handle());
        db.Exec(
            "CREATE TABLE T (id INTEGER PRIMARY KEY, Date REAL, SptAbbrev TEXT COLLATE NOCASE, "
            "SptName TEXT COLLATE NOCASE, Route TEXT COLLATE NOCASE, Notes TEXT, "
            "ColumnOrder INTEGER, ColumnVisible INTEGER, \"Order\" INTEGER)");
        const auto day = [](int y, int m, int d) {
            return std::to_string(calendar::ToSerial(y, m, d));
        };
        const std::string rows[] = {
            "1, " + day(2003, 1, 5) + ", 'R', 'Running', 'Hill loop', '5x hill', 0, -1, 0",
            "2, " + day(2003, 3, 31) +
                ", 'S', 'O''Brien''s swim', 'Pool *50*', 'Say \"hi\"', 3, -1, 3",
            "3, " + day(1998, 12, 1) + ", 'r', 'running', 'Flat [track]', '9 laps', 4, 0, 4",
            "4, " + day(2003, 4, 1) + ", 'B', 'Bike', '', '', 5, -1, 5",
            "5, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL",  // a row of Nulls
        };
        for (const std::string& row : rows)
            db.Exec("INSERT INTO T VALUES (" + row + ")");
    }
    void TearDown() override { calendar::SetTodayForTesting(std::nullopt); }

    std::vector<int> Select(const std::string& criteria) {
        Statement s = db.Prepare("SELECT id FROM T WHERE (" +
                                 jetsql::TranslateExpression(criteria) + ") ORDER BY id");
        std::vector<int> ids;
        while (s.Step())
            ids.push_back(static_cast<int>(s.Int64(0)));
        return ids;
    }
    // Every row of a translated query, its columns joined by '/', rows by ' '.
    std::string Rows(const std::string& sql) {
        Statement s = db.Prepare(jetsql::Translate(sql).sql);
        std::string rows;
        while (s.Step()) {
            for (int c = 0; c < s.ColumnCount(); ++c)
                rows += (c ? "/" : "") + (s.IsNull(c) ? std::string("-") : s.Text(c));
            rows += " ";
        }
        return rows;
    }

    SqliteDb db{":memory:", true};
};

TEST_F(CriteriaTest, SelectsWhatTheDialectMeans) {
    struct Case {
        const char* criteria;
        std::vector<int> ids;
    } cases[] = {
        {"SptAbbrev = 'R'", {1, 3}},  // text compares without case, as logs always have
        {"[SptName] = 'O''Brien''s swim'", {2}},
        {"SptName = \"O'Brien's swim\"", {2}},
        {"Notes = \"Say \"\"hi\"\"\"", {2}},
        {"Date = #1/05/03#", {1}},  // two-digit year near today
        {"Date = #1/05/2003#", {1}},
        {"[T].Date >= #3/31/2003#", {2, 4}},
        {"(([T].Date) Between #1/01/2003# And #3/31/2003#)", {1, 2}},
        {"Date Between #3/31/2003# And #1/01/2003#", {1, 2}},  // either order
        {"Date Between #12/01/1998# And #12/01/1998#", {3}},
        {"Date Like '*'", {1, 2, 3, 4}},  // any date, never Null
        {"Route Like \"*hill*\"", {1}},
        {"Notes Like '#*'", {1, 3}},  // a digit first; the patterns are LikeMatchesPatterns'
        {"Route Not Like '*o*'", {3, 4}},
        {"ColumnOrder >= 3 AND ColumnVisible <> 0", {2, 4}},
        {"ColumnVisible = True", {1, 2, 4}},
        {"ColumnVisible = False", {3}},
        {"[T].Order = 4 Or [T].[Order] = 5", {3, 4}},
        {"Route = ''", {4}},
        {"Route Is Null", {5}},
        {"SptName & '!' = 'Bike!'", {4}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Select(c.criteria), c.ids) << c.criteria;
}

TEST_F(CriteriaTest, QuotedUserTextIsMatchedWhole) {
    for (const char* text : {"O'Brien's swim", "Say \"hi\"", "Pool *50*", "Flat [track]"}) {
        const auto byName =
            Select("SptName = " + jetsql::Quote(text) + " Or Notes = " + jetsql::DoubleQuote(text) +
                   " Or Route = " + jetsql::Quote(text));
        EXPECT_EQ(byName.size(), 1u) << text;
        const auto like =
            Select("Route Like " + jetsql::DoubleQuote("*" + jetsql::LikeEscape(text) + "*"));
        EXPECT_LE(like.size(), 1u) << text;
    }
    EXPECT_EQ(Select("Route Like " + jetsql::Quote("*" + jetsql::LikeEscape("*50*") + "*")),
              std::vector<int>{2});
}

TEST(JetSql, RefusesTextItCannotRead) {
    for (const char* bad : {"Route = 'open", "Date = #13/01/2003#", "Date = #2/30/2003#",
                            "[Route = 1", "x Between 1", "Date = #abc#"}) {
        EXPECT_THROW(jetsql::TranslateExpression(bad), DbError) << bad;
    }
    EXPECT_THROW(jetsql::Translate("PARAMETERS ID Long SELECT 1"), DbError);
    EXPECT_THROW(jetsql::Translate("SELECT 1; SELECT 2"), DbError);
}

TEST_F(CriteriaTest, StatementsRunWithNamedParameters) {
    db.Exec("CREATE TABLE \"Details\" (EntryID INTEGER, Exercise TEXT)");
    db.Exec("INSERT INTO Details VALUES (1,'a'),(2,'b'),(2,'c')");
    const auto del = jetsql::Translate(
        "PARAMETERS ID Long; DELETE [Details].*, [Details].EntryID FROM [Details] WHERE "
        "((([Details].EntryID)=[ID]))");
    ASSERT_EQ(del.parameters.size(), 1u);
    EXPECT_EQ(del.parameters[0].name, "ID");
    EXPECT_EQ(del.parameters[0].type, "Long");
    Statement s = db.Prepare(del.sql);
    s.Bind(s.ParameterIndex(":ID"), 2);
    s.Run();
    EXPECT_EQ(Rows("SELECT EntryID, Exercise FROM Details"), "1/a ");
}

TEST_F(CriteriaTest, RightJoinsKeepEveryRowOfTheRightSide) {
    db.Exec("CREATE TABLE Units (id INTEGER PRIMARY KEY, name TEXT)");
    db.Exec("CREATE TABLE Sports (abbrev TEXT, unit INTEGER)");
    db.Exec("CREATE TABLE Entries (sport TEXT, km REAL)");
    db.Exec("INSERT INTO Units VALUES (0,'miles'),(2,'km'),(9,'unused')");
    db.Exec("INSERT INTO Sports VALUES ('R',0),('B',2),('X',7)");
    db.Exec("INSERT INTO Entries VALUES ('R',5),('B',20),('X',1),('Z',3),('R',6)");
    EXPECT_EQ(Rows("SELECT Entries.sport, [Units].name, Sum(Entries.km) AS total FROM [Units] "
                   "RIGHT JOIN (Entries LEFT JOIN Sports ON Entries.sport = Sports.abbrev) ON "
                   "[Units].id = Sports.unit GROUP BY Entries.sport, [Units].name ORDER BY "
                   "Entries.sport"),
              "B/km/20.0 R/miles/11.0 X/-/1.0 Z/-/3.0 ");
}

TEST(JetSql, DatePartNumbersWeeksFromTheFirstOfJanuary) {
    // 1 January 2021 was a Friday; 31 December 2021 a Friday too.
    struct Case {
        int y, m, d, firstDay, week;
    } cases[] = {
        {2021, 1, 1, 1, 1},    {2021, 1, 2, 1, 1},    {2021, 1, 3, 1, 2},  // Sunday starts week 2
        {2021, 1, 3, 2, 1},    {2021, 1, 4, 2, 2},                         // weeks from Monday
        {2021, 12, 31, 1, 53}, {2021, 12, 31, 6, 53}, {2021, 12, 31, 7, 53},
        {2023, 1, 1, 1, 1},    {2023, 1, 8, 1, 2},    {2023, 12, 31, 1, 53},  // a Sunday year
        {2016, 2, 29, 2, 10},  {2026, 12, 6, 2, 49},
    };
    for (const Case& c : cases) {
        const double serial = calendar::ToSerial(c.y, c.m, c.d);
        EXPECT_EQ(jetsql::DatePart("ww", serial, c.firstDay), c.week)
            << c.y << "-" << c.m << "-" << c.d << " first day " << c.firstDay;
    }
    const double d = calendar::ToSerial(2025, 7, 14) + 0.5;
    EXPECT_EQ(jetsql::DatePart("yyyy", d, 1), 2025);
    EXPECT_EQ(jetsql::DatePart("m", d, 3), 7);
    EXPECT_EQ(jetsql::DatePart("d", d, 1), 14);
    EXPECT_EQ(jetsql::DatePart("w", d, 2), 1);  // a Monday, weeks from Monday
}

TEST_F(CriteriaTest, DatePartIsCallableFromSql) {
    EXPECT_EQ(Rows("SELECT DatePart('ww', #1/03/2021#, 2), DatePart('yyyy', NULL)"), "1/- ");
    EXPECT_THROW(db.Prepare("SELECT DatePart('zz', 1)").Step(), DbError);
}

TEST(JetSql, LikeMatchesPatterns) {
    struct Case {
        const char* value;
        const char* pattern;
        bool match;
    } cases[] = {
        {"Hill loop", "*hill*", true},
        {"Hill loop", "hill", false},
        {"", "*", true},
        {"", "?", false},
        {"abc", "a?c", true},
        {"a1c", "a#c", true},
        {"abc", "a#c", false},
        {"b", "[a-c]", true},
        {"d", "[a-c]", false},
        {"d", "[!a-c]", true},
        {"*", "[*]", true},
        {"x", "[*]", false},
        {"aaa", "*a*a*a*", true},
        {"aa", "*a*a*a*", false},
        {"Ünïcode", "?nïco*", true},
        {"[x", "[[]x", true},
        {"a]", "a]", true},
        {"mississippi", "*iss*pi", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(jetsql::LikeMatch(c.value, c.pattern), c.match) << c.value << " ~ " << c.pattern;
}

}  // namespace
}  // namespace kivrun
