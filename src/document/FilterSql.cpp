// The SQL of FilteredSetQuery, in the log's dialect.

#include <algorithm>
#include <string>

#include "document/FilterDetail.h"
#include "document/FilterState.h"
#include "store/JetSql.h"
#include "store/Rows.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

using filter_detail::FiniteOrZero;
using filter_detail::InYear;
using filter_detail::LetterIndex;

// Years a date literal can carry. They bound the repeated range of a damaged or
// hand-made state, which could otherwise ask for billions of pieces.
constexpr int kFirstLiteralYear = 100;
constexpr int kLastLiteralYear = 9999;

std::string DateLiteral(const CDate& date) {
    return "#" + date.Format(1) + "#";
}

std::string N0(double value) {
    return FormatNumber(FiniteOrZero(value), 0, true, true);
}

std::string N1(double value) {
    return FormatNumber(FiniteOrZero(value), 1, true, true);
}

std::string DatePart(const FilterState& state) {
    const std::string column = "([Log Entry].Date)";
    if (!state.dateOn) return column + " Like '*')";
    switch (state.dateOp) {
        case FilterState::kAfter:
            return column + " >= " + DateLiteral(state.date1) + ")";
        case FilterState::kOn:
            return column + " = " + DateLiteral(state.date1) + ")";
        case FilterState::kBefore:
            return column + " <= " + DateLiteral(state.date1) + ")";
        case FilterState::kBetween:
            break;
        default:
            return column + " Like '*')";
    }
    if (!state.repeatAllYears) {
        return column + " Between " + DateLiteral(state.date1) + " And " +
               DateLiteral(state.date2) + ")";
    }
    int first = std::max(state.date1.Year(), kFirstLiteralYear);
    int last = std::min(state.date2.Year(), kLastLiteralYear);
    if (first > last) first = last = state.date1.Year();
    std::string sql;
    for (int year = first; year <= last; ++year) {
        if (year != first) sql += " Or ";
        sql += column + " Between " + DateLiteral(InYear(state.date1, year)) + " And " +
               DateLiteral(InYear(state.date2, year));
    }
    return sql + ")";
}

// One " Or " group over the ticked letters, in the catalog's order; nothing when none is
// ticked.
template <class Item>
std::string LetterGroup(const std::vector<Item>& items, const std::array<bool, 26>& flags,
                        const std::string& comparison) {
    std::string sql;
    for (const Item& item : items) {
        const auto index = LetterIndex(item.abbrev);
        if (!index || !flags[*index]) continue;
        sql += sql.empty() ? " AND (" : " Or ";
        sql += comparison + item.abbrev + "'";
    }
    return sql.empty() ? sql : sql + ")";
}

std::string ValuePart(const std::string& column, int op, const std::string& first,
                      const std::string& second) {
    const std::string start = " AND (([Log Entry]." + column + ")";
    switch (op) {
        case FilterState::kGreater:
            return start + " >= " + first + ")";
        case FilterState::kEqual:
            return start + " = " + first + ")";
        case FilterState::kLess:
            return start + " <= " + first + ")";
        case FilterState::kBetween:
            return start + " Between " + first + " And " + second + ")";
        default:
            return {};
    }
}

// The text goes into a double-quoted literal with its quotes doubled; for Contains its
// wildcard characters are made literal, so the user's text is matched as typed.
std::string TextPart(const std::string& column, int op, const std::string& text) {
    const std::string start = " AND (([Log Entry]." + column + ")";
    switch (op) {
        case FilterState::kMatches:
            return start + " = " + jetsql::DoubleQuote(text) + ")";
        case FilterState::kContains:
            return start + " Like " + jetsql::DoubleQuote("*" + jetsql::LikeEscape(text) + "*") +
                   ")";
        default:
            return {};
    }
}

}  // namespace

std::string BuildFilterSql(const FilterState& state, const Catalog& catalog,
                           const std::string& dateSort) {
    const std::string sort = dateSort == "DESC" ? " ORDER BY [Date] DESC, [EntryID] DESC"
                                                : " ORDER BY [Date], [EntryID]";
    std::string sql = "SELECT * FROM [Log Entry]";
    if (state.showAll) return sql + sort;

    sql += " WHERE ((" + DatePart(state);
    sql += LetterGroup(catalog.sports, state.sports, "([Log Entry].SptAbbrev)='");
    sql += LetterGroup(catalog.classes, state.classes, "([Log Entry].TrainingTypeAbbrev)='");
    if (state.distanceOn) {
        sql += ValuePart("Distance", state.distanceOp, N0(state.distance1), N0(state.distance2));
    }
    if (state.paceOn) {
        sql += ValuePart("Pace", state.paceOp, N1(state.pace1), N1(state.pace2));
    }
    if (state.timeOn) {
        sql += ValuePart("Time", state.timeOp, N0(state.time1.TotalSeconds()),
                         N0(state.time2.TotalSeconds()));
    }
    if (state.routeOn) sql += TextPart("Route", state.routeOp, state.route);
    if (state.notesOn) sql += TextPart("Notes", state.notesOp, state.notes);
    if (!state.equipment.empty()) {
        std::string ids;
        for (RowId id : state.equipment)
            ids += (ids.empty() ? "" : ",") + IntToText(id);
        sql +=
            " AND (([Log Entry].EntryID) In (SELECT EntryID FROM [Equipment Use] WHERE "
            "EquipmentID In (" +
            ids + ")))";
    }
    return sql + ")" + sort;
}

}  // namespace kivrun
