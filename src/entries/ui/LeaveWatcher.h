#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace kivrun {

// Runs a box's "on leaving" rule once the focus has moved on. The rule may show a message
// and put the focus back, which must not happen in the middle of Qt's own focus change, so
// it runs from the event loop; Flush runs what is waiting now (before Enter reads the form).
// Leaving for a popup (a drop-down list, a calendar) or to another program is not leaving.
class LeaveWatcher : public QObject {
    Q_OBJECT
  public:
    // False when the box refused what it holds (and kept the focus).
    using Rule = std::function<bool(QWidget* box)>;
    LeaveWatcher(QObject* parent, Rule rule);

    void Watch(QWidget* box);
    // False when a box refused.
    bool Flush();
    // Forgets what waits (Reset throws the typed values away anyway).
    void Cancel() { pending_.clear(); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Rule rule_;
    std::vector<QPointer<QWidget>> pending_;
};

}  // namespace kivrun
