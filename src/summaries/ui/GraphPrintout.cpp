#include "summaries/ui/GraphPrintout.h"

#include "summaries/GraphModel.h"

namespace kivrun {

CGraphPrintout::CGraphPrintout(GraphScene scene) : scene_(std::move(scene)) {
    // What only the screen shows stays off paper.
    scene_.selection.reset();
}

std::unique_ptr<CGraphPrintout> CGraphPrintout::ForLog(CTamselDoc& doc,
                                                       const GraphSettings& settings, QSize size) {
    CGraphModel model(doc, settings);
    model.Resize(size.width(), size.height());
    model.Open();
    return std::make_unique<CGraphPrintout>(model.Scene());
}

void CGraphPrintout::PaintPage(QPainter& painter, const QRect& pageRect, int) const {
    PaintGraphInto(painter, scene_, pageRect, fonts_);
}

}  // namespace kivrun
