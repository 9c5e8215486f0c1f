// Undo and redo: the steps of the history applied to the log, each in one transaction, with
// the notices the changes call for.

#include <type_traits>

#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"

namespace kivrun {

bool CTamselDoc::Undo() {
    const UndoStep* step = history_.NextUndo();
    if (!step || !ApplyStep(*step, step->undo)) return false;
    history_.Undone();
    return true;
}

bool CTamselDoc::Redo() {
    const UndoStep* step = history_.NextRedo();
    if (!step || !ApplyStep(*step, step->redo)) return false;
    history_.Redone();
    return true;
}

bool CTamselDoc::ApplyStep(const UndoStep& step, const std::vector<LogChange>& changes) {
    if (!CanWrite()) return false;
    std::vector<UpdateHint> notices;
    CLogEntryFilteredSet& f = sets_->filtered;
    try {
        Transaction tx(db_->sql());
        for (const LogChange& change : changes)
            ApplyChange(change, !step.manyRows, notices);
        if (step.manyRows) {
            // Rows written as they come, then the list shaded once, as after a reload.
            f.Requery();
            ComputeBackgroundBands();
        }
        tx.Commit();
    } catch (const DbError& e) {
        ReportDbError("Couldn't undo or redo the change", e);
        RequeryAfterFailure();
        return false;
    }
    if (sets_->events.IsOpen()) sets_->events.Requery();
    if (step.manyRows) {
        UpdateAllViews(nullptr, UpdateHint::Of(Notice::DataReloaded));
        for (const UpdateHint& notice : notices)
            UpdateAllViews(nullptr, notice);  // events, which the reload does not cover
        return true;
    }
    RowId shown = 0;
    for (const UpdateHint& notice : notices) {
        UpdateAllViews(nullptr, notice);
        const bool entry = notice.kind == Notice::EntryAdded || notice.kind == Notice::EntryChanged;
        if (entry || notice.kind == Notice::EntryDeleted) shown = entry ? notice.id : 0;
    }
    // The workout that came back, or changed back, is the one the user looks at next.
    if (shown != 0 && PositionOfEntry(shown) >= 0) SetCurrentEntry(shown, nullptr);
    return true;
}

void CTamselDoc::ApplyChange(const LogChange& change, bool oneByOne,
                             std::vector<UpdateHint>& notices) {
    std::visit(
        [&](const auto& c) {
            using T = std::decay_t<decltype(c)>;
            if constexpr (std::is_same_v<T, undo::PutEntry>) {
                const RowId id = c.entry.entry.entryId;
                const std::optional<EntryDetail> before = id ? Entry(id) : std::nullopt;
                if (!oneByOne) {
                    WriteEntryRows(c.entry, before.has_value());
                } else if (!before) {
                    UpdateHint added =
                        UpdateHint::ForRow(Notice::EntryAdded, 0, 0, c.entry.entry.date);
                    InsertEntry(c.entry, added);
                    if (added.position >= 0) notices.push_back(added);
                } else {
                    RewriteEntry(c.entry, before->entry, true);
                    notices.push_back(UpdateHint::ForRow(Notice::EntryChanged, id,
                                                         before->entry.date, c.entry.entry.date));
                }
            } else if constexpr (std::is_same_v<T, undo::RemoveEntry>) {
                const std::optional<EntryDetail> before = Entry(c.entryId);
                if (!before) return;  // gone already: nothing to take away
                UpdateHint removed =
                    UpdateHint::ForRow(Notice::EntryDeleted, c.entryId, before->entry.date);
                bool inverted = false;
                if (!oneByOne || !RemoveEntry(c.entryId, &removed.position, &inverted)) {
                    // Not in the filtered set: it leaves no band behind.
                    Statement& s = db_->sql().Cached("DELETE FROM \"Log Entry\" WHERE EntryID = ?");
                    s.Bind(1, c.entryId);
                    s.Run();
                    removed.position = -1;
                }
                removed.laterRowsReshaded = inverted;
                if (currentEntry_ == c.entryId) currentEntry_ = 0;
                if (oneByOne) notices.push_back(removed);
            } else if constexpr (std::is_same_v<T, undo::PutEvent>) {
                const EventRow& e = c.event;
                const std::optional<EventRow> before = Event(e.eventId);
                Statement& s = db_->sql().Cached(
                    "INSERT OR REPLACE INTO \"Calendar Events\" (EventID, Date, SptAbbrev, "
                    "EventName, EventDetails, EventAffiliation, Background) VALUES (?, ?, ?, ?, "
                    "?, ?, ?)");
                s.Bind(1, e.eventId).Bind(2, e.date).Bind(3, e.sport).Bind(4, e.name);
                s.Bind(5, e.details).Bind(6, e.affiliation).Bind(7, e.background);
                s.Run();
                notices.push_back(
                    before
                        ? UpdateHint::ForRow(Notice::EventChanged, e.eventId, before->date, e.date)
                        : UpdateHint::ForRow(Notice::EventAdded, e.eventId, 0, e.date));
            } else if constexpr (std::is_same_v<T, undo::RemoveEvent>) {
                const std::optional<EventRow> before = Event(c.eventId);
                if (!before) return;  // gone already
                Statement& s =
                    db_->sql().Cached("DELETE FROM \"Calendar Events\" WHERE EventID = ?");
                s.Bind(1, c.eventId);
                s.Run();
                notices.push_back(
                    UpdateHint::ForRow(Notice::EventDeleted, c.eventId, before->date));
            } else if constexpr (std::is_same_v<T, undo::PutEquipment>) {
                WriteEquipmentRows(c.item, EquipmentById(c.item.equipmentId).has_value());
                notices.push_back(UpdateHint::ForRow(Notice::EquipmentChanged, c.item.equipmentId));
            } else if constexpr (std::is_same_v<T, undo::RemoveEquipment>) {
                Statement& s = db_->sql().Cached("DELETE FROM Equipment WHERE EquipmentID = ?");
                s.Bind(1, c.equipmentId);
                s.Run();
                notices.push_back(UpdateHint::ForRow(Notice::EquipmentChanged, c.equipmentId));
            } else {
                static_assert(sizeof(T) == 0, "every change of the log needs its way of applying");
            }
        },
        change);
}

}  // namespace kivrun
