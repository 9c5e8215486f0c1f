#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "document/TamselDoc.h"
#include "views/PrintListLayout.h"

namespace kivrun {

// The equipment list: every item with what it has done over the filtered set, its limit and
// what is left of it, as the equipment window, its printout and kivrun-tool show it.
struct EquipmentListColumn {
    const char* title;
    int screenWidth;  // pixels
    int printWidth;   // print units
    int alignment;    // 0 left, 1 right
};
constexpr std::size_t kEquipmentColumns = 11;
const std::array<EquipmentListColumn, kEquipmentColumns>& EquipmentListColumns();

// Items past their limit are marked with this background.
constexpr Rgb kOverLimitColor{255, 215, 205};

struct EquipmentListRow {
    RowId equipmentId = 0;
    bool retired = false;
    bool overLimit = false;
    std::array<std::string, kEquipmentColumns> cells;
};
using SharedEquipmentRows = std::shared_ptr<const std::vector<EquipmentListRow>>;

// How distances are shown: in km (the tool), or in each item's unit (its sports' one unit,
// else the log's grand total unit) with the unit's short name.
enum class EquipmentUnits { Km, ItemUnit };

// The unit an item's distances are shown in (a distance unit id).
int EquipmentUnitOf(const EquipmentItem& item, const Catalog& catalog, int grandTotalUnit);
// The texts of one item, in the list's columns.
std::array<std::string, kEquipmentColumns> EquipmentCells(const EquipmentTotal& total,
                                                          const Catalog& catalog, int unit,
                                                          EquipmentUnits units);
// Every item of the log by name, with its texts.
std::vector<EquipmentListRow> ReadEquipmentList(CTamselDoc& doc, EquipmentUnits units);

// The equipment list on paper.
class EquipmentPrintSource : public PrintListSource {
  public:
    explicit EquipmentPrintSource(SharedEquipmentRows rows);
    std::vector<PrintListColumn> Columns(int printableWidth) const override;
    long RowCount() const override;
    std::string CellText(long row, std::size_t column) const override;
    Rgb RowBackground(long row) const override;

  private:
    SharedEquipmentRows rows_;
};

}  // namespace kivrun
