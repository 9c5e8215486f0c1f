#include "print/PaperText.h"

#include <algorithm>

namespace kivrun::paper {
namespace {

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

std::vector<std::u16string> WrapLines(std::u16string_view text, int room,
                                      const controls::TextWidth& measure) {
    std::vector<std::u16string> lines;
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

std::vector<long> PageStarts(const std::vector<int>& rowLines, int linesPerPage, PageFill fill) {
    linesPerPage = std::max(1, linesPerPage);
    std::vector<long> starts{0};
    int used = 0;
    for (std::size_t row = 0; row < rowLines.size(); ++row) {
        const int lines = std::clamp(rowLines[row], 1, linesPerPage);
        const bool over =
            fill == PageFill::Whole ? used + lines > linesPerPage : used + lines >= linesPerPage;
        if (used > 0 && over) {
            starts.push_back(static_cast<long>(row));
            used = 0;
        }
        used += lines;
    }
    return starts;
}

Pages::Pages(std::vector<long> starts, long rows) : starts_(std::move(starts)), rows_(rows) {
    if (starts_.empty()) starts_ = {0};
}

long Pages::First(int page) const {
    if (page < 0 || page >= Count()) return 0;
    return starts_[static_cast<std::size_t>(page)];
}

long Pages::End(int page) const {
    if (page < 0 || page >= Count()) return 0;
    return page + 1 < Count() ? starts_[static_cast<std::size_t>(page + 1)] : rows_;
}

std::string FooterText(int page, int pageCount) {
    return "Page " + std::to_string(page) + " of " + std::to_string(pageCount);
}

}  // namespace kivrun::paper
