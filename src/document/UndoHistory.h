#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <variant>
#include <vector>

#include "document/EquipmentValue.h"
#include "store/Rows.h"

namespace kivrun {

// One change to the log as a value: it carries every row it puts back, so applying it needs
// nothing but the log.
namespace undo {

// A workout put into the log whole (fields, routine rows and split times) under its EntryID:
// it replaces the entry of that id, or comes back when there is none. EntryID 0 takes a new
// one.
struct PutEntry {
    EntryDetail entry;
};

// A workout taken out of the log with everything stored for it; nothing when it is gone.
struct RemoveEntry {
    RowId entryId = 0;
};

// A planned event put into the log under its EventID, over the one of that id or back.
struct PutEvent {
    EventRow event;
};

// A planned event taken out; nothing when it is gone.
struct RemoveEvent {
    RowId eventId = 0;
};

// An item of equipment put into the log with its sports under its EquipmentID.
struct PutEquipment {
    EquipmentItem item;
};

// An item of equipment taken out of the log (only ever one no workout uses).
struct RemoveEquipment {
    RowId equipmentId = 0;
};

}  // namespace undo

using LogChange = std::variant<undo::PutEntry, undo::RemoveEntry, undo::PutEvent, undo::RemoveEvent,
                               undo::PutEquipment, undo::RemoveEquipment>;

// The names the Edit menu gives the actions it can take back.
namespace undo_name {
inline constexpr const char* kAddEntry = "Add Entry";
inline constexpr const char* kDuplicateEntry = "Duplicate Entry";
inline constexpr const char* kChangeEntry = "Change Entry";
inline constexpr const char* kDeleteEntry = "Delete Entry";
inline constexpr const char* kDeleteEntries = "Delete Entries";
inline constexpr const char* kAddEvent = "Add Event";
inline constexpr const char* kChangeEvent = "Change Event";
inline constexpr const char* kDeleteEvent = "Delete Event";
inline constexpr const char* kDeleteEvents = "Delete Events";
inline constexpr const char* kLogEvent = "Log Event as Workout";
inline constexpr const char* kImportActivities = "Import Activities";
inline constexpr const char* kAddEquipment = "Add Equipment";
inline constexpr const char* kChangeEquipment = "Change Equipment";
inline constexpr const char* kRetireEquipment = "Retire Equipment";
inline constexpr const char* kRemoveEquipment = "Remove Equipment";
}  // namespace undo_name

// What one user action did to the log: the changes that take it back and those that do it
// again, in the order they are applied.
struct UndoStep {
    std::string name;  // "Delete Entry"
    std::vector<LogChange> undo;
    std::vector<LogChange> redo;
    // Many rows at once: applying a side tells the views once that the list was reloaded,
    // as the action itself did, rather than once per row.
    bool manyRows = false;
};

// The undo and redo history of the open log for this session. The document records a step
// after each action it can take back and moves it from one side to the other once applied.
class UndoHistory {
  public:
    // Older steps are forgotten beyond this many.
    static constexpr std::size_t kMaxSteps = 100;

    // A new action: it can be undone, and what was undone can no longer be redone.
    void Record(UndoStep step);
    bool CanUndo() const { return !undo_.empty(); }
    bool CanRedo() const { return !redo_.empty(); }
    // The step Undo or Redo would apply; null when there is none.
    const UndoStep* NextUndo() const { return undo_.empty() ? nullptr : &undo_.back(); }
    const UndoStep* NextRedo() const { return redo_.empty() ? nullptr : &redo_.back(); }
    // The last `count` steps become one of that name: undone together, the latest first.
    void JoinLast(std::size_t count, std::string name);
    // The next step was applied: it moves to the other side.
    void Undone();
    void Redone();
    void Clear();

  private:
    std::deque<UndoStep> undo_;
    std::vector<UndoStep> redo_;
};

// The Edit menu's items: "&Undo Delete Entry\tCtrl+Z", or "&Undo\tCtrl+Z" with nothing to
// undo; likewise "Red&o ...\tCtrl+Y".
std::string UndoItemText(const UndoHistory& history);
std::string RedoItemText(const UndoHistory& history);

}  // namespace kivrun
