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

    // Makes room at a display position (every column at or after it moves up one) and shows
    // the column with the given id there.
    void InsertColumnAt(int position, int columnId);

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
    std::string GetDefaultSQL() const override {
        return "[Log Column Settings]";
    }
    std::string BaseTable() const override { return "Log Column Settings"; }
};

}  // namespace kivrun
