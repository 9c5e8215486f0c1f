#include "document/EquipmentNames.h"

#include "document/TamselDoc.h"
#include "store/LogDatabase.h"

namespace kivrun {

bool LogHasEquipment(CTamselDoc& doc) {
    return !doc.Equipment().empty();
}

std::map<RowId, std::string> EquipmentNamesByEntry(CTamselDoc& doc) {
    std::map<RowId, std::string> names;
    if (!LogHasEquipment(doc)) return names;
    ReadTransaction tx(doc.Database().sql());
    // Names in their alphabetical order within a workout.
    Statement s = doc.Database().sql().Prepare(
        "SELECT u.EntryID, q.Name FROM \"Equipment Use\" AS u JOIN Equipment AS q ON "
        "q.EquipmentID = u.EquipmentID WHERE u.EntryID IN (SELECT EntryID FROM (" +
        doc.FilteredSql() + ")) ORDER BY u.EntryID, q.Name COLLATE NOCASE");
    while (s.Step()) {
        std::string& text = names[s.Int64(0)];
        text += (text.empty() ? "" : "; ") + s.Text(1);
    }
    return names;
}

}  // namespace kivrun
