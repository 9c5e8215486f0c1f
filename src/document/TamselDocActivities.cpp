// Workouts from watch and app files, written as one batch, and the device sports the log
// remembers for them.

#include "document/ActivityImport.h"
#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"

namespace kivrun {

namespace {

void RememberDeviceSports(SqliteDb& db, const std::map<std::string, std::string>& deviceSports) {
    Statement& s = db.Cached(
        "INSERT INTO \"Device Sports\" (DeviceSport, SptAbbrev) VALUES (?1, ?2) "
        "ON CONFLICT (DeviceSport) DO UPDATE SET SptAbbrev = ?2");
    for (const auto& [deviceSport, sport] : deviceSports) {
        s.Reset();
        s.Bind(1, deviceSport).Bind(2, sport);
        s.Run();
    }
}

}  // namespace

std::vector<RowId> CTamselDoc::ImportActivities(
    const std::vector<ImportedWorkout>& workouts,
    const std::map<std::string, std::string>& deviceSports, View* sender) {
    if (!CanWrite() || workouts.empty()) return {};
    std::vector<RowId> ids;
    std::vector<EntryDetail> written;
    CLogEntryFilteredSet& f = sets_->filtered;
    const long shownBefore = f.GetRecordCount();
    try {
        Transaction tx(db_->sql());
        Statement& keep = db_->sql().Cached(
            "INSERT INTO \"Imported Activities\" (EntryID, Start, Elapsed, DeviceSport, "
            "Distance, FileName) VALUES (?, ?, ?, ?, ?, ?)");
        for (const ImportedWorkout& w : workouts) {
            EntryDetail d = w.workout;
            d.entry.entryId = 0;
            d.entry.entryId = WriteEntryRows(d, false);
            const ActivityFingerprint& a = w.fingerprint;
            keep.Reset();
            keep.Bind(1, d.entry.entryId).Bind(2, a.start).Bind(3, a.elapsed);
            keep.Bind(4, a.deviceSport).Bind(5, a.metres).Bind(6, a.fileName);
            keep.Run();
            ids.push_back(d.entry.entryId);
            written.push_back(std::move(d));
        }
        RememberDeviceSports(db_->sql(), deviceSports);
        // Rows written as they come, then the list shaded once.
        f.Requery();
        ComputeBackgroundBands();
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't import the activities", e);
        f.Requery();
        return {};
    }
    // One Undo takes the whole batch back; the rows kept of the activities stay, so that Redo
    // (which brings the workouts back under their EntryIDs) finds them again.
    UndoStep step{undo_name::kImportActivities, std::vector<LogChange>(written.size()),
                  std::vector<LogChange>(written.size()), true};
    for (std::size_t i = 0; i < written.size(); ++i) {
        step.undo[i] = undo::RemoveEntry{ids[i]};
        step.redo[i] = undo::PutEntry{std::move(written[i])};
    }
    history_.Record(std::move(step));
    // Workouts just brought in must be seen, as one just entered is: the filter shows all.
    if (f.GetRecordCount() - shownBefore < static_cast<long>(ids.size()) && !filter_.showAll) {
        FilterState all = filter_;
        all.showAll = true;
        ApplyFilter(all);  // its notice tells the views the list was rebuilt
    } else {
        UpdateAllViews(sender, UpdateHint::Of(Notice::DataReloaded));
    }
    return ids;
}

std::map<std::string, std::string> CTamselDoc::DeviceSports() {
    std::map<std::string, std::string> sports;
    if (!db_ || !db_->TableExists("Device Sports")) return sports;
    Statement& s = db_->sql().Cached("SELECT DeviceSport, SptAbbrev FROM \"Device Sports\"");
    while (s.Step())
        sports[s.Text(0)] = s.Text(1);
    s.Reset();
    return sports;
}

bool CTamselDoc::SaveDeviceSports(const std::map<std::string, std::string>& deviceSports) {
    return Write("Couldn't save the sports of activity files", [&] {
        db_->sql().Exec("DELETE FROM \"Device Sports\"");
        RememberDeviceSports(db_->sql(), deviceSports);
    });
}

}  // namespace kivrun
