#pragma once

#include <QAbstractTableModel>
#include <QString>

#include "summaries/TotalsTable.h"

namespace kivrun {

// The totals rows as a table: period, sport, workouts, distance, time. It holds the rows
// the core made, shared with the other pane and with a printout of them.
class CTotalsModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    // New rows, and the first column's title ("Week", "Month" or "Year").
    void SetRows(SharedTotalsRows rows, const QString& periodTitle);
    const SharedTotalsRows& Rows() const { return rows_; }
    const QString& PeriodTitle() const { return periodTitle_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    SharedTotalsRows rows_ = std::make_shared<const std::vector<TotalsRow>>();
    QString periodTitle_ = QString::fromLatin1(TotalsColumns()[0].title);
};

}  // namespace kivrun
