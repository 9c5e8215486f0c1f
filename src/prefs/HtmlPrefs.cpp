#include "prefs/HtmlPrefs.h"

#include "document/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "values/NumberFormat.h"

namespace kivrun::prefs {

namespace {

void ReportError(CTamselDoc& doc, const char* what, const DbError& e) {
    doc.PreferencesSet().Requery();
    doc.ui().ShowMessage(std::string(what) + "--Exception: " + e.what());
}

}  // namespace

HtmlPrefs LoadHtmlPrefs(CTamselDoc& doc) {
    HtmlPrefs h;
    try {
        h.browserTitle = doc.Preference("HTMLBrowserTitle");
        h.heading = doc.Preference("HTMLHeading");
        h.subheading = doc.Preference("HTMLSubheading");
        auto flag = [&doc](const char* name) { return TextToInt(doc.Preference(name, "1")) != 0; };
        h.weeklyTotals = flag("HTMLShowWeeklyTotals");
        h.yearlyTotals = flag("HTMLShowYearlyTotals");
        h.routineDetails = flag("HTMLShowRoutineDetails");
    } catch (const DbError& e) {
        ReportError(doc, "Couldn't read the preferences", e);
    }
    return h;
}

bool ApplyHtmlPrefs(CTamselDoc& doc, const HtmlPrefs& h) {
    try {
        Transaction tx(doc.Database().sql());
        CPreferencesSet& p = doc.PreferencesSet();
        p.SetPreference("HTMLBrowserTitle", h.browserTitle);
        p.SetPreference("HTMLHeading", h.heading);
        p.SetPreference("HTMLSubheading", h.subheading);
        p.SetPreference("HTMLShowWeeklyTotals", h.weeklyTotals ? "1" : "0");
        p.SetPreference("HTMLShowYearlyTotals", h.yearlyTotals ? "1" : "0");
        p.SetPreference("HTMLShowRoutineDetails", h.routineDetails ? "1" : "0");
        tx.Commit();
    } catch (const DbError& e) {
        ReportError(doc, "Couldn't save the preferences", e);
        return false;
    }
    return true;
}

}  // namespace kivrun::prefs
