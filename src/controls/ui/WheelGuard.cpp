#include "controls/ui/WheelGuard.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>

namespace kivrun {
namespace {

// The combo box or spin box a widget belongs to: itself, or the box its line edit or view
// sits in.
QWidget* GuardedBox(QObject* watched) {
    for (QObject* o = watched; o; o = o->parent()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w) return nullptr;
        if (qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w)) return w;
        if (w->isWindow()) return nullptr;  // a combo box's open list is a window of its own
    }
    return nullptr;
}

bool HoldsFocus(const QWidget* box) {
    const QWidget* focus = QApplication::focusWidget();
    return focus && (focus == box || box->isAncestorOf(focus));
}

}  // namespace

void WheelGuard::Install() {
    if (!qApp || qApp->findChild<WheelGuard*>(QString(), Qt::FindDirectChildrenOnly)) return;
    qApp->installEventFilter(new WheelGuard(qApp));
}

bool WheelGuard::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel) {
        QWidget* box = GuardedBox(watched);
        if (box && !HoldsFocus(box)) {
            // Unaccepted, the wheel goes on to the box's parent: the form scrolls.
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::Polish) {
        // A wheel that focused the box would hand it the next turn: focus comes from a click
        // or the keyboard only.
        QWidget* box = GuardedBox(watched);
        if (box == watched && box->focusPolicy() == Qt::WheelFocus)
            box->setFocusPolicy(Qt::StrongFocus);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kivrun
