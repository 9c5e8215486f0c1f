#include "store/ColumnSettingsSet.h"

#include "store/Criteria.h"
#include "store/Database.h"
#include "store/LogDatabase.h"

namespace kivrun {
namespace {

std::string VisibleAt(int position) {
    return "ColumnOrder = " + std::to_string(position) + " AND ColumnVisible <> 0";
}

}  // namespace

void CColumnSettingsSet::InsertColumnAt(int position, int columnId) {
    Transaction tx(Database()->sql());
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
    tx.Commit();
    Requery();
}

bool CColumnSettingsSet::FindColumn(int columnId) {
    return FindFirst(criteria::Is("ColumnID", columnId));
}

int CColumnSettingsSet::GetColumnOrder(int columnId) {
    if (!FindFirst(criteria::Is("ColumnID", columnId) + " AND ColumnVisible <> 0")) return -1;
    return ColumnOrder;
}

int CColumnSettingsSet::GetVisibleColumnCount() {
    Statement s = Database()->sql().Prepare(
        "SELECT count(*) FROM \"Log Column Settings\" WHERE ColumnVisible <> 0");
    s.Step();
    return static_cast<int>(s.Int64(0));
}

bool CColumnSettingsSet::HideColumn(int position) {
    if (!FindFirst(VisibleAt(position))) return false;
    Transaction tx(Database()->sql());
    Edit();
    ColumnVisible = false;
    Update();
    const std::string after =
        "ColumnOrder >= " + std::to_string(position) + " AND ColumnVisible <> 0";
    for (bool found = FindFirst(after); found; found = FindNext(after)) {
        Edit();
        ColumnOrder = ColumnOrder - 1;
        Update();
    }
    tx.Commit();
    Requery();
    return true;
}

bool CColumnSettingsSet::MoveColumn(int from, int to) {
    if (from == to) return true;
    if (!FindFirst(VisibleAt(from))) return false;
    const int id = ColumnID;
    Transaction tx(Database()->sql());
    HideColumn(from);
    InsertColumn(to, id);
    tx.Commit();
    return true;
}

}  // namespace kivrun
