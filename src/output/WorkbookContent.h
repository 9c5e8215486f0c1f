#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kivrun {

class CTamselDoc;

// What an exported workbook holds, whichever file format writes it. A duration is a number of
// days shown as hours, minutes and seconds; a pace duration the same shown as minutes and
// seconds (7:30 a mile), so that a sum or an average of either is one too.
enum class CellKind { Empty, Number, Date, Text, Duration, PaceDuration };

struct WorkbookCell {
    CellKind kind = CellKind::Empty;
    double number = 0;  // a number, or a date as serial days since 30 December 1899
    std::string text;   // valid UTF-8, at most kMaxCellText UTF-16 units

    static WorkbookCell Number(double value) { return {CellKind::Number, value, {}}; }
    static WorkbookCell Date(double serial) { return {CellKind::Date, serial, {}}; }
    static WorkbookCell Duration(double seconds) {
        return {CellKind::Duration, seconds / 86400.0, {}};
    }
    static WorkbookCell PaceDuration(double seconds) {
        return {CellKind::PaceDuration, seconds / 86400.0, {}};
    }
    // An empty text is an empty cell.
    static WorkbookCell Text(std::string_view utf8);
};

struct WorkbookColumn {
    std::string name;  // the field name in the first row
    CellKind kind = CellKind::Text;
    double width = 10;  // in characters
};

using WorkbookRow = std::vector<WorkbookCell>;

struct WorkbookSheet {
    std::string name;
    std::vector<WorkbookColumn> columns;
    std::vector<WorkbookRow> rows;  // below the field names
    // Rows read as they are written instead of held: the next row into its argument, false
    // at the end. streamedRows says beforehand how many it gives.
    std::function<bool(WorkbookRow&)> stream;
    std::size_t streamedRows = 0;

    std::size_t RowCount() const { return stream ? streamedRows : rows.size(); }
    // Every row in order, held or streamed (a stream can be walked once).
    void ForEachRow(const std::function<void(const WorkbookRow&)>& each) const;
    // Reads a streamed sheet into rows, for formats that need every row at hand.
    void Hold();
};

struct WorkbookContent {
    std::vector<WorkbookSheet> sheets;
};

// A spreadsheet cell holds at most this many UTF-16 units; longer text is cut there.
constexpr std::size_t kMaxCellText = 32767;

class LogListCells;

// "Training_Log" with the filtered workouts and "Events" with every calendar event. The
// workouts are streamed from the log while the content is written; cells must outlive it.
// The .xls has the workbook's long-standing fields: the time and pace as text, the class by
// its letter. The typed content of the .xlsx is made for sums and averages: times and time
// paces are durations, speeds numbers, a value of 0 an empty cell, the class named, and the
// sport's distance unit in a column of its own after the distance.
enum class WorkbookFlavour { Xls, Typed };
WorkbookContent BuildWorkbookContent(CTamselDoc& doc, const LogListCells& cells,
                                     WorkbookFlavour flavour = WorkbookFlavour::Xls);

}  // namespace kivrun
