#pragma once

#include <QObject>

namespace kivrun {

// The program-wide wheel rule: a combo box or spin box (a date box too) takes the wheel only
// while it has the keyboard focus. Turned over one that has not, the wheel scrolls whatever
// holds it, as over any other part of the form, so scrolling a long form never changes a
// route or a number the pointer happens to pass.
class WheelGuard : public QObject {
    Q_OBJECT
  public:
    // Installs the guard on the application once; later calls do nothing.
    static void Install();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};

}  // namespace kivrun
