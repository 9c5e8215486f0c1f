#include "app/ui/CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <ostream>

#include "app/ui/ActivityFilesEntry.h"
#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "print/ui/GPrintDriver.h"
#include "print/ui/GPrintout.h"
#include "print/ui/PictureFile.h"
#include "print/ui/PrintableViews.h"

namespace kivrun {
namespace {

const QString kProgram = QStringLiteral("kivrun");
const QString kLicenceNotice = QStringLiteral(
    "Copyright (C) 2026 The Kivrun developers\n"
    "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n");

// Qt's own options that take a value; the application object reads and removes them.
const QStringList kQtValueOptions = {
    QStringLiteral("platform"),      QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"), QStringLiteral("plugin"),
    QStringLiteral("style"),         QStringLiteral("stylesheet"),
    QStringLiteral("session"),       QStringLiteral("display"),
    QStringLiteral("geometry"),      QStringLiteral("qwindowgeometry"),
    QStringLiteral("qwindowicon"),   QStringLiteral("qwindowtitle"),
    QStringLiteral("title"),         QStringLiteral("name"),
};
const QStringList kQtFlags = {QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                              QStringLiteral("nograb"), QStringLiteral("dograb"),
                              QStringLiteral("sync")};

QStringList WithoutQtOptions(const QStringList& arguments) {
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        // Qt's take one dash ("-platform"), ours two.
        const bool single = a.startsWith(QLatin1Char('-')) && !a.startsWith(QStringLiteral("--"));
        const QString name = a.mid(1).section(QLatin1Char('='), 0, 0);
        if (i > 0 && single && kQtValueOptions.contains(name)) {
            if (!a.contains(QLatin1Char('='))) ++i;  // its value
            continue;
        }
        if (i > 0 && single && kQtFlags.contains(name)) continue;
        kept << a;
    }
    return kept;
}

QString ViewNames() {
    QStringList names;
    for (const PrintableView& view : PrintableViews())
        names << view.name;
    return names.join(QStringLiteral(", "));
}

QString HelpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    // The parser names the program from the application object, which does not exist yet.
    const qsizetype end = text.indexOf(QLatin1Char('\n'));
    text.replace(0, end,
                 QStringLiteral("Usage: %1 [options] [log] [activity files]").arg(kProgram));
    text += QStringLiteral("\nViews for --view:\n");
    for (const PrintableView& view : PrintableViews())
        text += QStringLiteral("  %1  %2\n").arg(view.name, -8).arg(view.description);
    text += QStringLiteral(
                "\nExamples:\n  %1 --print totals.pdf --view totals --group month "
                "Season.tlg\n  %1 --export-graph season.png --type line --y time --group month "
                "Season.tlg\n")
                .arg(kProgram);
    return text;
}

CommandLine Exit(int code, const QString& message) {
    CommandLine line;
    line.action = CommandLine::Action::Exit;
    line.exitCode = code;
    line.message = message;
    return line;
}

CommandLine UsageError(const QString& what) {
    return Exit(kExitUsage,
                QStringLiteral("%1: %2\nTry '%1 --help' for more.\n").arg(kProgram, what));
}

// Says nothing on screen and answers No: whatever the log tells goes to err.
class HeadlessUserInterface : public SilentUserInterface {
  public:
    explicit HeadlessUserInterface(std::ostream& err) : err_(err) {}

  protected:
    void Tell(const std::string& text, MessageKind) override {
        err_ << kProgram.toStdString() << ": " << text << '\n';
    }

