#include "app/TamselDoc.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/Backup.h"
#include "app/Conversion.h"
#include "app/OldLogFile.h"
#include "store/AffiliationsSet.h"
#include "store/BodyPartsSet.h"
#include "store/ColumnSettingsSet.h"
#include "store/Criteria.h"
#include "store/DefaultRows.h"
#include "store/DistanceUnitsSet.h"
#include "store/EventsSet.h"
#include "store/ExercisesSet.h"
#include "store/LogDatabase.h"
#include "store/LogEntryFilteredSet.h"
#include "store/LogEntryRoutineSet.h"
#include "store/LogEntrySet.h"
#include "store/LogLock.h"
#include "store/NewLogFile.h"
#include "store/PaceUnitsSet.h"
#include "store/PreferencesSet.h"
#include "store/ProgramState.h"
#include "store/RoutesSet.h"
#include "store/RoutinesDetailsSet.h"
#include "store/RoutinesSet.h"
#include "store/Schema.h"
#include "store/SportsSet.h"
#include "store/TotalsSet.h"
#include "store/TrainingTypesSet.h"

namespace kivrun {
namespace fs = std::filesystem;

struct CTamselDoc::Sets {
    explicit Sets(LogDatabase* db)
        : logEntry(db),
          filtered(db),
          routine(db),
          trainingTypes(db),
          distanceUnits(db),
          paceUnits(db),
          sports(db),
          events(db),
          columnSettings(db),
          preferences(db),
          routes(db),
          affiliations(db),
          totals(db),
          routines(db),
          routinesDetails(db),
          exercises(db),
          bodyParts(db) {}
    CLogEntrySet logEntry;
    CLogEntryFilteredSet filtered;
    CLogEntryRoutineSet routine;
    CTrainingTypesSet trainingTypes;
    CDistanceUnitsSet distanceUnits;
    CPaceUnitsSet paceUnits;
    CSportsSet sports;
    CEventsSet events;
    CColumnSettingsSet columnSettings;
    CPreferencesSet preferences;
    CRoutesSet routes;
    CAffiliationsSet affiliations;
    CTotalsSet totals;
    CRoutinesSet routines;
    CRoutinesDetailsSet routinesDetails;
    CExercisesSet exercises;
    CBodyPartsSet bodyParts;
};

namespace {

// Sets open on first use: they show the log as it is then, and opening a large log does
// not pay for sets nobody reads.
template <class Set>
Set& Opened(Set& set) {
    if (!set.IsOpen()) set.Open();
    return set;
}

const char* kNewLogFilter = "Training Log Files (*.tlg)|*.tlg|All Files (*.*)|*.*||";

}  // namespace

CTamselDoc::CTamselDoc(UserInterface& ui) : ui_(ui) {}

CTamselDoc::~CTamselDoc() {
    CloseRecordSets();
    db_.reset();
}

CLogEntrySet& CTamselDoc::LogEntrySet() {
    return Opened(sets_->logEntry);
}
CLogEntryFilteredSet& CTamselDoc::FilteredSet() {
    return sets_->filtered;
}
CLogEntryRoutineSet& CTamselDoc::RoutineSet() {
    return Opened(sets_->routine);
}
CTrainingTypesSet& CTamselDoc::TrainingTypesSet() {
    return Opened(sets_->trainingTypes);
}
CDistanceUnitsSet& CTamselDoc::DistanceUnitsSet() {
    return Opened(sets_->distanceUnits);
}
CPaceUnitsSet& CTamselDoc::PaceUnitsSet() {
    return Opened(sets_->paceUnits);
}
CSportsSet& CTamselDoc::SportsSet() {
    return Opened(sets_->sports);
}
CEventsSet& CTamselDoc::EventsSet() {
    return Opened(sets_->events);
}
CColumnSettingsSet& CTamselDoc::ColumnSettingsSet() {
    return Opened(sets_->columnSettings);
}
CPreferencesSet& CTamselDoc::PreferencesSet() {
    return Opened(sets_->preferences);
}
CRoutesSet& CTamselDoc::RoutesSet() {
    return Opened(sets_->routes);
}
CAffiliationsSet& CTamselDoc::AffiliationsSet() {
    return Opened(sets_->affiliations);
}
CTotalsSet& CTamselDoc::TotalsSet() {
    return sets_->totals;
}
CRoutinesSet& CTamselDoc::RoutinesSet() {
    return Opened(sets_->routines);
}
CRoutinesDetailsSet& CTamselDoc::RoutinesDetailsSet() {
    return Opened(sets_->routinesDetails);
}
CExercisesSet& CTamselDoc::ExercisesSet() {
    return Opened(sets_->exercises);
}
CBodyPartsSet& CTamselDoc::BodyPartsSet() {
    return Opened(sets_->bodyParts);
}

void CTamselDoc::ReportDbError(const char* what, const std::exception& e) {
    ui_.ShowMessage(std::string(what) + "--Exception: " + e.what());
}

// --- Lifecycle ----------------------------------------------------------------------------

bool CTamselDoc::OnNewDocument() {
    FileDialogRequest request;
    request.defaultExtension = ".tlg";
    request.filter = kNewLogFilter;
    request.overwritePrompt = true;
    const std::optional<std::string> path = ui_.ChooseSaveFile(request);
    if (!path) return false;
    if (!CreateLog(*path)) return false;
    ui_.ShowPreferences(*this);
    return true;
}

bool CTamselDoc::CreateLog(const std::string& path) {
    if (!CreateDatabase(path)) return false;
    if (FinishOpen()) return true;
    Discard();
    return false;
}

bool CTamselDoc::CreateDatabase(const std::string& path) {
    Discard();
    if (!ClaimLog(path, false)) return false;
    // The new log is built beside the chosen name and only then takes it, so a file the
    // user chose to replace is not lost when creating fails.
    std::unique_ptr<LogDatabase> db;
    if (!WriteNewLogFile(path, true, ui_) ||
        LogDatabase::Open(path, ui_, true, db) != LogDatabase::kOpened) {
        Discard();
        return false;
    }
    db_ = std::move(db);
    path_ = path;
    return OpenRecordSets();
}

void CTamselDoc::Discard() {
    CloseRecordSets();
    db_.reset();
    path_.clear();
    filterBar_ = nullptr;
    undoKind_ = UndoKind::Nothing;
    filter_ = FilterState();
    lock_.reset();
    readOnly_ = false;
}

bool CTamselDoc::OnOpenDocument(const std::string& path) {
    WaitCursor wait(ui_);
    Discard();  // one log at a time; the caller closes (and backs up) the previous one
    if (!ClaimLog(path, true)) return false;
    std::unique_ptr<LogDatabase> db;
    switch (LogDatabase::Open(path, ui_, false, db, readOnly_)) {
        case LogDatabase::kOpened:
            break;
        case LogDatabase::kNotALog:
            if (!LooksLikeOldLog(path)) {
                ui_.ShowMessage("Couldn't open database--Exception: '" + path +
                                "' is not a training log.");
                Discard();
                return false;
            }
            if (readOnly_ || !ui_.AskYesNo("File was created in previous version of Kivrun.\n\nDo "
                                           "you want to convert it???")) {
                Discard();
                return false;
            }
            if (!ConvertOldLog(ui_, path) ||
                LogDatabase::Open(path, ui_, true, db) != LogDatabase::kOpened) {
                Discard();
                ui_.ShowMessage("Unable to open training log file!!!");
                return false;
            }
            break;
        default:
            Discard();
            return false;
    }
    // Read-only, the log is taken as it is; only another program's file is still refused.
    if (readOnly_ ? !RefuseUnlessLog(*db) : !schema::CompleteLog(*db, ui_)) {
        Discard();
        return false;
    }
    db_ = std::move(db);
    path_ = path;
    if (!OpenRecordSets()) return false;
    if (FinishOpen()) return true;
    Discard();
    return false;
}

bool CTamselDoc::OpenRecordSets() {
    try {
        sets_ = std::make_unique<Sets>(db_.get());
        totalsQuery_.Open(*db_, "TotalsQuery");
        filteredSetQuery_.Open(*db_, "FilteredSetQuery");
        deleteRoutineQuery_.Open(*db_, "DeleteRoutineQuery");
        deleteTemplateQuery_.Open(*db_, "DeleteTemplateQuery");
        // The week start chosen in this log holds again when it is opened.
        const std::string week = PreferencesSet().GetPreference("WeekStartDay", "");
        if (week.size() == 1 && week[0] >= '0' && week[0] <= '6')
            ProgramState::Instance().SetWeekStartDay(week[0] - '0');
        RepairEarlierBuilds();
        filteredSetQuery_.SetSQL(DateSortDescending()
                                     ? "SELECT * FROM [Log Entry] ORDER BY [Date] DESC, "
                                       "[EntryID] DESC"
                                     : "SELECT * FROM [Log Entry] ORDER BY [Date], [EntryID]");
        sets_->filtered.Open(filteredSetQuery_);
        return true;
    } catch (const DbError& e) {
        ReportDbError("Couldn't open database", e);
        Discard();
        return false;
    }
}

void CTamselDoc::RepairEarlierBuilds() {
    Transaction tx(db_->sql());
    // Logs from before classes had an order knew only T, I and R.
    CTrainingTypesSet& classes = TrainingTypesSet();
    classes.MoveFirst();
    if (!classes.IsEOF() && (classes.IsFieldNull(classes.Order) || classes.Order != 0)) {
        for (; !classes.IsEOF(); classes.MoveNext()) {
            const std::string abbrev = classes.TypeAbbrev;
            if (abbrev != "T" && abbrev != "I" && abbrev != "R") continue;
            classes.Edit();
            if (abbrev == "T") {
                classes.TypeAbbrev = "G";
                classes.TypeName = "General";
                classes.ColorCode = "0,0,0";
                classes.Order = 0;
            } else if (abbrev == "I") {
                classes.TypeName = "Intervals";
                classes.ColorCode = "0,0,0";
                classes.Order = 2;
            } else {
                classes.ColorCode = "200,0,0";
                classes.Order = 6;
            }
            classes.Update();
        }
        struct Added {
            const char* abbrev;
            const char* name;
            int order;
        };
        for (const Added& a : {Added{"C", "Climbing", 1}, Added{"E", "Recovery", 3},
                               Added{"S", "Sprints", 4}, Added{"T", "Tempo", 5}}) {
            classes.AddNew();
            classes.TypeAbbrev = a.abbrev;
            classes.TypeName = a.name;
            classes.ColorCode = "0,0,0";
            classes.Order = a.order;
            classes.Update();
        }
        classes.Requery();
    }
    CSportsSet& sports = SportsSet();
    for (sports.MoveFirst(); !sports.IsEOF(); sports.MoveNext()) {
        if (sports.Image >= 0 && sports.Image <= 12) continue;
        sports.Edit();
        sports.Image = SportImageIndex(sports.SptName);
        sports.Update();
    }
    tx.Commit();
}

bool CTamselDoc::FinishOpen() {
    try {
        if (!readOnly_) ComputeBackgroundBands();
        filter_ = FilterState::Restore(PreferencesSet().GetPreference("StateFilterToolBar", ""));
        ApplyFilter(true);
        return true;
    } catch (const DbError& e) {
        ReportDbError("Couldn't open database", e);
        return false;
    }
}

void CTamselDoc::CloseRecordSets() {
    totalsQuery_.Close();
    filteredSetQuery_.Close();
    deleteRoutineQuery_.Close();
    deleteTemplateQuery_.Close();
    sets_.reset();
}

BackupOutcome CTamselDoc::OnCloseDocument() {
    if (!db_) return {};
    if (readOnly_) {
        // Its own program keeps the log, and backs it up.
        Discard();
        return {};
    }
    int days = 0;
    try {
        days = PreferencesSet().GetDaysBetweenBackup();
        PreferencesSet().SetPreference("StateFilterToolBar", filter_.Save());
    } catch (const DbError& e) {
        // A log that cannot take the filter state still closes, and is still backed up.
        ReportDbError("Couldn't save the filter", e);
    }
    const std::string path = path_;
    Discard();
    const BackupOutcome outcome = AutomaticBackup(path, days, backupFolder_, ui_);
    if (outcome.result == BackupOutcome::Failed)
        ui_.ShowMessage("Couldn't back up the training log--Exception: " + outcome.why);
    return outcome;
}

// --- Workouts ------------------------------------------------------------------------------

void CTamselDoc::WriteEntryFields(const WorkingEntry& e) {
    CLogEntryFilteredSet& f = FilteredSet();
    f.Date = e.date.ToSerial();
    f.SptAbbrev = e.sptAbbrev;
    f.TrainingTypeAbbrev = e.typeAbbrev;
    f.Distance = e.distance;
    f.Time = e.time.TotalSeconds();
    f.Pace = e.pace;
    f.OptionalOne = e.optionalOne;
    f.OptionalTwo = e.optionalTwo;
    f.Route = e.route;
    f.Notes = e.notes;
}

void CTamselDoc::SaveRoutine(long entryId, const std::vector<RoutineRow>& routine) {
    deleteRoutineQuery_.SetParamValue("ID", std::int64_t{entryId});
    deleteRoutineQuery_.Execute();
    CLogEntryRoutineSet& rs = RoutineSet();
    rs.Requery();
    for (const RoutineRow& row : routine) {
        rs.AddNew();
        rs.EntryID = static_cast<int>(entryId);
        rs.Exercise = row.exercise;
        rs.Sets = row.sets;
        rs.Weight1 = row.weight[0];
        rs.Reps1 = row.reps[0];
        rs.Weight2 = row.weight[1];
        rs.Reps2 = row.reps[1];
        rs.Weight3 = row.weight[2];
        rs.Reps3 = row.reps[2];
        rs.Weight4 = row.weight[3];
        rs.Reps4 = row.reps[3];
        rs.Update();
    }
}

std::vector<RoutineRow> CTamselDoc::RoutineOf(long entryId) {
    std::vector<RoutineRow> rows;
    Statement s = db_->sql().Prepare(
        "SELECT Exercise, Sets, Weight1, Reps1, Weight2, Reps2, Weight3, Reps3, Weight4, Reps4 "
        "FROM \"Log Entry Details Routine\" WHERE EntryID = ? ORDER BY rowid");
    s.Bind(1, static_cast<std::int64_t>(entryId));
    while (s.Step()) {
        RoutineRow r;
        r.exercise = s.Text(0);
        r.sets = static_cast<int>(s.Int64(1));
        for (int i = 0; i < 4; ++i) {
            r.weight[i] = static_cast<int>(s.Int64(2 + 2 * i));
            r.reps[i] = static_cast<int>(s.Int64(3 + 2 * i));
        }
        rows.push_back(std::move(r));
    }
    return rows;
}

bool CTamselDoc::FindInFiltered(long entryId) {
    return FilteredSet().FindFirst(criteria::Is("EntryID", entryId));
}

bool CTamselDoc::FindOrShowAll(long entryId) {
    if (FindInFiltered(entryId)) return true;
    if (!filter_.showAll) {
        // A workout the user just entered must be visible: show everything.
        filter_.showAll = true;
        if (filterBar_) filterBar_->Write(StateToBar(filter_, SportsSet(), TrainingTypesSet()));
        ApplyFilter(true);
        return FindInFiltered(entryId);
    }
    return false;
}

bool CTamselDoc::SameWeek(double a, double b) const {
    return CDate::FromSerial(a).SameWeek(CDate::FromSerial(b));
}

void CTamselDoc::InvertBackgroundFrom(long position) {
    Statement s = db_->sql().Prepare(
        "UPDATE \"Log Entry\" SET Background = 1 - coalesce(Background, 0) WHERE rowid IN "
        "(SELECT kivrun_key FROM (" +
        FilteredSet().SourceSql() + ") LIMIT -1 OFFSET ?)");
    s.Bind(1, static_cast<std::int64_t>(position));
    s.Run();
}

// Gives the current row of the filtered set its week shading from its neighbours; true when
// the rows after it had to be inverted.
int CTamselDoc::ShadeNewRow() {
    CLogEntryFilteredSet& f = FilteredSet();
    const long pos = f.GetAbsolutePosition();
    const long count = f.GetRecordCount();
    const double date = f.Date;
    struct Neighbour {
        bool exists = false;
        double date = 0;
        int background = 0;
    } prev, next;
    if (pos > 0) {
        f.SetAbsolutePosition(pos - 1);
        prev = {true, f.Date, f.Background};
    }
    if (pos + 1 < count) {
        f.SetAbsolutePosition(pos + 1);
        next = {true, f.Date, f.Background};
    }
    bool inverted = false;
    int value = 0;
    if (prev.exists && next.exists) {
        if (SameWeek(date, prev.date)) {
            value = prev.background;
        } else if (SameWeek(date, next.date)) {
            value = next.background;
        } else {
            value = next.background;
            InvertBackgroundFrom(pos + 1);
            inverted = true;
        }
    } else if (prev.exists) {
        value = SameWeek(date, prev.date) ? prev.background : 1 - prev.background;
    } else if (next.exists) {
        value = SameWeek(date, next.date) ? next.background : 1 - next.background;
    }
    f.SetAbsolutePosition(pos);
    f.Edit();
    f.Background = value;
    f.Update();
    return inverted;
}

// Before the row at position leaves its week: when it was the only row of its week between
// two weeks shaded alike, every row after it flips. Leaves the set on the row.
bool CTamselDoc::ReleaseShading(long position) {
    CLogEntryFilteredSet& f = FilteredSet();
    bool inverted = false;
    if (position > 0 && position + 1 < f.GetRecordCount()) {
        f.SetAbsolutePosition(position - 1);
        const double prevDate = f.Date;
        const int prevBackground = f.Background;
        f.SetAbsolutePosition(position + 1);
        if (!SameWeek(prevDate, f.Date) && prevBackground == f.Background) {
            InvertBackgroundFrom(position + 1);
            inverted = true;
        }
    }
    f.SetAbsolutePosition(position);
    return inverted;
}

long CTamselDoc::AddEntry(const WorkingEntry& entry, View* sender) {
    if (!db_) return 0;
    long id = 0;
    long position = -1;
    bool inverted = false;
    try {
        Transaction tx(db_->sql());
        CLogEntryFilteredSet& f = FilteredSet();
        f.AddNew();
        WriteEntryFields(entry);
        f.Update();
        id = static_cast<long>(f.GetLastModifiedBookmark());
        undoKind_ = UndoKind::EntryAdded;
        undoEntryId_ = id;
        SaveRoutine(id, entry.routine);
        f.Requery();
        if (!FindOrShowAll(id)) {
            tx.Commit();
            return id;
        }
        position = f.GetAbsolutePosition();
        inverted = ShadeNewRow();
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't add the entry", e);
        FilteredSet().Requery();
        return 0;
    }
    UpdateAllViews(sender, UpdateHint::Of(UpdateHint::kEntryAdded, static_cast<int>(id),
                                          static_cast<int>(position), inverted ? 0 : 1));
    return id;
}

long CTamselDoc::UpdateEntry(long entryId, const WorkingEntry& entry, View* sender) {
    if (!db_) return 0;
    try {
        if (!FindInFiltered(entryId)) return 0;
        CLogEntryFilteredSet& f = FilteredSet();
        const CDate oldDay = CDate::FromSerial(f.Date);
        const long oldPos = f.GetAbsolutePosition();
        // One transaction for the whole change, however many steps it takes.
        Transaction change(db_->sql());
        f.Edit();
        WriteEntryFields(entry);
        f.Update();
        SaveRoutine(entryId, entry.routine);
        bool moved = false;
        if (!(entry.date == oldDay)) {
            f.Requery();
            if (FindOrShowAll(entryId)) {
                moved = f.GetAbsolutePosition() != oldPos;
                // Same place in the list, but perhaps another week: shade it afresh, as if
                // it had been deleted and added there.
                if (!moved) {
                    ReleaseShading(f.GetAbsolutePosition());
                    ShadeNewRow();
                }
            }
        }
        if (!moved) {
            change.Commit();
            UpdateAllViews(sender,
                           UpdateHint::Of(UpdateHint::kEntryChanged, static_cast<int>(entryId)));
            return entryId;
        }
        // Its place in the list changed: delete and add again, so that the week shading is
        // worked out afresh. Undo keeps meaning what it meant before the change.
        const UndoKind undoKind = undoKind_;
        const long undoId = undoEntryId_;
        DeleteEntry(entryId, sender, false);
        const long newId = AddEntry(entry, sender);
        change.Commit();
        undoKind_ = undoKind;
        undoEntryId_ = undoId == entryId ? newId : undoId;
        return newId;
    } catch (const DbError& e) {
        ReportDbError("Couldn't change the entry", e);
        FilteredSet().Requery();
        return 0;
    }
}

bool CTamselDoc::DeleteEntry(long entryId, View* sender, bool ask) {
    if (!db_) return false;
    if (ask && !ui_.AskYesNo("Are you sure you want to delete this entry?")) return false;
    long position = -1;
    bool inverted = false;
    try {
        if (!FindInFiltered(entryId)) return false;
        CLogEntryFilteredSet& f = FilteredSet();
        position = f.GetAbsolutePosition();
        Transaction tx(db_->sql());
        inverted = ReleaseShading(position);
        f.Delete();
        tx.Commit();
        if (f.GetRecordCount() > 0) f.MoveFirst();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the entry", e);
        FilteredSet().Requery();
        return false;
    }
    UpdateAllViews(sender, UpdateHint::Of(UpdateHint::kEntryDeleted, static_cast<int>(entryId),
                                          static_cast<int>(position), inverted ? 0 : 1));
    return true;
}

void CTamselDoc::Undo() {
    if (undoKind_ == UndoKind::EntryAdded) DeleteEntry(undoEntryId_, nullptr, false);
}

bool CTamselDoc::LoadEntry(long entryId, WorkingEntry& e) {
    if (!db_ || !FindInFiltered(entryId)) return false;
    CLogEntryFilteredSet& f = FilteredSet();
    e.date = CDate::FromSerial(f.Date);
    e.sptAbbrev = f.SptAbbrev;
    e.typeAbbrev = f.TrainingTypeAbbrev;
    e.distance = f.Distance;
    e.pace = f.Pace;
    e.time = CElapsedTime::FromSeconds(f.Time);
    e.route = f.Route;
    e.notes = f.Notes;
    e.optionalOne = f.OptionalOne;
    e.optionalTwo = f.OptionalTwo;
    e.routine = RoutineOf(entryId);
    return true;
}

void CTamselDoc::ComputeBackgroundBands() {
    if (!db_) return;
    CLogEntryFilteredSet& f = FilteredSet();
    // One pass over the filtered order in SQL; only rows whose shading changes are written.
    Statement rows =
        db_->sql().Prepare("SELECT kivrun_key, Date, Background FROM (" + f.SourceSql() + ")");
    Transaction tx(db_->sql());
    Statement& write = db_->sql().Cached("UPDATE \"Log Entry\" SET Background = ? WHERE rowid = ?");
    bool first = true;
    double prevDate = 0;
    int prev = 0;
    while (rows.Step()) {
        const double date = rows.Real(1);
        const bool isNull = rows.IsNull(2);
        const int stored = isNull ? 0 : static_cast<int>(rows.Int64(2));
        int value = stored;
        if (!first) value = SameWeek(prevDate, date) ? prev : 1 - prev;
        if (value != stored || isNull) {
            write.Reset();
            write.Bind(1, value).Bind(2, rows.Int64(0));
            write.Run();
        }
        first = false;
        prevDate = date;
        prev = value;
    }
    tx.Commit();
    const long pos = f.GetAbsolutePosition();
    if (pos >= 0) f.SetAbsolutePosition(pos);  // the current row shows the new value
}

// --- Calendar events -------------------------------------------------------------------

bool CTamselDoc::DeleteEvent(long eventId, bool ask) {
    if (!db_) return false;
    try {
        CEventsSet& events = EventsSet();
        if (!events.FindFirst(criteria::Is("EventID", eventId))) return false;
        if (ask && !ui_.AskYesNo("Are you sure you want to delete this entry?")) return false;
        events.Delete();
        if (events.GetRecordCount() > 0) events.MoveFirst();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the event", e);
        return false;
    }
    UpdateAllViews(nullptr, UpdateHint::Of(UpdateHint::kEventDeleted, static_cast<int>(eventId)));
    return true;
}

// --- Filter ------------------------------------------------------------------------------

bool CTamselDoc::DateSortDescending() {
    return PreferencesSet().GetPreference("DateSort", CPreferencesSet::DefaultFor("DateSort")) ==
           "DESC";
}

void CTamselDoc::ApplyFilter(bool notify) {
    if (!db_) return;
    const std::string dateSort =
        PreferencesSet().GetPreference("DateSort", CPreferencesSet::DefaultFor("DateSort"));
    const std::string sql = BuildFilterSql(filter_, SportsSet(), TrainingTypesSet(), dateSort);
    if (filteredSetQuery_.GetSQL() != sql) filteredSetQuery_.SetSQL(sql);
    sets_->filtered.Close();
    sets_->filtered.Open(filteredSetQuery_);
    if (notify) UpdateAllViews(nullptr, UpdateHint::Of(UpdateHint::kFilterApplied));
}

void CTamselDoc::UpdateFilter() {
    if (!db_) return;
    if (filterBar_) BarToState(filterBar_->Read(), filter_, SportsSet(), TrainingTypesSet());
    if (filter_.dateOp == FilterState::kBetween && filter_.repeatAllYears) {
        CLogEntrySet& all = LogEntrySet();
        all.Requery();
        if (!all.IsEmpty()) {
            all.MoveFirst();
            const int first = CDate::FromSerial(all.Date).Year();
            all.MoveLast();
            filter_.WidenToYears(first, CDate::FromSerial(all.Date).Year());
        }
    }
    ApplyFilter(true);
    filter_.changed = false;
}

void CTamselDoc::ToggleDateSort() {
    if (!db_) return;
    PreferencesSet().SetPreference("DateSort", DateSortDescending() ? "" : "DESC");
    ApplyFilter(true);
}

// --- Views ---------------------------------------------------------------------------------

void CTamselDoc::AddView(View* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CTamselDoc::RemoveView(View* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CTamselDoc::UpdateAllViews(View* sender, const UpdateHint& hint) {
    if (hint.kind == UpdateHint::kSportsChanged && db_) {
        // Sports or classes changed under the filter: refresh its lists and its SQL first.
        SportsSet().Requery();
        TrainingTypesSet().Requery();
        if (filterBar_) {
            BarToState(filterBar_->Read(), filter_, SportsSet(), TrainingTypesSet());
            filterBar_->Write(StateToBar(filter_, SportsSet(), TrainingTypesSet()));
        }
        ApplyFilter(true);
    }
    const std::vector<View*> views = views_;  // a view may close itself while told
    for (View* v : views) {
        if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end())
            v->OnUpdate(sender, hint);
    }
}

}  // namespace kivrun
