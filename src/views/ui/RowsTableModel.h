#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <memory>
#include <vector>

namespace kivrun {

// A list window's rows as a table: rows that carry their cell texts, shared with the
// printout and replaced whole, under the titles of Columns(). A window's model adds its
// colours and alignment in data().
template <class Row, auto Columns>
class RowsTableModel : public QAbstractTableModel {
  public:
    using SharedRows = std::shared_ptr<const std::vector<Row>>;
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(SharedRows rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    const SharedRows& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_->size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(Columns().size());
    }
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= columnCount())
            return {};
        return QString::fromLatin1(Columns()[std::size_t(section)].title);
    }

  protected:
    // The row under a valid index, else null.
    const Row* RowAt(const QModelIndex& index) const {
        if (!index.isValid() || index.row() >= rowCount()) return nullptr;
        return &(*rows_)[std::size_t(index.row())];
    }

  private:
    SharedRows rows_ = std::make_shared<const std::vector<Row>>();
};

}  // namespace kivrun
