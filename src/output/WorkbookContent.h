#pragma once

#include <cstddef>
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

struct WorkbookSheet {
    std::string name;
    std::vector<WorkbookColumn> columns;
    std::vector<std::vector<WorkbookCell>> rows;  // below the field names
};

struct WorkbookContent {
    std::vector<WorkbookSheet> sheets;
};

// A spreadsheet cell holds at most this many UTF-16 units; longer text is cut there.
constexpr std::size_t kMaxCellText = 32767;

// "Training_Log" with the filtered workouts and "Events" with every calendar event.
WorkbookContent BuildWorkbookContent(CTamselDoc& doc);

}  // namespace kivrun
