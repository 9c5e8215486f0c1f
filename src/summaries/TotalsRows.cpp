#include "summaries/TotalsRows.h"

#include <map>

#include "app/TamselDoc.h"
#include "entries/Date.h"
#include "entries/Units.h"
#include "store/DistanceUnitsSet.h"
#include "store/LogEntryFilteredSet.h"
#include "store/PreferencesSet.h"
#include "store/ProgramState.h"
#include "store/SportsSet.h"
#include "store/TotalsSet.h"
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
    CLogEntryFilteredSet& filtered = doc.FilteredSet();
    if (filtered.IsEmpty()) {
        result.noEntries = true;
        return result;
    }
    // Every entry of the filtered set is counted: its first and last dates bound the range,
    // in whichever order the set runs.
    const long position = filtered.GetAbsolutePosition();
    filtered.MoveFirst();
    const CDate first = CDate::FromSerial(filtered.Date);
    filtered.MoveLast();
    const CDate last = CDate::FromSerial(filtered.Date);
    if (position >= 0) filtered.SetAbsolutePosition(position);

    static const char* kGroupings[] = {"ww", "m", "yyyy"};
    CTotalsSet& totals = doc.TotalsSet();
    if (!doc.GetTotals(first, last, &totals, nullptr, kGroupings[static_cast<int>(grouping)]))
        return result;

    // Units: the sports with a distance may not all use one unit; then every distance says
    // which unit it is in.
    std::map<std::string, SportUnits> sports;
    int firstUnit = -1;
    bool mixed = false;
    CSportsSet& sportSet = doc.SportsSet();
    for (sportSet.MoveFirst(); !sportSet.IsEOF(); sportSet.MoveNext()) {
        sports[sportSet.SptAbbrev] = {sportSet.DistanceID, sportSet.DistanceShortName};
        if (sportSet.DistanceID == distance_unit::kNone) continue;
        if (firstUnit < 0)
            firstUnit = sportSet.DistanceID;
        else if (sportSet.DistanceID != firstUnit)
            mixed = true;
    }
    const int grandUnits = doc.PreferencesSet().GetGrandTotalUnits();
    std::string grandUnitName;
    if (mixed) {
        CDistanceUnitsSet& units = doc.DistanceUnitsSet();
        if (units.FindFirst("DistanceID = " + std::to_string(grandUnits)))
            grandUnitName = units.DistanceShortName;
    }

    totals.MoveFirst();
    while (!totals.IsEOF()) {
        const int year = totals.Year;
        const int period = totals.Week;
        // The sport lines of this period.
        std::vector<TotalsRow> lines;
        long workouts = 0;
        double distance = 0;
        double seconds = 0;
        for (; !totals.IsEOF() && totals.Year == year && totals.Week == period; totals.MoveNext()) {
            TotalsRow row;
            row.text[1] = totals.SptName;
            row.text[2] = std::to_string(totals.Workouts.get());
            const auto sport = sports.find(totals.SptAbbrev);
            const int unit = sport == sports.end() ? 0 : sport->second.distanceUnit;
            if (totals.TotalDistance == 0.0) {
                row.text[3] = "--";
            } else {
                row.text[3] = DistanceText(totals.TotalDistance, unit);
                if (mixed && sport != sports.end()) row.text[3] += sport->second.shortName;
            }
            row.text[4] = CElapsedTime::FromSeconds(totals.TotalTime).Format(0);
            lines.push_back(std::move(row));
            // A workout of a sport the log no longer has is listed but not totalled.
            if (sport == sports.end()) continue;
            workouts += totals.Workouts;
            distance += ConvertDistance(totals.TotalDistance, unit, grandUnits);
            seconds += totals.TotalTime;
        }
        const Label label = PeriodLabel(grouping, year, period);
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
