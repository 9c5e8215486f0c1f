#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// The log's settings as name/value rows.
class CPreferencesSet : public RecordSet {
  public:
    explicit CPreferencesSet(LogDatabase* db) : RecordSet(db) {
        Bind("Preference", Preference);
        Bind("Value", Value);
    }

    // The value a reader assumes for a key whose row is missing.
    static std::string DefaultFor(const std::string& name);

    // Positions the set on the named row, adding it with the default value when it is missing,
    // so that every key read leaves its row behind.
    void FindPreference(const std::string& name, const std::string& defaultValue);
    std::string GetPreference(const std::string& name, const std::string& defaultValue);
    void SetPreference(const std::string& name, const std::string& value);
    // An integer value: empty or not a number reads as 0, else its leading digits.
    int GetIntPreference(const std::string& name, const std::string& defaultValue);

    int GetGrandTotalUnits();
    int GetGrandTotalPace();
    int GetDaysBetweenBackup();
    std::string GetDefaultSport();
    void SetGrandTotalUnits(int units);
    void SetGrandTotalPace(int pace);
    void SetDaysBetweenBackup(int days);
    void SetDefaultSport(const std::string& sport);
    // Stores the key and makes it the week start of the whole running program.
    void SetWeekStartDay(int day);
    // The program-wide week start, not the stored row.
    int GetWeekStartDay() const;

    TextField Preference;
    TextField Value;

  protected:
    std::string GetDefaultSQL() const override { return "[Preferences]"; }
    std::string BaseTable() const override { return "Preferences"; }
};

}  // namespace kivrun
