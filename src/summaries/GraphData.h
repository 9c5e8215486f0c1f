#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "summaries/GraphLayout.h"
#include "summaries/GraphSettings.h"
#include "values/Date.h"

namespace kivrun {

class CTamselDoc;

// A log has at most 26 sports, one per letter A..Z; a sport's slot is its letter's place.
constexpr int kSportSlots = 26;
// -1 for an abbreviation that is not a capital letter.
int SportSlot(std::string_view abbrev);

// Totals of one sport, or of all sports, over a period.
struct GraphCell {
    double distance = 0;  // in the grand-total distance unit
    double seconds = 0;
    // The time of the workouts that have a distance: what a pace is measured over.
    double secondsWithDistance = 0;
    long workouts = 0;

    GraphCell& operator+=(const GraphCell& other);
    friend bool operator==(const GraphCell&, const GraphCell&) = default;
};

struct GraphPeriod {
    GraphCell all;
    std::array<GraphCell, kSportSlots> sports{};

    GraphPeriod& operator+=(const GraphPeriod& other);
};

// --- Periods --------------------------------------------------------------------------------
// A week starts on the program's week start day, a month on its first day, a year on
// 1 January.
CDate PeriodStart(const CDate& day, TotalsGrouping grouping);
// The period n periods after (before, for negative n) the one starting on first.
CDate PeriodAfter(const CDate& first, TotalsGrouping grouping, int n = 1);
// How many periods the one starting on `to` lies after the one starting on `from`.
int PeriodsBetween(const CDate& from, const CDate& to, TotalsGrouping grouping);
// Running totals start again with each year; a week belongs to the year whose 1 January it
// holds, as the totals number their weeks. Year totals run on from the first workout.
int CumulativeYear(const CDate& first, TotalsGrouping grouping);
// Under the horizontal axis: "12/28/20", "Jan 2021", "2021".
std::string PeriodAxisLabel(const CDate& first, TotalsGrouping grouping);
// Over a period's values: "12/28/20 - 1/03/21", "January 2021", "2021".
std::string PeriodHeading(const CDate& first, TotalsGrouping grouping);

// --- Values ---------------------------------------------------------------------------------
// The grand-total units of the log (GrandTotalUnits, GrandTotalPace).
struct GraphUnits {
    int distance = 0;
    int pace = 0;
    std::string distanceShortName;  // "K", written after a distance on the axis
};
struct GraphValue {
    double value = 0;
    std::string text;
};
// Distance with a decimal, time as H:MM, workouts whole, pace in the grand-total pace unit
// (a speed with a decimal, a time pace as M:SS). A pace needs both distance and time: without
// either it is 0 with an empty text.
GraphValue CellValue(const GraphCell& cell, GraphQuantity quantity, const GraphUnits& units);
// How the vertical axis of a quantity reads.
AxisForm AxisFormOf(GraphQuantity quantity, const GraphUnits& units);
// A gridline's value as text, in the quantity's own form: distances with their unit ("250K"),
// times as H:MM, workouts whole, paces as the pace unit writes them.
std::string AxisValueText(double value, GraphQuantity quantity, const GraphUnits& units);

struct GraphSport {
    int slot = 0;
    std::string name;
};

// The filtered workouts summed per period and sport, for every grouping. One statement reads
// the whole filtered set, summed per day and sport as it comes; periods are summed from the days
// when a grouping is first asked for and kept by their first day, so regrouping and running totals
// read nothing more.
class CGraphData {
  public:
    void Gather(CTamselDoc& doc);
    // Reads the given days again (where changed workouts were and are), keeps the rest.
    void RegatherDays(CTamselDoc& doc, const std::vector<CDate>& days);

    bool Empty() const { return days_.empty(); }
    std::optional<CDate> FirstDay() const;
    std::optional<CDate> LastDay() const;
    // Periods from the first workout's to the last workout's; 0 when there are none.
    int PeriodCount(TotalsGrouping grouping) const;
    // The period starting on first; with cumulative, its running total. None gathered: zero.
    const GraphPeriod& Period(TotalsGrouping grouping, const CDate& first, bool cumulative);

    const GraphUnits& Units() const { return units_; }
    const std::string& DistanceUnitName() const { return distanceUnitName_; }
    const std::string& PaceUnitName() const { return paceUnitName_; }
    // The log's sports that have workouts here, in the log's order of sports.
    const std::vector<GraphSport>& Sports() const { return shown_; }
    // Statements run so far (regrouping must run none).
    int Reads() const { return reads_; }

  private:
    struct SportCell {
        int slot;
        GraphCell cell;
    };
    using Periods = std::map<CDate, GraphPeriod>;

    void ReadUnits(CTamselDoc& doc);
    void ReadDays(CTamselDoc& doc, const std::optional<CDate>& only);
    void Invalidate();
    void FindShownSports();
    const Periods& PeriodsOf(TotalsGrouping grouping);
    const Periods& RunningOf(TotalsGrouping grouping);

    std::map<CDate, std::vector<SportCell>> days_;
    std::array<std::optional<Periods>, 3> periods_;
    std::array<std::optional<Periods>, 3> running_;
    // The log's lettered sports and their distance units, by slot.
    std::array<bool, kSportSlots> known_{};
    std::array<int, kSportSlots> distanceUnits_{};
    std::vector<GraphSport> sports_;  // every lettered sport of the log, in its order
    std::vector<GraphSport> shown_;
    GraphUnits units_;
    std::string distanceUnitName_;
    std::string paceUnitName_;
    int reads_ = 0;
};

}  // namespace kivrun
