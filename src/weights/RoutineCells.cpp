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

namespace {

// Digits, then at most `decimals` digits after one '.'; a leading or trailing '.' is
// fine ("5.", ".5"). Nullopt for anything else, or more than six whole digits.
std::optional<double> ReadPlainNumber(const std::string& text, int decimals) {
    size_t whole = 0;
    while (whole < text.size() && text[whole] >= '0' && text[whole] <= '9')
        ++whole;
    size_t fraction = 0;
    if (whole < text.size() && text[whole] == '.' && decimals > 0) {
        while (whole + 1 + fraction < text.size() && text[whole + 1 + fraction] >= '0' &&
               text[whole + 1 + fraction] <= '9')
            ++fraction;
        if (whole + 1 + fraction != text.size()) return std::nullopt;
    } else if (whole != text.size()) {
        return std::nullopt;
    }
    if (whole + fraction == 0 || whole > 6 || fraction > static_cast<size_t>(decimals))
        return std::nullopt;
    return TextToDouble(text);
}

bool IsWeightCell(int cell) {
    return cell >= 2 && cell % 2 == 0;
}

}  // namespace

std::string RoutineNumberText(int n) {
    return n == 0 ? std::string() : IntToText(n);
}

std::string RoutineWeightText(double weight) {
    return weight == 0 ? std::string() : TypedDecimalText(weight, 2);
}

RoutineGridTexts GridTexts(const RoutineRow& row) {
    RoutineGridTexts t;
    t[0] = row.exercise;
    t[1] = RoutineNumberText(row.sets);
    for (int i = 0; i < 4; ++i) {
        t[2 + 2 * i] = RoutineWeightText(row.weight[i]);
        t[3 + 2 * i] = RoutineNumberText(row.reps[i]);
    }
    return t;
}

std::string RoutineCellName(int cell) {
    if (cell == 0) return "Exercise";
    if (cell == 1) return "Sets";
    return std::string(IsWeightCell(cell) ? "Wt " : "Reps ") + IntToText((cell - 2) / 2 + 1);
}

RoutineReading ReadGridTexts(const RoutineGridTexts& t) {
    RoutineReading reading;
    RoutineRow row;
    row.exercise = TrimBlanks(t[0]);
    for (int cell = 1; cell < kRoutineGridColumns; ++cell) {
        const std::string text = TrimBlanks(t[static_cast<size_t>(cell)]);
        const bool weight = IsWeightCell(cell);
        const std::optional<double> value =
            text.empty() ? std::optional<double>(0.0) : ReadPlainNumber(text, weight ? 2 : 0);
        if (!value) {
            reading.badCell = cell;
            reading.message = RoutineCellName(cell) +
                              (weight ? " must be a weight such as 62.5 (at most two decimals)"
                                      : " must be a whole number") +
                              ", not \"" + text + "\" !!";
            return reading;
        }
        if (cell == 1)
            row.sets = static_cast<int>(*value);
        else if (weight)
            row.weight[(cell - 2) / 2] = *value;
        else
            row.reps[(cell - 3) / 2] = static_cast<int>(*value);
    }
    reading.row = std::move(row);
    return reading;
}

std::string RoutineCellText(const RoutineRow& row, int column) {
    if (column == 0) return row.exercise;
    if (column == 1) return RoutineNumberText(row.sets);
    if (column < 2 || column >= kRoutineCellColumns) return {};
    const double weight = row.weight[column - 2];
    const int reps = row.reps[column - 2];
    if (weight != 0 && reps != 0) return RoutineWeightText(weight) + "-" + IntToText(reps);
    return weight != 0 ? RoutineWeightText(weight) : RoutineNumberText(reps);
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
        if (TrimBlanks(cells[0]).empty()) {
            error = "You must enter an exercise !!";
            return std::nullopt;
        }
        RoutineReading reading = ReadGridTexts(cells);
        if (!reading.row) {
            error = TrimBlanks(cells[0]) + ": " + reading.message;
            return std::nullopt;
        }
        rows.push_back(std::move(*reading.row));
    }
    return rows;
}

}  // namespace kivrun
