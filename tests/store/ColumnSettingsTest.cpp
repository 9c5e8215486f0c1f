#include "store/ColumnSettingsSet.h"

#include <gtest/gtest.h>

#include <functional>

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

TEST(ColumnSettings, LayoutOperationsKeepVisibleOrdersDense) {
    struct Case {
        const char* what;
        std::function<bool(CColumnSettingsSet&)> op;
        bool result;
        std::vector<int> layout;
    } cases[] = {
        {"hide at 2", [](auto& c) { return c.HideColumn(2); }, true, {0, 1, 3, 4, 5, 6, 7, 8, 9}},
        {"show it again at 5",
         [](auto& c) {
             c.HideColumn(2);
             c.InsertColumn(5, 2);
             return true;
         },
         true,
         {0, 1, 3, 4, 5, 2, 6, 7, 8, 9}},
        {"show a hidden column at 0",
         [](auto& c) {
             c.HideColumn(9);
             c.InsertColumn(0, 9);
             return true;
         },
         true,
         {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"insert a shown column at 0",
         [](auto& c) {
             c.InsertColumn(0, 9);
             return true;
         },
         true,
         {9, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"hide where nothing stands",
         [](auto& c) { return c.HideColumn(10); },
         false,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"move 3 to 3",
         [](auto& c) { return c.MoveColumn(3, 3); },
         true,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"move 1 to 4",
         [](auto& c) { return c.MoveColumn(1, 4); },
         true,
         {0, 2, 3, 4, 1, 5, 6, 7, 8, 9}},
        {"move 8 to 0",
         [](auto& c) { return c.MoveColumn(8, 0); },
         true,
         {8, 0, 1, 2, 3, 4, 5, 6, 7, 9}},
        {"move from an empty place",
         [](auto& c) { return c.MoveColumn(12, 0); },
         false,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {"hide twice at 0",
         [](auto& c) { return c.HideColumn(0) && c.HideColumn(0); },
         true,
         {2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        TempDir dir;
        ScriptedUi ui;
        auto db = NewLog(dir.File("c.tlg"), ui);
        CColumnSettingsSet columns(db.get());
        columns.Open();
        EXPECT_EQ(c.op(columns), c.result) << c.what;
        EXPECT_EQ(Layout(*db), c.layout) << c.what;
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
