#include "document/TamselDoc.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "document/Backup.h"
#include "document/Conversion.h"
#include "document/OldLogFile.h"
#include "document/TamselDocSets.h"
#include "store/Criteria.h"
#include "store/DefaultRows.h"
#include "store/LogDatabase.h"
#include "store/LogLock.h"
#include "store/NewLogFile.h"
#include "store/Schema.h"
#include "values/ProgramState.h"

namespace kivrun {
namespace fs = std::filesystem;

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
    history_.Clear();
    currentEntry_ = 0;
    catalog_.reset();
    hasEquipment_.reset();
    equipmentWarnings_.clear();
    filter_ = FilterState();
    lock_.reset();
    claimedElsewhere_ = false;
}

bool CTamselDoc::OnOpenDocument(const std::string& path, OpenMode mode) {
    WaitCursor wait(ui_);
    Discard();  // one log at a time; the caller closes (and backs up) the previous one
    if (!ClaimLog(path, true)) return false;
    const bool readOnly = mode == OpenMode::ReadOnly || claimedElsewhere_;
    bool madeNew = false;
    std::unique_ptr<LogDatabase> db;
    switch (LogDatabase::Open(path, ui_, false, db, readOnly)) {
        case LogDatabase::kOpened:
            break;
        case LogDatabase::kEmpty:
            if (!MakeEmptyFileALog(path, readOnly) ||
                LogDatabase::Open(path, ui_, true, db) != LogDatabase::kOpened) {
                Discard();
                return false;
            }
            madeNew = true;
            break;
        case LogDatabase::kForeign:
            ui_.ShowMessage(LogDatabase::NotALogMessage(path));
            Discard();
            return false;
        case LogDatabase::kNotALog:
            if (!LooksLikeOldLog(path)) {
                ui_.ShowMessage(LogDatabase::NotALogMessage(path));
                Discard();
                return false;
            }
            // Converting writes: not for a log opened to be read.
            if (readOnly || !ui_.AskYesNo("File was created in previous version of Kivrun.\n\nDo "
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
    // Completing waits for another program's write, and may give up on it (locked, damaged).
    bool usable = false;
    try {
        usable = db->IsReadOnly() ? RefuseUnlessLog(*db) : schema::CompleteLog(*db, ui_);
    } catch (const DbError& e) {
        ReportDbError("Couldn't open database", e);
    }
    if (!usable) {
        Discard();
        return false;
    }
    db_ = std::move(db);
    path_ = path;
    if (!OpenRecordSets()) return false;
    if (!FinishOpen()) {
        Discard();
        return false;
    }
    // As after File New: the sports are set up first.
    if (madeNew) ui_.ShowPreferences(*this);
    return true;
}

bool CTamselDoc::MakeEmptyFileALog(const std::string& path, bool readOnly) {
    if (readOnly || !offersNewLog_) {
        ui_.ShowMessage("Couldn't open database--Exception: '" + path +
                        "' is empty, not a training log.");
        return false;
    }
    if (!ui_.AskYesNo("This file is empty. Make it a new training log?")) return false;
    // Built beside it and then put in its place, as a new log is.
    return WriteNewLogFile(path, true, ui_);
}

bool CTamselDoc::OpenRecordSets() {
    try {
        sets_ = std::make_unique<Sets>(db_.get());
        totalsQuery_.Open(*db_, "TotalsQuery");
        filteredSetQuery_.Open(*db_, "FilteredSetQuery");
        deleteRoutineQuery_.Open(*db_, "DeleteRoutineQuery");
        deleteTemplateQuery_.Open(*db_, "DeleteTemplateQuery");
        // The week start chosen in this log holds again when it is opened.
        const std::string week = Preference("WeekStartDay");
        if (week.size() == 1 && week[0] >= '0' && week[0] <= '6')
            ProgramState::Instance().SetWeekStartDay(week[0] - '0');
        RepairEarlierBuilds();
        // The filtered set opens once, when the saved filter is applied (FinishOpen).
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
        dataVersion_ = db_->sql().DataVersion();
        FilterState filter = FilterState::Restore(Preference("StateFilterToolBar"));
        // Criteria applied when the log closed are applied again. Read without storing a
        // default: a log saved before this row existed opens unchanged, showing all.
        {
            // Finished before the filter is applied: a read left open would hold the log, and
            // the write after it would then fail at once when another program is writing.
            Statement showAll = db_->sql().Prepare(
                "SELECT Value FROM Preferences WHERE Preference = 'FilterShowAll'");
            filter.showAll = !(showAll.Step() && showAll.Text(0) == "0");
        }
        ApplyFilter(filter);
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
    if (claimedElsewhere_) {
        // The program that has it keeps the log, and backs it up.
        Discard();
        return {};
    }
    int days = 0;
    try {
        days = PreferencesSet().GetDaysBetweenBackup();
        if (!IsReadOnly()) {
            PreferencesSet().SetPreference("StateFilterToolBar", filter_.Save());
            PreferencesSet().SetPreference("FilterShowAll", filter_.showAll ? "1" : "0");
        }
    } catch (const DbError& e) {
        // A log that cannot take the filter state still closes, and is still backed up.
        ReportDbError("Couldn't save the filter", e);
    }
    const std::string path = path_;
    const bool writable = !IsReadOnly();
    Discard();
    const BackupOutcome outcome = AutomaticBackup(path, days, backupFolder_, ui_, writable);
    if (outcome.result == BackupOutcome::Failed)
        ui_.ShowMessage("Couldn't back up the training log--Exception: " + outcome.why);
    return outcome;
}

// --- Filter ------------------------------------------------------------------------------

bool CTamselDoc::DateSortDescending() {
    return Preference("DateSort", CPreferencesSet::DefaultFor("DateSort")) == "DESC";
}

std::string CTamselDoc::FilterSqlFor(const FilterState& state) {
    return BuildFilterSql(state, GetCatalog(),
                          Preference("DateSort", CPreferencesSet::DefaultFor("DateSort")));
}

void CTamselDoc::OpenFilteredSet() {
    sets_->filtered.Close();
    sets_->filtered.Open(filteredSetQuery_);
}

void CTamselDoc::ApplyFilter(const FilterState& state) {
    if (!db_) return;
    filter_ = state;
    filter_.changed = false;
    // The stored text (and the view made from it) is rewritten only when it differs, so
    // opening a log or applying the same filter again writes nothing.
    const std::string sql = FilterSqlFor(filter_);
    if (filteredSetQuery_.GetSQL() != sql) filteredSetQuery_.SetSQL(sql);
    OpenFilteredSet();
    ComputeBackgroundBands();
    UpdateAllViews(nullptr, UpdateHint::Of(Notice::FilterApplied));
}

void CTamselDoc::ReapplyFilter() {
    ApplyFilter(filter_);
}

void CTamselDoc::UpdateFilter(const FilterState& state) {
    if (!db_) return;
    FilterState applied = state;
    if (applied.dateOp == FilterState::kBetween && applied.repeatAllYears) {
        Statement years = db_->sql().Prepare("SELECT min(Date), max(Date) FROM \"Log Entry\"");
        if (years.Step() && !years.IsNull(0))
            applied.WidenToYears(CDate::FromSerial(years.Real(0)).Year(),
                                 CDate::FromSerial(years.Real(1)).Year());
    }
    ApplyFilter(applied);
}

bool CTamselDoc::SaveFilter() {
    return Write("Couldn't save the filter", [&] {
        PreferencesSet().SetPreference("StateFilterToolBar", filter_.Save());
        PreferencesSet().SetPreference("FilterShowAll", filter_.showAll ? "1" : "0");
    });
}

void CTamselDoc::ToggleDateSort() {
    if (!db_) return;
    if (!SetPreference("DateSort", DateSortDescending() ? "" : "DESC")) return;
    ReapplyFilter();
}

// --- Views ---------------------------------------------------------------------------------

void CTamselDoc::AddView(View* view) {
    if (std::find(views_.begin(), views_.end(), view) == views_.end()) views_.push_back(view);
}

void CTamselDoc::RemoveView(View* view) {
    views_.erase(std::remove(views_.begin(), views_.end(), view), views_.end());
}

void CTamselDoc::UpdateAllViews(View* sender, const UpdateHint& hint) {
    if (hint.kind == Notice::SportsChanged && db_) {
        // Sports or classes changed under the filter: its SQL names them.
        catalog_.reset();
        if (sets_) {
            SportsSet().Requery();
            TrainingTypesSet().Requery();
        }
        ReapplyFilter();
    }
    const std::vector<View*> views = views_;  // a view may close itself while told
    for (View* v : views) {
        if (v != sender && std::find(views_.begin(), views_.end(), v) != views_.end())
            v->OnUpdate(sender, hint);
    }
}

}  // namespace kivrun
