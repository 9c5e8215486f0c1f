#include "controls/HoverTip.h"

#include <algorithm>

namespace kivrun::controls {

void HoverTipTracker::AddRegion(TipRect rect, std::u16string text) {
    regions_.push_back({rect, std::move(text)});
}

void HoverTipTracker::ClearRegions() {
    regions_.clear();
    current_ = -1;
}

HoverTipTracker::Move HoverTipTracker::MouseMoved(TipPoint point) {
    if (point == last_ && current_ >= 0) return Move::Unchanged;
    current_ = -1;
    for (size_t i = 0; i < regions_.size(); ++i) {
        if (regions_[i].rect.Contains(point)) {
            current_ = static_cast<int>(i);
            last_ = point;
            return Move::HideAndWait;
        }
    }
    return Move::Hide;
}

const TipRegion* HoverTipTracker::CurrentRegion() const {
    return current_ >= 0 ? &regions_[static_cast<size_t>(current_)] : nullptr;
}

std::vector<TipLine> SplitTipText(std::u16string_view text) {
    std::vector<TipLine> lines;
    size_t start = 0;
    while (true) {
        const size_t end = text.find(u'\n', start);
        std::u16string_view line = text.substr(
            start, end == std::u16string_view::npos ? std::u16string_view::npos : end - start);
        if (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        TipLine tip;
        const size_t tab = line.find(u'\t');
        if (tab == std::u16string_view::npos) {
            tip.left = line;
        } else {
            tip.left = line.substr(0, tab);
            tip.right = line.substr(tab + 1);
            tip.split = true;
        }
        lines.push_back(std::move(tip));
        if (end == std::u16string_view::npos) break;
        start = end + 1;
    }
    return lines;
}

TipLayout LayoutTip(std::u16string_view text, TipPoint mouse, TipRect bounds, int lineHeight,
                    const std::function<int(std::u16string_view)>& width, int padding, int gap) {
    TipLayout layout;
    layout.lines = SplitTipText(text);
    layout.lineHeight = lineHeight;
    int whole = 0, left = 0, right = 0;
    for (const TipLine& line : layout.lines) {
        if (line.split) {
            left = std::max(left, width(line.left));
            right = std::max(right, width(line.right));
        } else {
            whole = std::max(whole, width(line.left));
        }
    }
    const int textWidth = std::max(whole, right > 0 ? left + gap + right : left);
    const int w = textWidth + 2 * padding;
    const int h = lineHeight * static_cast<int>(layout.lines.size()) + 2 * padding;

    int x = mouse.x - padding;
    int y = mouse.y - 5 - lineHeight * static_cast<int>(layout.lines.size()) - padding;
    if (y < bounds.top) y = mouse.y + 20;  // below the pointer instead
    x = std::max(bounds.left, std::min(x, bounds.right - w));
    y = std::max(bounds.top, std::min(y, bounds.bottom - h));
    layout.window = {x, y, x + w, y + h};
    layout.textLeft = x + padding;
    layout.textRight = x + w - padding;
    return layout;
}

}  // namespace kivrun::controls
