#include "controls/ShortenText.h"

namespace kivrun::controls {

namespace {

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::u16string ShortenToFit(std::u16string_view text, int columnWidth, const TextWidth& width,
                            int margin) {
    if (text.empty()) return {};
    if (width(text) + margin <= columnWidth) return std::u16string(text);
    const std::u16string_view dots = u"...";
    const int room = columnWidth - margin - width(dots);
    // Widths grow with the length kept, so the longest start that fits is found by halving.
    // Long notes in a list with many rows are measured a handful of times, not once a letter.
    size_t lo = 1, hi = text.size();
    while (lo < hi) {
        const size_t mid = (lo + hi + 1) / 2;
        if (width(text.substr(0, mid)) <= room)
            lo = mid;
        else
            hi = mid - 1;
    }
    size_t keep = lo;
    // Never split a character that takes two code units.
    if (keep < text.size() && IsLowSurrogate(text[keep])) keep = keep > 1 ? keep - 1 : keep + 1;
    if (keep > text.size()) keep = text.size();
    while (keep > 1 && text[keep - 1] == u' ')
        --keep;
    return std::u16string(text.substr(0, keep)) + std::u16string(dots);
}

}  // namespace kivrun::controls
