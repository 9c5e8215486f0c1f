#include "summaries/GraphSettings.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "document/TamselDoc.h"
#include "summaries/TotalsTable.h"

namespace kivrun {
namespace {

constexpr const char* kStateKey = "StateGraphView";

// A whole decimal number in lo..hi, nothing else.
std::optional<int> StateField(std::string_view text, int lo, int hi) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < lo || value > hi)
        return std::nullopt;
    return value;
}

}  // namespace

GraphSettings ParseGraphState(std::string_view text) {
    GraphSettings s;
    std::array<std::string_view, 6> fields;
    for (std::size_t i = 0; i < fields.size() && !text.empty(); ++i) {
        const std::size_t comma = text.find(',');
        fields[i] = text.substr(0, comma);
        text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    }
    if (auto v = StateField(fields[0], 0, 2)) s.type = static_cast<GraphType>(*v);
    if (auto v = StateField(fields[1], 0, 2)) s.grouping = static_cast<TotalsGrouping>(*v);
    if (auto v = StateField(fields[2], 0, 3)) s.quantity = static_cast<GraphQuantity>(*v);
    if (auto v = StateField(fields[3], 0, 1)) s.cumulative = *v == 1;
    if (auto v = StateField(fields[4], 0, 1)) s.bySport = *v == 1;
    if (auto v = StateField(fields[5], GraphSettings::kMinZoom, GraphSettings::kMaxZoom))
        s.zoom = *v;
    return Restricted(s);
}

std::string GraphStateText(const GraphSettings& s) {
    return std::to_string(static_cast<int>(s.type)) + "," +
           std::to_string(static_cast<int>(s.grouping)) + "," +
           std::to_string(static_cast<int>(s.quantity)) + "," + (s.cumulative ? "1" : "0") + "," +
           (s.bySport ? "1" : "0") + "," + std::to_string(s.zoom);
}

GraphSettings SavedGraphSettings(CTamselDoc& doc) {
    return ParseGraphState(doc.Preference(kStateKey));
}

void SaveGraphSettings(CTamselDoc& doc, const GraphSettings& settings) {
    if (!doc.IsOpen() || doc.IsReadOnly()) return;
    const std::string text = GraphStateText(settings);
    if (doc.Preference(kStateKey) != text) doc.SetPreference(kStateKey, text);
}

bool CanSeparateBySport(const GraphSettings& s) {
    if (s.type == GraphType::Pie) return false;  // always per sport
    return !(s.type == GraphType::Bar && s.quantity == GraphQuantity::Pace);
}

GraphSettings Restricted(GraphSettings s) {
    if (s.type == GraphType::Pie) s.bySport = true;
    if (s.type == GraphType::Bar && s.quantity == GraphQuantity::Pace) s.bySport = false;
    return s;
}

GraphSettings WithType(GraphSettings s, GraphType type) {
    if (type == s.type) return s;
    if (type == GraphType::Pie)
        s.zoom = GraphSettings::kPieZoom;
    else if (s.type == GraphType::Pie)
        s.zoom = GraphSettings::kAfterPieZoom;
    s.type = type;
    return Restricted(s);
}

GraphSettings WithQuantity(GraphSettings s, GraphQuantity quantity) {
    s.quantity = quantity;
    return Restricted(s);
}

GraphSettings WithSeparation(GraphSettings s, bool bySport) {
    if (CanSeparateBySport(s)) s.bySport = bySport;
    return s;
}

int ZoomedIn(int zoom) {
    return std::min(GraphSettings::kMaxZoom, zoom + zoom / 4);
}

int ZoomedOut(int zoom) {
    // Never below the smallest zoom a saved state keeps, so the log reopens as it closed.
    if (zoom <= GraphSettings::kMinZoom) return zoom;
    return std::max(GraphSettings::kMinZoom, zoom - zoom / 4);
}

bool CanZoomOut(const GraphSettings& s) {
    return s.type == GraphType::Pie ? s.zoom >= 31 : s.zoom > GraphSettings::kMinZoom;
}

