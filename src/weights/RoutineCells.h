#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "store/Rows.h"

namespace kivrun {

class CDate;

// How a routine row reads. The grid shows ten cells (exercise, sets, four weight and reps
// pairs), each number empty when 0; the entry view and the printout show six (exercise,
// sets, and each pair as "weight-reps", or the one number of the two that is not 0).
constexpr int kRoutineGridColumns = 10;
constexpr int kRoutineCellColumns = 6;
using RoutineGridTexts = std::array<std::string, kRoutineGridColumns>;

struct RoutineGridColumn {
    const char* heading;
    int width;  // pixels at the dialog's font
    bool right;
};
// "Exercise", "Sets", then "Wt" and "Reps" four times.
const std::array<RoutineGridColumn, kRoutineGridColumns>& RoutineGridColumnsOf();

// Sets and repetitions as the grid shows them: empty for 0.
std::string RoutineNumberText(int n);
// A weight as the grid, the entry view, the printout and the HTML page show it: empty for 0,
// else with the decimals it has ("62.5", "61.25", "100").
std::string RoutineWeightText(double weight);
RoutineGridTexts GridTexts(const RoutineRow& row);

// How messages name a grid cell: "Exercise", "Sets", "Wt 1", "Reps 1" ... "Reps 4".
std::string RoutineCellName(int cell);

// The ten texts read as a row, or why not. Empty number cells are 0; sets and repetitions
// are whole numbers, weights numbers with at most two decimals. Nothing is read "as far as
// it goes": "62,5" or "12kg" is refused rather than kept as 625 or 12.
struct RoutineReading {
    std::optional<RoutineRow> row;
    int badCell = -1;     // the cell refused, by its index in the texts
    std::string message;  // names the cell and what it holds
};
RoutineReading ReadGridTexts(const RoutineGridTexts& texts);

// Column 0..5 of the six-cell form.
std::string RoutineCellText(const RoutineRow& row, int column);

// The printout: its column titles and width fractions, and a row's texts (the exercise,
// then every non-empty cell in parentheses).
struct RoutinePrintColumn {
    const char* title;
    double fraction;
};
const std::array<RoutinePrintColumn, kRoutineCellColumns>& RoutinePrintColumnsOf();
std::array<std::string, kRoutineCellColumns> RoutinePrintTexts(const RoutineRow& row);
// The printout's heading: the workout's day and sport ("Routine for Monday, Dec 7, 2026
// (Weights)"), or for a routine without a workout the template's name.
std::string RoutineHeading(const CDate& day, const std::string& sportName);
std::string TemplateHeading(const std::string& templateName);

// A routine written as text for scripts: rows separated by ';', the ten cells of a row by
// ','; missing cells are empty. Nullopt with the reason in error when a row has more than
// ten cells, no exercise, or a cell the grid would refuse.
std::optional<std::vector<RoutineRow>> ParseRoutineText(const std::string& text,
                                                        std::string& error);

}  // namespace kivrun
