#pragma once

#include <QString>
#include <QStringList>
#include <iosfwd>
#include <memory>
#include <optional>

class QCommandLineParser;

namespace kivrun {

// The program's command line. It is read before the application object exists, so that
// --help and --version need no display and printing can choose the offscreen one.
struct CommandLine {
    enum class Action {
        Start,        // the desktop program, with the log given (if any)
        Print,        // --print: a view's printout into a PDF, no window
        ExportGraph,  // --export-graph: the graph as a picture file, no window
        Exit,         // --help, --version or a usage error: say message and end
    };
    Action action = Action::Start;
    int exitCode = 0;
    QString message;  // for stdout, or for stderr when exitCode is not 0
    QStringList logs;
    // Activity files and folders to import into the log (ImportActivityFiles).
    QStringList activityFiles;
    // --print, or --export-graph into picture
    QString pdf;
    QString picture;
    QString view;
    std::optional<QString> filter;
    std::shared_ptr<QCommandLineParser> parser;  // the views' own options
};

// Exit codes besides 0.
constexpr int kExitFailed = 1;  // the log could not be opened or the PDF written
constexpr int kExitUsage = 2;   // the command line was wrong

// arguments as main got them, the program first. Qt's own options (-platform ...) are
// left for the application object.
CommandLine ParseCommandLine(const QStringList& arguments);

// --print: opens the log as the program does, with no question asked, applies --filter,
// and writes the view's printout into the PDF (--export-graph: the graph into its picture).
// Needs the application object. Messages go to err; returns the exit code.
int RunPrint(const CommandLine& line, std::ostream& err);

}  // namespace kivrun
