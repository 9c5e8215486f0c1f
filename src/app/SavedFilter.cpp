#include "app/SavedFilter.h"

#include "app/TamselDoc.h"

namespace kivrun {

void ApplyFilterText(CTamselDoc& doc, const std::string& state) {
    doc.Filter() = FilterState::Restore(state);
    doc.Filter().showAll = false;
    doc.UpdateFilter();
    doc.ComputeBackgroundBands();
}

}  // namespace kivrun
