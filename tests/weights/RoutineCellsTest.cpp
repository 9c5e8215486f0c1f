#include <gtest/gtest.h>

#include "values/Date.h"
#include "weights/RoutineCells.h"

namespace kivrun {
namespace {

RoutineRow Row(const char* exercise, int sets, std::initializer_list<std::pair<int, int>> pairs) {
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

TEST(RoutineCells, GridTextsAreReadAsFarAsTheyGo) {
    const RoutineRow row =
        RowFromGridTexts({"  Squats ", "3x", " 12kg", "abc", "-5", "", "7.5", "0", "", "2"});
    EXPECT_EQ(row, Row("Squats", 3, {{12, 0}, {-5, 0}, {7, 0}, {0, 2}}));
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
