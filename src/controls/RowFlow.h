#pragma once

#include <vector>

namespace kivrun::controls {

// One group of controls to be set side by side with others.
struct FlowItem {
    int least = 0;   // the narrowest it can be
    int wanted = 0;  // its natural width
    int height = 0;
    bool elastic = false;  // takes the width its row leaves, gives it up first
};

struct FlowPlace {
    int x = 0;
    int y = 0;
    int width = 0;
};

struct FlowRows {
    std::vector<FlowPlace> places;  // one per item, in order
    int height = 0;
    int rows = 0;
};

// Sets the items in rows across a width: they go left to right and a group that no longer
// fits starts a further row. Elastic groups count at their least width while rows are
// filled, so they shrink before anything wraps, and then share what their row leaves.
// An item wider than the whole width gets a row of its own at its least width.
FlowRows ArrangeInRows(const std::vector<FlowItem>& items, int width, int gap, int rowGap);

}  // namespace kivrun::controls
