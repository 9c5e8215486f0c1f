#pragma once

#include "store/Rows.h"

namespace kivrun {

// What changed in the log. The numbered kinds keep the codes the log's views have always
// used (the tool prints them); the later ones have codes of their own.
enum class Notice : int {
    EntryAdded = 0,
    EntryChanged = 1,
    EntryDeleted = 2,
    DataReloaded = 3,
    FilterApplied = 5,
    SportsChanged = 6,  // sports, classes or routes
    EventChanged = 7,
    EventAdded = 8,
    EventDeleted = 9,
    EventsImported = 10,
    GeneralPreferences = 11,  // week start
    OptionalFieldNames = 12,
    ColumnsChanged = 20,    // the log list's column settings
    TemplatesChanged = 21,  // routine templates
    ExercisesChanged = 22,  // exercises or body parts
    CurrentEntry = 23,      // the document's current entry moved
    AffiliationsChanged = 24,
    EditEntry = 25,         // the data entry form is asked to edit (or copy) the entry
    NewEntryOn = 26,        // the data entry form is asked for a new workout on newDate
    ShowDay = 27,           // a calendar or week window is asked to show newDate
    LogEvent = 28,          // the data entry form is asked for a workout made from event id
    EquipmentChanged = 29,  // an item of equipment (id) was added, changed or removed
};

// A notice with what the views need to follow it.
struct UpdateHint {
    Notice kind = Notice::DataReloaded;
    // Entry kinds: the EntryID; event kinds: the EventID; 0 when none.
    RowId id = 0;
    // Added or deleted entries: its position in the filtered order (-1 when not in it).
    long position = -1;
    // Added or deleted entries: the week shading of every later row was inverted.
    bool laterRowsReshaded = false;
    // Entry and event kinds: the row's day before and after the change (serial days, 0 when
    // there is none), so a calendar knows which cells to refresh.
    double oldDate = 0;
    double newDate = 0;
    // EditEntry: copy the entry into a new workout rather than edit it.
    bool duplicate = false;

    static UpdateHint Of(Notice kind) {
        UpdateHint h;
        h.kind = kind;
        return h;
    }
    static UpdateHint ForRow(Notice kind, RowId id, double oldDate = 0, double newDate = 0) {
        UpdateHint h = Of(kind);
        h.id = id;
        h.oldDate = oldDate;
        h.newDate = newDate;
        return h;
    }
    int code() const { return static_cast<int>(kind); }
};

// A window's view of the log: told of every change by the document.
class View {
  public:
    virtual ~View() = default;
    virtual void OnUpdate(View* sender, const UpdateHint& hint) = 0;
};

}  // namespace kivrun
