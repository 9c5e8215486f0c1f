#include "views/LogListPageLayout.h"

#include <gtest/gtest.h>

#include "values/Date.h"
#include "views/LogListColumnRules.h"

namespace kivrun {
namespace {

// Every character ten units wide: widths are easy to reckon.
int Fixed(std::u16string_view text) {
    return static_cast<int>(text.size()) * 10;
}

ListColumn Column(int id, int format = 0, int justification = 0) {
    ListColumn c;
    c.id = id;
    c.format = format;
    c.justification = justification;
    return c;
}

std::vector<ListColumn> DefaultColumns() {
    std::vector<ListColumn> columns;
    for (int id = 0; id <= 9; ++id)
        columns.push_back(Column(id, id == LogListCells::kTime ? 1 : 0));
    return columns;
}

TEST(LogListPaperPages, LinesPerPageLeaveRoomForTheFooterAndHeadings) {
    LogListPageLayout::Metrics m;
    m.pageHeight = 1205;
    m.lineHeight = 100;
    EXPECT_EQ(LogListPageLayout::LinesPerPage(m), 10);  // 205 units go to the footer
    m.headingHeight = 100;
    EXPECT_EQ(LogListPageLayout::LinesPerPage(m), 9);
    m.pageHeight = 250;
    EXPECT_EQ(LogListPageLayout::LinesPerPage(m), 1);
}

TEST(LogListPaperColumns, FixedColumnsInCharactersRouteAndNotesShareTheRest) {
    using P = LogListPageLayout;
    // Date 12, Sport 12, Class 12, Distance 10, Time 11, Pace 10, the optional fields 7.
    EXPECT_EQ(P::ColumnWidths(DefaultColumns(), 10, 2000),
              (std::vector<int>{120, 120, 120, 100, 110, 100, 70, 70, 476, 714}));
    const int timeByForm[] = {80, 110, 140, 100, 130};
    for (int form = 0; form < 5; ++form)
        EXPECT_EQ(P::ColumnWidths({Column(4, form)}, 10, 1000)[0], timeByForm[form]);
    EXPECT_EQ(P::ColumnWidths({Column(2, 1)}, 10, 1000)[0], 50);  // class as abbreviation
    EXPECT_EQ(P::ColumnWidths({Column(0), Column(9)}, 10, 1000), (std::vector<int>{120, 880}));
    // A page too narrow still leaves Route and Notes a few characters each.
    EXPECT_EQ(P::ColumnWidths(DefaultColumns(), 10, 500).back(), 60);
}

TEST(LogListPaperLayout, EachRowIsLaidOutOnceWithTheLinesOfItsLongerRouteOrNotes) {
    // The date as "Sunday, January 5, 2003": longer than its column.
    std::vector<ListColumn> columns = {Column(0, 4), Column(8), Column(9)};
    LogListPageLayout::Metrics m;
    m.pageWidth = 120 + 100 + 150;  // Date 12 characters; Route 10, Notes 15 of the rest
    m.pageHeight = 205 + 4 * 10;    // four lines a page
    m.lineHeight = 10;
    m.averageCharWidth = 10;
    m.measure = Fixed;
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"Park", ""},                                              // 1 line
        {"Coast road and back", "Windy on the way out"},           // 2 and 2
        {"", "A long note that needs three lines of paper here"},  // 4 lines
        {"Track", "Intervals"},                                    // 1 line
    };
    std::size_t read = 0;
    const auto next = [&](EntryRow& row) {
        if (read == texts.size()) return false;
        row = EntryRow{};
        row.date = CDate(1, 5, 2003).ToSerial();
        row.route = texts[read].first;
        row.notes = texts[read].second;
        row.background = static_cast<int>(read % 2);
        ++read;
        return true;
    };
    LogListPageLayout layout;
    ASSERT_TRUE(layout.Layout(columns, m, LogListCells(), 4, next));
    EXPECT_EQ(layout.Widths(), (std::vector<int>{120, 100, 150}));
    const int lines[] = {1, 2, 4, 1};
    for (long row = 0; row < 4; ++row)
        EXPECT_EQ(layout.LinesOf(row), lines[row]);
    EXPECT_TRUE(layout.Look(1).shaded);
    ASSERT_EQ(layout.PageCount(), 3);
    EXPECT_EQ(layout.FirstRow(1), 2);
    EXPECT_EQ(layout.EndRow(1), 3);
    EXPECT_EQ(layout.EndRow(2), 4);
    using Views = std::vector<std::u16string_view>;
    EXPECT_EQ(layout.CellLines(2, 2),
              (Views{u"A long note", u"that needs", u"three lines of", u"paper here"}));
    EXPECT_EQ(layout.CellLines(2, 1), Views{});
    // Other cells keep to one line, shortened as on screen.
    EXPECT_EQ(layout.CellLines(0, 0), Views{u"Sunday, J..."});

    // Cancelled half way: nothing is kept.
    read = 0;
    EXPECT_FALSE(layout.Layout(columns, m, LogListCells(), 4, next,
                               [](long done, long) { return done == 0 ? false : true; }));
    EXPECT_EQ(layout.RowCount(), 0);
}

TEST(LogListColumnRules, OptionalColumnsAreOfferedByTheirNamesAndRouteNotesSplit) {
    std::vector<ListColumn> all = DefaultColumns();
    all[6].fieldName = "Avg HR";
    all[7].fieldName = "Weight";
    all.erase(all.begin() + 5);  // a log without a Pace row offers no Pace
    std::vector<std::string> texts;
    for (const InsertChoice& c : InsertColumnChoices(all))
        texts.push_back(c.text);
    EXPECT_EQ(texts, (std::vector<std::string>{"Sport", "Class", "Distance", "Time", "Avg HR",
                                               "Weight", "Route", "Notes"}));

    EXPECT_FALSE(CanHideColumn(LogListCells::kDate, 10));
    EXPECT_FALSE(CanHideColumn(LogListCells::kNotes, 2));
    EXPECT_TRUE(CanHideColumn(LogListCells::kNotes, 3));

    const RouteNotesWidths both = SplitRemainder(999, true, true, 50);
    EXPECT_EQ(both.route, 399);  // 40 %, truncated
    EXPECT_EQ(both.notes, 600);
    EXPECT_EQ(SplitRemainder(999, false, true, 50).notes, 999);
    const RouteNotesWidths squeezed = SplitRemainder(-30, true, true, 50);
    EXPECT_EQ(squeezed.route, 50);
    EXPECT_EQ(squeezed.notes, 50);
}

}  // namespace
}  // namespace kivrun
