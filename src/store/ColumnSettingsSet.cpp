#include "store/ColumnSettingsSet.h"

#include "store/Criteria.h"

namespace kivrun {

void CColumnSettingsSet::InsertColumnAt(int position, int columnId) {
    // The keyset does not move while rows are edited, so FindNext visits each row once.
    const std::string atOrAfter = "ColumnOrder >= " + std::to_string(position);
    for (bool found = FindFirst(atOrAfter); found; found = FindNext(atOrAfter)) {
        Edit();
        ColumnOrder = ColumnOrder + 1;
        Update();
    }
    if (FindFirst(criteria::Is("ColumnID", columnId))) {
        Edit();
        ColumnOrder = position;
        ColumnVisible = true;
        Update();
    }
}

}  // namespace kivrun
