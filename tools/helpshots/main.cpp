#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QTemporaryDir>
#include <iostream>

#include "HelpShots.h"
#include "app/ui/GuardedApplication.h"

// kivrun-help-shots FOLDER: draws the user guide's pictures into FOLDER, offscreen.
int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: kivrun-help-shots FOLDER\n";
        return 2;
    }
    // The same pictures on any machine: no display, one pixel per point.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", "1");
    kivrun::GuardedApplication app(argc, argv);
    Q_INIT_RESOURCE(kivrun);
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(sports);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kivrun.svg")));
    kivrun::HelpShots::SetUpLook();

    // The program changes its working folder when it starts: the output folder is made
    // absolute first.
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    if (!QDir().mkpath(out)) {
        std::cerr << "Couldn't make the folder " << out.toStdString() << "\n";
        return 1;
    }
    QTemporaryDir work;
    if (!work.isValid()) {
        std::cerr << "Couldn't make a temporary folder\n";
        return 1;
    }
    int failed = 0;
    {
        kivrun::HelpShots shots(work.path());
        if (!shots.Ready()) {
            std::cerr << shots.Error().toStdString() << "\n";
            return 1;
        }
        for (const QString& name : kivrun::HelpShots::Names()) {
            if (shots.Save(name, out)) {
                std::cout << QDir(out).filePath(name).toStdString() << "\n";
            } else {
                std::cerr << name.toStdString() << ": " << shots.Error().toStdString() << "\n";
                ++failed;
            }
        }
    }
    return failed == 0 ? 0 : 1;
}
