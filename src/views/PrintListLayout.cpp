#include "views/PrintListLayout.h"

#include <algorithm>

#include "print/PaperText.h"
#include "values/TextEncoding.h"

namespace kivrun {

bool PrintListLayout::Layout(const PrintListSource& source, const Metrics& metrics,
                             const Progress& progress) {
    metrics_ = metrics;
    margin_ = 5 * metrics.averageCharWidth;
    columns_ = source.Columns(PrintableWidth());
    footerHeight_ = source.FooterHeight();
    lineHeight_ = std::max(1, metrics.charHeight * 12 / 10);
    const int pageHeight = metrics.pageHeight - source.HeaderHeight() - footerHeight_;
    linesPerPage_ = std::max(1, pageHeight / lineHeight_);

    const long rows = std::max(0L, source.RowCount());
    rowLines_.assign(static_cast<std::size_t>(rows), 1);
    for (long row = 0; row < rows; ++row) {
        if (progress && !progress(row, rows)) {
            rowLines_.clear();
            pages_ = paper::Pages();
            return false;
        }
        std::size_t lines = 1;
        for (std::size_t c = 0; c < columns_.size(); ++c)
            lines = std::max(lines, CellLines(c, Utf8ToUtf16(source.CellText(row, c))).size());
        rowLines_[static_cast<std::size_t>(row)] = static_cast<int>(lines);
    }
    pages_ =
        paper::Pages(paper::PageStarts(rowLines_, linesPerPage_, paper::PageFill::LeaveLastLine),
                     static_cast<long>(rowLines_.size()));
    return true;
}

int PrintListLayout::LinesOf(long row) const {
    if (row < 0 || row >= static_cast<long>(rowLines_.size())) return 1;
    return std::min(rowLines_[static_cast<std::size_t>(row)], linesPerPage_);
}

std::vector<std::u16string> PrintListLayout::CellLines(std::size_t column,
                                                       std::u16string_view text) const {
    if (column >= columns_.size() || !metrics_.measure) return {};
    const int room = columns_[column].width - 2 * kCellInset;
    std::vector<std::u16string> lines = paper::WrapLines(text, room, metrics_.measure);
    if (static_cast<int>(lines.size()) > linesPerPage_)
        lines.resize(static_cast<std::size_t>(linesPerPage_));
    return lines;
}

}  // namespace kivrun
