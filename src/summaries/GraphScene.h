#pragma once

#include <optional>
#include <string>
#include <vector>

#include "summaries/GraphLayout.h"
#include "views/LogListCells.h"

namespace kivrun {

// Everything a graph shows, placed in the view's units: the drawing code only turns it into
// pixels. Angles are whole degrees clockwise from 12 o'clock.
struct GraphScene {
    struct Point {
        int x = 0;
        int y = 0;
        friend bool operator==(const Point&, const Point&) = default;
    };
    struct Gridline {
        int y = 0;
        std::string label;
    };
    struct PeriodLabel {
        int x = 0;  // the label ends at this point, under its period's tick or pie
        int y = 0;
        std::string text;
    };
    // Running totals start again with each year: a line across the plot where a new year's
    // first period begins, the year beside it.
    struct YearMark {
        int x = 0;
        std::string year;
    };
    struct Bar {
        GraphRect rect;
        Rgb color;
    };
    struct Slice {
        GraphRect box;  // the pie's bounding square
        int startAngle = 0;
        int endAngle = 0;
        Rgb color;
    };
    struct Line {
        Rgb color;
        std::vector<Point> points;
    };
    struct LegendItem {
        GraphRect swatch;
        Rgb color;
        std::string name;
    };
    // Where the mouse shows a period's values, and which period that is.
    struct Tip {
        GraphRect rect;
        std::string text;
        int period = 0;
    };
    struct Selection {
        GraphRect band;                  // the selected period's column
        std::vector<std::string> lines;  // its heading and values; a tab splits name and value
        bool boxOnRight = false;         // the box goes where it hides the period least
    };

    int width = 0;
    int height = 0;
    std::string title;
    std::string verticalLabel;  // empty for a pie chart, which has no vertical scale
    std::string horizontalLabel;
    GraphRect plot;
    bool axes = true;  // a pie chart draws no axes
    std::vector<Gridline> gridlines;
    std::vector<int> ticks;  // under each period in view
    std::vector<PeriodLabel> periodLabels;
    std::vector<YearMark> yearMarks;
    std::vector<Bar> bars;
    std::vector<Slice> slices;
    std::vector<Line> lines;
    std::vector<LegendItem> legend;
    std::vector<Tip> tips;
    std::optional<Selection> selection;

    // Legend rows: a 10-unit swatch, the name after it.
    static constexpr int kSwatch = 10;
    static constexpr int kLegendRow = 18;
    static constexpr int kLegendText = 15;  // from the swatch's left to the name
};

}  // namespace kivrun
