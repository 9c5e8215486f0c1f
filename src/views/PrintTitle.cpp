#include "views/PrintTitle.h"

#include <array>
#include <vector>

#include "document/FilterState.h"
#include "store/Rows.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

template <class Item>
std::string TickedNames(const std::vector<Item>& items, const std::array<bool, 26>& flags) {
    std::string names;
    for (const Item& item : items) {
        if (item.abbrev.size() != 1 || item.abbrev[0] < 'A' || item.abbrev[0] > 'Z') continue;
        if (!flags[static_cast<std::size_t>(item.abbrev[0] - 'A')]) continue;
        if (!names.empty()) names += ", ";
        names += item.name;
    }
    return names;
}

std::string Compared(const char* what, int op, const std::string& first,
                     const std::string& second) {
    switch (op) {
        case FilterState::kGreater:
            return std::string(what) + " at least " + first;
        case FilterState::kEqual:
            return std::string(what) + " " + first;
        case FilterState::kLess:
            return std::string(what) + " at most " + first;
        case FilterState::kBetween:
            return std::string(what) + " between " + first + " and " + second;
        default:
            return {};
    }
}

std::string DateText(const FilterState& f) {
    if (!f.dateOn) return {};
    switch (f.dateOp) {
        case FilterState::kAfter:
            return "date on or after " + f.date1.Format(1);
        case FilterState::kOn:
            return "date " + f.date1.Format(1);
        case FilterState::kBefore:
            return "date on or before " + f.date1.Format(1);
        case FilterState::kBetween:
            return "date between " + f.date1.Format(1) + " and " + f.date2.Format(1) +
                   (f.repeatAllYears ? " every year" : "");
        default:
            return {};
    }
}

std::string PaceText(const FilterState& f, double pace) {
    return f.paceAsTime ? CElapsedTime::FromSeconds(pace).Format(3)
                        : FormatNumber(pace, 1, true, true);
}

std::string TextCriterion(const char* what, bool on, int op, const std::string& text) {
    if (!on) return {};
    return std::string(what) + (op == FilterState::kContains ? " contains \"" : " is \"") + text +
           "\"";
}

}  // namespace

std::string FilterDescription(const FilterState& f, const Catalog& catalog) {
    if (f.showAll) return "All workouts";
    std::vector<std::string> parts = {
        TickedNames(catalog.sports, f.sports),
        TickedNames(catalog.classes, f.classes),
        DateText(f),
        f.distanceOn ? Compared("distance", f.distanceOp, FormatNumber(f.distance1, 1, true, true),
                                FormatNumber(f.distance2, 1, true, true))
                     : std::string(),
        f.timeOn ? Compared("time", f.timeOp, f.time1.Format(5), f.time2.Format(5)) : std::string(),
        f.paceOn ? Compared("pace", f.paceOp, PaceText(f, f.pace1), PaceText(f, f.pace2))
                 : std::string(),
        TextCriterion("route", f.routeOn, f.routeOp, f.route),
        TextCriterion("notes", f.notesOn, f.notesOp, f.notes),
    };
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += "; ";
        text += part;
    }
    return text.empty() ? "All workouts" : text;
}

std::string LogPrintTitle(const std::string& logPath, const FilterState& filter,
                          const Catalog& catalog) {
    const std::size_t slash = logPath.find_last_of("/\\");
    const std::string name = slash == std::string::npos ? logPath : logPath.substr(slash + 1);
    return name + " \u2014 " + FilterDescription(filter, catalog);
}

}  // namespace kivrun
