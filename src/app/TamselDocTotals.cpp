#include <map>

#include "app/TamselDoc.h"
#include "entries/Units.h"
#include "store/Criteria.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "store/ProgramState.h"
#include "store/SportsSet.h"
#include "store/TotalsSet.h"

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

bool CTamselDoc::GetTotals(const CDate& start, const CDate& end, CTotalsSet* set, GrandTotal* grand,
                           const std::string& grouping, CElapsedTime* timeWithDistance) {
    if (!set || !db_) return false;
    QueryDef query;
    query.Open(*db_, TotalsQueryFor(grouping));
    SetTotalsParams(query, start, end);
    set->Close();
    set->Open(query);
    const bool empty = set->IsEmpty();
    if (grand) {
        *grand = GrandTotal{};
        const int units = PreferencesSet().GetGrandTotalUnits();
        // Each sport's unit, read once rather than looked up for every period.
        std::map<std::string, int> distanceUnits;
        CSportsSet& sports = SportsSet();
        for (sports.MoveFirst(); !sports.IsEOF(); sports.MoveNext())
            distanceUnits[sports.SptAbbrev] = sports.DistanceID;
        for (set->MoveFirst(); !set->IsEOF(); set->MoveNext()) {
            const auto sport = distanceUnits.find(set->SptAbbrev);
            if (sport == distanceUnits.end()) continue;
            grand->distance += ConvertDistance(set->TotalDistance, sport->second, units);
            grand->time += CElapsedTime::FromSeconds(set->TotalTime);
            grand->workouts += set->Workouts;
        }
    }
    if (timeWithDistance) {
        QueryDef withDistance;
        withDistance.Open(*db_, "TotalsQueryEntriesWithDistance");
        SetTotalsParams(withDistance, start, end);
        CTotalsSet rows(db_.get());
        rows.Open(withDistance);
        *timeWithDistance = CElapsedTime();
        for (; !rows.IsEOF(); rows.MoveNext())
            *timeWithDistance += CElapsedTime::FromSeconds(rows.TotalTime);
    }
    return !empty;
}

}  // namespace kivrun
