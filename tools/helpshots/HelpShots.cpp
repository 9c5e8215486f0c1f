#include "HelpShots.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QMdiArea>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTabWidget>
#include <QTableView>
#include <map>
#include <set>

#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProgramSetup.h"
#include "app/ui/WindowContents.h"
#include "document/FilterState.h"
#include "document/SampleLog.h"
#include "document/TamselDoc.h"
#include "entries/ui/FilterToolBar.h"
#include "frames/ui/ChildFrame.h"
#include "prefs/ui/PreferencesSheet.h"
#include "prefs/ui/SportsPrefsPage.h"
#include "values/Calendar.h"
#include "values/Date.h"
#include "weights/ui/WeightsDlg.h"

namespace kivrun {
namespace {

// A few hundred workouts: a full list and busy calendars, yet made in a moment.
constexpr int kWorkouts = 600;
constexpr unsigned kSeed = 7;
// Today, so that the log's last workouts and the views' months agree from run to run.
constexpr calendar::Ymd kToday{2026, 12, 6};
// The day the calendar and the week show: a full month of workouts before it.
const CDate kShownDay(11, 19, 2026);

// No dialog may come up while the pictures are taken: what the program says is kept as the
// reason of a failure, every question is answered No.
class QuietDialogs : public DialogProvider {
  public:
    explicit QuietDialogs(QString& said) : said_(said) {}
    void Message(QWidget*, const QString& text, MessageKind) override { said_ = text; }
    bool Question(QWidget*, const QString& text) override {
        said_ = text;
        return false;
    }
    std::optional<QString> SaveFile(QWidget*, const FileDialogSpec&) override {
        return std::nullopt;
    }
    std::optional<QString> OpenFile(QWidget*, const FileDialogSpec&) override {
        return std::nullopt;
    }

  private:
    QString& said_;
};

class RecordingUi : public SilentUserInterface {
  public:
    std::string said;
    void Tell(const std::string& text, MessageKind) override { said = text; }
};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Offscreen windows have no frame: a dialog gets the title bar and border the style draws
// for the log windows, so that it looks as it does on a desktop.
QImage Framed(QWidget& window) {
    const QImage body = window.grab().toImage();
    QStyle* style = window.style();
    QStyleOptionTitleBar bar;
    bar.initFrom(&window);
    bar.state |= QStyle::State_Active;
    bar.text = window.windowTitle();
    bar.icon = QApplication::windowIcon();
    bar.titleBarState = Qt::WindowNoState | QStyle::State_Active;
    bar.titleBarFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint;
    bar.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarCloseButton;
    const int border = style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth, nullptr, &window);
    const int height = style->pixelMetric(QStyle::PM_TitleBarHeight, &bar, &window);
    bar.rect = QRect(0, 0, body.width() + 2 * border, height);

    QImage framed(bar.rect.width(), height + body.height() + border,
                  QImage::Format_ARGB32_Premultiplied);
    framed.fill(bar.palette.color(QPalette::Window));
    QPainter painter(&framed);
    QStyleOptionFrame frame;
    frame.initFrom(&window);
    frame.state |= QStyle::State_Active;
    frame.rect = framed.rect();
    frame.lineWidth = border;
    style->drawPrimitive(QStyle::PE_FrameWindow, &frame, &painter, &window);
    style->drawComplexControl(QStyle::CC_TitleBar, &bar, &painter, &window);
    painter.drawImage(border, height, body);
    return framed;
}

}  // namespace

const QStringList& HelpShots::Names() {
    static const QStringList names = {
        QStringLiteral("log-window.png"), QStringLiteral("filter-bar.png"),
        QStringLiteral("calendar.png"),   QStringLiteral("week.png"),
        QStringLiteral("entry-page.png"), QStringLiteral("totals.png"),
        QStringLiteral("graphs.png"),     QStringLiteral("events.png"),
        QStringLiteral("weights.png"),    QStringLiteral("sports.png")};
    return names;
}

void HelpShots::SetUpLook() {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(9);
    QApplication::setFont(font);
}

