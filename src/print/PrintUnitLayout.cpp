#include "print/PrintUnitLayout.h"

#include <algorithm>

namespace kivrun {

std::vector<PrintUnitLayout::Span> PrintUnitLayout::ColumnSpans(
    const std::vector<double>& fractions, int left, int printableWidth) {
    std::vector<Span> spans;
    int x = left;
    for (double fraction : fractions) {
        const int width = std::max(0, static_cast<int>(printableWidth * fraction));
        spans.push_back({x, width});
        x += width;
    }
    return spans;
}

void PrintUnitLayout::Layout(const Metrics& metrics, long rowCount) {
    metrics_ = metrics;
    rows_ = std::max(0L, rowCount);
}

int PrintUnitLayout::RowsPerPage() const {
    const int body = metrics_.pageHeight - metrics_.top - metrics_.bottom - metrics_.headingHeight -
                     metrics_.titleHeight;
    return std::max(1, body / std::max(1, metrics_.rowHeight));
}

int PrintUnitLayout::PageCount() const {
    const long perPage = RowsPerPage();
    return static_cast<int>(std::max(1L, (rows_ + perPage - 1) / perPage));
}

long PrintUnitLayout::FirstRow(int page) const {
    if (page < 0 || page >= PageCount()) return 0;
    return std::min(rows_, static_cast<long>(page) * RowsPerPage());
}

long PrintUnitLayout::EndRow(int page) const {
    if (page < 0 || page >= PageCount()) return 0;
    return std::min(rows_, FirstRow(page) + RowsPerPage());
}

int PrintUnitLayout::RowTop(long row) const {
    const long onPage = row % RowsPerPage();
    return TitlesTop() + metrics_.titleHeight + static_cast<int>(onPage) * metrics_.rowHeight;
}

}  // namespace kivrun
