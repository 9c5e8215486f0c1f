#include "prefs/ui/SportsListModel.h"

#include <QMimeData>
#include <QStringList>

#include "controls/ui/SportIconSet.h"

namespace kivrun {

namespace {
const QString kMimeType = QStringLiteral("application/x-kivrun-sport-line");
}

int CSportsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(state_.Lines().size());
}

int CSportsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant CSportsListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const prefs::SportLine& line = state_.Lines()[static_cast<size_t>(index.row())];
    // The line's own text, one tab-separated part per column.
    const QStringList parts =
        QString::fromStdString(prefs::LineText(line)).split(QLatin1Char('\t'));
    switch (role) {
        case Qt::DisplayRole:
            return index.column() < parts.size() ? parts[index.column()] : QString();
        case Qt::DecorationRole:
            return index.column() == kSport ? QVariant(SportIcon(line.icon)) : QVariant();
        case Qt::ToolTipRole:
            if (state_.IsInUse(index.row()))
                return tr("%1 has workouts or planned events and cannot be removed.")
                    .arg(parts[kSport]);
            return {};
        default:
            return {};
    }
}

QVariant CSportsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
        case kSport:
            return tr("Sport");
        case kAbbrev:
            return tr("Abbrev");
        case kPace:
            return tr("Pace");
        case kUnits:
            return tr("Units");
        default:
            return {};
    }
}

Qt::ItemFlags CSportsListModel::flags(const QModelIndex& index) const {
    // Drops land between lines, never on one.
    if (!index.isValid()) return Qt::ItemIsDropEnabled;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

QStringList CSportsListModel::mimeTypes() const {
    return {kMimeType};
}

QMimeData* CSportsListModel::mimeData(const QModelIndexList& indexes) const {
    if (indexes.isEmpty()) return nullptr;
    auto* data = new QMimeData;
    data->setData(kMimeType, QByteArray::number(indexes.first().row()));
    return data;
}

bool CSportsListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int,
                                    const QModelIndex& parent) {
    if (action != Qt::MoveAction || !data || !data->hasFormat(kMimeType)) return false;
    bool ok = false;
    const int from = data->data(kMimeType).toInt(&ok);
    if (!ok || from < 0 || from >= rowCount()) return false;
    int before = parent.isValid() ? parent.row() : row;  // insert before this line
    if (before < 0 || before > rowCount()) before = rowCount();
    const int to = before > from ? before - 1 : before;
    if (to == from) return false;
    beginMoveRows({}, from, from, {}, before);
    state_.Move(from, to);
    endMoveRows();
    emit lineMoved(to);
    // The view would now remove the dragged line as if it had been copied; the model offers
    // no removeRows, so nothing else happens.
    return true;
}

void CSportsListModel::reload() {
    beginResetModel();
    endResetModel();
}

}  // namespace kivrun
