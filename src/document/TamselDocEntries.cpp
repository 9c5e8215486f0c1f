#include <algorithm>

#include "document/TamselDoc.h"
#include "document/TamselDocSets.h"
#include "store/Criteria.h"
#include "store/LogDatabase.h"

namespace kivrun {

// --- Workouts ------------------------------------------------------------------------------

namespace {

// A workout as the form hands it over: no split times of its own (the form has none).
EntryDetail DetailOf(const WorkingEntry& e, RowId entryId) {
    EntryDetail d;
    d.entry.entryId = entryId;
    d.entry.date = e.date.ToSerial();
    d.entry.sport = e.sptAbbrev;
    d.entry.cls = e.typeAbbrev;
    d.entry.distance = e.distance;
    d.entry.time = e.time.TotalSeconds();
    d.entry.pace = e.pace;
    d.entry.route = e.route;
    d.entry.notes = e.notes;
    d.entry.optionalOne = e.optionalOne;
    d.entry.optionalTwo = e.optionalTwo;
    d.routine = e.routine;
    d.equipment = e.equipment;
    std::sort(d.equipment.begin(), d.equipment.end());
    d.equipment.erase(std::unique(d.equipment.begin(), d.equipment.end()), d.equipment.end());
    return d;
}

bool SameDay(double a, double b) {
    return CDate::FromSerial(a) == CDate::FromSerial(b);
}

// Everything the user can change is the same; the shading is the log's own business.
bool SameWorkout(EntryDetail a, EntryDetail b) {
    a.entry.background = b.entry.background = 0;
    return a.entry == b.entry && a.routine == b.routine && a.splits == b.splits &&
           a.equipment == b.equipment;
}

}  // namespace

RowId CTamselDoc::WriteEntryRows(const EntryDetail& d, bool replace) {
    SqliteDb& db = db_->sql();
    const EntryRow& e = d.entry;
    Statement& s =
        replace
            ? db.Cached(
                  "UPDATE \"Log Entry\" SET Date = ?1, SptAbbrev = ?2, TrainingTypeAbbrev = ?3, "
                  "Distance = ?4, Time = ?5, Pace = ?6, Route = ?7, Notes = ?8, "
                  "OptionalOne = ?9, OptionalTwo = ?10 WHERE EntryID = ?11")
            : db.Cached(
                  "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, "
                  "Time, Pace, Route, Notes, OptionalOne, OptionalTwo, Background, EntryID) "
                  "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?12, nullif(?11, 0))");
    s.Bind(1, e.date).Bind(2, e.sport).Bind(3, e.cls).Bind(4, e.distance).Bind(5, e.time);
    s.Bind(6, e.pace).Bind(7, e.route).Bind(8, e.notes).Bind(9, e.optionalOne);
    s.Bind(10, e.optionalTwo).Bind(11, e.entryId);
    // A workout put back keeps the band it had: a shading pass starts from the first row's.
    if (!replace) s.Bind(12, e.background);
    s.Run();
    const RowId id = replace ? e.entryId : db.LastInsertRowId();
    // A new row has no routine to replace (its rows went with any entry that had its id):
    // the routine set, which rereads its table, is left alone unless there are rows to add.
    if (replace || !d.routine.empty()) SaveRoutine(id, d.routine);
    Statement& clear = db.Cached("DELETE FROM \"Log Entry Details Split Times\" WHERE EntryID = ?");
    clear.Bind(1, id);
    clear.Run();
    Statement& lap = db.Cached(
        "INSERT INTO \"Log Entry Details Split Times\" (EntryID, Lap, Split) VALUES (?, ?, ?)");
    for (const SplitTime& split : d.splits) {
        lap.Reset();
        lap.Bind(1, id).Bind(2, split.lap).Bind(3, split.split);
        lap.Run();
    }
    if (replace || !d.equipment.empty()) WriteEquipmentUse(id, d.equipment, replace);
    return id;
}

void CTamselDoc::SaveRoutine(RowId entryId, const std::vector<RoutineRow>& routine) {
    AllowDecimalWeightsFor(routine);
    deleteRoutineQuery_.SetParamValue("ID", entryId);
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
void CTamselDoc::RequeryAfterFailure() {
    try {
        sets_->filtered.Requery();
    } catch (const DbError&) {
        // The failure has been told; the set shows what it can until the next write.
    }
}

bool CTamselDoc::FindInFiltered(RowId entryId) {
    return sets_->filtered.FindFirst(criteria::Is("EntryID", entryId));
}

bool CTamselDoc::FindOrShowAll(RowId entryId) {
    if (FindInFiltered(entryId)) return true;
    if (!filter_.showAll) {
        // A workout the user just entered must be visible: show everything.
        FilterState all = filter_;
        all.showAll = true;
        ApplyFilter(all);
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
        sets_->filtered.SourceSql() + ") LIMIT -1 OFFSET ?)");
    s.Bind(1, static_cast<std::int64_t>(position));
    s.Run();
}

// Gives the current row of the filtered set its week shading from its neighbours; true when
// the rows after it had to be inverted.
int CTamselDoc::ShadeNewRow() {
    CLogEntryFilteredSet& f = sets_->filtered;
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
    CLogEntryFilteredSet& f = sets_->filtered;
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

RowId CTamselDoc::InsertEntry(const EntryDetail& entry, UpdateHint& added) {
    const RowId id = WriteEntryRows(entry, false);
    added.id = id;
    added.position = -1;
    CLogEntryFilteredSet& f = sets_->filtered;
    f.Requery();
    if (!FindOrShowAll(id)) return id;
    added.position = f.GetAbsolutePosition();
    added.laterRowsReshaded = ShadeNewRow();
    return id;
}

long CTamselDoc::RewriteEntry(const EntryDetail& entry, const EntryRow& before, bool shadeMoved) {
    const RowId id = entry.entry.entryId;
    const long oldPos = PositionOfEntry(id);
    const bool newDay = !SameDay(before.date, entry.entry.date);
    // Leaving its day is leaving its week's band: as if deleted there, then added anew.
    if (newDay && oldPos >= 0) ReleaseShading(oldPos);
    WriteEntryRows(entry, true);
    CLogEntryFilteredSet& f = sets_->filtered;
    if (!newDay) {
        if (oldPos >= 0) f.SetAbsolutePosition(oldPos);  // the set's row shows what was written
        return oldPos;
    }
    f.Requery();
    if (!FindOrShowAll(id)) return -1;
    const long newPos = f.GetAbsolutePosition();
    if (newPos == oldPos || shadeMoved) ShadeNewRow();
    return newPos;
}

RowId CTamselDoc::AddEntry(const WorkingEntry& entry, View* sender, const char* actionName) {
    if (!CanWrite()) return 0;
    EntryDetail detail = DetailOf(entry, 0);
    UpdateHint hint = UpdateHint::ForRow(Notice::EntryAdded, 0, 0, detail.entry.date);
    try {
        Transaction tx(db_->sql());
        detail.entry.entryId = InsertEntry(detail, hint);
        NoteLimitsCrossed(detail, nullptr);
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't add the entry", e);
        RequeryAfterFailure();
        return 0;
    }
    const RowId id = detail.entry.entryId;
    history_.Record({actionName, {undo::RemoveEntry{id}}, {undo::PutEntry{std::move(detail)}}});
    if (hint.position >= 0) UpdateAllViews(sender, hint);
    return id;
}

RowId CTamselDoc::UpdateEntry(RowId entryId, const WorkingEntry& entry, View* sender) {
    if (!CanWrite()) return 0;
    const std::optional<EntryDetail> before = Entry(entryId);
    if (!before) {
        ReportGone("workout");
        return 0;
    }
    if (PositionOfEntry(entryId) < 0) return 0;
    EntryDetail after = DetailOf(entry, entryId);
    after.splits = before->splits;  // the form does not show them; they stay the entry's
    if (SameWorkout(after, *before)) return entryId;
    const double oldDay = before->entry.date;
    UpdateHint removed = UpdateHint::ForRow(Notice::EntryDeleted, entryId, oldDay);
    UpdateHint added = UpdateHint::ForRow(Notice::EntryAdded, 0, 0, after.entry.date);
    RowId newId = entryId;
    try {
        // One transaction for the whole change, however many steps it takes.
        Transaction change(db_->sql());
        removed.position = PositionOfEntry(entryId);
        const long newPos = RewriteEntry(after, before->entry, false);
        if (newPos >= 0 && newPos != removed.position) {
            // Its place in the list changed: it becomes a new entry there, so that the week
            // shading is worked out afresh (the band it left was released above).
            sets_->filtered.SetAbsolutePosition(newPos);
            sets_->filtered.Delete();
            after.entry.entryId = 0;
            newId = InsertEntry(after, added);
            after.entry.entryId = newId;
        }
        NoteLimitsCrossed(after, &*before);
        change.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't change the entry", e);
        RequeryAfterFailure();
        return 0;
    }
    if (newId == entryId) {
        history_.Record(
            {undo_name::kChangeEntry, {undo::PutEntry{*before}}, {undo::PutEntry{after}}});
        UpdateAllViews(sender,
                       UpdateHint::ForRow(Notice::EntryChanged, entryId, oldDay, after.entry.date));
        return entryId;
    }
    history_.Record({undo_name::kChangeEntry,
                     {undo::RemoveEntry{newId}, undo::PutEntry{*before}},
                     {undo::RemoveEntry{entryId}, undo::PutEntry{after}}});
    if (currentEntry_ == entryId) currentEntry_ = newId;
    UpdateAllViews(sender, removed);
    if (added.position >= 0) UpdateAllViews(sender, added);
    return newId;
}

// Deletes a filtered entry, keeping the week shading of the rows after it right.
bool CTamselDoc::RemoveEntry(RowId entryId, long* position, bool* inverted) {
    if (!FindInFiltered(entryId)) return false;
    CLogEntryFilteredSet& f = sets_->filtered;
    *position = f.GetAbsolutePosition();
    *inverted = ReleaseShading(*position);
    f.Delete();
    return true;
}

bool CTamselDoc::DeleteEntry(RowId entryId, View* sender, bool ask) {
    if (!CanWrite()) return false;
    if (ask && !ui_.AskYesNo("Are you sure you want to delete this entry?")) return false;
    // Read whole first: Undo brings it back with its routine and split times.
    const std::optional<EntryDetail> whole = Entry(entryId);
    if (!whole) return ReportGone("workout");
    long position = -1;
    bool inverted = false;
    try {
        Transaction tx(db_->sql());
        if (!RemoveEntry(entryId, &position, &inverted)) return false;
        tx.Commit();
        if (sets_->filtered.GetRecordCount() > 0) sets_->filtered.MoveFirst();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the entry", e);
        RequeryAfterFailure();
        return false;
    }
    history_.Record(
        {undo_name::kDeleteEntry, {undo::PutEntry{*whole}}, {undo::RemoveEntry{entryId}}});
    if (currentEntry_ == entryId) currentEntry_ = 0;
    UpdateHint hint = UpdateHint::ForRow(Notice::EntryDeleted, entryId, whole->entry.date);
    hint.position = position;
    hint.laterRowsReshaded = inverted;
    UpdateAllViews(sender, hint);
    return true;
}

long CTamselDoc::DeleteEntries(const std::vector<RowId>& entryIds, View* sender) {
    if (!CanWrite() || entryIds.empty()) return 0;
    std::vector<EntryDetail> gone;
    try {
        Transaction tx(db_->sql());
        for (RowId id : entryIds) {
            std::optional<EntryDetail> whole = Entry(id);
            long position = -1;
            bool inverted = false;
            if (whole && RemoveEntry(id, &position, &inverted)) gone.push_back(std::move(*whole));
        }
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the entries", e);
        RequeryAfterFailure();
        return 0;
    }
    const long deleted = static_cast<long>(gone.size());
    if (deleted > 0) {
        UndoStep step{deleted == 1 ? undo_name::kDeleteEntry : undo_name::kDeleteEntries,
                      std::vector<LogChange>(gone.size()), std::vector<LogChange>(gone.size()),
                      true};
        for (std::size_t i = 0; i < gone.size(); ++i) {
            step.redo[i] = undo::RemoveEntry{gone[i].entry.entryId};
            step.undo[i] = undo::PutEntry{std::move(gone[i])};
        }
        history_.Record(std::move(step));
    }
    if (std::find(entryIds.begin(), entryIds.end(), currentEntry_) != entryIds.end())
        currentEntry_ = 0;
    sets_->filtered.Requery();
    if (deleted > 0) UpdateAllViews(sender, UpdateHint::Of(Notice::DataReloaded));
    return deleted;
}

bool CTamselDoc::LoadEntry(RowId entryId, WorkingEntry& e) {
    const std::optional<EntryDetail> detail = Entry(entryId);
    if (!detail) return false;
    const EntryRow& r = detail->entry;
    e.date = CDate::FromSerial(r.date);
    e.sptAbbrev = r.sport;
    e.typeAbbrev = r.cls;
    e.distance = r.distance;
    e.pace = r.pace;
    e.time = CElapsedTime::FromSeconds(r.time);
    e.route = r.route;
    e.notes = r.notes;
    e.optionalOne = r.optionalOne;
    e.optionalTwo = r.optionalTwo;
    e.routine = detail->routine;
    e.equipment = detail->equipment;
    return true;
}

void CTamselDoc::ComputeBackgroundBands() {
    if (!db_ || IsReadOnly()) return;
    CLogEntryFilteredSet& f = sets_->filtered;
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

}  // namespace kivrun
