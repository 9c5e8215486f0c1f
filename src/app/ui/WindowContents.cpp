#include "app/ui/WindowContents.h"

#include <QCommandLineParser>

#include "app/ui/WindowTemplates.h"
#include "entries/ui/DataEntryFrm.h"
#include "output/TextExport.h"
#include "output/ui/GPrintout.h"
#include "output/ui/PrintableViews.h"
#include "summaries/GraphSettings.h"
#include "summaries/TotalsTable.h"
#include "summaries/ui/GraphPrintout.h"
#include "summaries/ui/GraphViewFrame.h"
#include "summaries/ui/TotalsFrame.h"
#include "summaries/ui/TotalsView.h"
#include "views/ui/LogListPrinter.h"
#include "views/ui/TamselView.h"
#include "weights/ui/RoutinePrintout.h"

namespace kivrun {
namespace {

const QCommandLineOption kGroupOption(
    QStringLiteral("group"),
    QStringLiteral("With --view totals or graph: group by week, month or year (else as the log "
                   "keeps it)."),
    QStringLiteral("week|month|year"));
const QCommandLineOption kTypeOption(QStringLiteral("type"),
                                     QStringLiteral("With --view graph: a bar, line or pie graph."),
                                     QStringLiteral("bar|line|pie"));
const QCommandLineOption kQuantityOption(QStringLiteral("y"),
                                         QStringLiteral("With --view graph: what the graph shows."),
                                         QStringLiteral("distance|time|workouts|pace"));
const QCommandLineOption kCumulativeOption(QStringLiteral("cumulative"),
                                           QStringLiteral("With --view graph: running totals."));
const QCommandLineOption kBySportOption(QStringLiteral("by-sport"),
                                        QStringLiteral("With --view graph: each sport apart."));

std::unique_ptr<GPrintout> TotalsPrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                          QString& error) {
    TotalsGrouping grouping = SavedTotalsGrouping(doc);
    if (options.isSet(kGroupOption)) {
        const auto given = ParseTotalsGrouping(options.value(kGroupOption).toStdString());
        if (!given) {
            error = QStringLiteral("group the totals by week, month or year, not '%1'")
                        .arg(options.value(kGroupOption));
            return nullptr;
        }
        grouping = *given;
    }
    return CTotalsView::Printout(doc, grouping);
}

const QCommandLineOption kEntryOption(QStringLiteral("entry"),
                                      QStringLiteral("With --view routine: the workout's EntryID."),
                                      QStringLiteral("ENTRYID"));

std::unique_ptr<GPrintout> RoutinePrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                           QString& error) {
    bool number = false;
    const qlonglong id = options.value(kEntryOption).toLongLong(&number);
    if (!options.isSet(kEntryOption) || !number || id <= 0) {
        error = QStringLiteral("--view routine needs --entry ENTRYID");
        return nullptr;
    }
    std::unique_ptr<GPrintout> printout = CRoutinePrintout::ForEntry(doc, id);
    if (!printout) error = QStringLiteral("the log has no entry %1").arg(id);
    return printout;
}

// The graph as the log keeps it, changed as the options say.
std::unique_ptr<GPrintout> GraphPrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                         QString& error) {
    GraphOptions given;
    auto value = [&](const QCommandLineOption& o) -> std::optional<std::string> {
        if (!options.isSet(o)) return std::nullopt;
        return options.value(o).toStdString();
    };
    given.type = value(kTypeOption);
    given.quantity = value(kQuantityOption);
    given.grouping = value(kGroupOption);
    given.cumulative = options.isSet(kCumulativeOption);
    given.bySport = options.isSet(kBySportOption);
    std::string why;
    const std::optional<GraphSettings> settings =
        ApplyGraphOptions(SavedGraphSettings(doc), given, why);
    if (!settings) {
        error = QString::fromStdString(why);
        return nullptr;
    }
    return CGraphPrintout::ForLog(doc, *settings);
}

}  // namespace

void RegisterWindowContents() {
    WindowTemplates& templates = WindowTemplates::Instance();
    // The log window: the entry form above the log list.
    templates.SetPaneFactories(
        WindowKind::LogWindow,
        [](CTamselDoc& doc, QWidget* parent) -> QWidget* { return new CDataEntryFrm(doc, parent); },
        &CTamselView::Create);
    CTamselView::SetClipboardText([](CTamselDoc& doc, const std::vector<long>& positions) {
        return ClipboardText(doc, positions);
    });
    templates.SetContentFactory(WindowKind::Totals, &CTotalsFrame::Create);
    templates.SetContentFactory(WindowKind::Graphs, &CGraphViewFrame::Create);

    // What `kivrun --print` prints.
    RegisterPrintableView({QStringLiteral("log"),
                           QStringLiteral("the log list"),
                           {},
                           [](CTamselDoc& doc, const QCommandLineParser&, QString&) {
                               return CLogListPrinter::ForLog(doc);
                           }});
    RegisterPrintableView({QStringLiteral("totals"),
                           QStringLiteral("the totals by week, month or year (--group)"),
                           {kGroupOption},
                           &TotalsPrintout});
    RegisterPrintableView({QStringLiteral("routine"),
                           QStringLiteral("a workout's weights routine (--entry)"),
                           {kEntryOption},
                           &RoutinePrintout});
    RegisterPrintableView(
        {QStringLiteral("graph"),
         QStringLiteral("the graph (--type, --y, --group, --cumulative, --by-sport)"),
         {kTypeOption, kQuantityOption, kGroupOption, kCumulativeOption, kBySportOption},
         &GraphPrintout});
}

}  // namespace kivrun
