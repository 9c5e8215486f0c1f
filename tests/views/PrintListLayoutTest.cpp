#include "views/PrintListLayout.h"

#include <gtest/gtest.h>

namespace kivrun {
namespace {

int Fixed(std::u16string_view text) {
    return static_cast<int>(text.size()) * 10;
}

// Two columns: 10 characters of text in the first, 20 in the second (each less the insets).
class Rows : public PrintListSource {
  public:
    explicit Rows(std::vector<std::pair<std::string, std::string>> rows) : rows_(std::move(rows)) {}
    std::vector<PrintListColumn> Columns(int printableWidth) const override {
        seenWidth = printableWidth;
        return {{"Sport", 130, 0}, {"Notes", 230, 1}};
    }
    long RowCount() const override { return static_cast<long>(rows_.size()); }
    std::string CellText(long row, std::size_t column) const override {
        const auto& r = rows_[static_cast<std::size_t>(row)];
        return column == 0 ? r.first : r.second;
    }
    mutable int seenWidth = 0;

  private:
    std::vector<std::pair<std::string, std::string>> rows_;
};

PrintListLayout::Metrics FiveLinePages() {
    PrintListLayout::Metrics m;
    m.pageWidth = 1000;
    m.charHeight = 60;  // lines of 72
    m.pageHeight = 120 + 85 + 5 * 72 + 71;
    m.averageCharWidth = 12;
    m.measure = Fixed;
    return m;
}

TEST(PrintListLayout, PagesOfWrappedRowsUnderTheHeader) {
    const std::string threeLines = "one two three four five six seven eight nine ten eleven";
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> rows;
        std::vector<int> lines;
        std::vector<long> pageStarts;
    } cases[] = {
        {"an empty list", {}, {}, {0}},
        {"notes wrapped to three lines", {{"Run", threeLines}}, {3}, {0}},
        {"a row that fills the page exactly goes over",
         {{"Run", ""}, {"Ride", ""}, {"Swim", threeLines}},
         {1, 1, 3},
         {0, 2}},
        {"a row taller than a page keeps a page to itself",
         {{"Run", ""}, {"Long", threeLines + " " + threeLines + " " + threeLines}, {"Run", ""}},
         {1, 5, 1},
         {0, 1, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Rows source(c.rows);
        PrintListLayout layout;
        ASSERT_TRUE(layout.Layout(source, FiveLinePages()));
        EXPECT_EQ(layout.LineHeight(), 72);
        EXPECT_EQ(layout.LinesPerPage(), 5);
        std::vector<int> lines;
        for (long r = 0; r < source.RowCount(); ++r)
            lines.push_back(layout.LinesOf(r));
        EXPECT_EQ(lines, c.lines);
        std::vector<long> starts;
        for (int p = 0; p < layout.PageCount(); ++p)
            starts.push_back(layout.FirstRow(p));
        EXPECT_EQ(starts, c.pageStarts);
        EXPECT_EQ(layout.EndRow(layout.PageCount() - 1), source.RowCount());
    }
}

TEST(PrintListLayout, MarginsAndPlacesComeFromTheFont) {
    Rows source({std::make_pair(std::string("Mountainbiking"), std::string())});
    PrintListLayout layout;
    ASSERT_TRUE(layout.Layout(source, FiveLinePages()));
    EXPECT_EQ(layout.Margin(), 60);  // five average characters
    EXPECT_EQ(source.seenWidth, 1000 - 120);
    EXPECT_EQ(layout.CellLines(0, u"Mountainbiking"),  // a word wider than its column is cut
              (std::vector<std::u16string>{u"Mountainbi", u"king"}));
    EXPECT_EQ(layout.TitleRuleY(), 95);
    EXPECT_EQ(layout.RowsTop(), 120);
    EXPECT_EQ(layout.FooterTop(), FiveLinePages().pageHeight - 85);

    // Cancelled half way: nothing laid out.
    Rows many(std::vector<std::pair<std::string, std::string>>(10, {"Run", ""}));
    EXPECT_FALSE(layout.Layout(many, FiveLinePages(), [](long row, long) { return row < 4; }));
    EXPECT_EQ(layout.PageCount(), 1);
    EXPECT_EQ(layout.EndRow(0), 0);
}

}  // namespace
}  // namespace kivrun
