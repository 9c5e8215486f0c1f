#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "summaries/TotalsRows.h"
#include "views/LogListCells.h"
#include "views/PrintListLayout.h"

namespace kivrun {

class CTamselDoc;

// The totals window's list: its columns on screen and on paper, its colours, and the
// grouping it keeps in the log.
struct TotalsColumn {
    const char* title;
    int screenWidth;  // pixels
    int printWidth;   // print units
    int alignment;    // 0 left, 1 right
};
const std::array<TotalsColumn, 5>& TotalsColumns();

// The first column's title once a grouping is in force: "Week", "Month" or "Year".
std::string TotalsPeriodTitle(TotalsGrouping grouping);
// "week", "month" or "year", as the command lines name them.
std::optional<TotalsGrouping> ParseTotalsGrouping(std::string_view name);

// The list's background, and a period's total line.
constexpr Rgb kTotalsBackground{255, 255, 174};
constexpr Rgb kTotalsTotalLine{210, 210, 210};
inline Rgb TotalsRowColor(const TotalsRow& row) {
    return row.isTotal ? kTotalsTotalLine : kTotalsBackground;
}

// The grouping the log keeps ("TotalsGrouping"), week when it has none.
TotalsGrouping SavedTotalsGrouping(CTamselDoc& doc);
// Keeps the grouping in the log (only when it changed).
void SaveTotalsGrouping(CTamselDoc& doc, TotalsGrouping grouping);

using SharedTotalsRows = std::shared_ptr<const std::vector<TotalsRow>>;

// The totals rows as a printable list, in the totals window's printed widths and colours.
class TotalsPrintSource : public PrintListSource {
  public:
    TotalsPrintSource(SharedTotalsRows rows, TotalsGrouping grouping);
    std::vector<PrintListColumn> Columns(int printableWidth) const override;
    long RowCount() const override;
    std::string CellText(long row, std::size_t column) const override;
    Rgb RowBackground(long row) const override;

  private:
    SharedTotalsRows rows_;
    TotalsGrouping grouping_;
};

}  // namespace kivrun
