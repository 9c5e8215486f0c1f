#pragma once

#include <iosfwd>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "views/LogListCells.h"

namespace kivrun {

class CDate;
class CTamselDoc;
struct RoutineRow;

// The filtered log as one self-contained web page: heading, the log list's visible columns,
// weekly and yearly total rows, weight-training routines and a footer. Everything it reads
// from the log is read when it is made.
class HtmlExport {
  public:
    explicit HtmlExport(CTamselDoc& doc);

    void Write(std::ostream& out);

    // One total row over the filtered workouts from first to last (in either order):
    // grouping "ww" captions it as a week, "yyyy" as the given year. Writes nothing and
    // returns false when the range holds no workouts.
    bool WriteTotalsRow(std::ostream& out, const CDate& first, const CDate& last,
                        const std::string& grouping, int year);

  private:
    void WriteHead(std::ostream& out, const std::string& today);
    void WriteHeader(std::ostream& out);
    void WriteEntries(std::ostream& out);
    void WriteEntry(std::ostream& out, const EntryRow& row);
    void WriteRoutine(std::ostream& out, const std::string& text,
                      const std::vector<RoutineRow>& routine);
    void WriteWeekTotal(std::ostream& out, const CDate& day);
    void WriteYearTotal(std::ostream& out, int year);

    CTamselDoc& doc_;
    LogListCells cells_;
    std::vector<ListColumn> columns_;
    std::set<long> entriesWithRoutine_;
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
