#include "store/PreferencesSet.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "store/Criteria.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "values/ProgramState.h"

namespace kivrun {

std::string CPreferencesSet::DefaultFor(const std::string& name) {
    // A log opened without a date order shows the newest workouts first.
    if (name == "DateSort") return "DESC";
    if (name == "TotalsGrouping") return "0";
    if (name == "HTMLShowWeeklyTotals" || name == "HTMLShowYearlyTotals" ||
        name == "HTMLShowRoutineDetails")
        return "1";
    return {};
}

void CPreferencesSet::FindPreference(const std::string& name, const std::string& defaultValue) {
    const std::string found = criteria::Is("Preference", name);
    if (FindFirst(found)) return;
    // Another program may have stored it since the set was read: look again under the lock.
    Transaction tx(Database()->sql());
    Requery();
    if (!FindFirst(found)) {
        AddNew();
        Preference = name;
        Value = defaultValue;
        Update();
        SetBookmark(GetLastModifiedBookmark());
    }
    tx.Commit();
}

std::string CPreferencesSet::GetPreference(const std::string& name,
                                           const std::string& defaultValue) {
    // A log open read-only lends the default without storing it.
    if (Database()->sql().ReadOnly() && !FindFirst(criteria::Is("Preference", name)))
        return defaultValue;
    FindPreference(name, defaultValue);
    return Value;
}

void CPreferencesSet::SetPreference(const std::string& name, const std::string& value) {
    FindPreference(name, "");
    Edit();
    Value = value;
    Update();
}

int CPreferencesSet::GetIntPreference(const std::string& name, const std::string& defaultValue) {
    const std::string text = GetPreference(name, defaultValue);
    if (text.empty()) return 0;
    errno = 0;
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

int CPreferencesSet::GetGrandTotalUnits() {
    return GetIntPreference("GrandTotalUnits", "");
}

int CPreferencesSet::GetGrandTotalPace() {
    return GetIntPreference("GrandTotalPace", "");
}

int CPreferencesSet::GetDaysBetweenBackup() {
    return GetIntPreference("DaysBetweenBackup", "");
}

std::string CPreferencesSet::GetDefaultSport() {
    return GetPreference("DefaultSport", "");
}

void CPreferencesSet::SetGrandTotalUnits(int units) {
    SetPreference("GrandTotalUnits", std::to_string(units));
}

void CPreferencesSet::SetGrandTotalPace(int pace) {
    SetPreference("GrandTotalPace", std::to_string(pace));
}

void CPreferencesSet::SetDaysBetweenBackup(int days) {
    SetPreference("DaysBetweenBackup", std::to_string(days));
}

void CPreferencesSet::SetDefaultSport(const std::string& sport) {
    SetPreference("DefaultSport", sport);
}

void CPreferencesSet::SetWeekStartDay(int day) {
    SetPreference("WeekStartDay", std::to_string(day));
    ProgramState::Instance().SetWeekStartDay(day);
}

int CPreferencesSet::GetWeekStartDay() const {
    return ProgramState::Instance().WeekStartDay();
}

}  // namespace kivrun