HelpShots::HelpShots(const QString& workFolder) : startFolder_(QDir::currentPath()) {
    calendar::SetTodayForTesting(kToday);
    RegisterWindowContents();
    const QDir work(QDir(workFolder).absolutePath());
    work.mkpath(QStringLiteral("Documents"));
    work.mkpath(QStringLiteral("Data"));
    const QString log = work.filePath(QStringLiteral("Training 2026.tlg"));
    RecordingUi silent;
    if (!WriteSampleLog(log.toStdString(), kWorkouts, kSeed, silent)) {
        Fail(QString::fromStdString(silent.said));
        return;
    }
    app_ = std::make_unique<KivrunApp>(AppFolders{work.filePath(QStringLiteral("Documents")),
                                                  work.filePath(QStringLiteral("Data")),
                                                  work.filePath(QStringLiteral("settings.ini"))});
    app_->Ui().SetDialogProvider(std::make_unique<QuietDialogs>(error_));
    if (!app_->Start({log})) {
        Fail(error_.isEmpty() ? QStringLiteral("The sample log did not open.") : error_);
        return;
    }
    SetUpProgramCommands(*app_);
    Frame().showNormal();
    Frame().resize(1280, 900);
    Settle();
    ready_ = true;
}

HelpShots::~HelpShots() {
    dialog_.reset();
    if (app_) app_->Frame().DiscardChildren();
    app_.reset();
    calendar::SetTodayForTesting(std::nullopt);
    // The program moved into the work folder, which its caller may be about to remove.
    QDir::setCurrent(startFolder_);
}

MainFrame& HelpShots::Frame() const {
    return app_->Frame();
}
CTamselDoc& HelpShots::Doc() const {
    return *app_->Document();
}

bool HelpShots::Fail(const QString& why) {
    error_ = why;
    return false;
}

bool HelpShots::Save(const QString& name, const QString& outFolder) {
    if (!ready_) return false;
    QWidget* widget = Shoot(name);
    if (!widget) return Fail(QStringLiteral("No picture is called %1.").arg(name));
    Settle();
    QImage image = widget->isWindow() ? Framed(*widget) : widget->grab().toImage();
    dialog_.reset();
    if (image.isNull()) return Fail(QStringLiteral("%1 drew nothing.").arg(name));
    image = image.convertToFormat(QImage::Format_RGB32);  // no alpha: smaller files
    if (image.width() > kMaxWidth) image = image.scaledToWidth(kMaxWidth, Qt::SmoothTransformation);
    const QString path = QDir(outFolder).filePath(name);
    // Quality 0 is the strongest PNG compression: the guide's pictures stay small.
    if (!image.save(path, "PNG", 0)) return Fail(QStringLiteral("Couldn't write %1.").arg(path));
    return true;
}

QWidget* HelpShots::OpenWindow(WindowKind kind, int width, int height) {
    Doc().OpenOrActivate(kind);
    ChildFrame* child = Frame().FindChild(kind);
    if (!child) return nullptr;
    child->showNormal();
    child->setGeometry(0, 0, width, height);
    Frame().MdiArea()->setActiveSubWindow(child);
    Settle();
    return child;
}

// Runs a checkable command of the active window unless it is checked already.
void HelpShots::Ensure(Command cmd) {
    if (!Frame().StatusOf(cmd).checked) Frame().Run(cmd);
    Settle();
}

// The last workout of that sport (on or before the day when one is given).
RowId HelpShots::LatestEntry(const char* sport, bool withNotes, const CDate* before) const {
    RowId found = 0;
    double foundDate = 0;
    EntryReader rows = Doc().ReadEntries();
    for (EntryRow row; rows.Next(row);) {
        if (row.sport != sport || (withNotes && row.notes.empty())) continue;
        if (before && row.date > before->ToSerial()) continue;
        if (!found || row.date >= foundDate) {
            found = row.entryId;
            foundDate = row.date;
        }
    }
    return found;
}

// A workout of the week with the most workouts of the year before the shown day.
RowId HelpShots::BusiestWeekEntry() const {
    const double from = kShownDay.AddDays(-364).ToSerial();
    const double to = kShownDay.ToSerial();
    std::map<double, std::pair<int, RowId>> weeks;  // by first day: workouts, one of them
    EntryReader rows = Doc().ReadEntries();
    for (EntryRow row; rows.Next(row);) {
        if (row.date < from || row.date > to) continue;
        auto& week = weeks[CDate::FromSerial(row.date).FirstDayOfWeek().ToSerial()];
        week.first += 1;
        week.second = row.entryId;
    }
    RowId busiest = 0;
    int most = 0;
    for (const auto& [first, week] : weeks)
        if (week.first >= most) {
            most = week.first;
            busiest = week.second;
        }
    return busiest;
}

