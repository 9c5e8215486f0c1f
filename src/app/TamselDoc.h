#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/Backup.h"
#include "app/UpdateHint.h"
#include "entries/FilterState.h"
#include "entries/WorkingEntry.h"
#include "store/QueryDef.h"
#include "store/UserInterface.h"

namespace kivrun {

class LogDatabase;
class LogLock;
class CLogEntrySet;
class CLogEntryFilteredSet;
class CLogEntryRoutineSet;
class CTrainingTypesSet;
class CDistanceUnitsSet;
class CPaceUnitsSet;
class CSportsSet;
class CEventsSet;
class CColumnSettingsSet;
class CPreferencesSet;
class CRoutesSet;
class CAffiliationsSet;
class CTotalsSet;
class CRoutinesSet;
class CRoutinesDetailsSet;
class CExercisesSet;
class CBodyPartsSet;

// All-sports totals: distance in the GrandTotalUnits unit, summed time, workouts.
struct GrandTotal {
    double distance = 0.0;
    CElapsedTime time;
    long workouts = 0;
};

// The one open training log. Owns the database and every record set over it, the stored
// query definitions, the filter state and the undo record; performs every write of a
// workout; tells its views what changed. It never holds a widget: whatever it asks or tells
// the user goes through the UserInterface it is given.
class CTamselDoc {
  public:
    explicit CTamselDoc(UserInterface& ui);
    CTamselDoc(const CTamselDoc&) = delete;
    CTamselDoc& operator=(const CTamselDoc&) = delete;
    ~CTamselDoc();

    // --- Lifecycle --------------------------------------------------------------------
    // File New: asks for a path, replaces a file there, creates the log with its default
    // rows and shows the preferences so that sports can be set up.
    bool OnNewDocument();
    // Creates a log at path with its default rows, without asking anything, and opens it.
    bool CreateLog(const std::string& path);
    // The first half of creating: the file with its structure and default rows, and the
    // record sets open on it; no shading or filter yet. Conversion fills the log in between.
    bool CreateDatabase(const std::string& path);
    // The second half of opening: week shading, then the saved filter restored and applied.
    // False after telling the user why.
    bool FinishOpen();
    // Opens a log; offers to convert an old text log. Another program's database is refused.
    bool OnOpenDocument(const std::string& path);
    // Saves the filter state, closes the log and makes the automatic backup; a backup that
    // fails is told, and the log closes all the same.
    BackupOutcome OnCloseDocument();
    bool IsOpen() const { return db_ != nullptr; }
    // The desktop program claims the logs it opens, so that a second instance on the same
    // log is told who has it and opens it read-only or not at all.
    void SetClaimsLog(bool claims) { claimsLog_ = claims; }
    // Opened read-only: every write is refused, and closing neither saves nor backs up.
    bool IsReadOnly() const { return readOnly_; }
    const std::string& PathName() const { return path_; }
    // Where automatic backups go (the program's writable data folder); set by the caller.
    void SetBackupFolder(const std::string& folder) { backupFolder_ = folder; }
    const std::string& BackupFolder() const { return backupFolder_; }
    UserInterface& ui() { return ui_; }
    LogDatabase& Database() { return *db_; }

    // --- Record sets (open while the log is open) --------------------------------------
    CLogEntrySet& LogEntrySet();
    CLogEntryFilteredSet& FilteredSet();
    CLogEntryRoutineSet& RoutineSet();
    CTrainingTypesSet& TrainingTypesSet();
    CDistanceUnitsSet& DistanceUnitsSet();
    CPaceUnitsSet& PaceUnitsSet();
    CSportsSet& SportsSet();
    CEventsSet& EventsSet();
    CColumnSettingsSet& ColumnSettingsSet();
    CPreferencesSet& PreferencesSet();
    CRoutesSet& RoutesSet();
    CAffiliationsSet& AffiliationsSet();
    CTotalsSet& TotalsSet();
    CRoutinesSet& RoutinesSet();
    CRoutinesDetailsSet& RoutinesDetailsSet();
    CExercisesSet& ExercisesSet();
    CBodyPartsSet& BodyPartsSet();
    QueryDef& TotalsQuery() { return totalsQuery_; }
    QueryDef& FilteredSetQuery() { return filteredSetQuery_; }
    QueryDef& DeleteRoutineQuery() { return deleteRoutineQuery_; }
    QueryDef& DeleteTemplateQuery() { return deleteTemplateQuery_; }

