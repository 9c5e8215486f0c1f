// The document's calendar events and affiliations: each write one transaction that reports a
// failure to the user and tells the views.

#include <algorithm>

#include "document/TamselDocSets.h"
#include "store/LogDatabase.h"
#include "values/NumberFormat.h"

namespace kivrun {
namespace {

void BindEvent(Statement& s, const EventValue& e) {
    s.Bind(1, e.date.ToSerial()).Bind(2, e.sport).Bind(3, e.name).Bind(4, e.details);
    s.Bind(5, e.affiliation);
}

EventRow EventRowOf(RowId id, const EventValue& e) {
    return {id, e.sport, e.date.ToSerial(), e.name, e.details, e.affiliation, 0};
}

}  // namespace

bool CTamselDoc::RefuseUnnamed(const EventValue& event) {
    if (!TrimBlanks(event.name).empty()) return false;
    // An event without a name shows as nothing in the calendar.
    ui_.ShowMessage("Please enter a name for the event !!");
    return true;
}

RowId CTamselDoc::AddEvent(const EventValue& event, View* sender) {
    if (RefuseUnnamed(event)) return 0;
    RowId id = 0;
    const bool written = Write("Couldn't add the event", [&] {
        Statement& s = db_->sql().Cached(
            "INSERT INTO \"Calendar Events\" (Date, SptAbbrev, EventName, EventDetails, "
            "EventAffiliation) VALUES (?, ?, ?, ?, ?)");
        BindEvent(s, event);
        s.Run();
        id = db_->sql().LastInsertRowId();
    });
    if (!written || id == 0) return 0;
    history_.Record(
        {undo_name::kAddEvent, {undo::RemoveEvent{id}}, {undo::PutEvent{EventRowOf(id, event)}}});
    if (sets_->events.IsOpen()) sets_->events.Requery();
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::EventAdded, id, 0, event.date.ToSerial()));
    return id;
}

bool CTamselDoc::ModifyEvent(RowId eventId, const EventValue& event, View* sender) {
    const std::optional<EventRow> before = Event(eventId);
    if (!before) return ReportGone("event");
    if (RefuseUnnamed(event)) return false;
    bool changed = false;
    const bool written = Write("Couldn't change the event", [&] {
        Statement& s = db_->sql().Cached(
            "UPDATE \"Calendar Events\" SET Date = ?, SptAbbrev = ?, EventName = ?, "
            "EventDetails = ?, EventAffiliation = ? WHERE EventID = ?");
        BindEvent(s, event);
        s.Bind(6, eventId);
        s.Run();
        changed = db_->sql().Changes() > 0;
    });
    if (!written || !changed) return false;
    EventRow after = EventRowOf(eventId, event);
    after.background = before->background;
    history_.Record({undo_name::kChangeEvent, {undo::PutEvent{*before}}, {undo::PutEvent{after}}});
    if (sets_->events.IsOpen()) sets_->events.Requery();
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::EventChanged, eventId, before->date,
                                              event.date.ToSerial()));
    return true;
}

bool CTamselDoc::DeleteEvent(RowId eventId, bool ask) {
    if (!CanWrite()) return false;
    // Asked before anything is deleted, and deleted by its id afterwards: nothing a repaint
    // does while the question is open can change which event goes.
    const std::optional<EventRow> event = Event(eventId);
    if (!event) return ReportGone("event");
    if (ask && !ui_.AskYesNo("Are you sure you want to delete this entry?")) return false;
    if (!DeleteById("Couldn't delete the event",
                    "DELETE FROM \"Calendar Events\" WHERE EventID = ?", eventId))
        return false;
    history_.Record(
        {undo_name::kDeleteEvent, {undo::PutEvent{*event}}, {undo::RemoveEvent{eventId}}});
    if (sets_->events.IsOpen()) sets_->events.Requery();
    UpdateAllViews(nullptr, UpdateHint::ForRow(Notice::EventDeleted, eventId, event->date));
    return true;
}

long CTamselDoc::DeleteEvents(const std::vector<RowId>& eventIds, View* sender) {
    if (eventIds.empty() || !CanWrite()) return 0;
    long deleted = 0;
    RowId last = 0;
    UndoStep step{undo_name::kDeleteEvents, {}, {}};
    const bool written = Write("Couldn't delete the events", [&] {
        Statement& s = db_->sql().Cached("DELETE FROM \"Calendar Events\" WHERE EventID = ?");
        for (RowId id : eventIds) {
            const std::optional<EventRow> gone = Event(id);
            s.Reset();
            s.Bind(1, id);
            s.Run();
            if (db_->sql().Changes() > 0) {
                ++deleted;
                last = id;
                if (gone) {
                    step.undo.insert(step.undo.begin(), undo::PutEvent{*gone});
                    step.redo.push_back(undo::RemoveEvent{id});
                }
            }
        }
    });
    if (!written) return 0;
    if (deleted == 1) step.name = undo_name::kDeleteEvent;
    if (deleted > 0) history_.Record(std::move(step));
    if (sets_->events.IsOpen()) sets_->events.Requery();
    if (deleted > 0)
        UpdateAllViews(sender, UpdateHint::ForRow(Notice::EventDeleted, deleted == 1 ? last : 0));
    return deleted;
}

