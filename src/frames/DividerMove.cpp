#include "frames/DividerMove.h"

#include <algorithm>

namespace kivrun {

DividerMove::DividerMove(int start, int lowest, int highest)
    : start_(start), lowest_(lowest), highest_(std::max(lowest, highest)), position_(start) {}

int DividerMove::Step(int direction, bool fine) {
    const int by = (fine ? 1 : kStep) * (direction < 0 ? -1 : 1);
    // A start outside the range (a window made too small) moves back into it.
    position_ = std::clamp(position_ + by, lowest_, highest_);
    return position_;
}

}  // namespace kivrun
