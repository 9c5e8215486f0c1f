#include "prefs/GeneralPrefs.h"

#include <algorithm>

#include "app/TamselDoc.h"
#include "prefs/PrefsChoices.h"
#include "store/ColumnSettingsSet.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "store/SportsSet.h"

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
        CSportsSet& sports = doc.SportsSet();
        sports.Requery();
        for (sports.MoveFirst(); !sports.IsEOF(); sports.MoveNext())
            g.sports.push_back(sports.SptName);
        CPreferencesSet& p = doc.PreferencesSet();
        g.defaultSport = p.GetDefaultSport();
        g.weekStartDay = InRange(p.GetWeekStartDay(), 0, 6, 1);
        g.backupDays = std::clamp(p.GetDaysBetweenBackup(), kMinBackupDays, kMaxBackupDays);
        g.grandTotalUnits =
            InRange(p.GetGrandTotalUnits(), 0, static_cast<int>(kGrandTotalUnits.size()) - 1, 0);
        g.grandTotalPace =
            InRange(p.GetGrandTotalPace(), 0, static_cast<int>(kGrandTotalPaces.size()) - 1, 0);
        CColumnSettingsSet& columns = doc.ColumnSettingsSet();
        columns.Requery();
        for (size_t i = 0; i < kOptionalFieldColumns.size(); ++i) {
            if (columns.FindColumn(kOptionalFieldColumns[i]))
                g.fields[i] = {columns.ColumnFieldName, columns.ColumnLabel};
        }
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
