#pragma once

#include <vector>

namespace kivrun {

// The data entry form, as other views see it: they hand it an entry to edit or copy.
class EntryEditor {
public:
    virtual ~EntryEditor() = default;
    // duplicate: a new workout today with the entry's values; else the entry is edited.
    virtual void LoadEntry(long entryId, bool duplicate) = 0;
};

// The log list, as the form sees it: it shows the entry being edited.
class EntrySelector {
public:
    virtual ~EntrySelector() = default;
    // Makes the entry's row the only selected row and scrolls it into view.
    virtual void SelectEntry(long entryId) = 0;
    // Positions in the filtered set of the selected rows, top to bottom.
    virtual std::vector<long> SelectedPositions() const = 0;
};

}  // namespace kivrun
