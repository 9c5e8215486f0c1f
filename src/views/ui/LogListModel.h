#pragma once

#include <QAbstractTableModel>
#include <QIcon>
#include <array>
#include <optional>
#include <vector>

#include "views/LogListCells.h"

namespace kivrun {

class CTamselDoc;

// The filtered workouts as a table: one row per entry of the filtered set, one column per
// visible column of the log. It holds no rows: the row count is all it keeps, and a cell
// positions the filtered set on its row when it is asked for (the last row read is kept
// while its cells are painted). The document changes the set; the view tells the model
// what changed, and the model tells the views.
class CLogListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Role {
        EntryIdRole = Qt::UserRole + 1,
        ColumnIdRole,
    };
    // Week shading on screen.
    static QColor ShadedBackground() { return QColor(220, 221, 220); }

    explicit CLogListModel(CTamselDoc& doc, QObject* parent = nullptr);
    CTamselDoc& Document() const { return doc_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // --- Columns -------------------------------------------------------------------------
    const std::vector<ListColumn>& Columns() const { return columns_; }
    // The index of the visible column with that id, -1 when it is hidden.
    int IndexOfColumn(int columnId) const;
    // Takes the visible columns, telling the views which went, came or moved.
    void SetColumns(std::vector<ListColumn> columns);

    // --- Rows ----------------------------------------------------------------------------
    // The filtered set was rebuilt: every row may be another.
    void ResetRows();
    // The set has one row more, at position. False when its count says otherwise: then the
    // rows were reset instead.
    bool RowAdded(long position);
    // The row that was at position is gone (or the rows were reset, as above).
    bool RowRemoved(long position);
    // The rows from first to last (inclusive, clamped) are to be drawn again.
    void RowsChanged(long first, long last);
    void AllRowsChanged();
    // Sports and classes were changed: names, colours, icons and units read again.
    void RefreshCells();

    // The row of an entry, -1 when it is not in the filtered set.
    long RowOfEntry(RowId entryId) const;
    RowId EntryIdAt(int row) const;
    std::optional<EntryRow> Entry(int row) const;
    // The text of a cell, as the list and the paper show it.
    QString CellText(const EntryRow& entry, const ListColumn& column) const;
    const LogListCells& Cells() const { return cells_; }
    QIcon SportIconOf(const std::string& sport) const;

  private:
    const EntryRow* Row(int row) const;
    void Forget() const { cachedRow_ = -1; }
    // The document changes the set before the model says so: while the views are told a
    // row is about to come or go, rows from `at` on are read `shift` rows further along, so
    // they still see the rows as they were.
    struct Pending {
        long at = -1;
        int shift = 0;
    };
    long SetCount() const;

    CTamselDoc& doc_;
    LogListCells cells_;
    std::vector<ListColumn> columns_;
    int rows_ = 0;
    Pending pending_;
    mutable int cachedRow_ = -1;
    mutable EntryRow cached_;
    mutable std::array<QIcon, 13> icons_;
};

}  // namespace kivrun
