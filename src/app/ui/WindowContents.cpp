#include "app/ui/WindowContents.h"

#include <QCommandLineParser>

#include "entries/ui/DataEntryFrm.h"
#include "equipment/ui/EquipmentView.h"
#include "events/ui/EventDlg.h"
#include "events/ui/EventEntryForm.h"
#include "events/ui/EventView.h"
#include "frames/ui/WindowTemplates.h"
#include "output/TextExport.h"
#include "print/ui/GPrintout.h"
#include "print/ui/PrintableViews.h"
#include "summaries/GraphSettings.h"
#include "summaries/TotalsTable.h"
#include "summaries/ui/GraphPrintout.h"
#include "summaries/ui/GraphViewFrame.h"
#include "summaries/ui/TotalsFrame.h"
#include "summaries/ui/TotalsView.h"
#include "views/ui/CalendarView.h"
#include "views/ui/EntryView.h"
#include "views/ui/LogListPrinter.h"
#include "views/ui/PagePrintout.h"
#include "views/ui/TamselView.h"
#include "views/ui/WeekView.h"
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

const QCommandLineOption kMonthOption(
    QStringLiteral("month"), QStringLiteral("With --view calendar: the month (else this month)."),
    QStringLiteral("M/YYYY"));
const QCommandLineOption kDateOption(
    QStringLiteral("date"), QStringLiteral("With --view week: a day of the week (else today)."),
    QStringLiteral("M/D/YYYY"));

std::unique_ptr<GPrintout> CalendarPrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                            QString& error) {
    CDate month;
    if (options.isSet(kMonthOption)) {
        const auto given = CalendarGrid::MonthFromText(options.value(kMonthOption).toStdString());
        if (!given) {
            error = QStringLiteral("give the month as M/YYYY, not '%1'")
                        .arg(options.value(kMonthOption));
            return nullptr;
        }
        month = *given;
    }
    return std::make_unique<CCalendarPrintout>(doc, month, 0);
}

std::unique_ptr<GPrintout> WeekPrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                        QString& error) {
    CDate day;
    if (options.isSet(kDateOption)) {
        const std::string text = options.value(kDateOption).toStdString();
        if (!CDate::IsValidText(text)) {
            error = QStringLiteral("give the day as M/D/YYYY, not '%1'")
                        .arg(options.value(kDateOption));
            return nullptr;
        }
        day = CDate(text);
    }
    return std::make_unique<CWeekPrintout>(doc, day.FirstDayOfWeek(), 0);
}

const QCommandLineOption kEntryOption(
    QStringLiteral("entry"), QStringLiteral("With --view routine or entry: the workout's EntryID."),
    QStringLiteral("ENTRYID"));

// The workout named by --entry; 0 after saying why.
RowId EntryOptionId(const QCommandLineParser& options, const char* view, QString& error) {
    bool number = false;
    const qlonglong id = options.value(kEntryOption).toLongLong(&number);
    if (!options.isSet(kEntryOption) || !number || id <= 0) {
        error = QStringLiteral("--view %1 needs --entry ENTRYID").arg(QLatin1String(view));
        return 0;
    }
    return id;
}

std::unique_ptr<GPrintout> RoutinePrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                           QString& error) {
    const RowId id = EntryOptionId(options, "routine", error);
    if (id == 0) return nullptr;
    std::unique_ptr<GPrintout> printout = CRoutinePrintout::ForEntry(doc, id);
    if (!printout) error = QStringLiteral("the log has no entry %1").arg(id);
    return printout;
}

std::unique_ptr<GPrintout> EntryPrintout(CTamselDoc& doc, const QCommandLineParser& options,
                                         QString& error) {
    const RowId id = EntryOptionId(options, "entry", error);
    if (id == 0) return nullptr;
    std::unique_ptr<GPrintout> printout = CEntryPrintout::ForEntry(doc, id);
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
    templates.SetContentFactory(WindowKind::Calendar, &CCalendarView::Create);
    // The events window: the quick entry form above the events list; the calendar adds and
    // opens events through the "Event" dialog.
    templates.SetPaneFactories(WindowKind::Events, &CEventEntryForm::Create, &CEventView::Create);
    CCalendarView::SetEventEditor({[](CTamselDoc& doc, const CDate& day, QWidget* parent) {
                                       CEventDlg::NewEvent(doc, day, parent);
                                   },
                                   [](CTamselDoc& doc, RowId eventId, QWidget* parent) {
                                       CEventDlg::EditEvent(doc, eventId, parent);
                                   }});
    templates.SetContentFactory(WindowKind::WeekView, &CWeekView::Create);
    templates.SetContentFactory(WindowKind::EntryView, &CEntryView::Create);
    templates.SetContentFactory(WindowKind::Totals, &CTotalsFrame::Create);
    templates.SetContentFactory(WindowKind::Graphs, &CGraphViewFrame::Create);
    templates.SetContentFactory(WindowKind::Equipment, &CEquipmentView::Create);

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
    RegisterPrintableView({QStringLiteral("calendar"),
                           QStringLiteral("a month of the calendar (--month)"),
                           {kMonthOption},
                           &CalendarPrintout});
    RegisterPrintableView({QStringLiteral("week"),
                           QStringLiteral("a week with its summary (--date)"),
                           {kDateOption},
                           &WeekPrintout});
    RegisterPrintableView({QStringLiteral("entry"),
                           QStringLiteral("one workout as the entry view shows it (--entry)"),
                           {kEntryOption},
                           &EntryPrintout});
    RegisterPrintableView({QStringLiteral("routine"),
                           QStringLiteral("a workout's weights routine (--entry)"),
                           {kEntryOption},
                           &RoutinePrintout});
    RegisterPrintableView({QStringLiteral("events"),
                           QStringLiteral("the events list"),
                           {},
                           [](CTamselDoc& doc, const QCommandLineParser&, QString&) {
                               return CEventView::Printout(doc);
                           }});
    RegisterPrintableView({QStringLiteral("equipment"),
                           QStringLiteral("the equipment list"),
                           {},
                           [](CTamselDoc& doc, const QCommandLineParser&, QString&) {
                               return CEquipmentView::Printout(doc);
                           }});
    RegisterPrintableView(
        {QStringLiteral("graph"),
         QStringLiteral("the graph (--type, --y, --group, --cumulative, --by-sport)"),
         {kTypeOption, kQuantityOption, kGroupOption, kCumulativeOption, kBySportOption},
         &GraphPrintout});
}

}  // namespace kivrun
