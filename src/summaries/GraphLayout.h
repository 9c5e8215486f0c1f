#pragma once

#include "summaries/GraphSettings.h"

namespace kivrun {

// A rectangle in the graph view's units: x, y its top left.
struct GraphRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int Right() const { return x + width; }
    int Bottom() const { return y + height; }
    bool Contains(int px, int py) const {
        return px >= x && px < x + width && py >= y && py < y + height;
    }
    friend bool operator==(const GraphRect&, const GraphRect&) = default;
};

namespace graph_layout {
// Margins round the plot; the legend takes more on the right.
constexpr int kLeft = 100;
constexpr int kTop = 75;
constexpr int kRight = 50;
constexpr int kBottom = 75;
constexpr int kLegend = 100;
// A plot narrower or lower than this is given kSmallestPlot.
constexpr int kTooSmall = 30;
constexpr int kSmallestPlot = 35;
// Pixels of plot height per gridline.
constexpr int kGridSpacing = 25;
// Below this zoom only every k-th period is labelled.
constexpr int kLabelEveryZoom = 60;
constexpr int kLabelSpacing = 75;
}  // namespace graph_layout

// The plot inside a client area of that size.
GraphRect PlotRect(int clientWidth, int clientHeight, bool bySport);
// Periods that fit across the plot at that zoom.
int VisiblePeriods(int plotWidth, int zoom, GraphType type);
// The zoom the layout uses: the one set, or half the plot when not even one period would fit
// (a zoom kept from a wider window).
int EffectiveZoom(int plotWidth, int zoom, GraphType type);
// Zoom In: a quarter more, but when that leaves one period, half the plot width.
int ZoomInWithin(int zoom, int plotWidth, GraphType type);
// Zoom In needs at least two periods in view.
bool CanZoomIn(int visiblePeriods);
// Where the k-th visible period stands (k = 0 the first, a zoom in from the plot's left). A
// line graph starts one period earlier: its k = -1 at the plot's left edge.
int PeriodX(const GraphRect& plot, int zoom, int k);
// Whether the period of that index carries its label under the axis.
bool LabelsPeriod(int periodIndex, int zoom);

// How the values of the vertical axis read: whole counts, decimals, hours and minutes, or
// minutes and seconds.
enum class AxisForm { Count, Decimal, Hours, MinutesSeconds };

// The vertical scale. The maximum only grows, to a tenth above a value that passes it.
int RaisedMaximum(int maximum, double value);
// The gridline step for that maximum on a plot that high; 0 when the plot has no room for a
// gridline.
double GridStep(AxisForm form, int maximum, int plotHeight);
// The step a raw step (maximum over gridline count) is rounded up to: a round number, so that
// the gridlines read 1, 2, 2.5 or 5 times a power of ten (counts never below 1, decimals never
// below a tenth); times go by 1, 2, 5, 10, 15 or 30 minutes, then by those multiples of an
// hour; minutes and seconds by 1, 2, 5, 10, 15 or 30 seconds, then as times.
double RoundedStep(AxisForm form, double rawStep);
// Height in the plot of a value against the maximum: 0 for a maximum of 0, never above the
// plot.
int ValueHeight(double value, int maximum, int plotHeight);

// The pie of a period: its radius, at least 1.
int PieRadius(int zoom, int plotWidth, int plotHeight);
// The angle, clockwise from 12 o'clock in whole degrees, at which slice k ends, given the
// sum of the first k values and the period total (0 when the total is 0).
int SliceEndAngle(double sumSoFar, double total);

}  // namespace kivrun
