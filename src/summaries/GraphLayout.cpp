#include "summaries/GraphLayout.h"

#include <algorithm>
#include <cmath>

namespace kivrun {

using namespace graph_layout;

GraphRect PlotRect(int clientWidth, int clientHeight, bool bySport) {
    GraphRect plot{kLeft, kTop, clientWidth - kLeft - kRight - (bySport ? kLegend : 0),
                   clientHeight - kTop - kBottom};
    if (plot.width < kTooSmall) plot.width = kSmallestPlot;
    if (plot.height < kTooSmall) plot.height = kSmallestPlot;
    return plot;
}

int VisiblePeriods(int plotWidth, int zoom, GraphType type) {
    if (zoom <= 0) return 0;
    const int d = type == GraphType::Pie ? zoom - 10 : zoom / 2;
    return std::max(0, (plotWidth - d) / zoom);
}

int EffectiveZoom(int plotWidth, int zoom, GraphType type) {
    if (zoom > 0 && VisiblePeriods(plotWidth, zoom, type) >= 1) return zoom;
    return std::max(1, plotWidth / 2);
}

int ZoomInWithin(int zoom, int plotWidth, GraphType type) {
    const int in = ZoomedIn(zoom);
    if (VisiblePeriods(plotWidth, in, type) <= 1) return std::max(1, plotWidth / 2);
    return in;
}

bool CanZoomIn(int visiblePeriods) {
    return visiblePeriods >= 2;
}

int PeriodX(const GraphRect& plot, int zoom, int k) {
    return plot.x + zoom * (k + 1);
}

bool LabelsPeriod(int periodIndex, int zoom) {
    if (zoom >= kLabelEveryZoom || zoom <= 0) return true;
    const int every = kLabelSpacing / zoom;
    return periodIndex % every == 0;
}

int RaisedMaximum(int maximum, double value) {
    if (!(value > maximum)) return maximum;
    const double raised = value * 1.1 + 0.99;
    return raised >= 2e9 ? 2000000000 : static_cast<int>(raised);
}

double GridStep(GraphQuantity quantity, int maximum, int plotHeight) {
    const int lines = plotHeight / kGridSpacing;
    if (lines <= 0) return 0;
    return RoundedStep(quantity, static_cast<double>(maximum) / lines);
}

double RoundedStep(GraphQuantity quantity, double raw) {
    if (quantity == GraphQuantity::Pace) return std::trunc(raw * 10 + 0.5) / 10;
    int unit = 1;
    if (quantity == GraphQuantity::Time) {
        unit = raw > 3600 ? 1800 : raw > 2700 ? 1200 : raw > 1200 ? 900 : raw > 300 ? 300 : 60;
    } else if (raw >= 5) {
        unit = 5;
    }
    const long s = static_cast<long>(raw);
    return static_cast<double>(s - s % unit + unit);
}

int ValueHeight(double value, int maximum, int plotHeight) {
    if (maximum <= 0 || !(value > 0)) return 0;
    const double h = std::trunc(plotHeight * value / maximum);
    return h >= plotHeight ? plotHeight : static_cast<int>(h);
}

int PieRadius(int zoom, int plotWidth, int plotHeight) {
    int r = zoom / 2 - 5;
    if (2 * r > plotHeight - 5) r = (plotHeight - 5) / 2;
    if (2 * r > plotWidth - 5) r = (plotWidth - 5) / 2;
    return std::max(1, r);
}

int SliceEndAngle(double sumSoFar, double total) {
    if (!(total > 0)) return 0;
    return static_cast<int>(std::trunc(sumSoFar / total * 360));
}

}  // namespace kivrun
