#include "app/ui/ActivityFilesEntry.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "devices/ActivityFile.h"
#include "imports/ui/ActivityImportWindow.h"

namespace kivrun {
namespace {

// Takes drags of activity files and folders that reach the main window.
class ActivityDrop : public QObject {
  public:
    ActivityDrop(KivrunApp& app, QObject* parent) : QObject(parent), app_(app) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::DragEnter:
            case QEvent::DragMove: {
                auto* drag = static_cast<QDragMoveEvent*>(event);
                if (!drag->mimeData()->hasUrls() ||
                    !HoldsActivities(LocalPaths(drag->mimeData()->urls())))
                    break;
                drag->acceptProposedAction();
                return true;
            }
            case QEvent::Drop: {
                auto* drop = static_cast<QDropEvent*>(event);
                const QStringList paths = LocalPaths(drop->mimeData()->urls());
                if (!HoldsActivities(paths)) break;
                drop->acceptProposedAction();
                // After the drop has ended, so that the program it came from is not held up
                // by the review window.
                QTimer::singleShot(0, this, [this, paths] { ImportActivityFiles(app_, paths); });
                return true;
            }
            default:
                break;
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    KivrunApp& app_;
};

}  // namespace

void ImportActivityFiles(KivrunApp& app, const QStringList& paths) {
    if (!app.Document()) {
        app.Ui().ShowMessage("Open the training log the activities go into.",
                             MessageKind::Information);
        if (!app.ChooseAndOpenLog() || !app.Document()) return;
    }
    ReviewActivities(*app.Document(), paths, &app.Frame());
}

void AcceptActivityDrops(KivrunApp& app) {
    app.Frame().setAcceptDrops(true);
    app.Frame().installEventFilter(new ActivityDrop(app, &app.Frame()));
}

bool IsActivityArgument(const QString& argument) {
    return QFileInfo(argument).isDir() ||
           devices::ActivityFileTypeOf(argument.toStdString()).has_value();
}

}  // namespace kivrun
