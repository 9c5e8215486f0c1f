#include "weights/RoutineCells.h"

#include "values/Date.h"
#include "values/NumberFormat.h"

namespace kivrun {

const std::array<RoutineGridColumn, kRoutineGridColumns>& RoutineGridColumnsOf() {
    static const std::array<RoutineGridColumn, kRoutineGridColumns> columns = {{
        {"Exercise", 145, false},
        {"Sets", 50, true},
        {"Wt", 37, true},
        {"Reps", 37, false},
        {"Wt", 35, true},
        {"Reps", 37, false},
        {"Wt", 35, true},
        {"Reps", 37, false},
        {"Wt", 35, true},
        {"Reps", 39, false},
    }};
    return columns;
}

std::string RoutineNumberText(int n) {
    return n == 0 ? std::string() : IntToText(n);
}

RoutineGridTexts GridTexts(const RoutineRow& row) {
    RoutineGridTexts t;
    t[0] = row.exercise;
    t[1] = RoutineNumberText(row.sets);
    for (int i = 0; i < 4; ++i) {
        t[2 + 2 * i] = RoutineNumberText(row.weight[i]);
        t[3 + 2 * i] = RoutineNumberText(row.reps[i]);
    }
    return t;
}

RoutineRow RowFromGridTexts(const RoutineGridTexts& t) {
    RoutineRow row;
    row.exercise = TrimBlanks(t[0]);
    row.sets = TextToInt(t[1]);
    for (int i = 0; i < 4; ++i) {
        row.weight[i] = TextToInt(t[2 + 2 * i]);
        row.reps[i] = TextToInt(t[3 + 2 * i]);
    }
    return row;
}

std::string RoutineCellText(const RoutineRow& row, int column) {
    if (column == 0) return row.exercise;
    if (column == 1) return RoutineNumberText(row.sets);
    if (column < 2 || column >= kRoutineCellColumns) return {};
    const int weight = row.weight[column - 2];
    const int reps = row.reps[column - 2];
    if (weight != 0 && reps != 0) return IntToText(weight) + "-" + IntToText(reps);
    return RoutineNumberText(weight != 0 ? weight : reps);
}

const std::array<RoutinePrintColumn, kRoutineCellColumns>& RoutinePrintColumnsOf() {
    static const std::array<RoutinePrintColumn, kRoutineCellColumns> columns = {{
        {"Exercise", 0.3},
        {"Sets", 0.1},
        {"Wt-Reps", 0.15},
        {"Wt-Reps", 0.15},
        {"Wt-Reps", 0.15},
        {"Wt-Reps", 0.15},
    }};
    return columns;
}

std::array<std::string, kRoutineCellColumns> RoutinePrintTexts(const RoutineRow& row) {
    std::array<std::string, kRoutineCellColumns> texts;
    texts[0] = row.exercise;
    for (int c = 1; c < kRoutineCellColumns; ++c) {
        const std::string cell = RoutineCellText(row, c);
        if (!cell.empty()) texts[static_cast<size_t>(c)] = "(" + cell + ")";
    }
    return texts;
}

std::string RoutineHeading(const CDate& day, const std::string& sportName) {
    return "Routine for " + day.Format(5) + " (" + sportName + ")";
}

std::string TemplateHeading(const std::string& templateName) {
    const std::string name = TrimBlanks(templateName);
    return name.empty() ? "Routine (Weights)" : "Routine Template (" + name + ")";
}

std::optional<std::vector<RoutineRow>> ParseRoutineText(const std::string& text,
                                                        std::string& error) {
    std::vector<RoutineRow> rows;
    std::string rest = text;
    while (!TrimBlanks(rest).empty()) {
        std::string line = NextToken(rest, ';');
        if (TrimBlanks(line).empty()) continue;
        const std::string written = line;
        RoutineGridTexts cells;
        size_t n = 0;
        while (!line.empty() || n == 0) {
            if (n == cells.size()) {
                error = "a routine row has at most ten cells: " + written;
                return std::nullopt;
            }
            cells[n++] = NextToken(line, ',');
        }
        RoutineRow row = RowFromGridTexts(cells);
        if (row.exercise.empty()) {
            error = "You must enter an exercise !!";
            return std::nullopt;
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace kivrun
