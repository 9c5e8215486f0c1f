#pragma once

#include "controls/ui/EllipsisItemDelegate.h"

namespace kivrun {

// Draws a cell of the log list: its text on one line, shortened with "..." when it does not
// fit; a sport's icon in place of text where the Sport column shows icons. The row's focus
// frame is the view's to draw, around the whole row, so cells draw none. A shortened cell
// shows its whole text as a tooltip.
class CLogListDelegate : public CEllipsisItemDelegate {
    Q_OBJECT
  public:
    using CEllipsisItemDelegate::CEllipsisItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

}  // namespace kivrun
