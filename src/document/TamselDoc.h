#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/Backup.h"
#include "document/EquipmentValue.h"
#include "document/EventValue.h"
#include "document/FilterState.h"
#include "document/UndoHistory.h"
#include "document/UpdateHint.h"
#include "document/WorkingEntry.h"
#include "store/EntryReader.h"
#include "store/QueryDef.h"
#include "store/Rows.h"
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
struct ImportedWorkout;

// All-sports totals: distance in the GrandTotalUnits unit, summed time, workouts.
struct GrandTotal {
    double distance = 0.0;
    CElapsedTime time;
    long workouts = 0;
};

// The one open training log. Owns the database and every record set over it, the stored
// query definitions, the filter state and the undo history; performs every write of a
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
    // record sets open on it; no shading or filter yet. The sample log fills it in between.
    bool CreateDatabase(const std::string& path);
    // The second half of opening: week shading, then the saved filter restored and applied.
    // False after telling the user why.
    bool FinishOpen();
    // Opens a log; offers to convert an old text log, and to make an empty file a new log;
    // another program's database is refused and left as it was. A log opened for reading (or
    // whose file cannot be written, or that another instance has) is shown as it is and
    // refuses every change; one that holds database code the program did not write is
    // refused then, and otherwise rid of it.
    enum class OpenMode { ReadWrite, ReadOnly };
    bool OnOpenDocument(const std::string& path, OpenMode mode = OpenMode::ReadWrite);
    // Saves the filter state, closes the log and makes the automatic backup; a backup that
    // fails is told, and the log closes all the same.
    BackupOutcome OnCloseDocument();
    bool IsOpen() const { return db_ != nullptr; }
    // Reads the log afresh and tells every view when another program changed it since the
    // last look (one cheap question to the engine otherwise); true when it did. A log being
    // written elsewhere is left for the next look rather than waited for.
    bool RefreshIfChangedElsewhere();
    // The desktop program claims the logs it opens, so that a second instance on the same
    // log is told who has it and opens it read-only or not at all.
    void SetClaimsLog(bool claims) { claimsLog_ = claims; }
    // Whether opening an empty file asks to make it a new log (the desktop program) or
    // refuses it (scripts, which make logs with a command of their own).
    void SetOffersNewLogForEmptyFile(bool offers) { offersNewLog_ = offers; }
    // The log file could only be opened for reading, or another instance has it: every write
    // is refused.
    bool IsReadOnly() const;
    const std::string& PathName() const { return path_; }
    // Where automatic backups go (the program's writable data folder); set by the caller.
    void SetBackupFolder(const std::string& folder) { backupFolder_ = folder; }
    const std::string& BackupFolder() const { return backupFolder_; }
    UserInterface& ui() { return ui_; }
    LogDatabase& Database() { return *db_; }

    // --- Record sets (open while the log is open) --------------------------------------
    // For the document's own writers (import, conversion, the preferences pages) only:
    // views, exports and dialogs read through the values below.
    CLogEntrySet& LogEntrySet();
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

    // --- Reads ---------------------------------------------------------------------------
    // Rows as values: none of these moves a record set that anyone else reads, so a view may
    // read while another holds a row or waits for an answer.
    //
    // The filtered set, in its order (the log's date order). Positions are 0-based.
    long EntryCount() const;
    std::optional<EntryRow> EntryAt(long position);
    // -1 when the entry does not pass the filter.
    long PositionOfEntry(RowId entryId) const;
    // Filtered workouts whose day lies between first and last (inclusive, either order), in
    // the set's order.
    std::vector<EntryRow> EntriesBetween(const CDate& first, const CDate& last);
    // The earliest and latest day of the filtered set; none when it is empty.
    std::optional<CDate> FirstEntryDay();
    std::optional<CDate> LastEntryDay();
    // One workout of the log, filtered or not, with its routine and split times.
    std::optional<EntryDetail> Entry(RowId entryId);
    // A forward-only walk over the whole filtered set in its order.
    EntryReader ReadEntries();
    // The SQLite text of the filtered set, for whole-set queries that join other tables.
    std::string FilteredSql() const;
    // The same rows in no particular order, for whole-set sums: SQLite then scans the table
    // instead of walking the date index, in about a third of the time.
    std::string FilteredSqlAnyOrder() const;
    // Calendar events between two days (inclusive, either order), by date and EventID.
    std::vector<EventRow> EventsBetween(const CDate& first, const CDate& last);
    // Every event, sorted by a column and then by date and EventID.
    enum class EventColumn { Date, Sport, Affiliation, Name, Details };
    std::vector<EventRow> Events(EventColumn sortBy = EventColumn::Date, bool descending = false);
    std::optional<EventRow> Event(RowId eventId);
    // Sports, classes and units, read once and kept until a notice says they changed.
    const Catalog& GetCatalog();
    // Routes of a sport and class (both empty: every route), by route text.
    std::vector<RouteRow> Routes(const std::string& sport = {}, const std::string& cls = {});
    // A preference of the log; the default is stored when the row is missing.
    std::string Preference(const std::string& name, const std::string& defaultValue = {});
    bool DateSortDescending();

    // --- Current entry and selection --------------------------------------------------
    // What the user is looking at, shared by the log window's views: setting it tells the
    // others (Notice::CurrentEntry) so they follow without knowing each other.
    RowId CurrentEntry() const { return currentEntry_; }
    void SetCurrentEntry(RowId entryId, View* sender);
    // Hands an entry to the data entry form to edit or, with duplicate, to copy into a new
    // workout; opens the log window when none is open.
    void RequestEntryEdit(RowId entryId, bool duplicate, View* sender);
    // Hands the data entry form a new workout on that day (Notice::NewEntryOn); opens the log
    // window when none is open.
    void RequestNewEntry(const CDate& day, View* sender);
    // Opens or activates the window of that kind on a workout: it becomes the current entry,
    // and the window is told so even when it was the current entry already.
    void ShowEntryIn(WindowKind kind, RowId entryId, View* sender);
    // Opens or activates the window of that kind and has it show the day (Notice::ShowDay).
    void ShowDayIn(WindowKind kind, const CDate& day, View* sender);

    // --- Workouts ------------------------------------------------------------------------
    // The only writes of "Log Entry" rows. Each is one transaction, keeps the week shading
    // right, records its undo step and tells every view but the sender.
    // Returns the new EntryID, 0 on failure (after telling the user why). The Edit menu
    // names the step after the action (Add Entry, Duplicate Entry).
    RowId AddEntry(const WorkingEntry& entry, View* sender,
                   const char* actionName = undo_name::kAddEntry);
    // Returns the EntryID the entry has afterwards (a new one when its place in the list
    // changed), 0 on failure. Its split times go with it.
    RowId UpdateEntry(RowId entryId, const WorkingEntry& entry, View* sender);
    // With ask, "Are you sure you want to delete this entry?" first; false when nothing
    // was deleted.
    bool DeleteEntry(RowId entryId, View* sender, bool ask);
    // Several workouts at once: one transaction, one notice. Returns how many went.
    long DeleteEntries(const std::vector<RowId>& entryIds, View* sender);

    // --- Activities from watch and app files (ActivityBatch maps them) -------------------
    // Workouts made from activities, with what the log keeps of each activity and the log
    // sports to remember for device sports: one transaction, one undo step for the whole
    // batch, one notice. The new EntryIDs in their order; none when nothing was written (the
    // user was told why).
    std::vector<RowId> ImportActivities(const std::vector<ImportedWorkout>& workouts,
                                        const std::map<std::string, std::string>& deviceSports,
                                        View* sender);
    // Device sports ("cycling/road") and the log sport (its letter) chosen for each.
    std::map<std::string, std::string> DeviceSports();
    // Replaces them all, in one transaction.
    bool SaveDeviceSports(const std::map<std::string, std::string>& deviceSports);

    // --- Undo and redo ---------------------------------------------------------------------
    // The session's history of the actions above, cleared when the log closes. Each undo or
    // redo is one transaction and tells every view what it changed; false when it could not
    // be applied (the user was told why) or there was nothing to apply.
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    bool Undo();
    bool Redo();
    const UndoHistory& History() const { return history_; }
    // Reads a workout into a working entry (with its routine rows).
    bool LoadEntry(RowId entryId, WorkingEntry& entry);
    // The routine rows stored for an entry.
    std::vector<RoutineRow> RoutineOf(RowId entryId);

    // --- Other writes ------------------------------------------------------------------------
    // Each is one transaction and tells the views; false after telling the user why.
    bool AddRoute(const std::string& sport, const std::string& cls, const std::string& route,
                  View* sender);
    bool RemoveRoute(const std::string& sport, const std::string& cls, const std::string& route,
                     View* sender);
    // A sport by its letter: its name, units and icon replace those of a sport with that
    // letter, else it is added after the others. A name another sport has is refused.
    bool SaveSport(const SportInfo& sport, View* sender);
    bool SetPreference(const std::string& name, const std::string& value);

    // --- Weight training: routine templates and the exercise list ------------------------
    // Names are compared as the log compares them (without regard to case), blanks around
    // them ignored.
    std::vector<TemplateRow> Templates();  // in the order they were saved
    std::optional<TemplateRow> TemplateNamed(const std::string& name);
    std::vector<RoutineRow> TemplateRoutine(RowId templateId);
    // Exercises by body part name, then name; body parts by name.
    std::vector<ExerciseRow> ExerciseList();
    std::vector<BodyPartRow> BodyParts();
    std::optional<BodyPartRow> BodyPartNamed(const std::string& name);
    std::optional<ExerciseRow> ExerciseNamed(const std::string& name);
    bool BodyPartInUse(RowId bodyPartId);
    // Template writes tell the views with Notice::TemplatesChanged. A template's rows are
    // replaced in the same transaction that removes the old ones: a failure keeps them.
    // AddTemplate returns the new TemplateID, 0 on failure.
    RowId AddTemplate(const std::string& name, const std::vector<RoutineRow>& routine,
                      View* sender);
    bool SaveTemplateRoutine(RowId templateId, const std::vector<RoutineRow>& routine,
                             View* sender);
    bool RemoveTemplate(RowId templateId, View* sender);
    // Exercise list writes tell the views with Notice::ExercisesChanged. An exercise goes
    // under a body part of that name, made on first use; both names are trimmed, and a name
    // the list already has (under any body part) is refused with the list's own message.
    // Returns the new ExerciseID, 0 when nothing was added.
    RowId AddExercise(const std::string& bodyPart, const std::string& name, View* sender);
    bool RemoveExercise(RowId exerciseId, View* sender);
    // Refused by the log while an exercise uses the body part.
    bool RemoveBodyPart(RowId bodyPartId, View* sender);

    // --- The log list's columns ----------------------------------------------------------
    // Visible columns in display order, or every column by id when all is set.
    std::vector<ListColumn> Columns(bool all = false);
    // Orders are display positions among the visible columns (they stay 0, 1, 2 ...).
    bool HideColumn(int order, View* sender);
    bool InsertColumn(int order, int columnId, View* sender);
    bool MoveColumn(int fromOrder, int toOrder, View* sender);
    bool SetColumnFormat(int columnId, const ColumnFormatChange& format, View* sender);
    // Records each visible column's place in the list (ColumnItemID); tells nobody.
    bool SetColumnItemIds(const std::vector<int>& columnIds);

    // --- Calendar events ------------------------------------------------------------------
    // Each write is one transaction and tells the views: EventAdded, EventChanged and
    // EventDeleted with the EventID and the days before and after; each is undone as a
    // workout is.
    // An event needs a name. Returns the new EventID, 0 on failure (after telling the user
    // why).
    RowId AddEvent(const EventValue& event, View* sender);
    // False when the event is gone (the user is told) or could not be written.
    bool ModifyEvent(RowId eventId, const EventValue& event, View* sender);
    // With ask, "Are you sure you want to delete this entry?" first; false when nothing was
    // deleted.
    bool DeleteEvent(RowId eventId, bool ask);
    // Several events without a question: one transaction, one EventDeleted notice (with the
    // id when only one went). Returns how many went.
    long DeleteEvents(const std::vector<RowId>& eventIds, View* sender);
    // "Log as Workout": hands the data entry form a workout made from the event (its day,
    // its sport, its name as the route, a race); opens the log window when none is open.
    void RequestEntryFromEvent(RowId eventId, View* sender);
    // The form's workout from an event: added, and the event gone with it; one Undo takes
    // the workout back and brings the event back. The EntryID, 0 when nothing was added.
    RowId AddEntryFromEvent(const WorkingEntry& entry, RowId eventId, View* sender);
    // Every event in that order with its week band (flipping whenever an event lies in
    // another week than the one before it). The bands are kept in the log too, in one
    // transaction that writes only the rows whose band changed.
    std::vector<EventRow> ShadeEvents(EventColumn sortBy, bool descending);
    // The affiliations kept for a sport, by name. Writes tell the views with
    // Notice::AffiliationsChanged; names are compared exactly, trailing blanks ignored, and a
    // name the sport has already is not added again.
    std::vector<std::string> Affiliations(const std::string& sport);
    bool AddAffiliation(const std::string& sport, const std::string& name, View* sender);
    bool RemoveAffiliation(const std::string& sport, const std::string& name, View* sender);

    // --- Equipment ------------------------------------------------------------------------
    // Items by name (case aside); a log without the equipment tables has none.
    std::vector<EquipmentItem> Equipment();
    std::optional<EquipmentItem> EquipmentById(RowId equipmentId);
    std::optional<EquipmentItem> EquipmentNamed(const std::string& name);
    // The items a workout of that sport may use (not retired), and those a new one takes.
    std::vector<EquipmentItem> EquipmentFor(const std::string& sport);
    std::vector<RowId> DefaultEquipment(const std::string& sport);
    // How many workouts of the whole log used the item.
    long EquipmentUses(RowId equipmentId);
    // Every item with what it has done over the filtered set, by name.
    std::vector<EquipmentTotal> EquipmentTotals();
    // Writes of items: one transaction, one undo step, Notice::EquipmentChanged. The name is
    // trimmed and must be new to the log (case aside). AddEquipment returns the new id, 0
    // when nothing was added (the user was told why).
    RowId AddEquipment(const EquipmentItem& item, View* sender);
    bool ModifyEquipment(const EquipmentItem& item, View* sender);
    bool RetireEquipment(RowId equipmentId, bool retired, View* sender);
    // Refused (and told) while a workout uses the item: it can only be retired then.
    bool RemoveEquipment(RowId equipmentId, View* sender);
    // What the last workout written took past a limit, one line per item; asking clears it.
    std::vector<std::string> TakeEquipmentWarnings();

    // Alternating week shading over the whole filtered set; writes only rows that change.
    void ComputeBackgroundBands();

    // --- Filter ------------------------------------------------------------------------
    const FilterState& Filter() const { return filter_; }
    // Applies a filter: stores its SQL as FilteredSetQuery when it differs, reopens the
    // filtered set, shades it and tells every view (Notice::FilterApplied).
    void ApplyFilter(const FilterState& state);
    // Applies the current filter again (after its sports, classes or date order changed).
    void ReapplyFilter();
    // The Update button: widens a repeated date range to the log's years and applies.
    void UpdateFilter(const FilterState& state);
    // A click on the Date header: newest first <-> oldest first.
    void ToggleDateSort();
    // Keeps the filter applied for the next opening: "StateFilterToolBar", and beside it
    // "FilterShowAll", which that text has no field for.
    bool SaveFilter();

    // --- Totals ----------------------------------------------------------------------------
    // The totals query chosen by grouping ("ww", "m", "yyyy", else all time) over the
    // filtered entries between the two dates (in either order): one record per period and
    // sport, in the query's order. Empty when there are none.
    std::vector<TotalsRecord> GetTotals(const CDate& start, const CDate& end,
                                        const std::string& grouping, GrandTotal* grand = nullptr,
                                        CElapsedTime* timeWithDistance = nullptr);

    // --- Views ---------------------------------------------------------------------------
    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& Views() const { return views_; }
    // Tells every view but the sender. Sports, classes or routes changing makes the filter
    // refresh its SQL and the catalog re-read first.
    void UpdateAllViews(View* sender, const UpdateHint& hint);
    View* OpenOrActivate(WindowKind kind) { return ui_.OpenOrActivateWindow(*this, kind); }

  private:
    struct Sets;

    void Discard();
    // Claims the log for this program when it claims logs. Held by another instance: the
    // user chooses read-only (when offered) or not at all. False when it is not opened.
    bool ClaimLog(const std::string& path, bool offerReadOnly);
    bool RefuseUnlessLog(LogDatabase& db);
    // "This file is empty. Make it a new training log?"; true when it is one now.
    bool MakeEmptyFileALog(const std::string& path, bool readOnly);
    bool OpenRecordSets();
    void RepairEarlierBuilds();
    void CloseRecordSets();
    void SaveRoutine(RowId entryId, const std::vector<RoutineRow>& routine);
    // The rows of a workout (entry, routine, split times), written over its row or as a new
    // one; the EntryID it has.
    RowId WriteEntryRows(const EntryDetail& entry, bool replace);
    // A workout new to the log, shaded in its place; the notice says where (-1: nowhere).
    RowId InsertEntry(const EntryDetail& entry, UpdateHint& added);
    // A workout written over its row, shaded where it lands unless its place changed and
    // shadeMoved is off; its position afterwards.
    long RewriteEntry(const EntryDetail& entry, const EntryRow& before, bool shadeMoved);
    // Equipment rows of a workout and of an item, written over what the log had.
    void WriteEquipmentUse(RowId entryId, const std::vector<RowId>& equipment, bool replace);
    RowId WriteEquipmentRows(const EquipmentItem& item, bool replace);
    bool HasEquipmentTables();
    // The item's distance (km) and time over the whole log.
    std::pair<double, double> EquipmentLifetime(RowId equipmentId);
    // Notes for every item with a limit that the workout's write (after, over before) took
    // past it; read inside the write's transaction.
    void NoteLimitsCrossed(const EntryDetail& after, const EntryDetail* before);
    std::optional<std::string> CheckEquipment(const EquipmentItem& item, RowId self);
    bool ApplyStep(const UndoStep& step, const std::vector<LogChange>& changes);
    void ApplyChange(const LogChange& change, bool oneByOne, std::vector<UpdateHint>& notices);
    void InsertTemplateRows(RowId templateId, const std::vector<RoutineRow>& routine);
    void AllowDecimalWeightsFor(const std::vector<RoutineRow>& routine);
    // Deletes the row that sql (with the id as its one parameter) names, after before, in one
    // transaction; true when a row went.
    bool DeleteById(const char* what, const std::string& sql, RowId id,
                    const std::function<void()>& before = {});
    // The rows of a routine table that belong to one entry or template, in their order.
    std::vector<RoutineRow> RoutineRows(const char* table, const char* idField, RowId id);
    bool FindInFiltered(RowId entryId);
    // After a write that failed (and was told): the set shows the log again, if it can.
    void RequeryAfterFailure();
    bool FindOrShowAll(RowId entryId);
    void OpenFilteredSet();
    std::string FilterSqlFor(const FilterState& state);
    bool RemoveEntry(RowId entryId, long* position, bool* inverted);
    int ShadeNewRow();
    bool ReleaseShading(long position);
    void InvertBackgroundFrom(long position);
    bool SameWeek(double serialA, double serialB) const;
    void ReportDbError(const char* what, const std::exception& e);
    // Requeries the open sets and tells every view to read everything again.
    void ReadAfresh();
    // "This <what> is no longer in the log: ...", then the log read afresh when another
    // program changed it; false.
    bool ReportGone(const char* what);
    // An event needs a name: true after saying so.
    bool RefuseUnnamed(const EventValue& event);
    // An open log that may be written; says why not when it is read-only.
    bool CanWrite();
    // Runs a write in one transaction; an engine failure is shown as "what--Exception: ...".
    bool Write(const char* what, const std::function<void()>& write);
    bool ColumnsWrite(const std::function<void(CColumnSettingsSet&)>& write, View* sender);

    UserInterface& ui_;
    std::unique_ptr<LogDatabase> db_;
    std::unique_ptr<Sets> sets_;
    QueryDef totalsQuery_;
    QueryDef filteredSetQuery_;
    QueryDef deleteRoutineQuery_;
    QueryDef deleteTemplateQuery_;
    FilterState filter_;
    UndoHistory history_;
    RowId currentEntry_ = 0;
    std::optional<Catalog> catalog_;
    std::vector<std::string> equipmentWarnings_;
    std::optional<bool> hasEquipment_;
    std::int64_t catalogStamp_ = 0;
    std::int64_t dataVersion_ = 0;  // the file's change counter when it was last read
    std::vector<View*> views_;
    std::string path_;
    std::string backupFolder_;
    bool claimsLog_ = false;
    bool claimedElsewhere_ = false;  // opened read-only: another instance has it
    bool offersNewLog_ = true;
    std::unique_ptr<LogLock> lock_;
};

}  // namespace kivrun