    // --- Workouts ------------------------------------------------------------------------
    // The only writes of "Log Entry" rows. Each is one transaction, keeps the week shading
    // right, records what Undo needs and tells every view but the sender.
    // Returns the new EntryID, 0 on failure.
    long AddEntry(const WorkingEntry& entry, View* sender);
    // Returns the EntryID the entry has afterwards (a new one when it moved), 0 on failure.
    long UpdateEntry(long entryId, const WorkingEntry& entry, View* sender);
    // With ask, "Are you sure you want to delete this entry?" first; false when nothing
    // was deleted.
    bool DeleteEntry(long entryId, View* sender, bool ask);
    bool CanUndo() const { return undoKind_ != UndoKind::Nothing; }
    void Undo();
    // Reads an entry of the filtered set into a working entry (with its routine rows).
    bool LoadEntry(long entryId, WorkingEntry& entry);
    // The routine rows stored for an entry.
    std::vector<RoutineRow> RoutineOf(long entryId);

    // --- Calendar events ------------------------------------------------------------------
    // With ask, "Are you sure you want to delete this entry?" first; false when nothing was
    // deleted.
    bool DeleteEvent(long eventId, bool ask);

    // Alternating week shading over the whole filtered set.
    void ComputeBackgroundBands();

    // --- Filter ------------------------------------------------------------------------
    FilterState& Filter() { return filter_; }
    void SetFilterBar(FilterBar* bar) { filterBar_ = bar; }
    FilterBar* GetFilterBar() const { return filterBar_; }
    // Builds the SQL from the state, stores it as FilteredSetQuery, reopens the filtered
    // set and, when notify, sends hint 5.
    void ApplyFilter(bool notify = true);
    // The Update button: reads the bar, widens a repeated date range to the log's years,
    // applies and clears the changed mark.
    void UpdateFilter();
    // A click on the Date header: newest first <-> oldest first.
    void ToggleDateSort();
    bool DateSortDescending();

    // --- Totals ----------------------------------------------------------------------------
    // Fills set from the totals query chosen by grouping ("ww", "m", "yyyy", else all
    // time) over the filtered entries between the two dates (in either order). False when
    // there are none.
    bool GetTotals(const CDate& start, const CDate& end, CTotalsSet* set, GrandTotal* grand,
                   const std::string& grouping, CElapsedTime* timeWithDistance = nullptr);

    // --- Views ---------------------------------------------------------------------------
    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& Views() const { return views_; }
    // Tells every view but the sender. Sports, classes or routes changing (kind 6) makes
    // the filter refresh from the sets first.
    void UpdateAllViews(View* sender, const UpdateHint& hint);
    View* OpenOrActivate(WindowKind kind) { return ui_.OpenOrActivateWindow(*this, kind); }

  private:
    enum class UndoKind { Nothing, EntryAdded };
    struct Sets;

    void Discard();
    // Claims the log for this program when it claims logs. Held by another instance: the
    // user chooses read-only (when offered) or not at all. False when it is not opened.
    bool ClaimLog(const std::string& path, bool offerReadOnly);
    bool RefuseUnlessLog(LogDatabase& db);
    bool OpenRecordSets();
    void RepairEarlierBuilds();
    void CloseRecordSets();
    void SaveRoutine(long entryId, const std::vector<RoutineRow>& routine);
    void WriteEntryFields(const WorkingEntry& entry);
    bool FindInFiltered(long entryId);
    bool FindOrShowAll(long entryId);
    int ShadeNewRow();
    bool ReleaseShading(long position);
    void InvertBackgroundFrom(long position);
    bool SameWeek(double serialA, double serialB) const;
    void ReportDbError(const char* what, const std::exception& e);

    UserInterface& ui_;
    std::unique_ptr<LogDatabase> db_;
    std::unique_ptr<Sets> sets_;
    QueryDef totalsQuery_;
    QueryDef filteredSetQuery_;
    QueryDef deleteRoutineQuery_;
    QueryDef deleteTemplateQuery_;
    FilterState filter_;
    FilterBar* filterBar_ = nullptr;
    UndoKind undoKind_ = UndoKind::Nothing;
    long undoEntryId_ = 0;
    WorkingEntry undoEntry_;
    std::vector<View*> views_;
    std::string path_;
    std::string backupFolder_;
    bool claimsLog_ = false;
    bool readOnly_ = false;
    std::unique_ptr<LogLock> lock_;
};

}  // namespace kivrun
