#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "store/Rows.h"
#include "values/Date.h"
#include "values/ElapsedTime.h"

namespace kivrun {

struct Catalog;

// Which workouts the log shows. One per open log; kept in the log as the preference
// "StateFilterToolBar" between sessions.
struct FilterState {
    enum DateOp { kNone = -1, kAfter = 0, kOn = 1, kBefore = 2, kBetween = 3 };
    enum ValueOp { kGreater = 0, kEqual = 1, kLess = 2 };  // and kBetween (3), kNone (-1)
    enum TextOp { kMatches = 0, kContains = 1 };

    FilterState();

    bool showAll = true;
    std::array<bool, 26> sports{};   // by abbreviation letter, 'A' first
    std::array<bool, 26> classes{};  // by class letter
    bool dateOn = false;
    bool distanceOn = false;
    bool timeOn = false;
    bool paceOn = false;
    bool routeOn = false;
    bool notesOn = false;
    bool repeatAllYears = false;
    int dateOp = kNone;
    CDate date1;  // never after date2
    CDate date2;
    int distanceOp = kNone;
    double distance1 = 0.0;
    double distance2 = 0.0;
    int timeOp = kNone;
    CElapsedTime time1;
    CElapsedTime time2;
    int paceOp = kNone;
    double pace1 = 0.0;  // a speed, or seconds per unit for time paces
    double pace2 = 0.0;
    bool paceAsTime = false;
    int routeOp = kMatches;
    int notesOp = kMatches;
    std::string route;
    std::string notes;
    // Workouts that used any of these items (EquipmentIDs); empty: equipment is no criterion.
    std::vector<RowId> equipment;
    bool changed = false;  // the user touched Show All since the last Update

    // The saved text form, and back. Reading an empty or damaged text gives what could be
    // read, the rest initial.
    std::string Save() const;
    static FilterState Restore(const std::string& text);

    // Whether any of date, distance, time, pace, route and notes is on.
    bool AnyCriterion() const;
    // The pickers push each other so that date1 <= date2.
    void SetFirstDate(const CDate& date);
    void SetSecondDate(const CDate& date);
    // "Repeat Date Range for all Years": first and last year of the log's entries.
    void WidenToYears(int firstYear, int lastYear);
};

// The SQL of FilteredSetQuery for a state, in the log's dialect. The catalog's sports and
// classes are walked in their order; dateSort is the "DateSort" preference.
std::string BuildFilterSql(const FilterState& state, const Catalog& catalog,
                           const std::string& dateSort);

// An item of the log as the filter bar's equipment list offers it.
struct FilterBarItem {
    RowId id = 0;
    std::string name;
    bool ticked = false;
    bool operator==(const FilterBarItem&) const = default;
};

// What the filter bar's controls hold.
struct FilterBarValues {
    bool showAll = true;
    std::vector<std::pair<std::string, bool>> sports;   // name, ticked; in sport order
    std::vector<std::pair<std::string, bool>> classes;  // name, ticked; in class order
    bool dateOn = false, distanceOn = false, timeOn = false, paceOn = false;
    bool routeOn = false, notesOn = false, repeatAllYears = false;
    int dateOp = -1, distanceOp = -1, timeOp = -1, paceOp = -1, routeOp = 0, notesOp = 0;
    CDate date1, date2;
    std::string distance1, distance2, time1, time2, pace1, pace2, route, notes;
    std::vector<FilterBarItem> equipment;  // the log's items by name; none ticked: any
};

// Fills the bar's values from the state (sports and classes listed from the catalog, the
// equipment from the log's items).
FilterBarValues StateToBar(const FilterState& state, const Catalog& catalog,
                           const std::vector<FilterBarItem>& items = {});
// Reads the bar's values into the state (names looked up in the catalog). The equipment
// criterion is the items ticked in the bar's list: an item the list does not hold is gone.
void BarToState(const FilterBarValues& bar, FilterState& state, const Catalog& catalog);

}  // namespace kivrun