// A weights routine of four exercises or more, none of them twice: what a real
// session looks like.
std::vector<RoutineRow> HelpShots::VariedRoutine() const {
    std::vector<RowId> sessions;
    EntryReader rows = Doc().ReadEntries();
    for (EntryRow row; rows.Next(row);)
        if (row.sport == "W") sessions.push_back(row.entryId);
    std::vector<RoutineRow> best;
    for (RowId id : sessions) {
        std::vector<RoutineRow> routine = Doc().RoutineOf(id);
        std::set<std::string> names;
        for (const RoutineRow& r : routine)
            names.insert(r.exercise);
        if (names.size() == routine.size() && routine.size() >= 4) best = std::move(routine);
    }
    return best;
}

QWidget* HelpShots::Shoot(const QString& name) {
    // Each picture starts from the whole log, whatever the one before it left.
    if (Frame().FilterBar()) {
        Doc().ApplyFilter(FilterState());
        Frame().ShowFilterBar(false);
    }
    Frame().resize(1280, 900);
    Settle();
    if (name == QLatin1String("log-window.png")) {
        const RowId id = LatestEntry("R", true, nullptr);
        QWidget* window = OpenWindow(WindowKind::LogWindow, 940, 600);
        Doc().RequestEntryEdit(id, false, nullptr);
        Doc().SetCurrentEntry(id, nullptr);
        return window;
    }
    if (name == QLatin1String("filter-bar.png")) {
        OpenWindow(WindowKind::LogWindow, 800, 560);
        FilterState filter;
        filter.showAll = false;
        filter.sports.fill(false);
        filter.classes.fill(false);
        filter.sports['R' - 'A'] = true;
        filter.sports['B' - 'A'] = true;
        filter.classes['G' - 'A'] = true;
        filter.classes['R' - 'A'] = true;
        filter.distanceOn = true;
        filter.distanceOp = FilterState::kGreater;
        filter.distance1 = 10;
        Frame().ShowFilterBar(true);
        Doc().ApplyFilter(filter);
        CFilterToolBar* bar = Frame().FilterBar();
        if (!bar) return nullptr;
        bar->Expand();
        Settle();
        Frame().resize(bar->sizeHint().width(), 900);
        return bar;
    }
    if (name == QLatin1String("calendar.png")) {
        Doc().SetCurrentEntry(LatestEntry("R", false, &kShownDay), nullptr);
        return OpenWindow(WindowKind::Calendar, 840, 600);
    }
    if (name == QLatin1String("week.png")) {
        Doc().SetCurrentEntry(BusiestWeekEntry(), nullptr);
        return OpenWindow(WindowKind::WeekView, 800, 540);
    }
    if (name == QLatin1String("entry-page.png")) {
        Doc().SetCurrentEntry(LatestEntry("R", true, nullptr), nullptr);
        return OpenWindow(WindowKind::EntryView, 600, 420);
    }
    if (name == QLatin1String("totals.png")) {
        QWidget* window = OpenWindow(WindowKind::Totals, 440, 520);
        Ensure(Command::TotalsByWeek);
        // The latest weeks, as a user looking at this season sees them.
        for (auto* table : window->findChildren<QTableView*>()) {
            table->setCurrentIndex(QModelIndex());
            table->scrollToBottom();
        }
        return window;
    }
    if (name == QLatin1String("graphs.png")) {
        QWidget* window = OpenWindow(WindowKind::Graphs, 760, 500);
        Ensure(Command::GraphBar);
        Ensure(Command::GraphByMonth);
        Ensure(Command::GraphBySport);
        return window;
    }
    if (name == QLatin1String("events.png")) {
        QWidget* window = OpenWindow(WindowKind::Events, 720, 440);
        // The list opens on the coming events; at this size they are scrolled into view.
        for (auto* table : window->findChildren<QTableView*>())
            table->scrollTo(table->currentIndex(), QAbstractItemView::PositionAtCenter);
        return window;
    }
    if (name == QLatin1String("weights.png")) {
        const std::vector<RoutineRow> routine = VariedRoutine();
        dialog_ = std::make_unique<CWeightsDlg>(Doc(), &routine, &Frame());
        dialog_->show();
        return dialog_.get();
    }
    if (name == QLatin1String("sports.png")) {
        auto sheet = std::make_unique<CPreferencesSheet>(Doc(), &Frame());
        sheet->show();
        sheet->tabs()->setCurrentWidget(sheet->sportsPage());
        dialog_ = std::move(sheet);
        return dialog_.get();
    }
    return nullptr;
}

}  // namespace kivrun
