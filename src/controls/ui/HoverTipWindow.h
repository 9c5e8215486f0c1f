#pragma once

#include <QRect>
#include <QString>
#include <QTimer>
#include <QWidget>

#include "controls/HoverTip.h"

namespace kivrun {

// A tip over parts of its parent (bars and slices of a graph): when the mouse rests on a
// region for a moment, the region's text shows just above the pointer. A line feed starts a
// new line; a tab splits a line into a left part and a right part, the right parts lining up
// at the tip's right edge. The parent forwards its mouse moves.
class CHoverTipWindow : public QWidget {
    Q_OBJECT
  public:
    explicit CHoverTipWindow(QWidget* parent);

    // Regions are in the parent's coordinates; the first one holding the mouse counts.
    void addRegion(const QRect& rect, const QString& text);
    void clearRegions();
    void mouseMoved(const QPoint& point);
    void hideTip();

    int delay() const { return controls::HoverTipTracker::kDelayMs; }
    bool isTipShown() const { return isVisible(); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showTip();

    controls::HoverTipTracker tracker_;
    controls::TipLayout layout_;
    QTimer timer_;
};

}  // namespace kivrun
