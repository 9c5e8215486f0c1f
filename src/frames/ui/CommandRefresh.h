#pragma once

class QWidget;

namespace kivrun {

// The window that owns the command actions (the main window). Views below it ask it to
// recompute their commands' states without knowing the main window itself.
class CommandHost {
  public:
    virtual ~CommandHost() = default;
    virtual void RefreshCommandsSoon() = 0;
};

// Views call this when something that decides their commands' states changed (their
// selection, say); the window they are in refreshes its commands.
void RequestCommandRefresh(QWidget* from);

}  // namespace kivrun
