#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "views/LogListCells.h"

namespace kivrun {

class CDate;
class CTamselDoc;
struct RoutineRow;

// The filtered log as one self-contained web page: heading, the log list's visible columns,
// weekly and yearly total rows, weight-training routines and a footer. The workouts and
// their routines stream from the log once; the totals are summed on the way.
class HtmlExport {
  public:
    explicit HtmlExport(CTamselDoc& doc);

    void Write(std::ostream& out);

    // What a total row sums: per year of the period and sport, the distance and time of the
    // workouts and the time of those with a distance; added up as the totals queries group
    // them, so the figures come out the same.
    struct PeriodTotals {
        struct Sport {
            double distance = 0;
            double time = 0;
            double timeWithDistance = 0;
            long workouts = 0;
            bool withDistance = false;
        };
        std::map<int, std::map<std::string, Sport>> years;
        long rows = 0;
        void Add(const EntryRow& row, int year);
    };

    // One total row: grouping "ww" captions it as a week, "yyyy" as the given year. Writes
    // nothing and returns false when the period holds no workouts.
    bool WriteTotalsRow(std::ostream& out, const PeriodTotals& totals, const std::string& grouping,
                        int year);

  private:
    void WriteHead(std::ostream& out, const std::string& today);
    void WriteHeader(std::ostream& out);
    void WriteEntries(std::ostream& out);
    void WriteEntry(std::ostream& out, const EntryRow& row, const std::vector<RoutineRow>& routine);
    void WriteRoutine(std::ostream& out, const std::string& text,
                      const std::vector<RoutineRow>& routine);

    CTamselDoc& doc_;
    LogListCells cells_;
    std::vector<ListColumn> columns_;
    std::vector<std::string> sportOrder_;
    std::map<std::string, int> distanceUnits_;
    // The items each workout used; the column is there only when the log keeps equipment.
    std::map<RowId, std::string> equipment_;
    bool equipmentColumn_ = false;
    bool weeklyTotals_ = true;
    bool yearlyTotals_ = true;
    bool routineDetails_ = true;
    int grandUnits_ = 0;
    int grandPace_ = 0;
    std::string grandUnitName_;  // only when the sports use different units
};

// Writes the page of the document's filtered workouts; the caller opens and closes the file.
void ExportHTML(CTamselDoc& doc, std::ostream& out);

// <, >, & and " as character references; every other byte as it is.
std::string EscapeHtml(std::string_view text);

// "Saturday, December 05, 2026", in English whatever the locale.
std::string LongDateText(const CDate& date);

}  // namespace kivrun
