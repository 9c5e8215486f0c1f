#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <iostream>

#include "app/ui/ActivityFilesEntry.h"
#include "app/ui/CommandLine.h"
#include "app/ui/GuardedApplication.h"
#include "app/ui/KivrunApp.h"
#include "app/ui/ProgramSetup.h"
#include "app/ui/WindowContents.h"

// Resources are initialised outside any namespace, as Q_INIT_RESOURCE needs.
static void SetUpResources() {
    Q_INIT_RESOURCE(kivrun);
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(sports);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kivrun.svg")));
}

int main(int argc, char* argv[]) {
    QCoreApplication::setApplicationName(QStringLiteral("Kivrun"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.03"));
    // The installed desktop entry: the desktop shows its name and icon for our windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.kivrun.Kivrun"));
    kivrun::RegisterWindowContents();

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const kivrun::CommandLine line = kivrun::ParseCommandLine(arguments);
    if (line.action == kivrun::CommandLine::Action::Exit) {
        (line.exitCode == 0 ? std::cout : std::cerr) << line.message.toStdString() << std::flush;
        return line.exitCode;
    }

    if (line.action == kivrun::CommandLine::Action::Print ||
        line.action == kivrun::CommandLine::Action::ExportGraph) {
        // No window is shown, so no display is needed.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        kivrun::GuardedApplication app(argc, argv);
        SetUpResources();
        return kivrun::RunPrint(line, std::cerr);
    }

    kivrun::GuardedApplication app(argc, argv);
    SetUpResources();
    kivrun::KivrunApp kivrun;
    if (!kivrun.Start(line.logs)) return 1;
    kivrun::SetUpProgramCommands(kivrun);
    // "kivrun ride.fit": the review window over the log that opened, once the window is up.
    if (!line.activityFiles.isEmpty())
        QTimer::singleShot(0, &kivrun, [&kivrun, files = line.activityFiles] {
            kivrun::ImportActivityFiles(kivrun, files);
        });

    return QApplication::exec();
}
