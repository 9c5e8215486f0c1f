#include "summaries/GraphData.h"

#include <algorithm>
#include <cmath>

#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

const GraphPeriod kNoPeriod{};

std::string DecimalText(double value) {
    return FormatDisplayNumber(value, 1, true, true);
}

}  // namespace

int SportSlot(std::string_view abbrev) {
    if (abbrev.size() != 1 || abbrev[0] < 'A' || abbrev[0] > 'Z') return -1;
    return abbrev[0] - 'A';
}

GraphCell& GraphCell::operator+=(const GraphCell& o) {
    distance += o.distance;
    seconds += o.seconds;
    secondsWithDistance += o.secondsWithDistance;
    workouts += o.workouts;
    return *this;
}

GraphPeriod& GraphPeriod::operator+=(const GraphPeriod& o) {
    all += o.all;
    for (int i = 0; i < kSportSlots; ++i)
        sports[static_cast<std::size_t>(i)] += o.sports[static_cast<std::size_t>(i)];
    return *this;
}

// --- Periods --------------------------------------------------------------------------------

CDate PeriodStart(const CDate& day, TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Week:
            return day.FirstDayOfWeek();
        case TotalsGrouping::Month:
            return CDate(day.Month(), 1, day.Year());
        case TotalsGrouping::Year:
            break;
    }
    return CDate(1, 1, day.Year());
}

CDate PeriodAfter(const CDate& first, TotalsGrouping grouping, int n) {
    switch (grouping) {
        case TotalsGrouping::Week:
            return first.AddDays(7 * n);
        case TotalsGrouping::Month: {
            const long months = first.Year() * 12L + (first.Month() - 1) + n;
            const long year = months >= 0 ? months / 12 : (months - 11) / 12;
            return CDate(static_cast<int>(months - year * 12) + 1, 1, static_cast<int>(year));
        }
        case TotalsGrouping::Year:
            break;
    }
    return CDate(1, 1, first.Year() + n);
}

int PeriodsBetween(const CDate& from, const CDate& to, TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Week: {
            const int weeks = CDate::DaysBetween(from, to) / 7;
            return to < from ? -weeks : weeks;
        }
        case TotalsGrouping::Month:
            return (to.Year() - from.Year()) * 12 + to.Month() - from.Month();
        case TotalsGrouping::Year:
            break;
    }
    return to.Year() - from.Year();
}

int CumulativeYear(const CDate& first, TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Week:
            return first.AddDays(6).Year();
        case TotalsGrouping::Month:
            return first.Year();
        case TotalsGrouping::Year:
            break;
    }
    return 0;
}

std::string PeriodAxisLabel(const CDate& first, TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Week:
            return first.Format(0);
        case TotalsGrouping::Month:
            return CDate::MonthName(first.Month()).substr(0, 3) + " " +
                   std::to_string(first.Year());
        case TotalsGrouping::Year:
            break;
    }
    return std::to_string(first.Year());
}

std::string PeriodHeading(const CDate& first, TotalsGrouping grouping) {
    switch (grouping) {
        case TotalsGrouping::Week:
            return first.Format(0) + " - " + first.AddDays(6).Format(0);
        case TotalsGrouping::Month:
            return first.Format(3);
        case TotalsGrouping::Year:
            break;
    }
    return std::to_string(first.Year());
}

// --- Values ---------------------------------------------------------------------------------

GraphValue CellValue(const GraphCell& cell, GraphQuantity quantity, const GraphUnits& units) {
    switch (quantity) {
        case GraphQuantity::Distance:
            return {cell.distance, DecimalText(cell.distance)};
        case GraphQuantity::Time:
            return {cell.seconds, CElapsedTime::FromSeconds(cell.seconds).Format(0)};
        case GraphQuantity::Workouts:
            return {static_cast<double>(cell.workouts), std::to_string(cell.workouts)};
        case GraphQuantity::Pace:
            break;
    }
    const double t = cell.secondsWithDistance;
    if (!(cell.distance > 0 && t > 0) || units.pace < 0 || units.pace > 5) return {};
    const double d =
        ConvertDistance(cell.distance, units.distance, ReferenceDistanceUnit(units.pace));
    if (!(d > 0)) return {};
    if (!IsTimePace(units.pace)) {
        const double speed = d / (t / 3600.0);
        return {speed, DecimalText(speed)};
    }
    const bool per100 = units.pace == pace_unit::kMinutesPer100Yards ||
                        units.pace == pace_unit::kMinutesPer100Meters;
    const double pace = per100 ? t / (d * 0.01) : t / d;
    return {pace, CElapsedTime::FromSeconds(pace).Format(3)};
}

