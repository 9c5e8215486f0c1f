// Changes another program made to the open log (kivrun-tool, a script, a second instance):
// the document notices them and reads the log afresh.
#include <initializer_list>

#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"

namespace kivrun {
namespace {

// Waiting this long for another program's write would freeze the window; the next look
// tries again.
constexpr int kRefreshWaitMs = 200;

}  // namespace

bool CTamselDoc::RefreshIfChangedElsewhere() {
    if (!db_ || !sets_ || db_->sql().InTransaction()) return false;
    SqliteDb& sql = db_->sql();
    try {
        if (sql.DataVersion() == dataVersion_) return false;
        sql.SetBusyTimeout(kRefreshWaitMs);
        ReadAfresh();
        sql.SetBusyTimeout(SqliteDb::kBusyTimeoutMs);
        dataVersion_ = sql.DataVersion();
        return true;
    } catch (const DbError& e) {
        sql.SetBusyTimeout(SqliteDb::kBusyTimeoutMs);
        if (e.IsBusy()) return false;  // still being written

        dataVersion_ = sql.DataVersion();  // told once, not at every look
        ReportDbError("Couldn't read the changed log", e);
        return false;
    }
}

void CTamselDoc::ReadAfresh() {
    Sets& s = *sets_;
    for (RecordSet* set : std::initializer_list<RecordSet*>{
             &s.routine, &s.events, &s.columnSettings, &s.preferences, &s.routes, &s.affiliations,
             &s.routines, &s.routinesDetails, &s.exercises, &s.bodyParts, &s.logEntry})
        if (set->IsOpen()) set->Requery();
    // Sports and classes are read again, the filter applied again and the list shaded.
    UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    for (Notice notice :
         {Notice::EventsImported, Notice::AffiliationsChanged, Notice::ColumnsChanged,
          Notice::TemplatesChanged, Notice::ExercisesChanged})
        UpdateAllViews(nullptr, UpdateHint::Of(notice));
}

bool CTamselDoc::ReportGone(const char* what) {
    ui_.ShowMessage(std::string("This ") + what +
                    " is no longer in the log: another program has removed it.");
    RefreshIfChangedElsewhere();
    return false;
}

}  // namespace kivrun
