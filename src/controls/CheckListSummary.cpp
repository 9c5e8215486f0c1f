#include "controls/CheckListSummary.h"

#include <algorithm>

namespace kivrun::controls {

std::u16string SummarySeparator(std::u16string_view localeListSeparator) {
    std::u16string sep(localeListSeparator);
    while (!sep.empty() && (sep.back() == u' ' || sep.back() == u'\t' || sep.back() == 0xA0))
        sep.pop_back();
    if (sep.empty()) return u"; ";
    sep += u' ';
    return sep;
}

std::u16string SummaryText(const std::vector<CheckItem>& items, std::u16string_view separator) {
    if (std::all_of(items.begin(), items.end(), [](const CheckItem& i) { return i.checked; }))
        return u"All Selected";
    std::u16string text;
    for (const CheckItem& item : items) {
        if (!item.checked) continue;
        if (!text.empty()) text += separator;
        text += item.text;
    }
    return text;
}

}  // namespace kivrun::controls
