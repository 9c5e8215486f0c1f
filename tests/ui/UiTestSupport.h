#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <QTimer>
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

}  // namespace kivrun::test
