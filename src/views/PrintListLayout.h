#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/ShortenText.h"
#include "print/PaperText.h"
#include "views/LogListCells.h"

namespace kivrun {

// One column of a printable list.
struct PrintListColumn {
    std::string title;
    int width = 0;      // on paper, in print units
    int alignment = 0;  // 0 left, 1 right, 2 centre
};

// What a printable list prints: its columns, rows and cell texts. The colours and the
// header and footer heights are a plain list's; a list of its own kind replaces them.
class PrintListSource {
  public:
    static constexpr int kHeaderHeight = 120;
    static constexpr int kFooterHeight = 85;

    virtual ~PrintListSource() = default;
    // The columns with their printed widths, for a page of that printable width.
    virtual std::vector<PrintListColumn> Columns(int printableWidth) const = 0;
    virtual long RowCount() const = 0;
    virtual std::string CellText(long row, std::size_t column) const = 0;
    virtual Rgb RowBackground(long) const { return {255, 255, 255}; }
    virtual int HeaderHeight() const { return kHeaderHeight; }
    virtual int FooterHeight() const { return kFooterHeight; }
};

// A printable list on pages: every cell wraps in its column, a row takes as many lines as
// its tallest cell, the column titles head every page and "Page n of m" ends it. Lengths
// are print units; texts are measured by a function of the printing code, in the font it
// prints with (60 units high).
class PrintListLayout {
  public:
    static constexpr int kFontHeight = 60;
    static constexpr int kCellInset = 15;  // each side of a cell's text
    static constexpr int kTitleTop = 25;

    struct Metrics {
        int pageWidth = 0;
        int pageHeight = 0;
        int charHeight = kFontHeight;
        int averageCharWidth = 1;
        controls::TextWidth measure;
    };
    // Told of each row laid out; false stops the layout (the user cancelled).
    using Progress = std::function<bool(long row, long rowCount)>;

    // False when progress stopped it; the layout is then empty.
    bool Layout(const PrintListSource& source, const Metrics& metrics,
                const Progress& progress = {});

    const Metrics& metrics() const { return metrics_; }
    // Left and right of the printable width: 5 average characters.
    int Margin() const { return margin_; }
    int PrintableWidth() const { return metrics_.pageWidth - 2 * margin_; }
    const std::vector<PrintListColumn>& Columns() const { return columns_; }
    int LineHeight() const { return lineHeight_; }
    int LinesPerPage() const { return linesPerPage_; }
    int PageCount() const { return pages_.Count(); }
    long FirstRow(int page) const { return pages_.First(page); }
    long EndRow(int page) const { return pages_.End(page); }  // one past its last row
    int LinesOf(long row) const;
    // The lines of a cell of that column, at most a page of them.
    std::vector<std::u16string> CellLines(std::size_t column, std::u16string_view text) const;

    // Where things go down a page.
    int TitleRuleY() const { return metrics_.charHeight + 35; }
    int RowsTop() const { return TitleRuleY() + 25; }
    int FooterTop() const { return metrics_.pageHeight - footerHeight_; }

  private:
    Metrics metrics_;
    std::vector<PrintListColumn> columns_;
    std::vector<int> rowLines_;
    paper::Pages pages_;
    int margin_ = 0;
    int lineHeight_ = 1;
    int linesPerPage_ = 1;
    int footerHeight_ = PrintListSource::kFooterHeight;
};

}  // namespace kivrun
