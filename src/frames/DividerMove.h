#pragma once

namespace kivrun {

// Moving the divider of a two-pane window from the keyboard (Window > Split Window): the
// arrow keys move it a step at a time, never past the smallest the panes may be; Return
// keeps where it is, Escape puts it back where it started.
class DividerMove {
  public:
    // Arrow keys move this many pixels; with Ctrl held, one pixel.
    static constexpr int kStep = 8;
    // Neither pane shrinks below this, so that none vanishes under the divider.
    static constexpr int kSmallestPane = 24;

    // start: the upper pane's height now; lowest and highest: the range it may take.
    DividerMove(int start, int lowest, int highest);

    int Start() const { return start_; }
    int Position() const { return position_; }
    // One key press up (direction -1) or down (+1); fine moves one pixel. The new position.
    int Step(int direction, bool fine);

  private:
    int start_;
    int lowest_;
    int highest_;
    int position_;
};

}  // namespace kivrun
