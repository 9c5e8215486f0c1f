#include "controls/AutoCompletion.h"

#include <algorithm>

namespace kivrun::controls {

namespace {

char16_t FoldCase(char16_t c) {
    if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
    if (c < 0xC0) return c;
    if (c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);  // Latin-1
    if (c == 0x178) return 0xFF;
    // Latin Extended-A pairs capital and small letters as even and odd neighbours, apart
    // from two runs that pair them the other way round and a few letters without a pair.
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        const bool capital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return capital ? static_cast<char16_t>(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return static_cast<char16_t>(c + 32);  // Greek
    if (c >= 0x410 && c <= 0x42F) return static_cast<char16_t>(c + 32);                // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return static_cast<char16_t>(c + 80);
    return c;
}

}  // namespace

bool StartsWithIgnoringCase(std::u16string_view text, std::u16string_view prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldCase(text[i]) != FoldCase(prefix[i])) return false;
    }
    return true;
}

bool OnlyDeleted(const EditState& before, std::u16string_view after) {
    const std::u16string_view old = before.text;
    if (after.size() >= old.size()) return false;
    // Whatever changed covers the selection, or touches the caret: the kept start ends at
    // the selection at the latest, the kept end begins after it at the earliest.
    const int size = static_cast<int>(old.size());
    const auto [lo, hi] = std::minmax(std::clamp(before.selectionStart, 0, size),
                                      std::clamp(before.selectionEnd, 0, size));
    const size_t maxHead = static_cast<size_t>(lo);
    const size_t maxTail = old.size() - static_cast<size_t>(hi);
    size_t head = 0;
    while (head < after.size() && head < maxHead && after[head] == old[head])
        ++head;
    size_t tail = 0;
    while (tail < after.size() - head && tail < maxTail &&
           old[old.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return head + tail == after.size();  // nothing was put in between
}

Completion AutoCompleter::TextChanged(const EditState& after,
                                      const std::vector<std::u16string>& items) {
    Completion c;
    c.edit = after;
    const std::u16string_view typed = after.text;
    // Only text typed at the end is completed: a letter put into the middle of a word is a
    // correction, not the start of a new one.
    const bool atEnd = after.selectionStart == after.selectionEnd &&
                       after.selectionEnd == static_cast<int>(typed.size());
    if (atEnd && !typed.empty() && !OnlyDeleted(before_, typed)) {
        for (size_t i = 0; i < items.size(); ++i) {
            if (StartsWithIgnoringCase(items[i], typed)) {
                c.item = static_cast<int>(i);
                c.edit.text = items[i];
                c.edit.selectionStart = static_cast<int>(typed.size());
                c.edit.selectionEnd = static_cast<int>(items[i].size());
                break;
            }
        }
    }
    before_ = c.edit;
    return c;
}

}  // namespace kivrun::controls
