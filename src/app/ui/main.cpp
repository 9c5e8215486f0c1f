#include <QApplication>

#include "app/ui/MainFrame.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kivrun"));
    QApplication::setOrganizationName(QStringLiteral("Kivrun"));
    kivrun::MainFrame frame;
    frame.showMaximized();
    return QApplication::exec();
}
