#pragma once

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class QLabel;
class QStatusBar;

namespace kivrun {

// The state of the keyboard's locks; nullopt where the platform cannot tell.
struct LockStates {
    std::optional<bool> caps;
    std::optional<bool> num;
    std::optional<bool> scroll;
};

// Reads the locks from the X server's keyboard indicators; all unknown elsewhere (offscreen,
// Wayland, a build without X11).
LockStates ReadLockStates();

// The status bar's keyboard indicators after its message pane: Caps Lock, Num Lock and
// Scroll Lock, each showing its short name while its lock is on. They are read again after
// every key the program gets and whenever it comes to the front.
class KeyIndicators : public QObject {
    Q_OBJECT
  public:
    explicit KeyIndicators(QStatusBar* bar);
    ~KeyIndicators() override;

    // Where the states come from; ReadLockStates unless a test says otherwise.
    void SetReader(std::function<LockStates()> reader);
    void Refresh();
    // 0 Caps Lock, 1 Num Lock, 2 Scroll Lock.
    QLabel* Pane(int index) const { return panes_[static_cast<size_t>(index)]; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    std::array<QLabel*, 3> panes_{};
    std::function<LockStates()> reader_;
    bool queued_ = false;
};

}  // namespace kivrun
