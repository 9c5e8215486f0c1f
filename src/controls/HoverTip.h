#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kivrun::controls {

struct TipPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const TipPoint&, const TipPoint&) = default;
};

// Left and top inside, right and bottom just outside.
struct TipRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool Contains(TipPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const TipRect&, const TipRect&) = default;
};

struct TipRegion {
    TipRect rect;
    std::u16string text;
};

// Which region the mouse rests on, for a tip that shows after a short rest.
class HoverTipTracker {
  public:
    static constexpr int kDelayMs = 250;

    enum class Move {
        Unchanged,    // the same point over the same region: leave the tip and the timer alone
        Hide,         // stop the timer and hide the tip
        HideAndWait,  // hide the tip and start the timer for the region now current
    };

    void AddRegion(TipRect rect, std::u16string text);
    void ClearRegions();
    const std::vector<TipRegion>& Regions() const { return regions_; }

    // The first region that holds the point becomes current.
    Move MouseMoved(TipPoint point);
    // -1 when the mouse is over no region.
    int Current() const { return current_; }
    const TipRegion* CurrentRegion() const;
    TipPoint LastPoint() const { return last_; }

  private:
    std::vector<TipRegion> regions_;
    int current_ = -1;
    TipPoint last_;
};

// One line of a tip: a tab splits it into a left part and a right part.
struct TipLine {
    std::u16string left;
    std::u16string right;
    bool split = false;
};

std::vector<TipLine> SplitTipText(std::u16string_view text);

// Where the tip window goes and where its texts are drawn, in the owner's coordinates.
struct TipLayout {
    TipRect window;
    int lineHeight = 0;
    int textLeft = 0;   // left parts and whole lines start here, inside the window
    int textRight = 0;  // right parts end here
    std::vector<TipLine> lines;
};

// The tip sits with its left at the mouse and its bottom 5 pixels above it, grown by the
// padding on every side. Right parts line up at the right edge, at least gap after the widest
// left part. Kept inside bounds; when there is no room above the mouse it goes below it.
TipLayout LayoutTip(std::u16string_view text, TipPoint mouse, TipRect bounds, int lineHeight,
                    const std::function<int(std::u16string_view)>& width, int padding = 2,
                    int gap = 12);

}  // namespace kivrun::controls
