#pragma once

namespace kivrun {

// What changed, told to every view of the log but the one that made the change.
struct UpdateHint {
    enum Kind {
        kEntryAdded = 0,
        kEntryChanged = 1,
        kEntryDeleted = 2,
        kDataReloaded = 3,
        kFilterApplied = 5,
        kSportsChanged = 6,  // sports, classes or routes
        kEventChanged = 7,
        kEventAdded = 8,
        kEventDeleted = 9,
        kEventsImported = 10,
        kGeneralPreferences = 11,  // week start
        kOptionalFieldNames = 12,
    };

    int kind = -1;
    // Entry and event kinds: value[0] is the EntryID or EventID. A deletion also carries the
    // entry's former position in the filtered order (value[1]) and a shading flag (value[2]):
    // 0 when the rows after it had their week shading inverted. Unused values are -1.
    int value[4] = {-1, -1, -1, -1};

    static UpdateHint Of(int kind, int v0 = -1, int v1 = -1, int v2 = -1, int v3 = -1) {
        UpdateHint h;
        h.kind = kind;
        h.value[0] = v0;
        h.value[1] = v1;
        h.value[2] = v2;
        h.value[3] = v3;
        return h;
    }
    int id() const { return value[0]; }
    int position() const { return value[1]; }
    // True when the rows from position() to the end changed shading.
    bool laterRowsReshaded() const { return value[2] == 0; }
};

// A window's view of the log: told of every change by the document.
class View {
  public:
    virtual ~View() = default;
    virtual void OnUpdate(View* sender, const UpdateHint& hint) = 0;
};

}  // namespace kivrun
