#include "views/ui/LogListModel.h"

#include <QColor>
#include <algorithm>
#include <climits>

#include "controls/SportIcons.h"
#include "controls/ui/SportIconSet.h"
#include "document/TamselDoc.h"

namespace kivrun {
namespace {

Qt::Alignment AlignmentOf(int justification) {
    switch (justification) {
        case 1:
            return Qt::AlignRight | Qt::AlignVCenter;
        case 2:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        default:
            return Qt::AlignLeft | Qt::AlignVCenter;
    }
}

bool ShowsIcon(const ListColumn& c) {
    return c.id == LogListCells::kSport && c.format == 2;
}

}  // namespace

CLogListModel::CLogListModel(CTamselDoc& doc, QObject* parent)
    : QAbstractTableModel(parent), doc_(doc) {
    cells_.Refresh(doc_.GetCatalog());
    rows_ = static_cast<int>(SetCount());
}

long CLogListModel::SetCount() const {
    if (!doc_.IsOpen()) return 0;
    return std::min<long>(doc_.EntryCount(), INT_MAX);
}

int CLogListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int CLogListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

Qt::ItemFlags CLogListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

const EntryRow* CLogListModel::Row(int row) const {
    if (row < 0 || row >= rows_) return nullptr;
    if (row == cachedRow_) return &cached_;
    long at = row;
    if (pending_.at >= 0 && row >= pending_.at) {
        if (pending_.shift < 0 && row == pending_.at) return nullptr;  // the row that went
        at = row + pending_.shift;
    }
    std::optional<EntryRow> entry = doc_.EntryAt(at);
    if (!entry) return nullptr;
    cached_ = std::move(*entry);
    cachedRow_ = row;
    return &cached_;
}

QString CLogListModel::CellText(const EntryRow& entry, const ListColumn& column) const {
    return QString::fromStdString(cells_.Text(entry, column.id, column.format));
}

QIcon CLogListModel::SportIconOf(const std::string& sport) const {
    const int index = controls::ValidSportIcon(cells_.SportImage(sport));
    QIcon& icon = icons_[static_cast<std::size_t>(index)];
    // One icon per picture, so its rendered sizes are kept between paints.
    if (icon.isNull()) icon = SportIcon(index);
    return icon;
}

QVariant CLogListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.column() >= columnCount()) return {};
    const ListColumn& column = columns_[static_cast<std::size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
        case Qt::DecorationRole:
        case Qt::ForegroundRole:
        case Qt::BackgroundRole:
        case Qt::AccessibleTextRole:
        case EntryIdRole:
            break;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(column.justification));
        case ColumnIdRole:
            return column.id;
        default:
            return {};
    }
    const EntryRow* entry = Row(index.row());
    if (!entry) return {};
    switch (role) {
        case Qt::DisplayRole:
            return CellText(*entry, column);
        case Qt::ToolTipRole:
            // The icon says the sport by name.
            if (ShowsIcon(column)) return QString::fromStdString(cells_.SportName(entry->sport));
            return {};
        case Qt::AccessibleTextRole:
            if (ShowsIcon(column)) return QString::fromStdString(cells_.SportName(entry->sport));
            return CellText(*entry, column);
        case Qt::DecorationRole:
            if (ShowsIcon(column)) return SportIconOf(entry->sport);
            return {};
        case Qt::ForegroundRole:
            if (const auto c = cells_.ClassColor(entry->cls)) return QColor(c->r, c->g, c->b);
            return {};
        case Qt::BackgroundRole:
            if (entry->background == 1) return ShadedBackground();
            return {};
        case EntryIdRole:
            return static_cast<qlonglong>(entry->entryId);
        default:
            return {};
    }
}

QVariant CLogListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    const ListColumn& column = columns_[static_cast<std::size_t>(section)];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(column.label);
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(AlignmentOf(column.justification));
        case Qt::ToolTipRole:
            // A short label ("S", "Wt") is explained by the column's name.
            if (column.fieldName != column.label) return QString::fromStdString(column.fieldName);
            return {};
        case ColumnIdRole:
            return column.id;
        default:
            return {};
    }
}

int CLogListModel::IndexOfColumn(int columnId) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].id == columnId) return static_cast<int>(i);
    return -1;
}

void CLogListModel::SetColumns(std::vector<ListColumn> columns) {
    auto wanted = [&columns](int id) {
        return std::any_of(columns.begin(), columns.end(),
                           [id](const ListColumn& c) { return c.id == id; });
    };
    for (int i = static_cast<int>(columns_.size()) - 1; i >= 0; --i) {
        if (wanted(columns_[static_cast<std::size_t>(i)].id)) continue;
        beginRemoveColumns({}, i, i);
        columns_.erase(columns_.begin() + i);
        endRemoveColumns();
    }
    for (std::size_t t = 0; t < columns.size(); ++t) {
        const int at = static_cast<int>(t);
        const int from = IndexOfColumn(columns[t].id);
        if (from == at) {
            columns_[t] = columns[t];
        } else if (from > at) {
            beginMoveColumns({}, from, from, {}, at);
            std::rotate(columns_.begin() + at, columns_.begin() + from,
                        columns_.begin() + from + 1);
            columns_[t] = columns[t];
            endMoveColumns();
        } else {
            beginInsertColumns({}, at, at);
            columns_.insert(columns_.begin() + at, columns[t]);
            endInsertColumns();
        }
    }
    // Labels, alignments and formats may have changed too.
    if (!columns_.empty()) {
        emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
        AllRowsChanged();
    }
}

void CLogListModel::ResetRows() {
    beginResetModel();
    Forget();
    rows_ = static_cast<int>(SetCount());
    endResetModel();
}

bool CLogListModel::RowAdded(long position) {
    const long count = SetCount();
    if (count != rows_ + 1L || position < 0 || position >= count) {
        ResetRows();
        return false;
    }
    const int row = static_cast<int>(position);
    Forget();
    pending_ = {position, 1};
    beginInsertRows({}, row, row);
    pending_ = {};
    Forget();
    rows_ = static_cast<int>(count);
    endInsertRows();
    return true;
}

bool CLogListModel::RowRemoved(long position) {
    const long count = SetCount();
    if (count != rows_ - 1L || position < 0 || position > count) {
        ResetRows();
        return false;
    }
    const int row = static_cast<int>(position);
    Forget();
    pending_ = {position, -1};
    beginRemoveRows({}, row, row);
    pending_ = {};
    Forget();
    rows_ = static_cast<int>(count);
    endRemoveRows();
    return true;
}

void CLogListModel::RowsChanged(long first, long last) {
    Forget();
    first = std::max(0L, first);
    last = std::min<long>(last, rows_ - 1L);
    if (first > last || columns_.empty()) return;
    emit dataChanged(index(static_cast<int>(first), 0),
                     index(static_cast<int>(last), columnCount() - 1));
}

void CLogListModel::AllRowsChanged() {
    RowsChanged(0, rows_ - 1L);
}

void CLogListModel::RefreshCells() {
    cells_.Refresh(doc_.GetCatalog());
    icons_ = {};
    AllRowsChanged();
}

long CLogListModel::RowOfEntry(RowId entryId) const {
    const long row = doc_.PositionOfEntry(entryId);
    return row < rows_ ? row : -1;
}

RowId CLogListModel::EntryIdAt(int row) const {
    const EntryRow* entry = Row(row);
    return entry ? entry->entryId : 0;
}

std::optional<EntryRow> CLogListModel::Entry(int row) const {
    const EntryRow* entry = Row(row);
    if (!entry) return std::nullopt;
    return *entry;
}

}  // namespace kivrun
