#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kivrun::controls {

// One item of a check-list combo box.
struct CheckItem {
    std::u16string text;
    bool checked = false;
};

// The separator between the ticked items: the locale's list separator with trailing blanks
// removed and one blank added; ";" when the locale gives none.
std::u16string SummarySeparator(std::u16string_view localeListSeparator);

// What the closed box shows: the ticked items joined by the separator, or "All Selected" when
// every item is ticked (a box without items counts as all selected).
std::u16string SummaryText(const std::vector<CheckItem>& items, std::u16string_view separator);

}  // namespace kivrun::controls
