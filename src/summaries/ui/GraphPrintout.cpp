#include "summaries/ui/GraphPrintout.h"

#include <algorithm>

namespace kivrun {

CGraphPrintout::CGraphPrintout(const CGraphModel& model)
    : model_(model), picture_(model.Width(), model.Height()) {
    // What only the screen shows stays off paper.
    model_.ClearSelection();
    scene_ = model_.Scene();
}

std::unique_ptr<CGraphPrintout> CGraphPrintout::ForLog(CTamselDoc& doc,
                                                       const GraphSettings& settings, QSize size) {
    CGraphModel model(doc, settings);
    model.Resize(size.width(), size.height());
    model.Open();
    return std::make_unique<CGraphPrintout>(model);
}

bool CGraphPrintout::Layout(const GPage& page, const GProgress&) {
    const int dpi = std::max(1, page.dpi);
    const int width =
        static_cast<int>(static_cast<long long>(page.pixels.width()) * kUnitsPerInch / dpi);
    const int height =
        static_cast<int>(static_cast<long long>(page.pixels.height()) * kUnitsPerInch / dpi);
    if (width <= 0 || height <= 0) return true;
    // The latest periods stay in view when the window showed them; else its first one.
    const bool atEnd = model_.First() >= model_.ScrollMax();
    model_.Resize(width, height);
    if (atEnd) model_.ScrollToEnd();
    scene_ = model_.Scene();
    return true;
}

void CGraphPrintout::PaintPage(QPainter& painter, const QRect& pageRect, int) const {
    PaintGraphInto(painter, scene_, pageRect, fonts_);
}

}  // namespace kivrun
