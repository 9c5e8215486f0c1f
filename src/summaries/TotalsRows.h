#pragma once

#include <string>
#include <utility>
#include <vector>

#include "store/Rows.h"

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

// The filtered workouts summed per day and sport in one walk of the filtered set. The totals
// of every grouping are summed from those days, so a window that keeps them regroups without
// reading the log again, as the graph does with its own days.
class TotalsData {
  public:
    // Reads the filtered set: one statement.
    void Gather(CTamselDoc& doc);
    bool Empty() const { return days_.empty(); }
    // One record per period and sport, as the totals queries give them: by year, period (the
    // log's week numbers, in which a week over New Year is two; months; or the year), then the
    // sports in their order (sports the log no longer has first). Distances are in each
    // sport's own unit.
    std::vector<TotalsRecord> Records(TotalsGrouping grouping, const Catalog& catalog,
                                      int weekStartDay) const;
    // Statements run so far (regrouping runs none).
    int Reads() const { return reads_; }

  private:
    struct Sum {
        std::string sport;
        double distance = 0;
        double time = 0;
        long workouts = 0;
    };
    // By day, oldest first.
    std::vector<std::pair<long, std::vector<Sum>>> days_;
    int reads_ = 0;
};

// The totals of the filtered workouts per period and sport, as the totals window lists
// them: a blank line, one line per sport, the period's label over its first two lines and
// a total line, for every period in date order. Every workout of the filtered set counts.
TotalsResult BuildTotalsRows(CTamselDoc& doc, const TotalsData& data, TotalsGrouping grouping);
// ... reading the filtered set for it.
TotalsResult BuildTotalsRows(CTamselDoc& doc, TotalsGrouping grouping);

}  // namespace kivrun
