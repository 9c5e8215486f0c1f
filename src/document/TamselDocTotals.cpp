#include <map>

#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "store/QueryDef.h"
#include "values/NumberFormat.h"
#include "values/ProgramState.h"
#include "values/Units.h"

namespace kivrun {
namespace {

const char* TotalsQueryFor(const std::string& grouping) {
    if (grouping == "ww") return "TotalsQueryByWeek";
    if (grouping == "m") return "TotalsQueryByMonth";
    if (grouping == "yyyy") return "TotalsQueryByYear";
    return "TotalsQuery";
}

void SetTotalsParams(QueryDef& q, const CDate& start, const CDate& end) {
    q.SetParamValue("StartDate", start.ToSerial());
    q.SetParamValue("EndDate", end.ToSerial());
    // The database counts Sunday as 1.
    q.SetParamValue("WeekStartDay",
                    static_cast<std::int64_t>(ProgramState::Instance().WeekStartDay() + 1));
    q.SetParamValue("DateGrouping", std::string("ww"));
}

}  // namespace

std::vector<TotalsRecord> CTamselDoc::GetTotals(const CDate& start, const CDate& end,
                                                const std::string& grouping, GrandTotal* grand,
                                                CElapsedTime* timeWithDistance) {
    std::vector<TotalsRecord> records;
    if (grand) *grand = GrandTotal{};
    if (timeWithDistance) *timeWithDistance = CElapsedTime();
    if (!db_) return records;
    ReadTransaction tx(db_->sql());
    QueryDef query;
    query.Open(*db_, TotalsQueryFor(grouping));
    SetTotalsParams(query, start, end);
    // Year, Week, SptAbbrev, SptName, DistanceShortName, TotalDistance, TotalTime, Workouts.
    Statement rows = PrepareWithParams(db_->sql(), query.GetSQL(), query.Params());
    while (rows.Step())
        records.push_back({rows.Text(2), rows.Text(3), rows.Text(4), rows.Real(5), rows.Real(6),
                           static_cast<long>(rows.Int64(7)), static_cast<long>(rows.Int64(1)),
                           static_cast<long>(rows.Int64(0))});
    if (grand) {
        const int units = TextToInt(Preference("GrandTotalUnits"));
        const Catalog& catalog = GetCatalog();
        for (const TotalsRecord& r : records) {
            // A sport that is no longer in the log is listed but adds nothing.
            const SportInfo* sport = catalog.Sport(r.sport);
            if (!sport) continue;
            grand->distance += ConvertDistance(r.distance, sport->distanceUnit, units);
            grand->time += CElapsedTime::FromSeconds(r.time);
            grand->workouts += r.workouts;
        }
    }
    if (timeWithDistance) {
        QueryDef withDistance;
        withDistance.Open(*db_, "TotalsQueryEntriesWithDistance");
        SetTotalsParams(withDistance, start, end);
        Statement rows =
            PrepareWithParams(db_->sql(), withDistance.GetSQL(), withDistance.Params());
        while (rows.Step())
            *timeWithDistance += CElapsedTime::FromSeconds(rows.Real(6));
    }
    return records;
}

}  // namespace kivrun
