#include <algorithm>

#include "app/TamselDoc.h"
#include "app/TamselDocSets.h"
#include "store/Criteria.h"
#include "store/LogDatabase.h"

namespace kivrun {

// --- Workouts ------------------------------------------------------------------------------

void CTamselDoc::WriteEntryFields(const WorkingEntry& e) {
    CLogEntryFilteredSet& f = sets_->filtered;
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

void CTamselDoc::SaveRoutine(RowId entryId, const std::vector<RoutineRow>& routine) {
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

RowId CTamselDoc::AddEntry(const WorkingEntry& entry, View* sender) {
    if (!CanWrite()) return 0;
    RowId id = 0;
    long position = -1;
    bool inverted = false;
    try {
        Transaction tx(db_->sql());
        CLogEntryFilteredSet& f = sets_->filtered;
        f.AddNew();
        WriteEntryFields(entry);
        f.Update();
        id = f.GetLastModifiedBookmark();
        SaveRoutine(id, entry.routine);
        f.Requery();
        if (!FindOrShowAll(id)) {
            tx.Commit();
            undoKind_ = UndoKind::EntryAdded;
            undoEntryId_ = id;
            return id;
        }
        position = f.GetAbsolutePosition();
        inverted = ShadeNewRow();
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't add the entry", e);
        sets_->filtered.Requery();
        return 0;
    }
    undoKind_ = UndoKind::EntryAdded;
    undoEntryId_ = id;
    UpdateHint hint = UpdateHint::ForRow(Notice::EntryAdded, id, 0, entry.date.ToSerial());
    hint.position = position;
    hint.laterRowsReshaded = inverted;
    UpdateAllViews(sender, hint);
    return id;
}

RowId CTamselDoc::UpdateEntry(RowId entryId, const WorkingEntry& entry, View* sender) {
    if (!CanWrite()) return 0;
    try {
        if (!FindInFiltered(entryId)) return 0;
        CLogEntryFilteredSet& f = sets_->filtered;
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
            UpdateAllViews(sender, UpdateHint::ForRow(Notice::EntryChanged, entryId,
                                                      oldDay.ToSerial(), entry.date.ToSerial()));
            return entryId;
        }
        // Its place in the list changed: delete and add again, so that the week shading is
        // worked out afresh. Undo keeps meaning what it meant before the change.
        const UndoKind undoKind = undoKind_;
        const RowId undoId = undoEntryId_;
        const RowId newId =
            DeleteEntry(entryId, sender, false) ? AddEntry(entry, sender) : RowId{0};
        // Either step failing (and saying why) leaves the entry as it was.
        if (newId == 0) {
            sets_->filtered.Requery();
            return 0;
        }
        change.Commit();
        undoKind_ = undoKind;
        undoEntryId_ = undoId == entryId ? newId : undoId;
        return newId;
    } catch (const DbError& e) {
        ReportDbError("Couldn't change the entry", e);
        sets_->filtered.Requery();
        return 0;
    }
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
    long position = -1;
    bool inverted = false;
    double day = 0;
    try {
        Transaction tx(db_->sql());
        if (!FindInFiltered(entryId)) return false;
        day = sets_->filtered.Date;
        if (!RemoveEntry(entryId, &position, &inverted)) return false;
        tx.Commit();
        if (sets_->filtered.GetRecordCount() > 0) sets_->filtered.MoveFirst();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the entry", e);
        sets_->filtered.Requery();
        return false;
    }
    if (currentEntry_ == entryId) currentEntry_ = 0;
    UpdateHint hint = UpdateHint::ForRow(Notice::EntryDeleted, entryId, day);
    hint.position = position;
    hint.laterRowsReshaded = inverted;
    UpdateAllViews(sender, hint);
    return true;
}

long CTamselDoc::DeleteEntries(const std::vector<RowId>& entryIds, View* sender) {
    if (!CanWrite() || entryIds.empty()) return 0;
    long deleted = 0;
    try {
        Transaction tx(db_->sql());
        for (RowId id : entryIds) {
            long position = -1;
            bool inverted = false;
            if (RemoveEntry(id, &position, &inverted)) ++deleted;
        }
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the entries", e);
        sets_->filtered.Requery();
        return 0;
    }
    if (std::find(entryIds.begin(), entryIds.end(), currentEntry_) != entryIds.end())
        currentEntry_ = 0;
    sets_->filtered.Requery();
    if (deleted > 0) UpdateAllViews(sender, UpdateHint::Of(Notice::DataReloaded));
    return deleted;
}

void CTamselDoc::Undo() {
    if (undoKind_ == UndoKind::EntryAdded) DeleteEntry(undoEntryId_, nullptr, false);
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

// --- Calendar events -------------------------------------------------------------------

bool CTamselDoc::DeleteEvent(RowId eventId, bool ask) {
    if (!CanWrite()) return false;
    // Asked before anything is looked up, and deleted by its id afterwards: nothing a repaint
    // does while the question is open can change which event goes.
    if (!Event(eventId)) return false;
    if (ask && !ui_.AskYesNo("Are you sure you want to delete this entry?")) return false;
    double day = 0;
    try {
        const std::optional<EventRow> event = Event(eventId);
        if (!event) return false;
        day = event->date;
        Statement& s = db_->sql().Cached("DELETE FROM \"Calendar Events\" WHERE EventID = ?");
        s.Bind(1, eventId);
        s.Run();
        if (sets_->events.IsOpen()) sets_->events.Requery();
    } catch (const DbError& e) {
        ReportDbError("Couldn't delete the event", e);
        return false;
    }
    UpdateAllViews(nullptr, UpdateHint::ForRow(Notice::EventDeleted, eventId, day));
    return true;
}

}  // namespace kivrun
