#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kivrun {

class CTamselDoc;

// What an exported workbook holds, whichever file format writes it.
enum class CellKind { Empty, Number, Date, Text };

struct WorkbookCell {
    CellKind kind = CellKind::Empty;
    double number = 0;  // a number, or a date as serial days since 30 December 1899
    std::string text;   // valid UTF-8, at most kMaxCellText UTF-16 units

    static WorkbookCell Number(double value) { return {CellKind::Number, value, {}}; }
    static WorkbookCell Date(double serial) { return {CellKind::Date, serial, {}}; }
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
WorkbookContent BuildWorkbookContent(CTamselDoc& doc, const LogListCells& cells);

}  // namespace kivrun
