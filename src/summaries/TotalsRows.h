#pragma once

#include <string>
#include <vector>

namespace kivrun {

class CTamselDoc;

// One line of the totals window: period label, sport, workouts, distance, time.
struct TotalsRow {
    std::string text[5];
    bool isTotal = false;  // a period's total line (its first column is a single space)
};

enum class TotalsGrouping { Week = 0, Month = 1, Year = 2 };

struct TotalsResult {
    bool noEntries = false;  // the filtered set is empty: "No entries!!"
    std::vector<TotalsRow> rows;
};

// The totals of the filtered workouts per period and sport, as the totals window lists
// them: a blank line, one line per sport, the period's label over its first two lines and
// a total line, for every period in the filtered order.
TotalsResult BuildTotalsRows(CTamselDoc& doc, TotalsGrouping grouping);

}  // namespace kivrun
