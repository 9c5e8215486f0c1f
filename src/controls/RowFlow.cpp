#include "controls/RowFlow.h"

#include <algorithm>

namespace kivrun::controls {
namespace {

int FillWidth(const FlowItem& item) {
    return item.elastic ? item.least : std::max(item.least, item.wanted);
}

}  // namespace

FlowRows ArrangeInRows(const std::vector<FlowItem>& items, int width, int gap, int rowGap) {
    FlowRows result;
    result.places.resize(items.size());
    size_t first = 0;
    int y = 0;
    while (first < items.size()) {
        // The row: as many items as fit, at least one.
        size_t end = first;
        int used = 0;
        int elastic = 0;
        while (end < items.size()) {
            const int more = FillWidth(items[end]) + (end > first ? gap : 0);
            if (end > first && used + more > width) break;
            used += more;
            if (items[end].elastic) ++elastic;
            ++end;
        }
        // What is left goes to the elastic items of the row, shared evenly.
        int spare = std::max(0, width - used);
        int x = 0;
        int height = 0;
        for (size_t i = first; i < end; ++i) {
            int w = FillWidth(items[i]);
            if (items[i].elastic) {
                const int share = spare / elastic--;
                w += share;
                spare -= share;
            }
            result.places[i] = FlowPlace{x, y, w};
            x += w + gap;
            height = std::max(height, items[i].height);
        }
        y += height + rowGap;
        result.height = y - rowGap;
        ++result.rows;
        first = end;
    }
    return result;
}

}  // namespace kivrun::controls
