#include "controls/ui/EllipsisItemDelegate.h"

#include <QApplication>
#include <QPainter>

#include "controls/ShortenText.h"

namespace kivrun {

void CEllipsisItemDelegate::setColumnAlignment(int column, Qt::Alignment alignment) {
    alignments_.insert(column, alignment);
}

void CEllipsisItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (!index.data(Qt::TextAlignmentRole).isValid()) {
        const auto it = alignments_.constFind(index.column());
        if (it != alignments_.constEnd()) option->displayAlignment = *it | Qt::AlignVCenter;
    }
    option->displayAlignment =
        (option->displayAlignment & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    option->features &= ~QStyleOptionViewItem::WrapText;
    option->textElideMode = Qt::ElideNone;  // shortened here, the same way in every style
}

QString CEllipsisItemDelegate::shortened(const QStyleOptionViewItem& prepared) const {
    const QWidget* widget = prepared.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &prepared, widget);
    // The style draws text this far in from both sides of its rectangle.
    const int margin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1);
    const QFontMetrics metrics(prepared.font);
    QString text = prepared.text;
    // One line: a note's line breaks show as blanks.
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const std::u16string shown = controls::ShortenToFit(
        text.toStdU16String(), textRect.width(),
        [&](std::u16string_view part) {
            return metrics.horizontalAdvance(QString::fromStdU16String(std::u16string(part)));
        },
        margin);
    return QString::fromStdU16String(shown);
}

QString CEllipsisItemDelegate::displayedText(const QStyleOptionViewItem& option,
                                             const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    return shortened(opt);
}

void CEllipsisItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    opt.text = shortened(opt);
    const QWidget* widget = opt.widget;
    const QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);
}

}  // namespace kivrun
