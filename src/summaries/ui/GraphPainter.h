#pragma once

#include <QFont>
#include <QRect>

#include "summaries/GraphScene.h"
#include "summaries/GraphSettings.h"

class QPainter;

namespace kivrun {

// One of the graph's fonts, in the view's units. On paper the text is unhinted, so that it
// is as wide there as it was on screen.
QFont GraphFontOf(const GraphFont& font, bool paper = false);

// The graph's fonts, made once for a window or a printout.
struct GraphFonts {
    explicit GraphFonts(bool paper = false);
    QFont title, axis, verticalAxis, small, point, period;
};

// Draws a graph scene with the painter's origin at the scene's top left, in the scene's
// units. The window, its printout and its pictures all draw through here.
void PaintGraph(QPainter& painter, const GraphScene& scene, const GraphFonts& fonts);

// Draws the scene scaled to fit target, its proportions kept, centred across the top.
void PaintGraphInto(QPainter& painter, const GraphScene& scene, const QRect& target,
                    const GraphFonts& fonts);

}  // namespace kivrun
