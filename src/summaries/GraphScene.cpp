// How CGraphModel places what it shows: axes, bars, lines, pies, legend, tips, selection.
#include "summaries/GraphScene.h"

#include <algorithm>
#include <cstdlib>

#include "summaries/GraphModel.h"

namespace kivrun {
namespace {

// Splits a period text at its line feeds.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return lines;
}

// Where the mouse tells of a period: its whole column of the plot.
GraphRect Column(const GraphRect& plot, int x, int zoom) {
    return {x - zoom / 2, plot.y, zoom, plot.height};
}

}  // namespace

void CGraphModel::BuildScene() {
    GraphScene& s = scene_;
    s = GraphScene{};
    s.width = width_;
    s.height = height_;
    s.title = GraphTitle(settings_.quantity, settings_.grouping);
    s.horizontalLabel = HorizontalAxisLabel(settings_.grouping);
    s.axes = settings_.type != GraphType::Pie;
    if (s.axes)
        s.verticalLabel =
            VerticalAxisLabel(settings_.quantity, data_.DistanceUnitName(), data_.PaceUnitName());
    const GraphRect plot = Plot();
    const int zoom = Zoom();
    s.plot = plot;
    BuildAxes(plot, zoom);
    switch (settings_.type) {
        case GraphType::Bar:
            BuildBars(plot, zoom);
            break;
        case GraphType::Line:
            BuildLines(plot, zoom);
            break;
        case GraphType::Pie:
            BuildPies(plot, zoom);
            break;
    }
    if (settings_.bySport) BuildLegend(plot);

    if (selected_ && !data_.Empty()) {
        const int index = PeriodsBetween(*PeriodFirstDay(0), *selected_, settings_.grouping);
        const int k = index - first_;
        const int lowest = settings_.type == GraphType::Line ? -1 : 0;
        if (k >= lowest && k < VisibleCount()) {
            const int x = PeriodX(plot, zoom, k);
            s.selection = GraphScene::Selection{Column(plot, x, zoom), Lines(PeriodText(index)),
                                                x < plot.x + plot.width / 2};
        }
    }
}

void CGraphModel::BuildAxes(const GraphRect& plot, int zoom) {
    GraphScene& s = scene_;
    const double step = Step();
    if (s.axes && step > 0 && maximum_ > 0) {
        // Never more lines than the plot has room for, whatever the step.
        const int most = plot.height / graph_layout::kGridSpacing * 2 + 1;
        for (int i = 1; i <= most && i * step <= maximum_ + 1e-9; ++i) {
            const double v = i * step;
            s.gridlines.push_back({plot.Bottom() - ValueHeight(v, maximum_, plot.height),
                                   AxisValueText(v, settings_.quantity, data_.Units())});
        }
    }
    // Labels hang under the axis, or under each pie.
    const int labelY =
        s.axes ? plot.Bottom() + 6
               : plot.y + plot.height / 2 + PieRadius(zoom, plot.width, plot.height) + 8;
    const int lowest = settings_.type == GraphType::Line ? -1 : 0;
    for (int k = lowest; k < VisibleCount(); ++k) {
        const int index = first_ + k;
        if (index < 0 || index >= PeriodCount()) continue;
        const int x = PeriodX(plot, zoom, k);
        if (s.axes) s.ticks.push_back(x);
        if (LabelsPeriod(index, zoom))
            s.periodLabels.push_back(
                {x, labelY, PeriodAxisLabel(*PeriodFirstDay(index), settings_.grouping)});
        // Where a running total starts again, half a period before the new year's first.
        if (s.axes && settings_.cumulative && settings_.grouping != TotalsGrouping::Year &&
            index > 0) {
            const int year = CumulativeYear(*PeriodFirstDay(index), settings_.grouping);
            if (year != CumulativeYear(*PeriodFirstDay(index - 1), settings_.grouping) &&
                x - zoom / 2 > plot.x)
                s.yearMarks.push_back({x - zoom / 2, std::to_string(year)});
        }
    }
}

