#include "summaries/TotalsRows.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>

#include "document/TamselDoc.h"
#include "store/JetSql.h"
#include "store/LogDatabase.h"
#include "values/Calendar.h"
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

void TotalsData::Gather(CTamselDoc& doc) {
    days_.clear();
    if (!doc.IsOpen() || doc.FilteredSql().empty()) return;
    ++reads_;
    SqliteDb& db = doc.Database().sql();
    ReadTransaction tx(db);
    Statement s = db.Prepare("SELECT Date, SptAbbrev, Distance, Time FROM (" +
                             doc.FilteredSqlAnyOrder() + ")");
    // In the table's order, which is mostly the order the workouts were entered: a day's
    // workouts mostly arrive together, and the days are put in order afterwards.
    std::string abbrev;
    std::vector<Sum>* sums = nullptr;
    std::optional<long> day;
    while (s.Step()) {
        // Whole days, also for stored dates that carry a time of day.
        const long d = static_cast<long>(std::floor(s.Real(0)));
        if (day != d) {
            day = d;
            days_.emplace_back(d, std::vector<Sum>());
            sums = &days_.back().second;
        }
        s.TextInto(1, abbrev);
        auto sum = std::find_if(sums->begin(), sums->end(),
                                [&](const Sum& x) { return x.sport == abbrev; });
        if (sum == sums->end()) sum = sums->insert(sums->end(), Sum{abbrev});
        sum->distance += s.Real(2);
        sum->time += s.Real(3);
        ++sum->workouts;
    }
    // Days in order, a day met twice (entered on two occasions) made one.
    std::stable_sort(days_.begin(), days_.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::pair<long, std::vector<Sum>>> merged;
    merged.reserve(days_.size());
    for (auto& day : days_) {
        if (merged.empty() || merged.back().first != day.first) {
            merged.push_back(std::move(day));
            continue;
        }
        auto& into = merged.back().second;
        for (Sum& from : day.second) {
            auto at = std::find_if(into.begin(), into.end(),
                                   [&](const Sum& x) { return x.sport == from.sport; });
            if (at == into.end()) {
                into.push_back(std::move(from));
            } else {
                at->distance += from.distance;
                at->time += from.time;
                at->workouts += from.workouts;
            }
        }
    }
    days_ = std::move(merged);
}

std::vector<TotalsRecord> TotalsData::Records(TotalsGrouping grouping, const Catalog& catalog,
                                              int weekStartDay) const {
    // year, period, the sport's place (-1: not in the log), its letter.
    using Key = std::tuple<long, long, int, std::string>;
    std::map<Key, TotalsRecord> periods;
    std::map<std::string, std::pair<int, const SportInfo*>> sports;
    for (std::size_t i = 0; i < catalog.sports.size(); ++i)
        sports[catalog.sports[i].abbrev] = {static_cast<int>(i), &catalog.sports[i]};
    for (const auto& [serial, sums] : days_) {
        const calendar::Ymd d = calendar::FromSerial(static_cast<double>(serial));
        long period = d.year;
        if (grouping == TotalsGrouping::Month) period = d.month;
        // The log's own week numbers: week 1 holds 1 January.
        if (grouping == TotalsGrouping::Week)
            period = jetsql::DatePart("ww", static_cast<double>(serial), weekStartDay + 1);
        for (const Sum& sum : sums) {
            const auto sport = sports.find(sum.sport);
            const int place = sport == sports.end() ? -1 : sport->second.first;
            TotalsRecord& r = periods[Key{d.year, period, place, sum.sport}];
            if (r.workouts == 0) {
                r.sport = sum.sport;
                r.year = d.year;
                r.period = period;
                if (place >= 0) {
                    r.sportName = sport->second.second->name;
                    r.distanceShortName = sport->second.second->distanceShortName;
                }
            }
            r.distance += sum.distance;
            r.time += sum.time;
            r.workouts += sum.workouts;
        }
    }
    std::vector<TotalsRecord> records;
    records.reserve(periods.size());
    for (auto& [key, record] : periods)
        records.push_back(std::move(record));
    return records;
}

TotalsResult BuildTotalsRows(CTamselDoc& doc, TotalsGrouping grouping) {
    TotalsData data;
    data.Gather(doc);
    return BuildTotalsRows(doc, data, grouping);
}

TotalsResult BuildTotalsRows(CTamselDoc& doc, const TotalsData& data, TotalsGrouping grouping) {
    TotalsResult result;
    if (data.Empty()) {
        result.noEntries = true;
        return result;
    }
    const Catalog& catalog = doc.GetCatalog();
    const std::vector<TotalsRecord> totals =
        data.Records(grouping, catalog, ProgramState::Instance().WeekStartDay());
    if (totals.empty()) return result;

    // Units: the sports with a distance may not all use one unit; then every distance says
    // which unit it is in.
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
