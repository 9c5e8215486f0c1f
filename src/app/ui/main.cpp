#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

#include "app/ui/GuardedApplication.h"
#include "app/ui/KivrunApp.h"
#include "app/ui/ProgramSetup.h"
#include "app/ui/WindowContents.h"

int main(int argc, char* argv[]) {
    kivrun::GuardedApplication app(argc, argv);
    Q_INIT_RESOURCE(kivrun);
    Q_INIT_RESOURCE(shell);
    Q_INIT_RESOURCE(sports);
    QApplication::setApplicationName(QStringLiteral("Kivrun"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.03"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/kivrun.svg")));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kivrun athletic training log"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("log"),
                                 QStringLiteral("The training log (.tlg) to open."), "[log]");
    parser.process(app);

    kivrun::RegisterWindowContents();
    kivrun::KivrunApp kivrun;
    if (!kivrun.Start(parser.positionalArguments())) return 1;
    kivrun::SetUpProgramCommands(kivrun);

    return QApplication::exec();
}