void CGraphModel::BuildBars(const GraphRect& plot, int zoom) {
    GraphScene& s = scene_;
    const std::vector<GraphSport>& sports = data_.Sports();
    for (int k = 0; k < VisibleCount() && first_ + k < PeriodCount(); ++k) {
        const int index = first_ + k;
        const int x = PeriodX(plot, zoom, k);
        const Numbers v = NumbersOf(index);
        const int left = x - zoom / 4;
        const int width = std::max(1, zoom / 2);
        if (!settings_.bySport) {
            const int h = ValueHeight(v.all, maximum_, plot.height);
            if (h > 0) s.bars.push_back({{left, plot.Bottom() - h, width, h}, kAllSportsColor});
        } else {
            // A stack in the log's order of sports; its edges are placed from the running
            // sum, so the segments add up to the stack's height.
            double sum = 0;
            for (std::size_t i = 0; i < sports.size(); ++i) {
                if (!(v.sports[i] > 0)) continue;
                const int low = ValueHeight(sum, maximum_, plot.height);
                sum += v.sports[i];
                const int high = ValueHeight(sum, maximum_, plot.height);
                if (high > low)
                    s.bars.push_back({{left, plot.Bottom() - high, width, high - low},
                                      SportColor(sports[i].slot)});
            }
        }
        s.tips.push_back({Column(plot, x, zoom), PeriodText(index), index});
    }
}

void CGraphModel::BuildLines(const GraphRect& plot, int zoom) {
    GraphScene& s = scene_;
    const std::vector<GraphSport>& sports = data_.Sports();
    const std::size_t series = settings_.bySport ? sports.size() : 1;
    // A pace exists only where there was distance and time: the line breaks where there
    // was none, rather than dropping to zero.
    const bool gaps = settings_.quantity == GraphQuantity::Pace;
    std::vector<GraphScene::Line> open(series);
    for (std::size_t i = 0; i < series; ++i)
        open[i].color = settings_.bySport ? SportColor(sports[i].slot) : kAllSportsColor;
    auto close = [&](std::size_t i) {
        if (!open[i].points.empty()) s.lines.push_back(open[i]);
        open[i].points.clear();
    };
    for (int k = -1; k < VisibleCount(); ++k) {
        const int index = first_ + k;
        if (index < 0 || index >= PeriodCount()) continue;
        const int x = PeriodX(plot, zoom, k);
        const Numbers v = NumbersOf(index);
        for (std::size_t i = 0; i < series; ++i) {
            const double value = settings_.bySport ? v.sports[i] : v.all;
            if (gaps && !(value > 0)) {
                close(i);
                continue;
            }
            open[i].points.push_back(
                {x, plot.Bottom() - ValueHeight(value, maximum_, plot.height)});
        }
        s.tips.push_back({Column(plot, x, zoom), PeriodText(index), index});
    }
    for (std::size_t i = 0; i < series; ++i)
        close(i);
}

void CGraphModel::BuildPies(const GraphRect& plot, int zoom) {
    GraphScene& s = scene_;
    const std::vector<GraphSport>& sports = data_.Sports();
    const int r = PieRadius(zoom, plot.width, plot.height);
    const int cy = plot.y + plot.height / 2;
    for (int k = 0; k < VisibleCount() && first_ + k < PeriodCount(); ++k) {
        const int index = first_ + k;
        const int x = PeriodX(plot, zoom, k);
        const Numbers v = NumbersOf(index);
        double total = 0;
        for (double value : v.sports)
            total += std::max(0.0, value);
        const GraphRect box{x - r, cy - r, 2 * r, 2 * r};
        double sum = 0;
        int start = 0;
        for (std::size_t i = 0; i < sports.size() && total > 0; ++i) {
            if (!(v.sports[i] > 0)) continue;
            sum += v.sports[i];
            const int end = SliceEndAngle(sum, total);
            if (end > start) s.slices.push_back({box, start, end, SportColor(sports[i].slot)});
            start = end;
        }
        s.tips.push_back({box, PeriodText(index), index});
    }
}

void CGraphModel::BuildLegend(const GraphRect& plot) {
    const int x = plot.Right() + 15;
    int y = plot.y;
    for (const GraphSport& sport : data_.Sports()) {
        if (y + GraphScene::kSwatch > plot.Bottom()) break;
        scene_.legend.push_back(
            {{x, y, GraphScene::kSwatch, GraphScene::kSwatch}, SportColor(sport.slot), sport.name});
        y += GraphScene::kLegendRow;
    }
}

}  // namespace kivrun
