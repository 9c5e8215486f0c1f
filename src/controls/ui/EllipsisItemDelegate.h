#pragma once

#include <QHash>
#include <QStyledItemDelegate>
#include <optional>

namespace kivrun {

// Draws item view cells on one line, shortening a text that does not fit its column to its
// start followed by "..." (at least one character is kept). For the routine grid and other
// report lists whose cells hold free text.
class CEllipsisItemDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    using QStyledItemDelegate::QStyledItemDelegate;

    // The alignment of a column whose model gives none (Qt::TextAlignmentRole).
    void setColumnAlignment(int column, Qt::Alignment alignment);

    // The text the cell shows in option's rectangle.
    QString displayedText(const QStyleOptionViewItem& option, const QModelIndex& index) const;
    // The narrowest cell that shows the index's text whole; with text, that text in the
    // index's font and style.
    int widthToShow(const QStyleOptionViewItem& option, const QModelIndex& index,
                    const std::optional<QString>& text = std::nullopt) const;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

  private:
    QString shortened(const QStyleOptionViewItem& prepared) const;

    QHash<int, Qt::Alignment> alignments_;
};

}  // namespace kivrun
