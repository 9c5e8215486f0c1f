#include "prefs/GeneralPrefs.h"

#include <algorithm>

#include "document/TamselDoc.h"
#include "prefs/PrefsChoices.h"
#include "store/ColumnSettingsSet.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "values/NumberFormat.h"
#include "values/ProgramState.h"

namespace kivrun::prefs {

namespace {

int InRange(int value, int low, int high, int otherwise) {
    return value >= low && value <= high ? value : otherwise;
}

void ReportError(CTamselDoc& doc, const char* what, const DbError& e) {
    doc.PreferencesSet().Requery();
    doc.ColumnSettingsSet().Requery();
    doc.ui().ShowMessage(std::string(what) + "--Exception: " + e.what());
}

}  // namespace

void RenameOptionalField(OptionalField& field, std::string name) {
    std::string label = OptionalFieldLabel(name);
    if (!label.empty()) field.label = std::move(label);
    field.name = std::move(name);
}

GeneralPrefs LoadGeneralPrefs(CTamselDoc& doc) {
    GeneralPrefs g;
    try {
        for (const SportInfo& sport : doc.GetCatalog().sports)
            g.sports.push_back(sport.name);
        auto number = [&doc](const char* name) { return TextToInt(doc.Preference(name)); };
        g.defaultSport = doc.Preference("DefaultSport");
        g.weekStartDay = InRange(ProgramState::Instance().WeekStartDay(), 0, 6, 1);
        g.backupDays = std::clamp(number("DaysBetweenBackup"), kMinBackupDays, kMaxBackupDays);
        g.grandTotalUnits =
            InRange(number("GrandTotalUnits"), 0, static_cast<int>(kGrandTotalUnits.size()) - 1, 0);
        g.grandTotalPace =
            InRange(number("GrandTotalPace"), 0, static_cast<int>(kGrandTotalPaces.size()) - 1, 0);
        const std::vector<ListColumn> columns = doc.Columns(true);
        for (size_t i = 0; i < kOptionalFieldColumns.size(); ++i)
            for (const ListColumn& c : columns)
                if (c.id == kOptionalFieldColumns[i]) g.fields[i] = {c.fieldName, c.label};
    } catch (const DbError& e) {
        ReportError(doc, "Couldn't read the preferences", e);
    }
    return g;
}

bool ApplyGeneralPrefs(CTamselDoc& doc, const GeneralPrefs& g, bool fieldsChanged) {
    bool weekChanged = false;
    try {
        Transaction tx(doc.Database().sql());
        CPreferencesSet& p = doc.PreferencesSet();
        if (g.defaultSport != p.GetDefaultSport()) p.SetDefaultSport(g.defaultSport);
        if (g.weekStartDay != p.GetWeekStartDay()) {
            p.SetWeekStartDay(g.weekStartDay);
            weekChanged = true;
        }
        if (g.backupDays != p.GetDaysBetweenBackup()) p.SetDaysBetweenBackup(g.backupDays);
        if (g.grandTotalUnits != p.GetGrandTotalUnits()) p.SetGrandTotalUnits(g.grandTotalUnits);
        if (g.grandTotalPace != p.GetGrandTotalPace()) p.SetGrandTotalPace(g.grandTotalPace);
        if (fieldsChanged) {
            CColumnSettingsSet& columns = doc.ColumnSettingsSet();
            for (size_t i = 0; i < kOptionalFieldColumns.size(); ++i) {
                if (!columns.FindColumn(kOptionalFieldColumns[i])) continue;
                columns.Edit();
                columns.ColumnFieldName = g.fields[i].name;
                columns.ColumnLabel = g.fields[i].label;
                columns.Update();
            }
        }
        tx.Commit();
    } catch (const DbError& e) {
        ReportError(doc, "Couldn't save the preferences", e);
        return false;
    }
    if (weekChanged) doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::GeneralPreferences));
    if (fieldsChanged) doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::OptionalFieldNames));
    return true;
}

}  // namespace kivrun::prefs
