#include "views/PageItem.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace kivrun {

std::array<PixelRect, 4> MarginStrips(const PixelRect& inner) {
    const PixelRect outer{inner.left - 10, inner.top - 10, inner.right + 10, inner.bottom + 10};
    return {PixelRect{outer.left, outer.top, inner.left, outer.bottom},
            PixelRect{inner.right, inner.top, outer.right, outer.bottom},
            PixelRect{inner.left, inner.bottom, inner.right, outer.bottom},
            PixelRect{inner.left, outer.top, outer.right, inner.top}};
}

const char* KindName(PageItem::Kind kind) {
    switch (kind) {
        case PageItem::Kind::Entry:
            return "entry";
        case PageItem::Kind::Event:
            return "event";
        case PageItem::Kind::More:
            break;
    }
    return "more";
}

std::string MoreText(int hidden) {
    return "+" + std::to_string(hidden) + " more";
}

LinePlacer::LinePlacer(std::vector<PixelRect> cells, int firstLine)
    : cells_(std::move(cells)), states_(cells_.size()), firstLine_(firstLine) {}

std::optional<LinePlacer::Spot> LinePlacer::Next(int cell, int lines) {
    const PixelRect& box = cells_.at(static_cast<std::size_t>(cell));
    State& s = states_[static_cast<std::size_t>(cell)];
    if (!s.started) {
        s.started = true;
        s.perColumn = std::max(0, (box.Height() - firstLine_) / kLineHeight);
        s.split = lines > s.perColumn && box.Width() > kMinSplitWidth;
        const int capacity = s.perColumn * (s.split ? 2 : 1);
        // The last place a full cell has goes to "+N more".
        s.shown = lines <= capacity ? lines : std::max(0, capacity - 1);
    }
    const int slot = s.placed++;
    if (slot >= s.shown) return std::nullopt;
    return SpotAt(cell, slot);
}

int LinePlacer::Hidden(int cell) const {
    const State& s = states_.at(static_cast<std::size_t>(cell));
    return s.placed - s.shown;
}

std::optional<LinePlacer::Spot> LinePlacer::MoreSpot(int cell) const {
    const State& s = states_.at(static_cast<std::size_t>(cell));
    if (s.perColumn == 0) return std::nullopt;
    return SpotAt(cell, s.shown);
}

LinePlacer::Spot LinePlacer::SpotAt(int cell, int slot) const {
    const PixelRect& box = cells_[static_cast<std::size_t>(cell)];
    const State& s = states_[static_cast<std::size_t>(cell)];
    const int perColumn = std::max(1, s.perColumn);
    const int column = s.split && slot >= perColumn ? 2 : 1;
    const int row = column == 2 ? slot - perColumn : slot;
    const int x = column == 2 ? box.left + box.Width() / 2 : box.left + 5;
    return {x, box.top + firstLine_ + row * kLineHeight, column,
            s.split ? box.Width() / 2 : box.Width()};
}

void AddMoreLines(const LinePlacer& placer, int cells, const std::vector<RowId>& firstHidden,
                  const std::function<double(int cell)>& dayOf, std::vector<PageItem>& items) {
    for (int cell = 0; cell < cells; ++cell) {
        const int hidden = placer.Hidden(cell);
        if (hidden <= 0) continue;
        const std::optional<LinePlacer::Spot> spot = placer.MoreSpot(cell);
        if (!spot) continue;
        items.push_back({PageItem::Kind::More, firstHidden[static_cast<std::size_t>(cell)],
                         dayOf(cell), cell, spot->column, -1, spot->x, spot->y, spot->fitWidth,
                         MoreText(hidden)});
    }
}

namespace {

bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

}  // namespace

std::u16string FitTextToWidth(std::u16string_view text, int width,
                              const controls::TextWidth& measure) {
    // The whole text is the longest start that fits when it fits itself.
    if (measure(text) + 30 <= width) return std::u16string(text);
    long lo = 0;
    long hi = static_cast<long>(text.size());
    std::size_t best = text.size();
    while (hi >= lo) {
        const long mid = (lo + hi) / 2;
        if (measure(text.substr(0, static_cast<std::size_t>(mid))) + 30 <= width) {
            best = static_cast<std::size_t>(mid);
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (best < text.size() && best > 0 && IsLowSurrogate(text[best])) --best;
    return std::u16string(text.substr(0, best));
}

int MoveSelection(const std::vector<PageItem>& items, int from, PageMove move) {
    if (items.empty()) return -1;
    auto order = [&](int i) {
        const PageItem& it = items[static_cast<std::size_t>(i)];
        return std::make_tuple(it.cell, it.column, it.y, i);
    };
    const int count = static_cast<int>(items.size());
    auto extreme = [&](bool last) {
        int best = 0;
        for (int i = 1; i < count; ++i)
            if (last ? order(i) > order(best) : order(i) < order(best)) best = i;
        return best;
    };
    if (move == PageMove::First || from < 0 || from >= count) return extreme(false);
    if (move == PageMove::Last) return extreme(true);

    // The nearest line that way; one beside it counts four times its distance, so that a
    // move keeps to its row or column before it turns.
    const PageItem& at = items[static_cast<std::size_t>(from)];
    int best = from;
    long bestScore = std::numeric_limits<long>::max();
    for (int i = 0; i < count; ++i) {
        if (i == from) continue;
        const PageItem& it = items[static_cast<std::size_t>(i)];
        long ahead = 0, aside = 0;
        switch (move) {
            case PageMove::Down:
                ahead = it.y - at.y, aside = it.x - at.x;
                break;
            case PageMove::Up:
                ahead = at.y - it.y, aside = it.x - at.x;
                break;
            case PageMove::Right:
                ahead = it.x - at.x, aside = it.y - at.y;
                break;
            default:
                ahead = at.x - it.x, aside = it.y - at.y;
                break;
        }
        if (ahead <= 0) continue;
        const long score = ahead + 4 * std::labs(aside);
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

}  // namespace kivrun
