#pragma once

#include <QWidget>

#include "summaries/GraphModel.h"
#include "summaries/ui/GraphPainter.h"

namespace kivrun {

class CHoverTipWindow;
class CTamselDoc;

// The graph itself: draws the model's scene at the widget's size and turns the keyboard,
// the wheel and the mouse into scrolling, zooming and selecting a period. A tip over a bar,
// point or pie tells the period's values.
class CGraphView : public QWidget {
    Q_OBJECT
  public:
    CGraphView(CTamselDoc& doc, const GraphSettings& settings, QWidget* parent = nullptr);

    CGraphModel& Model() { return model_; }
    // Lays out and draws again after the model changed.
    void Refresh();
    CHoverTipWindow& Tip() const { return *tip_; }

  signals:
    // Scrolled, zoomed or selected from the keyboard or the mouse.
    void Changed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void Moved();

    CGraphModel model_;
    GraphFonts fonts_;
    CHoverTipWindow* tip_ = nullptr;
    int wheelRest_ = 0;
};

}  // namespace kivrun