  private:
    std::ostream& err_;
};

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    auto parser = std::make_shared<QCommandLineParser>();
    parser->setApplicationDescription(QStringLiteral("Kivrun athletic training log"));
    const QCommandLineOption help = parser->addHelpOption();
    const QCommandLineOption version = parser->addVersionOption();
    const QCommandLineOption print(
        QStringLiteral("print"),
        QStringLiteral("Print the view given by --view into the PDF file OUT, without a window, "
                       "and exit."),
        QStringLiteral("OUT.pdf"));
    const QCommandLineOption view(QStringLiteral("view"),
                                  QStringLiteral("The view --print prints: %1.").arg(ViewNames()),
                                  QStringLiteral("VIEW"));
    const QCommandLineOption filter(
        QStringLiteral("filter"),
        QStringLiteral("With --print: apply this saved filter text first, as kivrun-tool does."),
        QStringLiteral("STATE"));
    const QCommandLineOption exportGraph(
        QStringLiteral("export-graph"),
        QStringLiteral("Save the graph (with the options of --view graph) as a PNG or SVG picture "
                       "OUT, without a window, and exit."),
        QStringLiteral("OUT.png|OUT.svg"));
    parser->addOptions({print, view, filter, exportGraph});
    // A name two views share is added once (Qt warns of a second one).
    QStringList added;
    for (const PrintableView& v : PrintableViews())
        for (const QCommandLineOption& option : v.options)
            if (!added.contains(option.names().front())) {
                added << option.names();
                parser->addOption(option);
            }
    parser->addPositionalArgument(QStringLiteral("log"),
                                  QStringLiteral("The training log (.tlg) to open."),
                                  QStringLiteral("[log]"));
    parser->addPositionalArgument(
        QStringLiteral("activity files"),
        QStringLiteral("Watch and app files (.fit, .tcx, .gpx, also .gz) or folders of them, "
                       "to review and import into the log."),
        QStringLiteral("[activity files]"));

    if (!parser->parse(WithoutQtOptions(arguments))) return UsageError(parser->errorText());
    if (parser->isSet(help) || parser->isSet(QStringLiteral("help-all")))
        return Exit(0, HelpText(*parser));
    if (parser->isSet(version))
        return Exit(0, QStringLiteral("Kivrun %1\n%2")
                           .arg(QCoreApplication::applicationVersion(), kLicenceNotice));

    CommandLine line;
    for (const QString& argument : parser->positionalArguments())
        (IsActivityArgument(argument) ? line.activityFiles : line.logs) << argument;
    if (line.logs.size() > 1) return UsageError(QStringLiteral("only one log can be opened"));
    if (!line.activityFiles.isEmpty() && (parser->isSet(print) || parser->isSet(exportGraph)))
        return UsageError(QStringLiteral("activity files are imported, not printed"));
    if (parser->isSet(exportGraph)) {
        if (parser->isSet(print) || parser->isSet(view))
            return UsageError(
                QStringLiteral("--export-graph saves the graph: no --print or --view"));
        if (line.logs.isEmpty())
            return UsageError(QStringLiteral("--export-graph needs the LOG to draw"));
        line.action = CommandLine::Action::ExportGraph;
        line.picture = parser->value(exportGraph);
        line.view = QStringLiteral("graph");
        if (parser->isSet(filter)) line.filter = parser->value(filter);
        line.parser = std::move(parser);
        return line;
    }
    if (!parser->isSet(print)) {
        if (parser->isSet(view) || parser->isSet(filter))
            return UsageError(QStringLiteral("--view and --filter go with --print"));
        return line;
    }
    line.action = CommandLine::Action::Print;
    line.pdf = parser->value(print);
    line.view = parser->value(view);
    if (line.view.isEmpty())
        return UsageError(QStringLiteral("--print needs --view VIEW (%1)").arg(ViewNames()));
    if (!FindPrintableView(line.view))
        return UsageError(
            QStringLiteral("there is no view '%1' to print (%2)").arg(line.view, ViewNames()));
    if (line.logs.isEmpty()) return UsageError(QStringLiteral("--print needs the LOG to print"));
    if (parser->isSet(filter)) line.filter = parser->value(filter);
    line.parser = std::move(parser);
    return line;
}

int RunPrint(const CommandLine& line, std::ostream& err) {
    const PrintableView* view = FindPrintableView(line.view);
    if (!view || line.logs.isEmpty() || !line.parser) return kExitUsage;
    const QString log = line.logs.front();
    auto fail = [&err](const QString& what) {
        err << kProgram.toStdString() << ": " << what.toStdString() << '\n';
        return kExitFailed;
    };
    const QFileInfo info(log);
    if (!info.isFile()) return fail(QStringLiteral("%1: no such file").arg(log));

    HeadlessUserInterface ui(err);
    CTamselDoc doc(ui);
    // A printout only reads: the log file is left exactly as it was.
    if (!doc.OnOpenDocument(info.absoluteFilePath().toStdString(), CTamselDoc::OpenMode::ReadOnly))
        return fail(QStringLiteral("%1: could not be opened as a training log").arg(log));
    if (line.filter) ApplyFilterText(doc, line.filter->toStdString());

    QString error;
    const std::unique_ptr<GPrintout> printout = view->make(doc, *line.parser, error);
    if (!printout) {
        err << kProgram.toStdString() << ": " << error.toStdString() << '\n';
        return kExitUsage;
    }
    const QString failure = line.action == CommandLine::Action::ExportGraph
                                ? SavePicture(*printout, line.picture)
                                : GPrintDriver::PrintToPdf(*printout, line.pdf);
    if (!failure.isEmpty()) return fail(failure);
    return 0;
}

}  // namespace kivrun
