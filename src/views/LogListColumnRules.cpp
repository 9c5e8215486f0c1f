#include "views/LogListColumnRules.h"

#include <algorithm>

namespace kivrun {

std::optional<FormatMenu> FormatMenuOf(int columnId) {
    switch (columnId) {
        case LogListCells::kTime:
            // Each width holds its form of a long workout.
            return FormatMenu{"&Time Format",
                              {{"HMM\t1:08", {0, 45, {}, {}}},
                               {"HMMSS\t1:08:06", {1, 65, {}, {}}},
                               {"HMMSSSS\t1:08:06.58", {2, 85, {}, {}}},
                               {"MSS\t68:06", {3, 60, {}, {}}},
                               {"MSSSS\t68:06.58", {4, 85, {}, {}}}}};
        case LogListCells::kSport:
            return FormatMenu{"&Sport Format",
                              {{"Full Name", {0, 85, 0, "Sport"}},
                               {"Abbreviation", {1, 25, 2, "S"}},
                               {"Icon", {2, 25, 2, "S"}}}};
        case LogListCells::kClass:
            return FormatMenu{
                "&Class Format",
                {{"Full Name", {0, 85, 0, "Class"}}, {"Abbreviation", {1, 25, 2, "C"}}}};
        default:
            return std::nullopt;
    }
}

std::vector<InsertChoice> InsertColumnChoices(const std::vector<ListColumn>& all) {
    std::vector<InsertChoice> choices;
    for (int id = LogListCells::kSport; id <= LogListCells::kNotes; ++id) {
        const auto row =
            std::find_if(all.begin(), all.end(), [id](const ListColumn& c) { return c.id == id; });
        if (row == all.end()) continue;
        std::string text;
        switch (id) {
            case LogListCells::kSport:
                text = "Sport";
                break;
            case LogListCells::kClass:
                text = "Class";
                break;
            case LogListCells::kDistance:
                text = "Distance";
                break;
            case LogListCells::kTime:
                text = "Time";
                break;
            case LogListCells::kPace:
                text = "Pace";
                break;
            case LogListCells::kRoute:
                text = "Route";
                break;
            case LogListCells::kNotes:
                text = "Notes";
                break;
            default:
                // The optional fields go by the names the user gave them.
                text = row->fieldName.empty() ? row->label : row->fieldName;
                break;
        }
        choices.push_back({id, text});
    }
    return choices;
}

bool CanHideColumn(int columnId, int visibleCount) {
    return columnId != LogListCells::kDate && visibleCount > kFewestVisibleColumns;
}

RouteNotesWidths SplitRemainder(int remaining, bool hasRoute, bool hasNotes, int minimum) {
    RouteNotesWidths w;
    if (hasRoute && hasNotes) {
        w.route = static_cast<int>(0.4 * remaining);
        w.notes = remaining - w.route;
    } else if (hasRoute) {
        w.route = remaining;
    } else if (hasNotes) {
        w.notes = remaining;
    }
    if (hasRoute) w.route = std::max(w.route, minimum);
    if (hasNotes) w.notes = std::max(w.notes, minimum);
    return w;
}

std::string WidestCellSample(int columnId, int format) {
    switch (columnId) {
        case LogListCells::kDistance:
            return "99999m";
        case LogListCells::kTime: {
            static const char* const forms[] = {"9:08", "9:08:06", "9:08:06.58", "68:06",
                                                "68:06.58"};
            return forms[format >= 0 && format < 5 ? format : 1];
        }
        case LogListCells::kPace:
            return "10:00";
        case LogListCells::kOptionalOne:
        case LogListCells::kOptionalTwo:
            return "999.5";
        default:
            return {};
    }
}

std::string DeleteItemText(std::size_t selectedRows) {
    return selectedRows > 1 ? "De&lete Entries\tDel" : "De&lete Entry\tDel";
}

std::string DeleteQuestion(std::size_t selectedRows) {
    return selectedRows > 1 ? "Delete Selected Entries ?\n\nThis CANNOT be undone !!"
                            : "Are you sure you want to delete this entry?";
}

}  // namespace kivrun
