#pragma once

#include <vector>

namespace kivrun {

// The pages of a print unit: its heading at the top of every page, the column titles
// under it, then rows of one line each in columns whose widths are fractions of the
// printable width. Lengths are print units.
class PrintUnitLayout {
  public:
    struct Metrics {
        int pageWidth = 0;
        int pageHeight = 0;
        int left = 0;  // margins
        int top = 0;
        int right = 0;
        int bottom = 0;
        int headingHeight = 0;
        int titleHeight = 0;  // the column titles; 0 for none
        int rowHeight = 1;
    };
    struct Span {
        int x = 0;
        int width = 0;
        friend bool operator==(const Span&, const Span&) = default;
    };

    // Columns side by side from x = left, each the integer part of printableWidth times
    // its fraction.
    static std::vector<Span> ColumnSpans(const std::vector<double>& fractions, int left,
                                         int printableWidth);

    void Layout(const Metrics& metrics, long rowCount);

    const Metrics& metrics() const { return metrics_; }
    int PrintableWidth() const { return metrics_.pageWidth - metrics_.left - metrics_.right; }
    // At least one, so that a page always moves the rows on.
    int RowsPerPage() const;
    // At least one: a unit without rows still prints its heading.
    int PageCount() const;
    long FirstRow(int page) const;
    long EndRow(int page) const;  // one past the page's last row
    int HeadingTop() const { return metrics_.top; }
    int TitlesTop() const { return metrics_.top + metrics_.headingHeight; }
    // The top of a row on its page.
    int RowTop(long row) const;

  private:
    Metrics metrics_;
    long rows_ = 0;
};

}  // namespace kivrun
