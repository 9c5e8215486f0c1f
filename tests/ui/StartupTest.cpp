#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>

#include "ShellSupport.h"
#include "app/ui/KeyIndicators.h"
#include "views/ui/CalendarView.h"
#include "views/ui/WeekView.h"

namespace kivrun::test {
namespace {

using Startup = ShellTest;

TEST_F(Startup, WithNothingToOpenShowsTheNoLogMenusAndToolbar) {
    Started();
    EXPECT_EQ(app->Document(), nullptr);
    EXPECT_TRUE(frame().isMaximized());
    EXPECT_EQ(frame().windowTitle(), "Kivrun");
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(ItemsOf("&File"), (QStringList{"&New", "&Open...", "E&xit"}));
    EXPECT_EQ(ItemsOf("&Help"), (QStringList{"&Help Topics", "&About Kivrun..."}));
    EXPECT_EQ(frame().Action(Command::FileNew)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame().Action(Command::FileOpen)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_TRUE(frame().MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(QFileInfo(QDir::currentPath()), QFileInfo(Path("Documents")));
    EXPECT_EQ(app->BackupFolder(), Path("Data") + "/Backup Logs");

    // The toolbar is there, but only New and Open work without a log.
    auto* toolbar = frame().findChild<QToolBar*>("MainToolbar");
    ASSERT_NE(toolbar, nullptr);
    QStringList tips;
    for (QAction* a : toolbar->actions())
        tips << (a->isSeparator() ? "|" : a->toolTip());
    EXPECT_EQ(tips.join(' '),
              "New Open | Print Print Preview | Training Log | Calendar View "
              "Week View Entry View | Totals Graphs | Events");
    EXPECT_TRUE(Enabled(Command::FileNew));
    EXPECT_TRUE(Enabled(Command::FileOpen));
    for (Command c : {Command::FilePrint, Command::ViewTrainingLog, Command::ViewMonth,
                      Command::ViewEvents, Command::FileClose, Command::EditUndo})
        EXPECT_FALSE(Enabled(c)) << static_cast<int>(c);
    EXPECT_TRUE(Enabled(Command::HelpTopics));  // the guide needs no log
}

// The message pane, then the lock indicators, each lit while its lock is on and read again
// after a key; offscreen nothing can be read and every indicator stays dark.
TEST_F(Startup, TheStatusBarShowsTheKeyboardLocks) {
    Started();
    auto* message = frame().statusBar()->findChild<QLabel*>("StatusMessage");
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(message->text(), "Ready");
    KeyIndicators& locks = frame().Indicators();
    QStringList tips;
    for (int i = 0; i < 3; ++i) {
        tips << locks.Pane(i)->toolTip();
        EXPECT_TRUE(locks.Pane(i)->isVisible());
        EXPECT_GT(locks.Pane(i)->x(), message->x());
        EXPECT_TRUE(locks.Pane(i)->text().isEmpty());
    }
    EXPECT_EQ(tips, (QStringList{"Caps Lock", "Num Lock", "Scroll Lock"}));

    LockStates states{true, false, std::nullopt};
    locks.SetReader([&] { return states; });
    const auto lit = [&] {
        QStringList texts;
        for (int i = 0; i < 3; ++i)
            texts << locks.Pane(i)->text();
        return texts;
    };
    EXPECT_EQ(lit(), (QStringList{"CAP", "", ""}));
    states = {false, true, true};
    QTest::keyClick(&frame(), Qt::Key_NumLock);
    Settle();
    EXPECT_EQ(lit(), (QStringList{"", "NUM", "SCRL"}));
}

TEST_F(Startup, ToolbarAndStatusBarComeAndGoWithTheirChecks) {
    Started();
    const std::pair<Command, QWidget*> bars[] = {
        {Command::ViewToolbar, frame().findChild<QToolBar*>("MainToolbar")},
        {Command::ViewStatusBar, frame().statusBar()}};
    frame().RefreshCommands();
    for (auto [command, bar] : bars)
        for (bool shown : {false, true}) {
            SCOPED_TRACE(bar->metaObject()->className());
            frame().Action(command)->trigger();
            Settle();
            EXPECT_EQ(bar->isVisible(), shown);
            EXPECT_EQ(frame().Action(command)->isChecked(), shown);
        }
}

TEST_F(Startup, OpensTheLogNamedOnTheCommandLineAndRemembersIt) {
    PlugFakeViews({WindowKind::LogWindow});
    const QString log = MakeLog("Bike.tlg");
    Started({log});
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), log);
    EXPECT_EQ(frame().windowTitle(), "Bike.tlg - Kivrun");
    EXPECT_TRUE(MenuTitles().contains("&Window"));  // a log's menus (their items: WindowMenus)
    // The log window opens with it, its two views told of the log's changes.
    ASSERT_EQ(frame().Children().size(), 1);
    EXPECT_EQ(frame().Children().front()->Kind(), WindowKind::LogWindow);
    EXPECT_EQ(made[WindowKind::LogWindow].size(), 2u);
    EXPECT_EQ(app->Recent().Files(), QStringList{log});
    QSettings settings(Path("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Recent File List/File1").toString(), log);
}

TEST_F(Startup, ARelativeCommandLinePathMeansTheFolderStartedIn) {
    const QString log = MakeLog("Relative.tlg");
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    Started({"Relative.tlg"});
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), log);
}

