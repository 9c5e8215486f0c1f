#pragma once

#include <QAbstractTableModel>
#include <cstddef>
#include <vector>

namespace kivrun {

class ActivityBatch;

// The review window's list: one row per activity of the batch, its check box in the first
// column and its log sport editable.
class ActivityListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column {
        Check,
        Date,
        Start,
        DeviceSport,
        Sport,
        Distance,
        Time,
        Pace,
        HeartRate,
        Laps,
        Status,
        File,
        ColumnCount
    };

    // What a column sorts by: numbers by their value (no value first), texts as shown.
    static constexpr int SortRole = Qt::UserRole + 1;

    explicit ActivityListModel(ActivityBatch& batch, QObject* parent = nullptr);

    // The batch has grown: its new activities become rows.
    void Grew();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  signals:
    // The checks changed (for the Import button).
    void ChecksChanged();

  private:
    QVariant Text(std::size_t row, int column) const;
    QVariant SortKey(std::size_t row, int column) const;
    void RowsChanged(const std::vector<std::size_t>& rows);

    ActivityBatch& batch_;
    int rows_ = 0;
};

}  // namespace kivrun
