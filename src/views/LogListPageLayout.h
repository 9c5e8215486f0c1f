#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ShortenText.h"
#include "print/PaperText.h"
#include "views/LogListCells.h"

namespace kivrun {

// The log list on paper: the width of each column, every cell's lines (Route and Notes
// wrapped, the others shortened to one line), how many lines each row takes and where the
// pages break. Each row is read and laid out once; painting takes its lines from here.
// Lengths are print units, 600 to the inch, whatever the printer's resolution; texts are
// measured by a function the printing code passes in, in the font it prints with.
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
        int titleHeight = 0;    // the title line over the headings of every page
        int headingHeight = 0;  // the column headings at the top of every page
        int cellMargin = 0;     // room a cell leaves beside its text, both sides together
        controls::TextWidth measure;
    };
    // Hands the next row of the list; false after the last.
    using NextRow = std::function<bool(EntryRow& row)>;
    // Told how many of the rows are laid out; false stops the layout (the user cancelled).
    using Progress = std::function<bool(long done, long total)>;

    // How a row looks on paper, besides its texts.
    struct RowLook {
        bool shaded = false;       // the week shading
        std::optional<Rgb> color;  // the class colour of its text
        int image = 12;            // the sport's icon
    };

    // How many average characters a column is wide on paper, besides the two every column
    // gets; -1 for Route and Notes, which share what the others leave.
    static int PaperCharacters(int columnId, int format);
    // Paper widths of the columns, in their order.
    static std::vector<int> ColumnWidths(const std::vector<ListColumn>& columns,
                                         int averageCharWidth, int pageWidth);
    // Lines of rows a page holds (at least one).
    static int LinesPerPage(const Metrics& m);

    // Lays out the rows `next` hands (rowCount of them, for the progress), with the cell
    // texts of `cells`. False when progress stopped it; the layout is then empty.
    bool Layout(const std::vector<ListColumn>& columns, const Metrics& metrics,
                const LogListCells& cells, long rowCount, const NextRow& next,
                const Progress& progress = {});

    const Metrics& metrics() const { return metrics_; }
    const std::vector<ListColumn>& Columns() const { return columns_; }
    const std::vector<int>& Widths() const { return widths_; }
    int LinesPerPage() const { return linesPerPage_; }
    long RowCount() const { return static_cast<long>(looks_.size()); }
    int PageCount() const { return pages_.Count(); }
    long FirstRow(int page) const { return pages_.First(page); }
    // One past the last row of the page.
    long EndRow(int page) const { return pages_.End(page); }
    // Where the rows of a page start, below the title and the headings.
    int RowsTop() const { return metrics_.titleHeight + metrics_.headingHeight; }
    // Lines the row takes on paper, never more than a page.
    int LinesOf(long row) const;
    const RowLook& Look(long row) const;
    // The lines of a cell, as they go on paper (none for the sport shown as its icon).
    std::vector<std::u16string_view> CellLines(long row, std::size_t column) const;

  private:
    // The lines of a cell of the column at index: wrapped for Route and Notes, at most a
    // page of them; one line shortened to fit for the others.
    std::vector<std::u16string> LinesOfCell(std::size_t column, std::u16string_view text) const;

    std::vector<ListColumn> columns_;
    Metrics metrics_;
    std::vector<int> widths_;
    std::vector<RowLook> looks_;
    std::vector<int> rowLines_;
    // Every cell's lines, end to end in one text: cell c of row r holds the lines from
    // cellFirstLine_[r * columns + c] up to the next cell's first line; line i ends at
    // lineEnds_[i] (and starts where the line before it ends).
    std::u16string text_;
    std::vector<std::uint32_t> lineEnds_;
    std::vector<std::uint32_t> cellFirstLine_;
    paper::Pages pages_;
    int linesPerPage_ = 1;
};

}  // namespace kivrun
