// A minimal filter (Show All and sports) that stands in until the full filter lands.
#include "entries/FilterState.h"

namespace kivrun {
FilterState::FilterState() {
    sports.fill(true);
    classes.fill(true);
}
std::string FilterState::Save() const { return {}; }
FilterState FilterState::Restore(const std::string&) { return FilterState(); }
bool FilterState::AnyCriterion() const {
    return dateOn || distanceOn || timeOn || paceOn || routeOn || notesOn;
}
void FilterState::SetFirstDate(const CDate& d) {
    date1 = d;
    if (date2 < date1) date2 = date1;
}
void FilterState::SetSecondDate(const CDate& d) {
    date2 = d;
    if (date2 < date1) date1 = date2;
}
void FilterState::WidenToYears(int, int) {}
std::string BuildFilterSql(const FilterState& s, CSportsSet&, CTrainingTypesSet&,
                           const std::string& dateSort) {
    std::string sort = dateSort == "DESC" ? " ORDER BY [Date] DESC, [EntryID] DESC"
                                          : " ORDER BY [Date], [EntryID]";
    if (s.showAll) return "SELECT * FROM [Log Entry]" + sort;
    std::string sql = "SELECT * FROM [Log Entry] WHERE ((([Log Entry].Date) Like '*')";
    std::string sp;
    for (int i = 0; i < 26; ++i)
        if (s.sports[i])
            sp += std::string(sp.empty() ? " AND (" : " Or ") + "([Log Entry].SptAbbrev)='" +
                  char('A' + i) + "'";
    if (!sp.empty()) sql += sp + ")";
    return sql + ")" + sort;
}
FilterBarValues StateToBar(const FilterState&, CSportsSet&, CTrainingTypesSet&) { return {}; }
void BarToState(const FilterBarValues&, FilterState&, CSportsSet&, CTrainingTypesSet&) {}
}  // namespace kivrun