TEST_F(Startup, ACommandLineLogThatCannotBeOpenedEndsStartUp) {
    MakeApp();
    EXPECT_FALSE(app->Start({Path("Missing.tlg")}));
    EXPECT_EQ(app->Document(), nullptr);
    ASSERT_EQ(dialogs->messages.size(), 1u);
    EXPECT_TRUE(dialogs->messages[0].contains("Missing.tlg"));

    // A file that is not a log at all, and the user declines to convert it.
    QFile junk(Path("Junk.tlg"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("this is no database\n");
    junk.close();
    MakeApp();
    EXPECT_FALSE(app->Start({Path("Junk.tlg")}));
    EXPECT_EQ(app->Document(), nullptr);
    EXPECT_TRUE(QFile::exists(Path("Junk.tlg")));
    EXPECT_TRUE(app->Recent().Files().isEmpty());
}

TEST_F(Startup, WithoutACommandLineReopensTheLastLogOrStartsEmpty) {
    const QString log = MakeLog("Last.tlg");
    {
        QSettings settings(Path("settings.ini"), QSettings::IniFormat);
        settings.setValue("Recent File List/File1", log);
        settings.setValue("Recent File List/File2", Path("Older.tlg"));
    }
    Started();
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), log);
    app.reset();

    // A last log that is gone is passed over in silence.
    QFile::remove(log);
    Started();
    EXPECT_EQ(app->Document(), nullptr);
    EXPECT_TRUE(dialogs->messages.empty());
    EXPECT_EQ(app->Recent().Files().size(), 2);
}

// The program closed on a log opens on it again with the main window and the log windows as
// they were: where, how large, which one active, and what the calendar and week showed.
using LayoutBetweenSessions = SampleProgramTest;

TEST_F(LayoutBetweenSessions, TheLastLogReopensWithItsWindowsWhereTheyWere) {
    StartOnSample(300, 760, 560);
    frame().showNormal();
    frame().setGeometry(40, 30, 740, 540);
    Settle();
    doc().OpenOrActivate(WindowKind::WeekView);
    auto* week = dynamic_cast<CWeekView*>(frame().FindChild(WindowKind::WeekView)->MainView());
    ASSERT_NE(week, nullptr);
    week->ShowWeek(CDate(2, 4, 2026));
    frame().FindChild(WindowKind::WeekView)->setGeometry(30, 20, 480, 300);
    doc().OpenOrActivate(WindowKind::Equipment);
    frame().FindChild(WindowKind::Equipment)->setGeometry(60, 40, 500, 260);
    doc().OpenOrActivate(WindowKind::Calendar);
    auto* month = dynamic_cast<CCalendarView*>(frame().FindChild(WindowKind::Calendar)->MainView());
    ASSERT_NE(month, nullptr);
    month->ShowMonth(CDate(3, 1, 2026));
    frame().FindChild(WindowKind::Calendar)->setGeometry(10, 15, 520, 330);
    Settle();
    const QRect main = frame().geometry();
    frame().close();
    Settle();
    ASSERT_EQ(app->Document(), nullptr);
    app.reset();

    Started();  // no log named: the last one
    Settle();
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_FALSE(frame().isMaximized());
    EXPECT_EQ(frame().geometry(), main);
    QStringList kinds;
    for (ChildFrame* child : frame().Children())
        kinds << QString::fromStdString(WindowTitle(child->Kind()));
    EXPECT_EQ(kinds, (QStringList{"Training Log", "Week View", "Equipment", "Calendar View"}));
    EXPECT_EQ(frame().FindChild(WindowKind::WeekView)->geometry(), QRect(30, 20, 480, 300));
    EXPECT_EQ(frame().FindChild(WindowKind::Equipment)->geometry(), QRect(60, 40, 500, 260));
    EXPECT_EQ(frame().FindChild(WindowKind::Calendar)->geometry(), QRect(10, 15, 520, 330));
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::Calendar);
    month = dynamic_cast<CCalendarView*>(frame().FindChild(WindowKind::Calendar)->MainView());
    week = dynamic_cast<CWeekView*>(frame().FindChild(WindowKind::WeekView)->MainView());
    EXPECT_EQ(month->Shown().Format(3), "March 2026");
    EXPECT_EQ(week->WeekStart(), CDate(2, 2, 2026));
}

}  // namespace
}  // namespace kivrun::test
