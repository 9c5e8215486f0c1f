#include <gtest/gtest.h>

#include "store/Database.h"
#include "store/LogDatabase.h"
#include "support/DocFixture.h"
#include "values/Date.h"
#include "weights/RoutineCells.h"

namespace kivrun {
namespace {

RoutineRow Row(const char* exercise, int sets,
               std::initializer_list<std::pair<double, int>> pairs) {
    RoutineRow r;
    r.exercise = exercise;
    r.sets = sets;
    int i = 0;
    for (auto [w, reps] : pairs) {
        r.weight[i] = w;
        r.reps[i++] = reps;
    }
    return r;
}

class RoutineStoreTest : public test::DocFixture {};

TEST(RoutineCells, PairsShowWhatIsNotZero) {
    const RoutineRow row = Row("Bench Press", 3, {{100, 10}, {110, 0}, {0, 8}, {0, 0}});
    const std::array<std::string, 6> cells = {"Bench Press", "3", "100-10", "110", "8", ""};
    const std::array<std::string, 6> printed = {"Bench Press", "(3)", "(100-10)",
                                                "(110)",       "(8)", ""};
    for (int c = 0; c < 6; ++c)
        EXPECT_EQ(RoutineCellText(row, c), cells[size_t(c)]) << c;
    EXPECT_EQ(RoutinePrintTexts(row), printed);
    EXPECT_EQ(RoutineCellText(Row("Plank", 0, {}), 1), "");
    EXPECT_EQ(GridTexts(row),
              (RoutineGridTexts{"Bench Press", "3", "100", "10", "110", "", "", "8", "", ""}));
}

// What is typed in a cell is kept as typed, or refused with the cell named: nothing is read
// "as far as it goes".
TEST(RoutineCells, DecimalWeightsAreKeptAsTypedOrRefusedByCell) {
    struct Case {
        RoutineGridTexts texts;
        const char* shown;  // the pairs as the entry view shows them, or the refusal
    } cases[] = {
        {{"Bench", "3", "62.5", "8", "61.25", "6", "100", "", "", "12"}, "62.5-8|61.25-6|100|12"},
        {{"Bench", "", " 62.50 ", "", "5.", "", ".5", ""}, "62.5|5|0.5|"},
        {{"Bench", "", "62,5"},
         "Wt 1 must be a weight such as 62.5 (at most two decimals), not "
         "\"62,5\" !!"},
        {{"Bench", "", "", "", "62.125"},
         "Wt 2 must be a weight such as 62.5 (at most two "
         "decimals), not \"62.125\" !!"},
        {{"Bench", "3x"}, "Sets must be a whole number, not \"3x\" !!"},
        {{"Bench", "", "", "", "", "", "", "8.5"}, "Reps 3 must be a whole number, not \"8.5\" !!"},
        {{"Bench", "", "-5"},
         "Wt 1 must be a weight such as 62.5 (at most two decimals), not "
         "\"-5\" !!"},
        {{"Bench", "", "."},
         "Wt 1 must be a weight such as 62.5 (at most two decimals), not "
         "\".\" !!"},
        {{"Bench", "", "1234567"},
         "Wt 1 must be a weight such as 62.5 (at most two decimals), "
         "not \"1234567\" !!"},
    };
    for (const Case& c : cases) {
        const RoutineReading reading = ReadGridTexts(c.texts);
        std::string shown = reading.message;
        if (reading.row) {
            shown.clear();
            for (int pair = 0; pair < 4; ++pair)
                shown += (pair ? "|" : "") + RoutineCellText(*reading.row, 2 + pair);
            // Shown again in the grid, the row reads back to itself.
            EXPECT_EQ(ReadGridTexts(GridTexts(*reading.row)).row, reading.row) << shown;
        }
        EXPECT_EQ(shown, c.shown) << c.texts[2];
    }
}

// Kept in the log's columns as they always were: 62.5 a real number, 100 still an integer, so
// a log written before decimals reads as it did; the workout, its template and the printout
// all give back what was typed.
TEST_F(RoutineStoreTest, DecimalWeightsStoreAndReadBack) {
    RoutineRow row = Row("Bench Press", 3, {{62.5, 8}, {100, 5}, {61.25, 0}});
    WorkingEntry lift = test::Entry(1, 5, 2026, "W", 2700, "G", 0);
    lift.routine = {row};
    const RowId entry = doc->AddEntry(lift, nullptr);
    ASSERT_NE(entry, 0) << ::testing::PrintToString(ui.messages);
    const RowId templ = doc->AddTemplate("Upper", {row}, nullptr);
    ASSERT_NE(templ, 0);
    EXPECT_EQ(doc->RoutineOf(entry), std::vector<RoutineRow>{row});
    EXPECT_EQ(doc->TemplateRoutine(templ), std::vector<RoutineRow>{row});
    for (const char* table : {"Log Entry Details Routine", "Routine Templates Details"}) {
        Statement types = doc->Database().sql().Prepare(
            std::string("SELECT typeof(Weight1), typeof(Weight2), typeof(Weight3), "
                        "typeof(Sets) FROM \"") +
            table + "\"");
        ASSERT_TRUE(types.Step());
        EXPECT_EQ(types.Text(0) + types.Text(1) + types.Text(2) + types.Text(3),
                  "realintegerrealinteger")
            << table;
    }
    EXPECT_EQ(RoutinePrintTexts(doc->RoutineOf(entry).front())[2], "(62.5-8)");
}

// A log made before decimal weights holds its weight columns as whole numbers only. It opens
// and reads unchanged; the first decimal weight rebuilds the two routine tables, keeping
// their rows in order and the relations that tie them to workouts and templates.
TEST_F(RoutineStoreTest, ALogFromBeforeDecimalsLearnsThemWhenGivenOne) {
    WorkingEntry lift = test::Entry(1, 5, 2026, "W", 2700, "G", 0);
    lift.routine = {Row("Squats", 5, {{100, 5}}), Row("Dips", 3, {{0, 12}})};
    const RowId first = doc->AddEntry(lift, nullptr);
    doc->AddTemplate("Legs", {Row("Squats", 5, {{100, 5}})}, nullptr);
    doc->OnCloseDocument();
    {
        // The weight columns as the log format had them.
        SqliteDb old(path, false);
        old.Exec("PRAGMA writable_schema = ON");
        old.Exec(
            "UPDATE sqlite_schema SET sql = replace(replace(replace(replace(sql, "
            "'\"Weight1\" ANY', '\"Weight1\" INTEGER'), '\"Weight2\" ANY', '\"Weight2\" "
            "INTEGER'), '\"Weight3\" ANY', '\"Weight3\" INTEGER'), '\"Weight4\" ANY', "
            "'\"Weight4\" INTEGER') WHERE type = 'table'");
    }
    const std::string bytes = test::ReadBytes(path);
    ASSERT_TRUE(doc->OnOpenDocument(path));
    EXPECT_EQ(doc->RoutineOf(first), lift.routine);
    EXPECT_EQ(test::ReadBytes(path), bytes);  // opening changed nothing
    const std::string weightTypes =
        "SELECT group_concat(type || ' ' || name, '; ') FROM pragma_table_info('Routine "
        "Templates Details') WHERE name LIKE 'Weight%'";
    ASSERT_EQ(Rows(weightTypes),
              "INTEGER Weight1; INTEGER Weight2; INTEGER Weight3; INTEGER Weight4");

    lift.routine.push_back(Row("Bench Press", 3, {{62.5, 8}}));
    lift.date = CDate(1, 6, 2026);
    const RowId second = doc->AddEntry(lift, nullptr);
    ASSERT_NE(second, 0) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(doc->RoutineOf(second), lift.routine);
    EXPECT_EQ(doc->RoutineOf(first).size(), 2u);
    ASSERT_NE(doc->AddTemplate("Upper", {Row("Curls", 3, {{12.25, 10}})}, nullptr), 0);
    EXPECT_EQ(Rows(weightTypes), "ANY Weight1; ANY Weight2; ANY Weight3; ANY Weight4");
    // The relations still hold: a workout takes its routine with it, and a routine row
    // needs its workout.
    ASSERT_TRUE(doc->DeleteEntry(first, nullptr, false));
    EXPECT_EQ(Count("Log Entry Details Routine"), 3);
    EXPECT_THROW(doc->Database().sql().Exec(
                     "INSERT INTO \"Log Entry Details Routine\" (EntryID, Exercise) VALUES "
                     "(9999, 'Orphan')"),
                 DbError);
}

TEST(RoutineCells, PrintColumnsFillTheWidth) {
    double total = 0;
    for (const auto& c : RoutinePrintColumnsOf())
        total += c.fraction;
    EXPECT_DOUBLE_EQ(total, 1.0);
    EXPECT_EQ(RoutineHeading(CDate(12, 7, 2026), "Weights"),
              "Routine for Monday, Dec 7, 2026 (Weights)");
    EXPECT_EQ(TemplateHeading(" Upper "), "Routine Template (Upper)");
}

TEST(RoutineCells, RoutineTextForScripts) {
    struct Case {
        const char* text;
        size_t rows;
        const char* error;
    } cases[] = {
        {"", 0, nullptr},
        {"Bench Press,3,100,10;Squats;", 2, nullptr},
        {",3,100", 0, "You must enter an exercise !!"},
        {"Squats,4,12kg", 0,
         "Squats: Wt 1 must be a weight such as 62.5 (at most two decimals), not \"12kg\" !!"},
        {"Row,1,2,3,4,5,6,7,8,9,10", 0,
         "a routine row has at most ten cells: Row,1,2,3,4,5,6,7,8,9,10"},
    };
    for (const Case& c : cases) {
        std::string error;
        const auto rows = ParseRoutineText(c.text, error);
        if (c.error) {
            EXPECT_FALSE(rows) << c.text;
            EXPECT_EQ(error, c.error);
        } else {
            ASSERT_TRUE(rows) << c.text << ": " << error;
            EXPECT_EQ(rows->size(), c.rows) << c.text;
        }
    }
    std::string error;
    EXPECT_EQ(ParseRoutineText("Squats,4,,12", error)->front(), Row("Squats", 4, {{0, 12}}));
    EXPECT_EQ(ParseRoutineText("\"Farmer's Walk\",2", error)->front().exercise, "Farmer's Walk");
}

}  // namespace
}  // namespace kivrun