void CTamselDoc::RequestEntryFromEvent(RowId eventId, View* sender) {
    if (!db_ || !Event(eventId)) return;
    ui_.OpenOrActivateWindow(*this, WindowKind::LogWindow);
    UpdateAllViews(sender, UpdateHint::ForRow(Notice::LogEvent, eventId));
}

RowId CTamselDoc::AddEntryFromEvent(const WorkingEntry& entry, RowId eventId, View* sender) {
    const RowId id = AddEntry(entry, sender);
    if (id == 0) return 0;
    // The event became the workout: one step of the history for both.
    if (DeleteEvent(eventId, false)) history_.JoinLast(2, undo_name::kLogEvent);
    return id;
}

std::vector<EventRow> CTamselDoc::ShadeEvents(EventColumn sortBy, bool descending) {
    std::vector<EventRow> rows = Events(sortBy, descending);
    std::vector<std::size_t> changed;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        int band = 0;
        if (i > 0) {
            const int prev = rows[i - 1].background;
            band = SameWeek(rows[i - 1].date, rows[i].date) ? prev : 1 - prev;
        }
        if (rows[i].background != band) changed.push_back(i);
        rows[i].background = band;
    }
    // A log opened for reading shows the bands without keeping them.
    if (changed.empty() || IsReadOnly()) return rows;
    Write("Couldn't shade the events", [&] {
        Statement& s =
            db_->sql().Cached("UPDATE \"Calendar Events\" SET Background = ? WHERE EventID = ?");
        for (std::size_t i : changed) {
            s.Reset();
            s.Bind(1, rows[i].background).Bind(2, rows[i].eventId);
            s.Run();
        }
    });
    return rows;
}

// --- Affiliations ------------------------------------------------------------------------------

std::vector<std::string> CTamselDoc::Affiliations(const std::string& sport) {
    std::vector<std::string> names;
    if (!db_) return names;
    Statement& s = db_->sql().Cached(
        "SELECT Affiliation FROM Affiliations WHERE SptAbbrev = ? ORDER BY Affiliation, "
        "AffiliationID");
    s.Bind(1, sport);
    while (s.Step())
        names.push_back(s.Text(0));
    s.Reset();
    return names;
}

bool CTamselDoc::AddAffiliation(const std::string& sport, const std::string& name, View* sender) {
    const std::string text = AffiliationName(name);
    if (text.empty() || sport.empty()) return false;
    // A sport's list holds each name once.
    const std::vector<std::string> kept = Affiliations(sport);
    if (std::find(kept.begin(), kept.end(), text) != kept.end()) return true;
    const bool written = Write("Couldn't add the affiliation", [&] {
        Statement& s =
            db_->sql().Cached("INSERT INTO Affiliations (SptAbbrev, Affiliation) VALUES (?, ?)");
        s.Bind(1, sport).Bind(2, text);
        s.Run();
    });
    if (sets_->affiliations.IsOpen()) sets_->affiliations.Requery();
    if (written) UpdateAllViews(sender, UpdateHint::Of(Notice::AffiliationsChanged));
    return written;
}

bool CTamselDoc::RemoveAffiliation(const std::string& sport, const std::string& name,
                                   View* sender) {
    bool removed = false;
    const bool written = Write("Couldn't remove the affiliation", [&] {
        // One row: the list shows each name of a sport once.
        Statement& s = db_->sql().Cached(
            "DELETE FROM Affiliations WHERE AffiliationID = (SELECT AffiliationID FROM "
            "Affiliations WHERE Affiliation = ? AND SptAbbrev = ? LIMIT 1)");
        s.Bind(1, AffiliationName(name)).Bind(2, sport);
        s.Run();
        removed = db_->sql().Changes() > 0;
    });
    if (sets_->affiliations.IsOpen()) sets_->affiliations.Requery();
    if (written && removed) UpdateAllViews(sender, UpdateHint::Of(Notice::AffiliationsChanged));
    return written && removed;
}

}  // namespace kivrun
