#include "app/ui/MainFrame.h"

#include <QApplication>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>

namespace kivrun {

MainFrame::MainFrame(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Kivrun"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kivrun.svg")));
    setCentralWidget(new QMdiArea(this));
    QMenu* file = menuBar()->addMenu(tr("&File"));
    QAction* exit = file->addAction(tr("E&xit"));
    connect(exit, &QAction::triggered, qApp, &QApplication::closeAllWindows);
    statusBar()->showMessage(tr("Ready"));
}

}  // namespace kivrun
