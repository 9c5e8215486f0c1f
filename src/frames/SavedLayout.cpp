#include "frames/SavedLayout.h"

#include <algorithm>
#include <sstream>

#include "values/NumberFormat.h"

namespace kivrun {
namespace {

constexpr const char* kKeys[] = {"log",    "totals",  "entry", "week",     "calendar",
                                 "events", "weights", "graph", "equipment"};

const char* ShowKey(WindowShow show) {
    switch (show) {
        case WindowShow::Maximized:
            return "max";
        case WindowShow::Minimized:
            return "min";
        case WindowShow::Normal:
            break;
    }
    return "normal";
}

// The text without tabs and line breaks, which separate the saved fields.
std::string OneField(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return text;
}

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
        if (tab == std::string::npos) return fields;
        start = tab + 1;
    }
}

// A whole number of a few digits, maybe negative (a window partly left of the area).
bool IsNumber(const std::string& text) {
    const std::size_t first = !text.empty() && text[0] == '-' ? 1 : 0;
    return text.size() > first && text.size() <= first + 6 &&
           text.find_first_not_of("0123456789", first) == std::string::npos;
}

}  // namespace

const char* WindowKindKey(WindowKind kind) {
    return kKeys[static_cast<std::size_t>(kind)];
}

std::optional<WindowKind> WindowKindOfKey(const std::string& key) {
    for (std::size_t i = 0; i < std::size(kKeys); ++i)
        if (key == kKeys[i]) return static_cast<WindowKind>(i);
    return std::nullopt;
}

std::string SavedLayout::Save() const {
    std::ostringstream text;
    text << "log\t" << OneField(log) << '\n';
    for (const SavedWindow& w : windows)
        text << WindowKindKey(w.kind) << '\t' << w.rect.x << '\t' << w.rect.y << '\t'
             << w.rect.width << '\t' << w.rect.height << '\t' << ShowKey(w.show) << '\t'
             << OneField(w.state) << '\n';
    return text.str();
}

std::optional<SavedLayout> SavedLayout::Restore(const std::string& text) {
    SavedLayout layout;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const std::vector<std::string> f = Fields(line);
        if (f.size() == 2 && f[0] == "log") {
            layout.log = f[1];
            continue;
        }
        if (f.size() != 7) continue;
        const std::optional<WindowKind> kind = WindowKindOfKey(f[0]);
        if (!kind || !IsNumber(f[1]) || !IsNumber(f[2]) || !IsNumber(f[3]) || !IsNumber(f[4]))
            continue;
        SavedWindow w;
        w.kind = *kind;
        w.rect = {TextToInt(f[1]), TextToInt(f[2]), TextToInt(f[3]), TextToInt(f[4])};
        w.show = f[5] == "max"   ? WindowShow::Maximized
                 : f[5] == "min" ? WindowShow::Minimized
                                 : WindowShow::Normal;
        w.state = f[6];
        layout.windows.push_back(std::move(w));
    }
    if (layout.log.empty()) return std::nullopt;
    return layout;
}

WindowRect KeptOnArea(const WindowRect& r, int areaWidth, int areaHeight) {
    WindowRect kept = r;
    kept.width = std::clamp(r.width, std::min(kMinChildWidth, areaWidth),
                            std::max(std::min(kMinChildWidth, areaWidth), areaWidth));
    kept.height = std::clamp(r.height, std::min(kMinChildHeight, areaHeight),
                             std::max(std::min(kMinChildHeight, areaHeight), areaHeight));
    kept.x = std::clamp(r.x, 0, std::max(0, areaWidth - kept.width));
    kept.y = std::clamp(r.y, 0, std::max(0, areaHeight - kept.height));
    return kept;
}

}  // namespace kivrun
