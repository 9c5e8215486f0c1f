#include "summaries/TotalsRows.h"

#include <map>

#include "document/TamselDoc.h"
#include "values/Date.h"
#include "values/NumberFormat.h"
#include "values/ProgramState.h"
#include "values/Units.h"
#include "views/LogListCells.h"

namespace kivrun {
namespace {

// The first day of week n of a year: 1 January stepped back to the week's first day,
// then n - 1 weeks on (week 1 holds 1 January, as the totals queries count).
CDate FirstDayOfWeek(int year, int week) {
    return CDate(1, 1, year).FirstDayOfWeek().AddDays(7 * (week - 1));
}

struct Label {
    std::string first;
    std::string second;
};

Label PeriodLabel(TotalsGrouping grouping, int year, int period) {
    switch (grouping) {
        case TotalsGrouping::Week: {
            const CDate first = FirstDayOfWeek(year, period);
            return {first.Format(0) + " -", first.AddDays(6).Format(0)};
        }
        case TotalsGrouping::Month:
            return {CDate::MonthName(period) + ",", std::to_string(year)};
        case TotalsGrouping::Year:
            break;
    }
    return {std::to_string(year), {}};
}

struct SportUnits {
    int distanceUnit = 0;
    std::string shortName;
};

}  // namespace

TotalsResult BuildTotalsRows(CTamselDoc& doc, TotalsGrouping grouping) {
    TotalsResult result;
    // Every entry of the filtered set is counted: its first and last days bound the range.
    const std::optional<CDate> first = doc.FirstEntryDay();
    const std::optional<CDate> last = doc.LastEntryDay();
    if (!first || !last) {
        result.noEntries = true;
        return result;
    }
    static const char* kGroupings[] = {"ww", "m", "yyyy"};
    const std::vector<TotalsRecord> totals =
        doc.GetTotals(*first, *last, kGroupings[static_cast<int>(grouping)]);
    if (totals.empty()) return result;

    // Units: the sports with a distance may not all use one unit; then every distance says
    // which unit it is in.
    const Catalog& catalog = doc.GetCatalog();
    std::map<std::string, SportUnits> sports;
    int firstUnit = -1;
    bool mixed = false;
    for (const SportInfo& s : catalog.sports) {
        sports[s.abbrev] = {s.distanceUnit, s.distanceShortName};
        if (s.distanceUnit == distance_unit::kNone) continue;
        if (firstUnit < 0)
            firstUnit = s.distanceUnit;
        else if (s.distanceUnit != firstUnit)
            mixed = true;
    }
    const int grandUnits = TextToInt(doc.Preference("GrandTotalUnits"));
    std::string grandUnitName;
    if (mixed) {
        for (const UnitInfo& unit : catalog.distanceUnits)
            if (unit.id == grandUnits) grandUnitName = unit.shortName;
    }

    for (std::size_t i = 0; i < totals.size();) {
        const long year = totals[i].year;
        const long period = totals[i].period;
        // The sport lines of this period.
        std::vector<TotalsRow> lines;
        long workouts = 0;
        double distance = 0;
        double seconds = 0;
        for (; i < totals.size() && totals[i].year == year && totals[i].period == period; ++i) {
            const TotalsRecord& t = totals[i];
            TotalsRow row;
            row.text[1] = t.sportName;
            row.text[2] = std::to_string(t.workouts);
            const auto sport = sports.find(t.sport);
            const int unit = sport == sports.end() ? 0 : sport->second.distanceUnit;
            if (t.distance == 0.0) {
                row.text[3] = "--";
            } else {
                row.text[3] = DistanceText(t.distance, unit);
                if (mixed && sport != sports.end()) row.text[3] += sport->second.shortName;
            }
            row.text[4] = CElapsedTime::FromSeconds(t.time).Format(0);
            lines.push_back(std::move(row));
            // A workout of a sport the log no longer has is listed but not totalled.
            if (sport == sports.end()) continue;
            workouts += t.workouts;
            distance += ConvertDistance(t.distance, unit, grandUnits);
            seconds += t.time;
        }
        const Label label = PeriodLabel(grouping, static_cast<int>(year), static_cast<int>(period));
        result.rows.push_back(TotalsRow{});  // separator
        if (lines.size() == 1) {
            // One sport: a line of its own carries the label's first part.
            TotalsRow head;
            head.text[0] = label.first;
            result.rows.push_back(std::move(head));
            lines[0].text[0] = label.second;
        } else {
            lines[0].text[0] = label.first;
            lines[1].text[0] = label.second;
        }
        for (auto& line : lines)
            result.rows.push_back(std::move(line));
        TotalsRow total;
        total.isTotal = true;
        total.text[0] = " ";
        total.text[1] = "Total:";
        total.text[2] = std::to_string(workouts);
        total.text[3] = distance == 0.0 ? "--" : DistanceText(distance, grandUnits) + grandUnitName;
        total.text[4] = CElapsedTime::FromSeconds(seconds).Format(0);
        result.rows.push_back(std::move(total));
    }
    return result;
}

}  // namespace kivrun
