#pragma once

#include <optional>
#include <string>
#include <vector>

#include "summaries/GraphData.h"
#include "summaries/GraphScene.h"
#include "summaries/GraphSettings.h"

namespace kivrun {

class CTamselDoc;

// The graph window without its widgets: the settings and the numbers, which periods are in
// view, the vertical scale, the selected period, and the scene that shows all of it at the
// window's size. The window turns its commands and input into calls here and draws Scene().
class CGraphModel {
  public:
    explicit CGraphModel(CTamselDoc& doc, const GraphSettings& settings = {});

    // Gathers the filtered set and shows its latest periods.
    void Open();
    // The log or the filter changed: everything is read again; the view keeps its place.
    void Reload();
    // Workouts of these days changed: only they are read again.
    void ReloadDays(const std::vector<CDate>& days);

    const GraphSettings& Settings() const { return settings_; }
    void SetType(GraphType type);
    void SetQuantity(GraphQuantity quantity);
    // Keeps the first period in view, moved to the start of its period in the new grouping.
    void SetGrouping(TotalsGrouping grouping);
    void SetCumulative(bool cumulative);
    void SetBySport(bool bySport);
    bool CanSeparateBySport() const { return kivrun::CanSeparateBySport(settings_); }
    bool CanZoomIn() const;
    bool CanZoomOut() const { return kivrun::CanZoomOut(settings_); }
    void ZoomIn();
    void ZoomOut();

    // The client area, in the view's units.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Periods of the filtered set, from the first workout's to the last workout's.
    int PeriodCount() const { return data_.PeriodCount(settings_.grouping); }
    int VisibleCount() const;
    // Index of the first period in view, 0 .. ScrollMax().
    int First() const { return first_; }
    int ScrollMax() const;
    void ScrollTo(int first);
    void ScrollBy(int periods) { ScrollTo(first_ + periods); }
    void ScrollToEnd() { ScrollTo(ScrollMax()); }
    // The first day of the period of that index.
    std::optional<CDate> PeriodFirstDay(int index) const;

    // Selects the period under a point of the plot (a double click); none when the point is
    // beside every period. True when the selection changed.
    bool SelectAt(int x, int y);
    void ClearSelection() { SetSelected(std::nullopt); }
    std::optional<CDate> Selected() const { return selected_; }
    // The heading and values of a period: each sport with workouts, then "All: \t" value.
    std::string PeriodText(int index);

    // The values of a period, all sports and each of Data().Sports().
    struct PeriodValues {
        GraphValue all;
        std::vector<GraphValue> sports;
    };
    PeriodValues Values(int index);
    // Widens the scale to every period, not only those in view (a whole-log summary).
    void FitScaleToAll();

    // The vertical scale as it stands (it grows as larger values come into view).
    int Maximum() const { return maximum_; }
    double Step() const;
    // The scene at the current size; laid out again after any change.
    const GraphScene& Scene();

    CGraphData& Data() { return data_; }

  private:
    struct Numbers {
        double all = 0;
        std::vector<double> sports;  // as Data().Sports()
    };
    Numbers NumbersOf(int index);
    const GraphPeriod& PeriodOf(int index);
    int Zoom() const;
    GraphRect Plot() const;
    void Changed(bool resetScale);
    void SetSelected(std::optional<CDate> day);
    void RaiseMaximum(int from, int to);
    void BuildScene();
    void BuildBars(const GraphRect& plot, int zoom);
    void BuildLines(const GraphRect& plot, int zoom);
    void BuildPies(const GraphRect& plot, int zoom);
    void BuildAxes(const GraphRect& plot, int zoom);
    void BuildLegend(const GraphRect& plot);

    CTamselDoc& doc_;
    GraphSettings settings_;
    CGraphData data_;
    int width_ = 800;
    int height_ = 600;
    int first_ = 0;
    int maximum_ = 0;
    std::optional<CDate> selected_;
    GraphScene scene_;
    bool dirty_ = true;
};

}  // namespace kivrun
