#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/ShortenText.h"
#include "print/PaperText.h"
#include "views/LogListCells.h"

namespace kivrun {

// The log list on paper: the width of each column, how Route and Notes wrap, how many
// lines each row takes and where the pages break. Lengths are print units, 600 to the
// inch, whatever the printer's resolution; texts are measured by a function the printing
// code passes in, in the font it prints with.
class LogListPageLayout {
  public:
    static constexpr int kUnitsPerInch = paper::kUnitsPerInch;
    // The part of a page's height that rows never take: the footer and the room above it.
    static constexpr int kReservedHeight = 205;
    // The footer line lies this far above the bottom; "Page n of m" is centred under it.
    static constexpr int kFooterLineAboveBottom = 85;

    struct Metrics {
        int pageWidth = 0;
        int pageHeight = 0;
        int lineHeight = 1;  // one printed line of a row
        int averageCharWidth = 1;
        int headingHeight = 0;  // the column headings at the top of every page
        int cellMargin = 0;     // room a cell leaves beside its text, both sides together
        controls::TextWidth measure;
    };
    // A row's Route and Notes texts.
    using RouteNotes = std::function<std::pair<std::u16string, std::u16string>(long row)>;

    // How many average characters a column is wide on paper, besides the two every column
    // gets; -1 for Route and Notes, which share what the others leave.
    static int PaperCharacters(int columnId, int format);
    // Paper widths of the columns, in their order.
    static std::vector<int> ColumnWidths(const std::vector<ListColumn>& columns,
                                         int averageCharWidth, int pageWidth);
    // Lines of rows a page holds (at least one).
    static int LinesPerPage(const Metrics& m);
    // Lays out rowCount rows; texts gives each row's Route and Notes.
    void Layout(const std::vector<ListColumn>& columns, const Metrics& metrics, long rowCount,
                const RouteNotes& texts);

    const Metrics& metrics() const { return metrics_; }
    const std::vector<ListColumn>& Columns() const { return columns_; }
    const std::vector<int>& Widths() const { return widths_; }
    int LinesPerPage() const { return linesPerPage_; }
    int PageCount() const { return pages_.Count(); }
    long FirstRow(int page) const { return pages_.First(page); }
    // One past the last row of the page.
    long EndRow(int page) const { return pages_.End(page); }
    // Lines the row takes on paper, never more than a page.
    int LinesOf(long row) const;
    // The lines of a cell of the column at index (wrapped for Route and Notes, one line
    // otherwise), at most a page of them.
    std::vector<std::u16string> CellLines(std::size_t column, std::u16string_view text) const;

  private:
    // A Route or Notes text in lines that fit its column less the cell margin.
    std::vector<std::u16string> Wrap(std::u16string_view text, int width) const;

    std::vector<ListColumn> columns_;
    Metrics metrics_;
    std::vector<int> widths_;
    std::vector<int> rowLines_;
    paper::Pages pages_;
    int linesPerPage_ = 1;
};

}  // namespace kivrun