AxisForm AxisFormOf(GraphQuantity quantity, const GraphUnits& units) {
    switch (quantity) {
        case GraphQuantity::Time:
            return AxisForm::Hours;
        case GraphQuantity::Workouts:
            return AxisForm::Count;
        case GraphQuantity::Pace:
            return IsTimePace(units.pace) ? AxisForm::MinutesSeconds : AxisForm::Decimal;
        case GraphQuantity::Distance:
            break;
    }
    return AxisForm::Decimal;
}

std::string AxisValueText(double value, GraphQuantity quantity, const GraphUnits& units) {
    switch (AxisFormOf(quantity, units)) {
        case AxisForm::Hours:
            return CElapsedTime::FromSeconds(value).Format(0);
        case AxisForm::MinutesSeconds:
            return CElapsedTime::FromSeconds(value).Format(3);
        case AxisForm::Count:
            return FormatDisplayNumber(value, 0, false, true);
        case AxisForm::Decimal:
            break;
    }
    const std::string number = FormatDisplayNumber(value, 1, false, true);
    return quantity == GraphQuantity::Distance ? number + units.distanceShortName : number;
}

// --- Gathering ------------------------------------------------------------------------------

void CGraphData::Gather(CTamselDoc& doc) {
    days_.clear();
    ReadUnits(doc);
    ReadDays(doc, std::nullopt);
    Invalidate();
}

void CGraphData::RegatherDays(CTamselDoc& doc, const std::vector<CDate>& days) {
    for (const CDate& day : days) {
        days_.erase(day);
        ReadDays(doc, day);
    }
    Invalidate();
}

void CGraphData::ReadUnits(CTamselDoc& doc) {
    units_.distance = TextToInt(doc.Preference("GrandTotalUnits"));
    units_.pace = TextToInt(doc.Preference("GrandTotalPace"));
    const Catalog& catalog = doc.GetCatalog();
    distanceUnitName_.clear();
    paceUnitName_.clear();
    units_.distanceShortName.clear();
    for (const UnitInfo& u : catalog.distanceUnits)
        if (u.id == units_.distance) {
            distanceUnitName_ = u.name;
            units_.distanceShortName = u.shortName;
        }
    for (const UnitInfo& u : catalog.paceUnits)
        if (u.id == units_.pace) paceUnitName_ = u.name;
    known_.fill(false);
    sports_.clear();
    for (const SportInfo& s : catalog.sports) {
        const int slot = SportSlot(s.abbrev);
        if (slot < 0) continue;  // only lettered sports have a place in the graph
        known_[static_cast<std::size_t>(slot)] = true;
        distanceUnits_[static_cast<std::size_t>(slot)] = s.distanceUnit;
        sports_.push_back({slot, s.name});
    }
}

