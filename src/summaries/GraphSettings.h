#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "store/UserInterface.h"
#include "summaries/TotalsRows.h"
#include "views/LogListCells.h"

namespace kivrun {

class CTamselDoc;

enum class GraphType { Bar = 0, Line = 1, Pie = 2 };
enum class GraphQuantity { Distance = 0, Time = 1, Workouts = 2, Pace = 3 };

// What the graph window shows. zoom is the distance between two periods on the plot.
struct GraphSettings {
    static constexpr int kDefaultZoom = 65;
    static constexpr int kPieZoom = 100;
    static constexpr int kAfterPieZoom = 45;
    // The smallest zoom Zoom Out reaches, and the smallest a saved state may hold.
    static constexpr int kMinZoom = 9;
    static constexpr int kMaxZoom = 10000;

    GraphType type = GraphType::Bar;
    TotalsGrouping grouping = TotalsGrouping::Week;
    GraphQuantity quantity = GraphQuantity::Distance;
    bool cumulative = false;
    bool bySport = false;
    int zoom = kDefaultZoom;

    friend bool operator==(const GraphSettings&, const GraphSettings&) = default;
};

// "StateGraphView": type, grouping, quantity, cumulative, separate by sport, zoom, joined by
// ",". A field that is missing, not a number or out of range keeps its default; the others
// are kept. The restrictions between settings hold afterwards.
GraphSettings ParseGraphState(std::string_view text);
std::string GraphStateText(const GraphSettings& settings);
// The settings the log keeps, and keeping them (only when they changed, never in a log open
// for reading).
GraphSettings SavedGraphSettings(CTamselDoc& doc);
void SaveGraphSettings(CTamselDoc& doc, const GraphSettings& settings);

// The restrictions: a pie is always per sport, and a bar graph of pace cannot be.
bool CanSeparateBySport(const GraphSettings& settings);
GraphSettings Restricted(GraphSettings settings);
// Choosing the pie chart zooms to 100 and separates by sport; leaving it zooms to 45.
GraphSettings WithType(GraphSettings settings, GraphType type);
GraphSettings WithQuantity(GraphSettings settings, GraphQuantity quantity);
GraphSettings WithSeparation(GraphSettings settings, bool bySport);

// Zoom In adds a quarter, Zoom Out takes a quarter away (whole units).
int ZoomedIn(int zoom);
int ZoomedOut(int zoom);
bool CanZoomOut(const GraphSettings& settings);

// "Distance By Week"; the vertical axis ("Distance (miles)", "Pace (min/mile)") from the
// names of the grand-total units; the horizontal axis "Week", "Month" or "Year".
std::string GraphTitle(GraphQuantity quantity, TotalsGrouping grouping);
std::string VerticalAxisLabel(GraphQuantity quantity, const std::string& distanceUnitName,
                              const std::string& paceUnitName);
std::string HorizontalAxisLabel(TotalsGrouping grouping);
// The "Y Axis:" list, in quantity order.
const char* QuantityName(GraphQuantity quantity);

// Command-line names: bar|line|pie and distance|time|workouts|pace.
std::optional<GraphType> ParseGraphType(std::string_view name);
std::optional<GraphQuantity> ParseGraphQuantity(std::string_view name);

// The graph asked for on a command line: the log's settings with the options given
// (bar|line|pie, distance|time|workouts|pace, week|month|year), under the same restrictions
// as in the window. Null with the reason in error for a name it does not know.
struct GraphOptions {
    std::optional<std::string> type;
    std::optional<std::string> quantity;
    std::optional<std::string> grouping;
    bool cumulative = false;
    bool bySport = false;
};
std::optional<GraphSettings> ApplyGraphOptions(GraphSettings settings, const GraphOptions& options,
                                               std::string& error);

// File > Export in the graph window: the picture file to save, and what is said when it
// cannot be.
FileDialogRequest GraphPictureRequest();
std::string GraphPictureFailed(const std::string& path, const std::string& why);

// The fixed colour of each sport letter (index 0 for "A"), and of a graph of all sports.
Rgb SportColor(int slot);
constexpr Rgb kAllSportsColor{70, 130, 180};

// The graph's fonts, in the view's units; escapement in degrees, counter-clockwise.
struct GraphFont {
    const char* family;
    double height;  // pixels, or points when inPoints
    int averageWidth;
    int weight;
    int escapement;
    bool inPoints = false;
};
namespace graph_font {
constexpr GraphFont kTitle{"Arial", 22, 10, 600, 0};
constexpr GraphFont kAxis{"Arial", 16, 7, 600, 0};
constexpr GraphFont kVerticalAxis{"Arial", 16, 7, 800, -90};
constexpr GraphFont kSmall{"Arial", 12, 6, 600, 0};
constexpr GraphFont kPoint{"Arial", 8.5, 0, 400, 0, true};
constexpr GraphFont kPeriod{"Garamond", 14, 0, 200, 20};
}  // namespace graph_font

}  // namespace kivrun
