#include "summaries/GraphModel.h"

#include <algorithm>
#include <cmath>

#include "document/TamselDoc.h"

namespace kivrun {

CGraphModel::CGraphModel(CTamselDoc& doc, const GraphSettings& settings)
    : doc_(doc), settings_(Restricted(settings)) {}

void CGraphModel::Open() {
    data_.Gather(doc_);
    selected_.reset();
    maximum_ = 0;
    first_ = 0;
    ScrollToEnd();
    dirty_ = true;
}

void CGraphModel::Reload() {
    ReloadDays({});
}

void CGraphModel::ReloadDays(const std::vector<CDate>& days) {
    // The view stays on the same dates, or at the latest periods when it showed them.
    const bool atEnd = first_ >= ScrollMax();
    const std::optional<CDate> shown = PeriodFirstDay(first_);
    if (days.empty())
        data_.Gather(doc_);
    else
        data_.RegatherDays(doc_, days);
    first_ = 0;
    if (atEnd || !shown || data_.Empty())
        first_ = ScrollMax();
    else
        first_ = std::clamp(PeriodsBetween(*PeriodFirstDay(0), *shown, settings_.grouping), 0,
                            ScrollMax());
    Changed(true);
}

// --- Settings -------------------------------------------------------------------------------

void CGraphModel::SetType(GraphType type) {
    if (type == settings_.type) return;
    settings_ = WithType(settings_, type);
    Changed(true);
}

void CGraphModel::SetQuantity(GraphQuantity quantity) {
    if (quantity == settings_.quantity) return;
    settings_ = WithQuantity(settings_, quantity);
    Changed(true);
}

void CGraphModel::SetGrouping(TotalsGrouping grouping) {
    if (grouping == settings_.grouping) return;
    const std::optional<CDate> shown = PeriodFirstDay(first_);
    settings_.grouping = grouping;
    if (selected_) selected_ = PeriodStart(*selected_, grouping);
    if (shown && !data_.Empty())
        first_ = PeriodsBetween(*PeriodFirstDay(0), PeriodStart(*shown, grouping), grouping);
    Changed(true);
}

void CGraphModel::SetCumulative(bool cumulative) {
    if (cumulative == settings_.cumulative) return;
    settings_.cumulative = cumulative;
    // Running totals dwarf single periods: the scale starts again either way.
    Changed(true);
}

void CGraphModel::SetBySport(bool bySport) {
    const GraphSettings next = WithSeparation(settings_, bySport);
    if (next == settings_) return;
    settings_ = next;
    Changed(true);
}

bool CGraphModel::CanZoomIn() const {
    return kivrun::CanZoomIn(VisibleCount());
}

void CGraphModel::ZoomIn() {
    if (!CanZoomIn()) return;
    settings_.zoom = ZoomInWithin(settings_.zoom, Plot().width, settings_.type);
    Changed(false);
}

void CGraphModel::ZoomOut() {
    if (!CanZoomOut()) return;
    settings_.zoom = ZoomedOut(settings_.zoom);
    Changed(false);
}

void CGraphModel::Resize(int width, int height) {
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Changed(false);
}

void CGraphModel::Changed(bool resetScale) {
    if (resetScale) maximum_ = 0;
    first_ = std::clamp(first_, 0, ScrollMax());
    dirty_ = true;
}

// --- Periods in view ------------------------------------------------------------------------

GraphRect CGraphModel::Plot() const {
    return PlotRect(width_, height_, settings_.bySport);
}

int CGraphModel::Zoom() const {
    return EffectiveZoom(Plot().width, settings_.zoom, settings_.type);
}

int CGraphModel::VisibleCount() const {
    return VisiblePeriods(Plot().width, Zoom(), settings_.type);
}

int CGraphModel::ScrollMax() const {
    return std::max(0, PeriodCount() - VisibleCount());
}

void CGraphModel::ScrollTo(int first) {
    first = std::clamp(first, 0, ScrollMax());
    if (first == first_) return;
    first_ = first;
    dirty_ = true;
}

std::optional<CDate> CGraphModel::PeriodFirstDay(int index) const {
    const std::optional<CDate> day = data_.FirstDay();
    if (!day) return std::nullopt;
    return PeriodAfter(PeriodStart(*day, settings_.grouping), settings_.grouping, index);
}

const GraphPeriod& CGraphModel::PeriodOf(int index) {
    static const GraphPeriod none{};
    const std::optional<CDate> first = PeriodFirstDay(index);
    if (!first || index < 0 || index >= PeriodCount()) return none;
    return data_.Period(settings_.grouping, *first, settings_.cumulative);
}

CGraphModel::Numbers CGraphModel::NumbersOf(int index) {
    const PeriodValues p = Values(index);
    Numbers v;
    v.all = p.all.value;
    for (const GraphValue& s : p.sports)
        v.sports.push_back(s.value);
    return v;
}

std::string CGraphModel::PeriodText(int index) {
    const std::optional<CDate> first = PeriodFirstDay(index);
    if (!first) return {};
    std::string text = PeriodHeading(*first, settings_.grouping);
    const GraphPeriod& p = PeriodOf(index);
    const GraphUnits& units = data_.Units();
    for (const GraphSport& s : data_.Sports()) {
        const GraphCell& cell = p.sports[static_cast<std::size_t>(s.slot)];
        if (cell.workouts > 0)
            text += "\n" + s.name + ": \t" + CellValue(cell, settings_.quantity, units).text;
    }
    text += "\nAll: \t" + CellValue(p.all, settings_.quantity, units).text;
    return text;
}

// --- Selection ------------------------------------------------------------------------------

void CGraphModel::SetSelected(std::optional<CDate> day) {
    if (day == selected_) return;
    selected_ = day;
    dirty_ = true;
}

bool CGraphModel::SelectAt(int x, int y) {
    const std::optional<CDate> before = selected_;
    const GraphRect plot = Plot();
    const int zoom = Zoom();
    std::optional<CDate> hit;
    if (y >= plot.y && y < plot.Bottom() + graph_layout::kBottom / 2) {
        const int x0 = PeriodX(plot, zoom, 0);
        const int k = static_cast<int>(std::floor((x - x0) / static_cast<double>(zoom) + 0.5));
        const int index = first_ + k;
        const int lowest = settings_.type == GraphType::Line ? -1 : 0;
        if (k >= lowest && k < VisibleCount() && index >= 0 && index < PeriodCount() &&
            std::abs(x - PeriodX(plot, zoom, k)) <= zoom / 2)
            hit = PeriodFirstDay(index);
    }
    SetSelected(hit);
    return selected_ != before;
}

// --- Scale ----------------------------------------------------------------------------------

CGraphModel::PeriodValues CGraphModel::Values(int index) {
    const GraphPeriod& p = PeriodOf(index);
    const GraphUnits& units = data_.Units();
    PeriodValues v;
    v.all = CellValue(p.all, settings_.quantity, units);
    for (const GraphSport& s : data_.Sports())
        v.sports.push_back(
            CellValue(p.sports[static_cast<std::size_t>(s.slot)], settings_.quantity, units));
    return v;
}

void CGraphModel::FitScaleToAll() {
    RaiseMaximum(0, PeriodCount());
    dirty_ = true;
}

// Periods from .. to (one past the last) that pass the maximum raise it.
void CGraphModel::RaiseMaximum(int from, int to) {
    if (settings_.type == GraphType::Pie) return;
    const bool bySportLine = settings_.type == GraphType::Line && settings_.bySport;
    for (int index = std::max(0, from); index < std::min(to, PeriodCount()); ++index) {
        const Numbers v = NumbersOf(index);
        double value = v.all;
        if (bySportLine) {
            value = 0;
            for (double s : v.sports)
                value = std::max(value, s);
        }
        maximum_ = RaisedMaximum(maximum_, value);
    }
}

double CGraphModel::Step() const {
    if (maximum_ <= 0) return 0;
    return GridStep(AxisFormOf(settings_.quantity, data_.Units()), maximum_, Plot().height);
}

const GraphScene& CGraphModel::Scene() {
    if (dirty_) {
        // A line graph shows the period before the first in view too, at the plot's edge.
        const int lowest = settings_.type == GraphType::Line ? -1 : 0;
        RaiseMaximum(first_ + lowest, first_ + VisibleCount());
        BuildScene();
        dirty_ = false;
    }
    return scene_;
}

}  // namespace kivrun
