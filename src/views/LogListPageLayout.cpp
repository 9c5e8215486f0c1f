#include "views/LogListPageLayout.h"

#include <algorithm>

#include "views/LogListColumnRules.h"

namespace kivrun {
namespace {

bool IsWrapped(int columnId) {
    return columnId == LogListCells::kRoute || columnId == LogListCells::kNotes;
}

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

std::u16string_view TrimEnd(std::u16string_view s) {
    while (!s.empty() && s.back() == u' ')
        s.remove_suffix(1);
    return s;
}

std::u16string_view TrimStart(std::u16string_view s) {
    while (!s.empty() && s.front() == u' ')
        s.remove_prefix(1);
    return s;
}

// The longest start of text whose width fits room; at least one character, so that a line
// always takes something.
std::size_t FittingLength(std::u16string_view text, int room, const controls::TextWidth& measure) {
    std::size_t lo = 1, hi = text.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi + 1) / 2;
        if (measure(text.substr(0, mid)) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    // A character of two code units stays whole.
    if (lo < text.size() && IsLowSurrogate(text[lo])) lo = lo > 1 ? lo - 1 : lo + 1;
    return std::min(lo, text.size());
}

void WrapParagraph(std::u16string_view rest, int room, const controls::TextWidth& measure,
                   std::vector<std::u16string>& lines) {
    while (!rest.empty()) {
        if (measure(rest) <= room) {
            lines.emplace_back(TrimEnd(rest));
            return;
        }
        std::size_t cut = FittingLength(rest, room, measure);
        if (cut >= rest.size()) {  // not even one character fits: it goes alone
            lines.emplace_back(rest);
            return;
        }
        const bool onBlank = rest[cut] == u' ' || rest[cut - 1] == u' ';
        if (!onBlank) {
            // Back to the last blank, when there is one after the first character.
            const std::size_t blank = rest.substr(0, cut).rfind(u' ');
            if (blank != std::u16string_view::npos && blank > 0) cut = blank;
        }
        const std::u16string_view line = TrimEnd(rest.substr(0, cut));
        // Blanks at the start of a text take no line of their own.
        if (!line.empty()) lines.emplace_back(line);
        rest = TrimStart(rest.substr(cut));
    }
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

std::vector<std::u16string> LogListPageLayout::Wrap(std::u16string_view text, int width,
                                                    const controls::TextWidth& measure,
                                                    int margin) {
    std::vector<std::u16string> lines;
    const int room = width - margin;
    std::u16string flat(text);
    std::replace(flat.begin(), flat.end(), u'\t', u' ');
    std::u16string_view rest = flat;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of(u"\r\n");
        WrapParagraph(rest.substr(0, end), room, measure, lines);
        if (end == std::u16string_view::npos) break;
        // "\r\n" is one break.
        const std::size_t next = rest.compare(end, 2, u"\r\n") == 0 ? end + 2 : end + 1;
        rest = rest.substr(next);
    }
    return lines;
}

std::vector<long> LogListPageLayout::PageStarts(const std::vector<int>& rowLines,
                                                int linesPerPage) {
    linesPerPage = std::max(1, linesPerPage);
    std::vector<long> starts{0};
    int used = 0;
    for (std::size_t row = 0; row < rowLines.size(); ++row) {
        const int lines = std::clamp(rowLines[row], 1, linesPerPage);
        if (used > 0 && used + lines > linesPerPage) {
            starts.push_back(static_cast<long>(row));
            used = 0;
        }
        used += lines;
    }
    return starts;
}

std::string LogListPageLayout::FooterText(int page, int pageCount) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pageCount);
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
            if (routeWidth >= 0)
                lines = std::max(
                    lines, Wrap(route, routeWidth, metrics.measure, metrics.cellMargin).size());
            if (notesWidth >= 0)
                lines = std::max(
                    lines, Wrap(notes, notesWidth, metrics.measure, metrics.cellMargin).size());
            rowLines_[static_cast<std::size_t>(row)] =
                static_cast<int>(std::min<std::size_t>(lines, linesPerPage_));
        }
    }
    pageStarts_ = PageStarts(rowLines_, linesPerPage_);
}

long LogListPageLayout::FirstRow(int page) const {
    if (page < 0 || page >= PageCount()) return 0;
    return pageStarts_[static_cast<std::size_t>(page)];
}

long LogListPageLayout::EndRow(int page) const {
    if (page < 0 || page >= PageCount()) return 0;
    return page + 1 < PageCount() ? pageStarts_[static_cast<std::size_t>(page + 1)]
                                  : static_cast<long>(rowLines_.size());
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
        std::vector<std::u16string> lines =
            Wrap(text, width, metrics_.measure, metrics_.cellMargin);
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
