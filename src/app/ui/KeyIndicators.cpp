#include "app/ui/KeyIndicators.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QStatusBar>

#include "frames/WindowLayout.h"

namespace kivrun {

KeyIndicators::KeyIndicators(QStatusBar* bar) : QObject(bar), reader_(&ReadLockStates) {
    const auto& locks = KeyLockIndicators();
    for (size_t i = 0; i < panes_.size(); ++i) {
        auto* pane = new QLabel(bar);
        const QString shortName = QString::fromUtf8(locks[i].shortName);
        pane->setObjectName(QString::fromUtf8(locks[i].name).remove(QLatin1Char(' ')));
        pane->setToolTip(QString::fromUtf8(locks[i].name));
        pane->setAlignment(Qt::AlignCenter);
        // As wide as its name, lit or not, so the panes never shift.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(shortName) + 12);
        bar->addPermanentWidget(pane);
        panes_[i] = pane;
    }
    qApp->installEventFilter(this);
    Refresh();
}

KeyIndicators::~KeyIndicators() {
    if (qApp) qApp->removeEventFilter(this);
}

void KeyIndicators::SetReader(std::function<LockStates()> reader) {
    reader_ = std::move(reader);
    Refresh();
}

void KeyIndicators::Refresh() {
    queued_ = false;
    const LockStates states = reader_ ? reader_() : LockStates{};
    const std::optional<bool> on[] = {states.caps, states.num, states.scroll};
    const auto& locks = KeyLockIndicators();
    for (size_t i = 0; i < panes_.size(); ++i)
        panes_[i]->setText(on[i].value_or(false) ? QString::fromUtf8(locks[i].shortName)
                                                 : QString());
}

bool KeyIndicators::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    // A key may have been a lock; read once the key has been handled, and once per burst.
    const bool key = type == QEvent::KeyPress || type == QEvent::KeyRelease;
    if ((key || type == QEvent::ApplicationActivate) && !queued_) {
        queued_ = true;
        QMetaObject::invokeMethod(this, &KeyIndicators::Refresh, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kivrun
