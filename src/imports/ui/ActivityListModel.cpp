#include "imports/ui/ActivityListModel.h"

#include <QBrush>
#include <QColor>
#include <QFileInfo>
#include <cmath>

#include "document/ActivityBatch.h"
#include "document/TamselDoc.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun {
namespace {

QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

ActivityListModel::ActivityListModel(ActivityBatch& batch, QObject* parent)
    : QAbstractTableModel(parent), batch_(batch) {}

void ActivityListModel::Grew() {
    const int size = static_cast<int>(batch_.Size());
    if (size <= rows_) return;
    beginInsertRows({}, rows_, size - 1);
    rows_ = size;
    endInsertRows();
    emit ChecksChanged();
}

int ActivityListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int ActivityListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant ActivityListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    static const char* const kTitles[ColumnCount] = {"Import", "Date",     "Start",  "Device sport",
                                                     "Sport",  "Distance", "Time",   "Pace",
                                                     "Avg HR", "Laps",     "Status", "File"};
    return section >= 0 && section < ColumnCount ? tr(kTitles[section]) : QVariant();
}

Qt::ItemFlags ActivityListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    const auto row = static_cast<std::size_t>(index.row());
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (index.column() == Check) {
        f |= Qt::ItemIsUserCheckable;
        if (!batch_.CanCheck(row)) f &= ~Qt::ItemIsEnabled;
    }
    const ActivityItem& item = batch_.Item(row);
    if (index.column() == Sport && item.HasWorkout() && item.entryId == 0) f |= Qt::ItemIsEditable;
    return f;
}

QVariant ActivityListModel::Text(std::size_t row, int column) const {
    const ActivityItem& item = batch_.Item(row);
    if (column == Status) return ToQ(batch_.StatusText(row));
    if (column == File) return QFileInfo(ToQ(item.path)).fileName();
    if (!item.session) return {};
    const devices::Session& s = *item.session;
    const std::optional<EntryDetail> workout = batch_.Workout(row);
    const SportInfo* sport = batch_.Document().GetCatalog().Sport(item.sport);
    switch (column) {
        case Date:
            return ToQ(item.start.day.Format(1));
        case Start:
            return ToQ(ClockText(item.start.seconds));
        case DeviceSport:
            return ToQ(s.sportName);
        case Sport:
            return sport ? ToQ(sport->name) : QString();
        case Distance:
            if (!workout)
                return ToQ(FormatNumber(SessionMetres(s) / 1000.0, 2, true, false) + " km");
            if (sport->distanceUnit >= distance_unit::kNone) return {};
            return ToQ(FormatNumber(workout->entry.distance, 2, true, false) + " " +
                       sport->distanceShortName);
        case Time:
            return ToQ(CElapsedTime::FromSeconds(SessionSeconds(s, batch_.Rules().time)).Format(1));
        case Pace:
            if (!workout || workout->entry.pace == 0) return {};
            return ToQ(PaceText(sport->paceUnit, workout->entry.pace) + " " + sport->paceName);
        case HeartRate:
            return s.avgHeartRate ? QVariant(static_cast<int>(std::lround(*s.avgHeartRate)))
                                  : QVariant();
        case Laps:
            return static_cast<int>(s.laps.size());
        default:
            return {};
    }
}

QVariant ActivityListModel::SortKey(std::size_t row, int column) const {
    const ActivityItem& item = batch_.Item(row);
    const devices::Session* s = item.session ? &*item.session : nullptr;
    switch (column) {
        case Check:
            return item.checked ? 1 : 0;
        case Date:
            return s ? item.start.day.ToSerial() * 86400.0 + item.start.seconds : -1.0;
        case Start:
            return s ? static_cast<double>(item.start.seconds) : -1.0;
        case Distance:
            return s ? SessionMetres(*s) : -1.0;
        case Time:
            return s ? static_cast<double>(SessionSeconds(*s, batch_.Rules().time)) : -1.0;
        case Pace: {
            // Time a kilometre, whatever unit the sport shows its pace or speed in.
            const double metres = s ? SessionMetres(*s) : 0;
            return metres > 0 ? SessionSeconds(*s, batch_.Rules().time) * 1000.0 / metres : -1.0;
        }
        case HeartRate:
            return s && s->avgHeartRate ? *s->avgHeartRate : -1.0;
        case Laps:
            return s ? static_cast<double>(s->laps.size()) : -1.0;
        default:
            return Text(row, column).toString();
    }
}

QVariant ActivityListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    const auto row = static_cast<std::size_t>(index.row());
    const ActivityItem& item = batch_.Item(row);
    switch (role) {
        case Qt::DisplayRole:
            return Text(row, index.column());
        case Qt::EditRole:
            return index.column() == Sport ? ToQ(item.sport) : Text(row, index.column());
        case SortRole:
            return SortKey(row, index.column());
        case Qt::CheckStateRole:
            if (index.column() != Check) return {};
            return item.checked ? Qt::Checked : Qt::Unchecked;
        case Qt::ToolTipRole:
            if (index.column() == File) return ToQ(item.path);
            if (index.column() == Status || index.column() == Check)
                return ToQ(batch_.StatusText(row));
            return {};
        case Qt::ForegroundRole:
            if (index.column() != Status) return {};
            switch (item.status) {
                case ActivityItem::Status::New:
                    return item.sport.empty() || !item.reason.empty() ? QBrush(QColor(150, 90, 0))
                                                                      : QVariant();
                case ActivityItem::Status::InLog:
                case ActivityItem::Status::SameWorkout:
                    return QBrush(QColor(90, 90, 90));
                default:
                    return QBrush(QColor(180, 0, 0));
            }
        case Qt::TextAlignmentRole:
            if (index.column() >= Distance && index.column() <= Laps)
                return QVariant(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        default:
            return {};
    }
}

bool ActivityListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid()) return false;
    const auto row = static_cast<std::size_t>(index.row());
    if (index.column() == Check && role == Qt::CheckStateRole) {
        if (!batch_.CanCheck(row)) return false;
        batch_.SetChecked(row, value.toInt() == Qt::Checked);
        emit dataChanged(index, index.siblingAtColumn(Status));
        emit ChecksChanged();
        return true;
    }
    if (index.column() == Sport && role == Qt::EditRole) {
        const std::vector<std::size_t> changed =
            batch_.ChooseSport(row, value.toString().toStdString());
        if (changed.empty()) return false;
        RowsChanged(changed);
        emit ChecksChanged();
        return true;
    }
    return false;
}

void ActivityListModel::RowsChanged(const std::vector<std::size_t>& rows) {
    for (std::size_t row : rows) {
        const int r = static_cast<int>(row);
        emit dataChanged(index(r, 0), index(r, ColumnCount - 1));
    }
}

}  // namespace kivrun
