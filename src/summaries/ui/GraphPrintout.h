#pragma once

#include <QSize>
#include <memory>

#include "print/ui/GPrintout.h"
#include "summaries/GraphScene.h"
#include "summaries/GraphSettings.h"
#include "summaries/ui/GraphPainter.h"

namespace kivrun {

class CTamselDoc;

// A graph on paper, or as a picture: the window's drawing, scaled to fit the page with its
// proportions kept. It holds its own copy of the scene, so the window may change meanwhile.
class CGraphPrintout : public GPrintout {
  public:
    // The size a graph is drawn at without a window: a 600-pixel plot.
    static constexpr QSize kHeadlessSize{1200, 750};

    explicit CGraphPrintout(GraphScene scene);
    // The graph of an open log as its window would open on it: the latest periods. It only
    // reads the log.
    static std::unique_ptr<CGraphPrintout> ForLog(CTamselDoc& doc, const GraphSettings& settings,
                                                  QSize size = kHeadlessSize);

    QString Title() const override { return QStringLiteral("Graph"); }
    bool Layout(const GPage&, const GProgress&) override { return true; }
    int PageCount() const override { return 1; }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;
    QSize PictureSize() const override { return QSize(scene_.width, scene_.height); }

  private:
    GraphScene scene_;
    GraphFonts fonts_{true};
};

}  // namespace kivrun
