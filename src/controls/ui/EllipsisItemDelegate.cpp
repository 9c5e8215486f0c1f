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

namespace {

const QStyle* StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The style draws text this far in from both sides of its rectangle.
int TextMargin(const QStyleOptionViewItem& option) {
    return 2 *
           (StyleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, option.widget) + 1);
}

// A note's line breaks show as blanks.
QString OneLine(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

int CEllipsisItemDelegate::widthToShow(const QStyleOptionViewItem& option, const QModelIndex& index,
                                       const std::optional<QString>& text) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (text) opt.text = *text;
    opt.text = OneLine(opt.text);
    opt.rect.setWidth(1000);
    const QRect textRect =
        StyleOf(opt)->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    const int inset = opt.rect.width() - textRect.width();
    return QFontMetrics(opt.font).horizontalAdvance(opt.text) + TextMargin(opt) + inset;
}

QString CEllipsisItemDelegate::shortened(const QStyleOptionViewItem& prepared) const {
    const QWidget* widget = prepared.widget;
    const QStyle* style = StyleOf(prepared);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &prepared, widget);
    const int margin = TextMargin(prepared);
    const QFontMetrics metrics(prepared.font);
    const QString text = OneLine(prepared.text);
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
