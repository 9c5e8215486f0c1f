#include "views/LogListPageLayout.h"

#include <algorithm>

#include "print/PaperText.h"
#include "views/LogListColumnRules.h"

namespace kivrun {
namespace {

bool IsWrapped(int columnId) {
    return columnId == LogListCells::kRoute || columnId == LogListCells::kNotes;
}

}  // namespace

int LogListPageLayout::PaperCharacters(int columnId, int format) {
    switch (columnId) {
        case LogListCells::kDate:
        case LogListCells::kSport:
            return 10;
        case LogListCells::kClass:
            return format == 1 ? 3 : 10;
        case LogListCells::kDistance:
        case LogListCells::kPace:
            return 8;
        case LogListCells::kTime: {
            static constexpr int kByForm[] = {6, 9, 12, 8, 11};
            return format >= 0 && format < 5 ? kByForm[format] : kByForm[1];
        }
        case LogListCells::kOptionalOne:
        case LogListCells::kOptionalTwo:
            return 5;
        case LogListCells::kRoute:
        case LogListCells::kNotes:
            return -1;
        default:
            return 8;
    }
}

std::vector<int> LogListPageLayout::ColumnWidths(const std::vector<ListColumn>& columns,
                                                 int averageCharWidth, int pageWidth) {
    std::vector<int> widths(columns.size(), 0);
    int used = 0;
    bool hasRoute = false, hasNotes = false;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const int k = PaperCharacters(columns[i].id, columns[i].format);
        if (k < 0) {
            hasRoute = hasRoute || columns[i].id == LogListCells::kRoute;
            hasNotes = hasNotes || columns[i].id == LogListCells::kNotes;
            continue;
        }
        widths[i] = (2 + k) * averageCharWidth;
        used += widths[i];
    }
    // On a page too narrow for the rest, Route and Notes still get a few characters.
    const RouteNotesWidths shared =
        SplitRemainder(pageWidth - used, hasRoute, hasNotes, 6 * averageCharWidth);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].id == LogListCells::kRoute) widths[i] = shared.route;
        if (columns[i].id == LogListCells::kNotes) widths[i] = shared.notes;
    }
    return widths;
}

int LogListPageLayout::LinesPerPage(const Metrics& m) {
    const int lineHeight = std::max(1, m.lineHeight);
    return std::max(1, (m.pageHeight - kReservedHeight - m.headingHeight) / lineHeight);
}

void LogListPageLayout::Layout(const std::vector<ListColumn>& columns, const Metrics& metrics,
                               long rowCount, const RouteNotes& texts) {
    columns_ = columns;
    metrics_ = metrics;
    widths_ = ColumnWidths(columns, metrics.averageCharWidth, metrics.pageWidth);
    linesPerPage_ = LinesPerPage(metrics);

    int routeWidth = -1, notesWidth = -1;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].id == LogListCells::kRoute) routeWidth = widths_[i];
        if (columns[i].id == LogListCells::kNotes) notesWidth = widths_[i];
    }
    rowLines_.assign(static_cast<std::size_t>(std::max(0L, rowCount)), 1);
    if (routeWidth >= 0 || notesWidth >= 0) {
        for (long row = 0; row < rowCount; ++row) {
            const auto [route, notes] = texts(row);
            std::size_t lines = 1;
            if (routeWidth >= 0) lines = std::max(lines, Wrap(route, routeWidth).size());
            if (notesWidth >= 0) lines = std::max(lines, Wrap(notes, notesWidth).size());
            rowLines_[static_cast<std::size_t>(row)] =
                static_cast<int>(std::min<std::size_t>(lines, linesPerPage_));
        }
    }
    pages_ = paper::Pages(paper::PageStarts(rowLines_, linesPerPage_, paper::PageFill::Whole),
                          static_cast<long>(rowLines_.size()));
}

std::vector<std::u16string> LogListPageLayout::Wrap(std::u16string_view text, int width) const {
    return paper::WrapLines(text, width - metrics_.cellMargin, metrics_.measure);
}

int LogListPageLayout::LinesOf(long row) const {
    if (row < 0 || row >= static_cast<long>(rowLines_.size())) return 1;
    return rowLines_[static_cast<std::size_t>(row)];
}

std::vector<std::u16string> LogListPageLayout::CellLines(std::size_t column,
                                                         std::u16string_view text) const {
    if (column >= columns_.size()) return {};
    const int width = widths_[column];
    if (IsWrapped(columns_[column].id)) {
        std::vector<std::u16string> lines = Wrap(text, width);
        if (static_cast<int>(lines.size()) > linesPerPage_)
            lines.resize(static_cast<std::size_t>(linesPerPage_));
        return lines;
    }
    // Other cells keep to one line, shortened as on screen.
    std::u16string flat(text);
    std::replace(flat.begin(), flat.end(), u'\n', u' ');
    std::replace(flat.begin(), flat.end(), u'\r', u' ');
    return {controls::ShortenToFit(flat, width, metrics_.measure, metrics_.cellMargin)};
}

}  // namespace kivrun
