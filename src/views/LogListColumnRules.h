#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "views/LogListCells.h"

#include "store/Rows.h"

namespace kivrun {

// The rules of the log list's column menu: the format submenus and what each choice writes
// into the column's settings row, the Insert Column items, and how Route and Notes share
// the width the other columns leave.

struct FormatChoice {
    std::string text;  // "MSS\t68:06": the item, then an example after the tab
    ColumnFormatChange change;
};

// "&Time Format", "&Sport Format" or "&Class Format" with its choices in menu order; none
// for a column that has one format.
struct FormatMenu {
    std::string title;
    std::vector<FormatChoice> choices;
};
std::optional<FormatMenu> FormatMenuOf(int columnId);

// One item of the Insert Column submenu.
struct InsertChoice {
    int columnId = 0;
    std::string text;
};
// Every column but Date that the log has a settings row for, in menu order; the optional
// fields carry the names the user gave them. all: every settings row, by id.
std::vector<InsertChoice> InsertColumnChoices(const std::vector<ListColumn>& all);

// Hide Column leaves at least two columns, and the Date column is never hidden.
constexpr int kFewestVisibleColumns = 2;
bool CanHideColumn(int columnId, int visibleCount);

// Route and Notes share what the other columns leave: Route 40 % (truncated), Notes the
// rest; a single one takes it all. Neither goes below minimum, so a narrow window scrolls
// sideways instead of losing them.
struct RouteNotesWidths {
    int route = 0;
    int notes = 0;
};
RouteNotesWidths SplitRemainder(int remaining, bool hasRoute, bool hasNotes, int minimum);

// A cell text as wide as the column's widest usual one (a five-digit distance with its unit
// letter, a workout of hours), so that a column is never built narrower than its numbers;
// empty for the columns of names and free text.
std::string WidestCellSample(int columnId, int format);

// The Edit menu's delete item, worded for the number of selected rows.
std::string DeleteItemText(std::size_t selectedRows);
// The question asked before deleting that many rows.
std::string DeleteQuestion(std::size_t selectedRows);

}  // namespace kivrun
