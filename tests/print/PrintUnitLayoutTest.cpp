#include "print/PrintUnitLayout.h"

#include <gtest/gtest.h>

namespace kivrun {
namespace {

using Span = PrintUnitLayout::Span;

TEST(PrintUnitLayout, ColumnsAreFractionsOfThePrintableWidth) {
    // The routine printout's columns: exercise, sets, four weight-and-repetition pairs.
    EXPECT_EQ(PrintUnitLayout::ColumnSpans({0.3, 0.1, 0.15, 0.15, 0.15, 0.15}, 100, 4701),
              (std::vector<Span>{
                  {100, 1410}, {1510, 470}, {1980, 705}, {2685, 705}, {3390, 705}, {4095, 705}}));
    EXPECT_EQ(PrintUnitLayout::ColumnSpans({}, 100, 4701), std::vector<Span>{});
}

TEST(PrintUnitLayout, PagesHoldAsManyRowsAsFitUnderHeadingAndTitles) {
    PrintUnitLayout::Metrics m;
    m.pageWidth = 5100;
    m.pageHeight = 1000;
    m.left = m.right = 100;
    m.top = 25;
    m.bottom = 75;
    m.headingHeight = 300;
    m.titleHeight = 100;
    m.rowHeight = 100;  // 500 units left: five rows a page
    struct Case {
        long rows;
        int pages;
        long lastFirst;
    } cases[] = {{0, 1, 0}, {5, 1, 0}, {6, 2, 5}, {11, 3, 10}};
    PrintUnitLayout layout;
    for (const Case& c : cases) {
        layout.Layout(m, c.rows);
        EXPECT_EQ(layout.RowsPerPage(), 5);
        EXPECT_EQ(layout.PageCount(), c.pages) << c.rows;
        EXPECT_EQ(layout.FirstRow(c.pages - 1), c.lastFirst) << c.rows;
        EXPECT_EQ(layout.EndRow(c.pages - 1), c.rows) << c.rows;
    }
    EXPECT_EQ(layout.PrintableWidth(), 4900);
    EXPECT_EQ(layout.TitlesTop(), 325);
    EXPECT_EQ(layout.RowTop(5), 425);  // the first row of the second page
    EXPECT_EQ(layout.RowTop(7), 625);
    // A page too short for a row still takes one.
    m.pageHeight = 300;
    layout.Layout(m, 3);
    EXPECT_EQ(layout.PageCount(), 3);
}

}  // namespace
}  // namespace kivrun
