#include "entries/ui/LeaveWatcher.h"

#include <QFocusEvent>
#include <QTimer>
#include <algorithm>

namespace kivrun {

LeaveWatcher::LeaveWatcher(QObject* parent, Rule rule) : QObject(parent), rule_(std::move(rule)) {}

void LeaveWatcher::Watch(QWidget* box) {
    box->installEventFilter(this);
}

bool LeaveWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::MenuBarFocusReason) {
            auto* box = static_cast<QWidget*>(watched);
            if (std::find(pending_.begin(), pending_.end(), box) == pending_.end())
                pending_.emplace_back(box);
            QTimer::singleShot(0, this, [this] { Flush(); });
        }
    }
    return QObject::eventFilter(watched, event);
}

bool LeaveWatcher::Flush() {
    // A rule may move the focus and so add to the list: take it first.
    const std::vector<QPointer<QWidget>> boxes = std::move(pending_);
    pending_.clear();
    bool accepted = true;
    for (const QPointer<QWidget>& box : boxes)
        if (box && !rule_(box)) accepted = false;
    return accepted;
}

}  // namespace kivrun
