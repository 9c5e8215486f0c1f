#include "store/ColumnSettingsSet.h"

#include <gtest/gtest.h>

#include <string>

#include "support/TestLog.h"

namespace kivrun {
namespace {

using test::NewLog;
using test::ScriptedUi;
using test::TempDir;

// The visible columns' ids in display order, checking that their orders are 0..n-1.
std::vector<int> Layout(LogDatabase& db) {
    Statement s = db.sql().Prepare(
        "SELECT ColumnID, ColumnOrder FROM \"Log Column Settings\" WHERE ColumnVisible <> 0 "
        "ORDER BY ColumnOrder");
    std::vector<int> ids;
    int expected = 0;
    while (s.Step()) {
        EXPECT_EQ(s.Int64(1), expected++) << "orders of visible columns have a gap";
        ids.push_back(static_cast<int>(s.Int64(0)));
    }
    return ids;
}

// Steps on a new log's ten columns in order: hide what stands at a place ("h2"), insert a
// column at a place ("i2,5": column 5 at place 2), move from one place to another ("m1,4").
TEST(ColumnSettings, LayoutOperationsKeepVisibleOrdersDense) {
    const std::vector<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    struct Case {
        std::vector<const char*> steps;
        bool result;  // of every step
        std::vector<int> layout;
    } cases[] = {
        {{"h2"}, true, {0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {{"h2", "i5,2"}, true, {0, 1, 3, 4, 5, 2, 6, 7, 8, 9}},  // shown again
        {{"h9", "i0,9"}, true, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{"i0,9"}, true, {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}},  // a shown column moves
        {{"h10"}, false, all},                             // nothing stands there
        {{"m3,3"}, true, all},
        {{"m1,4"}, true, {0, 2, 3, 4, 1, 5, 6, 7, 8, 9}},
        {{"m8,0"}, true, {8, 0, 1, 2, 3, 4, 5, 6, 7, 9}},
        {{"m12,0"}, false, all},
        {{"h0", "h0"}, true, {2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        const std::string what = ::testing::PrintToString(c.steps);
        TempDir dir;
        ScriptedUi ui;
        auto db = NewLog(dir.File("c.tlg"), ui);
        CColumnSettingsSet columns(db.get());
        columns.Open();
        bool result = true;
        for (const std::string step : c.steps) {
            const int a = std::stoi(step.substr(1));
            const int b = step.find(',') == std::string::npos
                              ? 0
                              : std::stoi(step.substr(step.find(',') + 1));
            if (step[0] == 'h') result = columns.HideColumn(a) && result;
            if (step[0] == 'i') columns.InsertColumn(a, b);
            if (step[0] == 'm') result = columns.MoveColumn(a, b) && result;
        }
        EXPECT_EQ(result, c.result) << what;
        EXPECT_EQ(Layout(*db), c.layout) << what;
    }
}

TEST(ColumnSettings, QueriesAnswerForVisibleColumnsOnly) {
    TempDir dir;
    ScriptedUi ui;
    auto db = NewLog(dir.File("c.tlg"), ui);
    CColumnSettingsSet columns(db.get());
    columns.Open();
    EXPECT_EQ(columns.GetVisibleColumnCount(), 10);
    ASSERT_TRUE(columns.HideColumn(2));
    EXPECT_EQ(columns.GetVisibleColumnCount(), 9);
    EXPECT_EQ(columns.GetColumnOrder(2), -1);
    EXPECT_EQ(columns.GetColumnOrder(3), 2);
    EXPECT_EQ(columns.GetColumnOrder(42), -1);
    ASSERT_TRUE(columns.FindColumn(2));  // a hidden column keeps its last order
    EXPECT_EQ(columns.ColumnOrder, 2);
    EXPECT_FALSE(columns.ColumnVisible);
    EXPECT_FALSE(columns.FindColumn(42));
}

}  // namespace
}  // namespace kivrun
