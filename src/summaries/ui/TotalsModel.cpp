#include "summaries/ui/TotalsModel.h"

#include <QColor>

namespace kivrun {
namespace {

QVariant Alignment(int column) {
    const int align = TotalsColumns()[static_cast<std::size_t>(column)].alignment;
    return QVariant::fromValue(
        Qt::Alignment((align == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter));
}

}  // namespace

void CTotalsModel::SetRows(SharedTotalsRows rows, const QString& periodTitle) {
    beginResetModel();
    rows_ = rows ? std::move(rows) : std::make_shared<const std::vector<TotalsRow>>();
    endResetModel();
    if (periodTitle != periodTitle_) {
        periodTitle_ = periodTitle;
        emit headerDataChanged(Qt::Horizontal, 0, 0);
    }
}

int CTotalsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_->size());
}

int CTotalsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(TotalsColumns().size());
}

QVariant CTotalsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
    const TotalsRow& row = (*rows_)[static_cast<std::size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return QString::fromStdString(row.text[index.column()]);
        case Qt::TextAlignmentRole:
            return Alignment(index.column());
        case Qt::BackgroundRole: {
            const Rgb c = TotalsRowColor(row);
            return QColor(c.r, c.g, c.b);
        }
        default:
            return {};
    }
}

QVariant CTotalsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
    if (role == Qt::DisplayRole)
        return section == 0
                   ? periodTitle_
                   : QString::fromLatin1(TotalsColumns()[static_cast<std::size_t>(section)].title);
    if (role == Qt::TextAlignmentRole) return Alignment(section);
    return {};
}

Qt::ItemFlags CTotalsModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

}  // namespace kivrun
