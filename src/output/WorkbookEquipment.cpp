#include "output/WorkbookEquipment.h"

#include <memory>

#include "document/EquipmentNames.h"
#include "document/TamselDoc.h"
#include "output/WorkbookContent.h"

namespace kivrun {

void AddEquipmentField(WorkbookContent& content, CTamselDoc& doc) {
    if (content.sheets.empty() || !LogHasEquipment(doc)) return;
    WorkbookSheet& sheet = content.sheets.front();
    sheet.columns.push_back({"Equipment", CellKind::Text, 24});
    auto names = std::make_shared<const std::map<RowId, std::string>>(EquipmentNamesByEntry(doc));
    if (!sheet.stream) return;
    // The sheet's rows and this reader walk the same filtered set in the same order, so
    // each row learns its workout here without the sheet holding ids.
    auto reader = std::make_shared<EntryReader>(doc.ReadEntries());
    sheet.stream = [rows = std::move(sheet.stream), reader, names,
                    entry = EntryRow()](WorkbookRow& row) mutable {
        if (!rows(row)) return false;
        std::string text;
        if (reader->Next(entry)) {
            const auto found = names->find(entry.entryId);
            if (found != names->end()) text = found->second;
        }
        row.push_back(WorkbookCell::Text(text));
        return true;
    };
}

}  // namespace kivrun
