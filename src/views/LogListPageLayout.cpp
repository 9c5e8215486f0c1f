#include "views/LogListPageLayout.h"

#include <algorithm>

#include "print/PaperText.h"
#include "values/TextEncoding.h"
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
    return std::max(
        1, (m.pageHeight - kReservedHeight - m.titleHeight - m.headingHeight) / lineHeight);
}

bool LogListPageLayout::Layout(const std::vector<ListColumn>& columns, const Metrics& metrics,
                               const LogListCells& cells, long rowCount, const NextRow& next,
                               const Progress& progress) {
    columns_ = columns;
    metrics_ = metrics;
    widths_ = ColumnWidths(columns, metrics.averageCharWidth, metrics.pageWidth);
    linesPerPage_ = LinesPerPage(metrics);
    looks_.clear();
    rowLines_.clear();
    text_.clear();
    lineEnds_.clear();
    cellFirstLine_.clear();
    pages_ = paper::Pages();
    if (rowCount > 0) {
        looks_.reserve(static_cast<std::size_t>(rowCount));
        rowLines_.reserve(static_cast<std::size_t>(rowCount));
        cellFirstLine_.reserve(static_cast<std::size_t>(rowCount) * columns.size() + 1);
    }

    EntryRow entry;
    for (long row = 0; next(entry); ++row) {
        if (progress && row % 512 == 0 && !progress(row, rowCount)) {
            *this = LogListPageLayout();
            return false;
        }
        looks_.push_back(
            {entry.background == 1, cells.ClassColor(entry.cls), cells.SportImage(entry.sport)});
        std::size_t lines = 1;
        for (std::size_t c = 0; c < columns_.size(); ++c) {
            cellFirstLine_.push_back(static_cast<std::uint32_t>(lineEnds_.size()));
            const ListColumn& column = columns_[c];
            // The sport as its icon has no text.
            if (column.id == LogListCells::kSport && column.format == 2) continue;
            const std::u16string text = Utf8ToUtf16(cells.Text(entry, column.id, column.format));
            const std::vector<std::u16string> cellLines = LinesOfCell(c, text);
            for (const std::u16string& line : cellLines) {
                text_ += line;
                lineEnds_.push_back(static_cast<std::uint32_t>(text_.size()));
            }
            lines = std::max(lines, cellLines.size());
        }
        rowLines_.push_back(static_cast<int>(lines));
    }
    cellFirstLine_.push_back(static_cast<std::uint32_t>(lineEnds_.size()));
    pages_ = paper::Pages(paper::PageStarts(rowLines_, linesPerPage_, paper::PageFill::Whole),
                          static_cast<long>(rowLines_.size()));
    if (progress) progress(rowCount, rowCount);
    return true;
}

std::vector<std::u16string> LogListPageLayout::LinesOfCell(std::size_t column,
                                                           std::u16string_view text) const {
    const int width = widths_[column];
    if (IsWrapped(columns_[column].id)) {
        std::vector<std::u16string> lines =
            paper::WrapLines(text, width - metrics_.cellMargin, metrics_.measure);
        if (static_cast<int>(lines.size()) > linesPerPage_)
            lines.resize(static_cast<std::size_t>(linesPerPage_));
        return lines;
    }
    // Other cells keep to one line, shortened as on screen.
    std::u16string flat(text);
    std::replace(flat.begin(), flat.end(), u'\n', u' ');
    std::replace(flat.begin(), flat.end(), u'\r', u' ');
    if (flat.empty()) return {};
    return {controls::ShortenToFit(flat, width, metrics_.measure, metrics_.cellMargin)};
}

int LogListPageLayout::LinesOf(long row) const {
    if (row < 0 || row >= static_cast<long>(rowLines_.size())) return 1;
    return rowLines_[static_cast<std::size_t>(row)];
}

const LogListPageLayout::RowLook& LogListPageLayout::Look(long row) const {
    static const RowLook kNone;
    if (row < 0 || row >= RowCount()) return kNone;
    return looks_[static_cast<std::size_t>(row)];
}

std::vector<std::u16string_view> LogListPageLayout::CellLines(long row, std::size_t column) const {
    std::vector<std::u16string_view> lines;
    if (row < 0 || row >= RowCount() || column >= columns_.size()) return lines;
    const std::size_t cell = static_cast<std::size_t>(row) * columns_.size() + column;
    const std::u16string_view text = text_;
    for (std::uint32_t i = cellFirstLine_[cell]; i < cellFirstLine_[cell + 1]; ++i) {
        const std::uint32_t start = i == 0 ? 0 : lineEnds_[i - 1];
        lines.push_back(text.substr(start, lineEnds_[i] - start));
    }
    return lines;
}

}  // namespace kivrun
