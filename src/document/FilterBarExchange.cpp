// Data exchange between the filter state and the filter bar's controls.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "document/FilterDetail.h"
#include "document/FilterState.h"
#include "store/Rows.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

using filter_detail::FiniteOrZero;
using filter_detail::LetterIndex;
using filter_detail::ValidOp;

std::string NumberText(double value) {
    return FormatNumber(value, 1, true, true);
}

std::string PaceText(double pace, bool asTime) {
    return asTime ? CElapsedTime::FromSeconds(pace).Format(3) : NumberText(pace);
}

// A pace box holds minutes and seconds ("7:30") or a number. Returns whether it was a time.
bool ReadPace(const std::string& text, double& pace) {
    if (text.find(':') != std::string::npos && CElapsedTime::Validate(text) == 1) {
        pace = CElapsedTime(":" + text).TotalSeconds();
        return true;
    }
    pace = FiniteOrZero(TextToDouble(text));
    return false;
}

// The bar refuses an invalid time when the box is left, so one that gets here anyway
// leaves the state as it was.
void ReadTime(const std::string& text, CElapsedTime& time) {
    if (CElapsedTime::Validate(text) != 0) time = CElapsedTime::FromUserText(text);
}

template <class Item>
std::vector<std::pair<std::string, bool>> Ticks(const std::vector<Item>& catalog,
                                                const std::array<bool, 26>& flags) {
    std::vector<std::pair<std::string, bool>> items;
    for (const Item& item : catalog) {
        const auto index = LetterIndex(item.abbrev);
        items.emplace_back(item.name, index && flags[*index]);
    }
    return items;
}

// Names are looked up in the catalog; the first item of a name decides, as a search would.
template <class Item>
void ReadTicks(const std::vector<std::pair<std::string, bool>>& items,
               const std::vector<Item>& catalog, std::array<bool, 26>& flags) {
    for (const auto& [name, ticked] : items) {
        const auto it = std::find_if(catalog.begin(), catalog.end(),
                                     [&](const Item& c) { return c.name == name; });
        if (it == catalog.end()) continue;
        if (const auto index = LetterIndex(it->abbrev)) flags[*index] = ticked;
    }
}

int ValueOp(int op) {
    return ValidOp(op, FilterState::kGreater, FilterState::kBetween, FilterState::kNone);
}

int TextOp(int op) {
    return ValidOp(op, FilterState::kMatches, FilterState::kContains, FilterState::kMatches);
}

}  // namespace

FilterBarValues StateToBar(const FilterState& state, const Catalog& catalog,
                           const std::vector<FilterBarItem>& items) {
    FilterBarValues bar;
    bar.showAll = state.showAll;
    bar.sports = Ticks(catalog.sports, state.sports);
    bar.classes = Ticks(catalog.classes, state.classes);
    bar.dateOn = state.dateOn;
    bar.distanceOn = state.distanceOn;
    bar.timeOn = state.timeOn;
    bar.paceOn = state.paceOn;
    bar.routeOn = state.routeOn;
    bar.notesOn = state.notesOn;
    bar.repeatAllYears = state.repeatAllYears;
    bar.dateOp = state.dateOp;
    bar.distanceOp = state.distanceOp;
    bar.timeOp = state.timeOp;
    bar.paceOp = state.paceOp;
    bar.routeOp = state.routeOp;
    bar.notesOp = state.notesOp;
    bar.date1 = state.date1;
    bar.date2 = state.date2;
    bar.distance1 = NumberText(state.distance1);
    bar.distance2 = NumberText(state.distance2);
    bar.time1 = state.time1.Format(5);
    bar.time2 = state.time2.Format(5);
    bar.pace1 = PaceText(state.pace1, state.paceAsTime);
    bar.pace2 = PaceText(state.pace2, state.paceAsTime);
    bar.route = state.route;
    bar.notes = state.notes;
    bar.equipment = items;
    for (FilterBarItem& item : bar.equipment)
        item.ticked = std::find(state.equipment.begin(), state.equipment.end(), item.id) !=
                      state.equipment.end();
    return bar;
}

void BarToState(const FilterBarValues& bar, FilterState& state, const Catalog& catalog) {
    state.showAll = bar.showAll;
    ReadTicks(bar.sports, catalog.sports, state.sports);
    ReadTicks(bar.classes, catalog.classes, state.classes);
    state.dateOn = bar.dateOn;
    state.distanceOn = bar.distanceOn;
    state.timeOn = bar.timeOn;
    state.paceOn = bar.paceOn;
    state.routeOn = bar.routeOn;
    state.notesOn = bar.notesOn;
    state.repeatAllYears = bar.repeatAllYears;
    state.dateOp =
        ValidOp(bar.dateOp, FilterState::kAfter, FilterState::kBetween, FilterState::kNone);
    state.distanceOp = ValueOp(bar.distanceOp);
    state.timeOp = ValueOp(bar.timeOp);
    state.paceOp = ValueOp(bar.paceOp);
    state.routeOp = TextOp(bar.routeOp);
    state.notesOp = TextOp(bar.notesOp);
    state.SetFirstDate(bar.date1);
    state.SetSecondDate(bar.date2);
    state.distance1 = FiniteOrZero(TextToDouble(bar.distance1));
    state.distance2 = FiniteOrZero(TextToDouble(bar.distance2));
    ReadTime(bar.time1, state.time1);
    ReadTime(bar.time2, state.time2);
    state.paceAsTime = ReadPace(bar.pace1, state.pace1);
    ReadPace(bar.pace2, state.pace2);
    state.route = bar.route;
    state.notes = bar.notes;
    state.equipment.clear();
    for (const FilterBarItem& item : bar.equipment)
        if (item.ticked) state.equipment.push_back(item.id);
}

}  // namespace kivrun
