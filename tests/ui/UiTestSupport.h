#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWidget>

namespace kivrun::test {

// Answers every message box that comes up while it lives: remembers the text and presses
// OK (or the box's default button), the way a user reading it would.
class MessageBoxAnswerer {
  public:
    MessageBoxAnswerer() {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible()) return;
            texts.append(box->text());
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            else
                box->done(0);
        });
        timer_.start();
    }
    QStringList texts;

  private:
    QTimer timer_;
};

// Saves a picture of a widget under the build folder, to look at as a user would.
inline QString SaveScreenshot(QWidget& widget, const QString& name) {
    const QString dir = QStringLiteral(KIVRUN_BUILD_DIR "/screenshots");
    QDir().mkpath(dir);
    const QString path = dir + QLatin1Char('/') + name + QStringLiteral(".png");
    widget.grab().save(path);
    return path;
}

// Runs open, which brings up a modal dialog (a print preview, say), saves a picture of the
// dialog and closes it. False when no dialog came up.
template <typename Open>
bool SaveModalScreenshot(Open open, const QString& name) {
    bool shown = false;
    QTimer::singleShot(300, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shown = true;
            SaveScreenshot(*dialog, name);
            dialog->close();
        }
    });
    open();
    return shown;
}

// Runs open, which brings up a modal Dialog; once it is up drive acts on it, and a dialog
// drive leaves open is cancelled. False when no such dialog came up.
template <class Dialog, class Open, class Drive>
bool WithModal(Open open, Drive drive) {
    bool driven = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        poll.stop();
        // The offscreen platform leaves activation to the program.
        QApplication::setActiveWindow(dialog);
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        driven = true;
        drive(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    poll.start();
    open();
    poll.stop();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    return driven;
}

// The item of a menu or menu bar, or of a menu within it, with this text.
inline QAction* FindAction(const QWidget* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->text() == text) return a;
        if (a->menu())
            if (QAction* inner = FindAction(a->menu(), text)) return inner;
    }
    return nullptr;
}

// A wheel turn of delta eighths of a degree at a point of w; whether w took it.
inline bool Wheel(QWidget* w, int delta, QPointF at = QPointF(50, 50)) {
    QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &wheel);
    return wheel.isAccepted();
}

}  // namespace kivrun::test