void CGraphData::ReadDays(CTamselDoc& doc, const std::optional<CDate>& only) {
    if (!doc.IsOpen() || doc.FilteredSql().empty()) return;
    ++reads_;
    // The rows are summed here rather than grouped by the engine, which would sort them; in
    // the table's order, which spares the walk of the date index: a day's workouts mostly
    // arrive together, and the map keeps the days in order.
    std::string sql =
        "SELECT Date, SptAbbrev, Distance, Time FROM (" + doc.FilteredSqlAnyOrder() + ")";
    if (only) sql += " WHERE Date >= ?1 AND Date < ?1 + 1";
    SqliteDb& db = doc.Database().sql();
    ReadTransaction tx(db);
    Statement s = db.Prepare(sql);
    if (only) s.Bind(1, only->ToSerial());
    std::string abbrev;
    std::optional<double> day;
    std::vector<SportCell>* cells = nullptr;
    while (s.Step()) {
        s.TextInto(1, abbrev);
        const int slot = SportSlot(abbrev);
        // A workout of a sport the log no longer has is left out, as in the totals.
        if (slot < 0 || !known_[static_cast<std::size_t>(slot)]) continue;
        // Whole days, also for stored dates that carry a time of day.
        const double date = std::floor(s.Real(0));
        if (day != date) {
            day = date;
            cells = &days_[CDate::FromSerial(date)];
        }
        auto cell = std::find_if(cells->begin(), cells->end(),
                                 [slot](const SportCell& c) { return c.slot == slot; });
        if (cell == cells->end()) cell = cells->insert(cells->end(), SportCell{slot, {}});
        const double distance = s.Real(2);
        const double seconds = s.Real(3);
        cell->cell.distance += ConvertDistance(
            distance, distanceUnits_[static_cast<std::size_t>(slot)], units_.distance);
        cell->cell.seconds += seconds;
        if (distance > 0) cell->cell.secondsWithDistance += seconds;
        ++cell->cell.workouts;
    }
}

void CGraphData::Invalidate() {
    for (auto& p : periods_)
        p.reset();
    for (auto& p : running_)
        p.reset();
    FindShownSports();
}

void CGraphData::FindShownSports() {
    std::array<bool, kSportSlots> used{};
    for (const auto& [day, cells] : days_)
        for (const SportCell& c : cells)
            used[static_cast<std::size_t>(c.slot)] = true;
    shown_.clear();
    for (const GraphSport& s : sports_)
        if (used[static_cast<std::size_t>(s.slot)]) shown_.push_back(s);
}

std::optional<CDate> CGraphData::FirstDay() const {
    if (days_.empty()) return std::nullopt;
    return days_.begin()->first;
}

std::optional<CDate> CGraphData::LastDay() const {
    if (days_.empty()) return std::nullopt;
    return days_.rbegin()->first;
}

int CGraphData::PeriodCount(TotalsGrouping grouping) const {
    if (days_.empty()) return 0;
    return PeriodsBetween(PeriodStart(*FirstDay(), grouping), PeriodStart(*LastDay(), grouping),
                          grouping) +
           1;
}

const CGraphData::Periods& CGraphData::PeriodsOf(TotalsGrouping grouping) {
    std::optional<Periods>& periods = periods_[static_cast<std::size_t>(grouping)];
    if (periods) return *periods;
    periods.emplace();
    // Days come in order, so each period is found once and filled from its days.
    auto at = periods->end();
    std::optional<CDate> next;
    for (const auto& [day, cells] : days_) {
        if (!next || !(day < *next)) {
            const CDate first = PeriodStart(day, grouping);
            at = periods->emplace_hint(periods->end(), first, GraphPeriod{});
            next = PeriodAfter(first, grouping);
        }
        for (const SportCell& c : cells) {
            at->second.sports[static_cast<std::size_t>(c.slot)] += c.cell;
            at->second.all += c.cell;
        }
    }
    return *periods;
}

const CGraphData::Periods& CGraphData::RunningOf(TotalsGrouping grouping) {
    std::optional<Periods>& running = running_[static_cast<std::size_t>(grouping)];
    if (running) return *running;
    running.emplace();
    GraphPeriod sum;
    std::optional<int> year;
    for (const auto& [first, period] : PeriodsOf(grouping)) {
        const int y = CumulativeYear(first, grouping);
        if (year != y) sum = GraphPeriod{};
        year = y;
        sum += period;
        running->emplace_hint(running->end(), first, sum);
    }
    return *running;
}

const GraphPeriod& CGraphData::Period(TotalsGrouping grouping, const CDate& first,
                                      bool cumulative) {
    if (!cumulative) {
        const Periods& periods = PeriodsOf(grouping);
        const auto it = periods.find(first);
        return it == periods.end() ? kNoPeriod : it->second;
    }
    // A period without workouts carries the running total of the last one before it.
    const Periods& running = RunningOf(grouping);
    auto it = running.upper_bound(first);
    if (it == running.begin()) return kNoPeriod;
    --it;
    if (CumulativeYear(it->first, grouping) != CumulativeYear(first, grouping)) return kNoPeriod;
    return it->second;
}

}  // namespace kivrun
