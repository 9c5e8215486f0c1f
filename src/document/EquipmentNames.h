#pragma once

#include <map>
#include <string>

#include "store/Rows.h"

namespace kivrun {

class CTamselDoc;

// The items each filtered workout used, by name joined with "; ", for the exports' Equipment
// column: one grouped query. Empty when the log keeps no equipment.
std::map<RowId, std::string> EquipmentNamesByEntry(CTamselDoc& doc);
// Whether the log has any items at all (the exports show the column only then).
bool LogHasEquipment(CTamselDoc& doc);

}  // namespace kivrun
