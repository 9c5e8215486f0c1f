#pragma once

#include <string>

#include "store/RecordSet.h"

namespace kivrun {

// The log list's columns, in display order.
class CColumnSettingsSet : public RecordSet {
  public:
    explicit CColumnSettingsSet(LogDatabase* db) : RecordSet(db) {
        Bind("ColumnID", ColumnID);
        Bind("ColumnFieldName", ColumnFieldName);
        Bind("ColumnLabel", ColumnLabel);
        Bind("ColumnOrder", ColumnOrder);
        Bind("ColumnWidth", ColumnWidth);
        Bind("ColumnJustification", ColumnJustification);
        Bind("ColumnFormat", ColumnFormat);
        Bind("ColumnItemID", ColumnItemID);
        Bind("ColumnVisible", ColumnVisible);
        SetSort("ColumnOrder");
    }

    // Makes room at a display position (every column at or after it moves up one, hidden
    // ones too) and shows the column with the given id there.
    void InsertColumnAt(int position, int columnId);

    // Column layout. Positions are display orders among the visible columns, which stay
    // 0, 1, 2 ... without gaps; a hidden column keeps the order it last had.
    bool FindColumn(int columnId);
    // -1 when the column does not exist or is hidden.
    int GetColumnOrder(int columnId);
    int GetVisibleColumnCount();
    // False, changing nothing, when no visible column stands at the position.
    bool HideColumn(int position);
    void InsertColumn(int position, int columnId) { InsertColumnAt(position, columnId); }
    bool MoveColumn(int from, int to);

    LongField ColumnID;
    TextField ColumnFieldName;
    TextField ColumnLabel;
    LongField ColumnOrder;
    LongField ColumnWidth;
    LongField ColumnJustification;
    LongField ColumnFormat;
    LongField ColumnItemID;
    BoolField ColumnVisible;

  protected:
    std::string GetDefaultSQL() const override { return "[Log Column Settings]"; }
    std::string BaseTable() const override { return "Log Column Settings"; }
};

}  // namespace kivrun
