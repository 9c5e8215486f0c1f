#pragma once

namespace kivrun {

class CTamselDoc;
struct WorkbookContent;

// The .xlsx's "Equipment" field: the items each workout of the "Training_Log" sheet used.
// Added only when the log keeps equipment; the .xls keeps its fields as they always were.
void AddEquipmentField(WorkbookContent& content, CTamselDoc& doc);

}  // namespace kivrun
