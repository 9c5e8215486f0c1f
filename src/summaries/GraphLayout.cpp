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

double GridStep(AxisForm form, int maximum, int plotHeight) {
    const int lines = plotHeight / kGridSpacing;
    if (lines <= 0) return 0;
    return RoundedStep(form, static_cast<double>(maximum) / lines);
}

namespace {

// The least of 1, 2, 2.5 and 5 times a power of ten (at least `least`) that is not below raw.
double RoundNumberAtLeast(double raw, double least, bool quarter) {
    if (!(raw > least)) return least;
    double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (int guard = 0; guard < 3; ++guard, power *= 10)
        for (double m : {1.0, 2.0, 2.5, 5.0}) {
            if (m == 2.5 && !quarter) continue;
            const double step = m * power;
            // A whisker below is the float's doing, not the number's.
            if (step >= raw * (1 - 1e-12) && step >= least) return step;
        }
    return 10 * power;
}

}  // namespace

double RoundedStep(AxisForm form, double raw) {
    switch (form) {
        case AxisForm::Count:
            // 2.5 only where it is whole: 25, 250...
            return RoundNumberAtLeast(raw, 1, raw > 10);
        case AxisForm::Decimal:
            return RoundNumberAtLeast(raw, 0.1, raw > 1);
        case AxisForm::MinutesSeconds:
            for (double step : {1.0, 2.0, 5.0, 10.0, 15.0, 30.0})
                if (raw <= step) return step;
            [[fallthrough]];
        case AxisForm::Hours:
            for (double step : {60.0, 120.0, 300.0, 600.0, 900.0, 1800.0})
                if (raw <= step) return step;
            return 3600 * RoundNumberAtLeast(raw / 3600, 1, true);
    }
    return raw;
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