const char* QuantityName(GraphQuantity quantity) {
    switch (quantity) {
        case GraphQuantity::Time:
            return "Time";
        case GraphQuantity::Workouts:
            return "Workouts";
        case GraphQuantity::Pace:
            return "Pace";
        case GraphQuantity::Distance:
            break;
    }
    return "Distance";
}

std::string GraphTitle(GraphQuantity quantity, TotalsGrouping grouping) {
    return std::string(QuantityName(quantity)) + " By " + TotalsPeriodTitle(grouping);
}

std::string VerticalAxisLabel(GraphQuantity quantity, const std::string& distanceUnitName,
                              const std::string& paceUnitName) {
    switch (quantity) {
        case GraphQuantity::Distance:
            return "Distance (" + distanceUnitName + ")";
        case GraphQuantity::Pace:
            return "Pace (" + paceUnitName + ")";
        default:
            return QuantityName(quantity);
    }
}

std::string HorizontalAxisLabel(TotalsGrouping grouping) {
    return TotalsPeriodTitle(grouping);
}

std::optional<GraphType> ParseGraphType(std::string_view name) {
    if (name == "bar") return GraphType::Bar;
    if (name == "line") return GraphType::Line;
    if (name == "pie") return GraphType::Pie;
    return std::nullopt;
}

std::optional<GraphQuantity> ParseGraphQuantity(std::string_view name) {
    if (name == "distance") return GraphQuantity::Distance;
    if (name == "time") return GraphQuantity::Time;
    if (name == "workouts") return GraphQuantity::Workouts;
    if (name == "pace") return GraphQuantity::Pace;
    return std::nullopt;
}

std::optional<GraphSettings> ApplyGraphOptions(GraphSettings s, const GraphOptions& o,
                                               std::string& error) {
    if (o.type) {
        const auto type = ParseGraphType(*o.type);
        if (!type) {
            error = "the graph is a bar, line or pie graph, not '" + *o.type + "'";
            return std::nullopt;
        }
        s = WithType(s, *type);
    }
    if (o.quantity) {
        const auto quantity = ParseGraphQuantity(*o.quantity);
        if (!quantity) {
            error = "graph distance, time, workouts or pace, not '" + *o.quantity + "'";
            return std::nullopt;
        }
        s = WithQuantity(s, *quantity);
    }
    if (o.grouping) {
        const auto grouping = ParseTotalsGrouping(*o.grouping);
        if (!grouping) {
            error = "group the graph by week, month or year, not '" + *o.grouping + "'";
            return std::nullopt;
        }
        s.grouping = *grouping;
    }
    if (o.cumulative) s.cumulative = true;
    if (o.bySport) s = WithSeparation(s, true);
    return s;
}

FileDialogRequest GraphPictureRequest() {
    FileDialogRequest request;
    request.defaultExtension = ".png";
    request.filter =
        "PNG Picture (*.png)|*.png|SVG Drawing (*.svg)|*.svg|PDF Document (*.pdf)|*.pdf||";
    request.initialPath = "Graph.png";
    request.overwritePrompt = true;
    return request;
}

std::string GraphPictureFailed(const std::string& path, const std::string& why) {
    return "Couldn't save the graph as " + path + "\n" + why;
}

Rgb SportColor(int slot) {
    static constexpr Rgb kColors[26] = {
        {220, 20, 60},   {65, 105, 225},  {105, 215, 102}, {255, 165, 0},   {238, 130, 238},
        {205, 205, 205}, {105, 255, 255}, {245, 245, 150}, {100, 149, 237}, {102, 205, 170},
        {0, 100, 0},     {178, 34, 34},   {105, 105, 105}, {255, 215, 0},   {173, 255, 47},
        {10, 255, 240},  {205, 92, 92},   {255, 100, 205}, {135, 206, 250}, {230, 230, 250},
        {0, 255, 0},     {218, 112, 214}, {255, 228, 225}, {210, 180, 140}, {238, 130, 238},
        {176, 224, 230}};
    if (slot < 0 || slot >= 26) return kAllSportsColor;
    return kColors[slot];
}

}  // namespace kivrun
