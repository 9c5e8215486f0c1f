#pragma once

#include <QSize>
#include <memory>

#include "print/ui/GPrintout.h"
#include "summaries/GraphModel.h"
#include "summaries/GraphScene.h"
#include "summaries/GraphSettings.h"
#include "summaries/ui/GraphPainter.h"

namespace kivrun {

class CTamselDoc;

// A graph on paper, or as a picture. It is laid out again for the page it goes on, at the
// page's size (a graph printed from a small window fills the page, its axes numbered), from
// its own copy of the window's graph: the same settings and periods, so the window may
// change meanwhile. As a picture it keeps the window's size.
class CGraphPrintout : public GPrintout {
  public:
    // The size a graph is drawn at without a window: a 600-pixel plot.
    static constexpr QSize kHeadlessSize{1200, 750};
    // Units of the graph for an inch of paper: a screen's, so that its text reads as there.
    static constexpr int kUnitsPerInch = 96;

    explicit CGraphPrintout(const CGraphModel& model);
    // The graph of an open log as its window would open on it: the latest periods. It only
    // reads the log.
    static std::unique_ptr<CGraphPrintout> ForLog(CTamselDoc& doc, const GraphSettings& settings,
                                                  QSize size = kHeadlessSize);

    QString Title() const override { return QStringLiteral("Graph"); }
    bool Layout(const GPage& page, const GProgress&) override;
    int PageCount() const override { return 1; }
    void PaintPage(QPainter& painter, const QRect& pageRect, int page) const override;
    QSize PictureSize() const override { return picture_; }
    // The graph as laid out for the last page.
    const GraphScene& Scene() const { return scene_; }

  private:
    CGraphModel model_;
    QSize picture_;
    GraphScene scene_;
    GraphFonts fonts_{true};
};

}  // namespace kivrun
