#pragma once

#include <QAbstractTableModel>

#include "prefs/SportsPageState.h"

namespace kivrun {

// "Current sports" over the Sports page's working list: sport (with its icon), abbreviation,
// pace and units. A line dragged to another place moves there.
class CSportsListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    enum Column { kSport, kAbbrev, kPace, kUnits, kColumnCount };

    explicit CSportsListModel(prefs::SportsPageState& state, QObject* parent = nullptr)
        : QAbstractTableModel(parent), state_(state) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    Qt::DropActions supportedDropActions() const override { return Qt::MoveAction; }
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    bool dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                      const QModelIndex& parent) override;

    // The list changed under the model (a sport added or removed, the log read again).
    void reload();

  signals:
    // A line was dragged to another place.
    void lineMoved(int to);

  private:
    prefs::SportsPageState& state_;
};

}  // namespace kivrun
