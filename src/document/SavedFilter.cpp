#include "document/SavedFilter.h"

#include "document/TamselDoc.h"

namespace kivrun {

void ApplyFilterText(CTamselDoc& doc, const std::string& state) {
    FilterState filter = FilterState::Restore(state);
    filter.showAll = false;
    doc.UpdateFilter(filter);
}

}  // namespace kivrun
