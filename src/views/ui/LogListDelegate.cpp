#include "views/ui/LogListDelegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace kivrun {

void CLogListDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    CEllipsisItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
}

void CLogListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QVariant decoration = index.data(Qt::DecorationRole);
    if (!decoration.canConvert<QIcon>()) {
        CEllipsisItemDelegate::paint(painter, option, index);
        return;
    }
    // The cell without text or icon (background and selection), then the icon placed as the
    // column is justified.
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QIcon icon = qvariant_cast<QIcon>(decoration);
    const Qt::Alignment align = opt.displayAlignment;
    opt.text.clear();
    opt.icon = QIcon();
    opt.features &= ~QStyleOptionViewItem::HasDecoration;
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const int side = std::min(16, opt.rect.height() - 2);
    const QRect cell = opt.rect.adjusted(2, 0, -2, 0);
    const QRect place = QStyle::alignedRect(opt.direction, align, QSize(side, side), cell);
    icon.paint(painter, place, Qt::AlignCenter);
}

bool CLogListDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event && event->type() == QEvent::ToolTip && index.isValid() &&
        !index.data(Qt::ToolTipRole).isValid()) {
        const QString whole = index.data(Qt::DisplayRole).toString();
        if (!whole.isEmpty() && displayedText(option, index) != whole) {
            QToolTip::showText(event->globalPos(), whole, view, view->visualRect(index));
            return true;
        }
        QToolTip::hideText();
        return true;
    }
    return CEllipsisItemDelegate::helpEvent(event, view, option, index);
}

}  // namespace kivrun
