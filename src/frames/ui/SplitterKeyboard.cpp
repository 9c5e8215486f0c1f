#include "frames/ui/SplitterKeyboard.h"

#include <algorithm>

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QSplitter>
#include <QStatusBar>

namespace kivrun {
namespace {

int Total(const QList<int>& sizes) {
    int total = 0;
    for (int s : sizes)
        total += s;
    return total;
}

int MinimumHeight(QWidget* w) {
    return std::max(
        {w->minimumHeight(), w->minimumSizeHint().height(), DividerMove::kSmallestPane});
}

QStatusBar* StatusBarOf(QWidget* w) {
    auto* main = qobject_cast<QMainWindow*>(w->window());
    return main ? main->statusBar() : nullptr;
}

}  // namespace

SplitterKeyboard* SplitterKeyboard::Start(QSplitter* splitter) {
    if (!splitter || splitter->count() != 2) return nullptr;
    const int total = Total(splitter->sizes());
    const int lowest = MinimumHeight(splitter->widget(0));
    const int highest = total - MinimumHeight(splitter->widget(1));
    return new SplitterKeyboard(splitter, lowest, highest);
}

SplitterKeyboard::SplitterKeyboard(QSplitter* splitter, int lowest, int highest)
    : QObject(splitter),
      splitter_(splitter),
      move_(splitter->sizes().front(), lowest, highest),
      startSizes_(splitter->sizes()) {
    qApp->installEventFilter(this);
    QApplication::setOverrideCursor(Qt::SplitVCursor);
    if (QStatusBar* bar = StatusBarOf(splitter)) bar->showMessage(Prompt());
}

SplitterKeyboard::~SplitterKeyboard() {
    if (!done_) {
        qApp->removeEventFilter(this);
        QApplication::restoreOverrideCursor();
    }
}

QString SplitterKeyboard::Prompt() {
    return QStringLiteral(
        "Move the divider with the arrow keys; Return keeps it there, Escape puts it back");
}

void SplitterKeyboard::MoveTo(int upper) {
    if (!splitter_) return;
    splitter_->setSizes({upper, Total(splitter_->sizes()) - upper});
}

void SplitterKeyboard::Finish(bool keep) {
    if (done_) return;
    done_ = true;
    qApp->removeEventFilter(this);
    QApplication::restoreOverrideCursor();
    if (splitter_) {
        if (!keep) splitter_->setSizes(startSizes_);
        if (QStatusBar* bar = StatusBarOf(splitter_)) bar->clearMessage();
    }
    emit Finished(keep);
    deleteLater();
}

bool SplitterKeyboard::eventFilter(QObject* watched, QEvent* event) {
    if (done_) return false;
    switch (event->type()) {
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress: {
            // Every key is the divider's while it moves: no shortcut, no typing in the form.
            event->accept();
            if (event->type() == QEvent::ShortcutOverride) return true;
            auto* key = static_cast<QKeyEvent*>(event);
            const bool fine = key->modifiers() & Qt::ControlModifier;
            switch (key->key()) {
                case Qt::Key_Up:
                case Qt::Key_Left:
                    MoveTo(move_.Step(-1, fine));
                    break;
                case Qt::Key_Down:
                case Qt::Key_Right:
                    MoveTo(move_.Step(1, fine));
                    break;
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    Finish(true);
                    break;
                case Qt::Key_Escape:
                    Finish(false);
                    break;
                default:
                    break;
            }
            return true;
        }
        case QEvent::KeyRelease:
            return true;
        case QEvent::MouseButtonPress:
            Finish(true);
            return true;
        case QEvent::WindowDeactivate:
            if (splitter_ && watched == splitter_->window()) Finish(true);
            return false;
        default:
            return false;
    }
}

}  // namespace kivrun
