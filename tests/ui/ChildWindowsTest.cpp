#include <QLineEdit>
#include <QMdiArea>
#include <QSplitter>
#include <QToolBar>

#include "ShellSupport.h"

namespace kivrun::test {
namespace {

class ChildWindows : public ShellTest {
  protected:
    // A log open in a main window whose document area is w x h, fake views for kinds.
    CTamselDoc& OpenLogIn(std::initializer_list<WindowKind> kinds, int w, int h) {
        PlugFakeViews(kinds);
        const QString log = MakeLog("Windows.tlg");
        Started({log});
        frame().showNormal();
        const QSize area = frame().MdiArea()->viewport()->size();
        frame().resize(frame().size() + QSize(w - area.width(), h - area.height()));
        Settle();
        EXPECT_EQ(frame().MdiArea()->viewport()->size(), QSize(w, h));
        return *app->Document();
    }
};

TEST_F(ChildWindows, OpenOrActivateMakesOneWindowPerKindAndRegistersItsViews) {
    CTamselDoc& doc = OpenLogIn({WindowKind::Calendar, WindowKind::WeekView}, 1000, 700);
    EXPECT_TRUE(frame().Children().isEmpty());  // the log window has no view yet

    View* calendar = doc.OpenOrActivate(WindowKind::Calendar);
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(calendar, static_cast<View*>(LastView(WindowKind::Calendar)));
    View* week = doc.OpenOrActivate(WindowKind::WeekView);
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::WeekView);
    // Asking again brings the existing window forward.
    EXPECT_EQ(doc.OpenOrActivate(WindowKind::Calendar), calendar);
    EXPECT_EQ(frame().Children().size(), 2);
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::Calendar);
    EXPECT_EQ(frame().ActiveChild()->windowTitle(), "Calendar View");

    // Views hear the document's notices, but not their own.
    doc.UpdateAllViews(week, UpdateHint::ForRow(Notice::EventAdded, 7));
    ASSERT_EQ(LastView(WindowKind::Calendar)->hints.size(), 1u);
    EXPECT_EQ(LastView(WindowKind::Calendar)->hints[0].id, 7);
    EXPECT_TRUE(LastView(WindowKind::WeekView)->hints.empty());

    // A closed window's view is no longer told anything, even before it is deleted.
    FakeView* weekView = LastView(WindowKind::WeekView);
    frame().FindChild(WindowKind::WeekView)->close();
    EXPECT_EQ(std::count(doc.Views().begin(), doc.Views().end(), weekView), 0);
    Settle();
    EXPECT_EQ(LastView(WindowKind::WeekView), nullptr);  // deleted with its window
    EXPECT_EQ(frame().Children().size(), 1);
}

TEST_F(ChildWindows, AKindWithoutViewsHasItsCommandsDisabledAndOpensNothing) {
    CTamselDoc& doc = OpenLogIn({WindowKind::Calendar}, 800, 600);
    EXPECT_TRUE(Enabled(Command::ViewMonth));
    for (Command c : {Command::ViewWeek, Command::ViewGraph, Command::ViewTrainingLog})
        EXPECT_FALSE(Enabled(c)) << static_cast<int>(c);
    EXPECT_EQ(doc.OpenOrActivate(WindowKind::Graphs), nullptr);
    EXPECT_TRUE(frame().Children().isEmpty());
    // A factory that makes nothing gives no blank window either.
    WindowTemplates::Instance().SetContentFactory(WindowKind::Graphs,
                                                  [](CTamselDoc&, QWidget*) { return nullptr; });
    EXPECT_EQ(doc.OpenOrActivate(WindowKind::Graphs), nullptr);
    EXPECT_TRUE(frame().MdiArea()->subWindowList().isEmpty());
}

// The sizes are WindowLayoutTest's; here, new windows take them from the area as it is then,
// and windows the user has not moved follow the area.
TEST_F(ChildWindows, WindowsFollowTheAreaUnlessTheUserMovedThem) {
    CTamselDoc& doc =
        OpenLogIn({WindowKind::EntryView, WindowKind::LogWindow, WindowKind::Calendar}, 800, 600);
    ChildFrame* log = frame().FindChild(WindowKind::LogWindow);
    ASSERT_NE(log, nullptr);  // made on opening the log
    EXPECT_EQ(log->geometry(), QRect(0, 0, 795, 595));
    doc.OpenOrActivate(WindowKind::Calendar);
    ChildFrame* calendar = frame().FindChild(WindowKind::Calendar);
    calendar->move(3, 3);  // the user moved it
    frame().resize(frame().size() + QSize(200, 100));
    Settle();
    EXPECT_EQ(log->geometry(), QRect(0, 0, 995, 695));
    EXPECT_EQ(calendar->geometry().topLeft(), QPoint(3, 3));
    calendar->close();

    frame().resize(frame().size() - QSize(300, 100));  // 700 x 600
    Settle();
    doc.OpenOrActivate(WindowKind::EntryView);
    EXPECT_EQ(frame().FindChild(WindowKind::EntryView)->width(), 550);
}

TEST_F(ChildWindows, TwoPaneWindowsSplitWithTheUpperPaneOnTop) {
    CTamselDoc& doc = OpenLogIn({WindowKind::Events}, 1000, 700);
    View* main = doc.OpenOrActivate(WindowKind::Events);
    ASSERT_EQ(made[WindowKind::Events].size(), 2u);
    EXPECT_EQ(main, static_cast<View*>(made[WindowKind::Events][0].data()));
    auto* split = frame().FindChild(WindowKind::Events)->findChild<QSplitter*>();
    ASSERT_NE(split, nullptr);
    EXPECT_EQ(split->orientation(), Qt::Vertical);
    EXPECT_EQ(split->sizes().front(), 170);
    // Both panes hear the document.
    doc.UpdateAllViews(nullptr, UpdateHint::ForRow(Notice::EventDeleted, 3));
    EXPECT_EQ(made[WindowKind::Events][1]->hints.size(), 1u);
}

// Window > Split Window: the arrow keys move the divider, Return keeps it, Escape puts it
// back, and no key reaches the panes meanwhile.
TEST_F(ChildWindows, SplitWindowMovesTheDividerFromTheKeyboard) {
    CTamselDoc& doc = OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar}, 1000, 700);
    ShowFrame(frame().width(), frame().height(), true);
    FakeView* list = made[WindowKind::LogWindow][1];
    list->commands[Command::EditDelete] = {true, false};
    list->setFocus();
    auto* split = frame().FindChild(WindowKind::LogWindow)->Splitter();
    ASSERT_NE(split, nullptr);
    const int total = split->sizes()[0] + split->sizes()[1];
    auto upper = [&] { return split->sizes().front(); };
    auto keys = [&](std::initializer_list<std::pair<Qt::Key, Qt::KeyboardModifiers>> presses) {
        for (auto [key, mods] : presses)
            QTest::keyClick(QApplication::focusWidget(), key, mods);
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;

    ASSERT_TRUE(Enabled(Command::WindowSplit));
    frame().Action(Command::WindowSplit)->trigger();
    EXPECT_FALSE(Enabled(Command::WindowSplit));  // already moving
    keys({{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Up, Qt::ControlModifier}});
    EXPECT_EQ(upper(), 180 + 2 * 8 - 1);
    keys({{Qt::Key_Delete, none}, {Qt::Key_Escape, none}});
    EXPECT_EQ(upper(), 180);
    EXPECT_TRUE(list->ran.empty());
    Settle();  // the commands' states follow

    frame().Action(Command::WindowSplit)->trigger();
    keys({{Qt::Key_Down, none}});
    EXPECT_EQ(upper(), 188);
    for (int i = 0; i < 200; ++i)
        keys({{Qt::Key_Down, none}});
    EXPECT_LT(upper(), total);  // the list keeps its smallest size
    keys({{Qt::Key_Return, none}});
    const int kept = upper();
    EXPECT_GT(kept, 180);
    Settle();
    keys({{Qt::Key_Up, none}, {Qt::Key_Delete, none}});  // back to the window
    EXPECT_EQ(upper(), kept);
    EXPECT_EQ(list->ran, std::vector<Command>{Command::EditDelete});
    EXPECT_TRUE(Enabled(Command::WindowSplit));

    // One-pane windows have no divider to move.
    doc.OpenOrActivate(WindowKind::Calendar);
    EXPECT_FALSE(Enabled(Command::WindowSplit));
}

// Each kind's menu bar is WindowMenus's; here, the bar and shortcuts change with the window.
TEST_F(ChildWindows, MenusFollowTheActiveWindow) {
    CTamselDoc& doc =
        OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar, WindowKind::Graphs}, 1000, 700);
    EXPECT_EQ(frame().Action(Command::FilePrint)->text(), "&Print Log...");
    EXPECT_EQ(frame().Action(Command::FilePrint)->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_EQ(ItemsOf("&Window").front(), "&Split Window");

    doc.OpenOrActivate(WindowKind::Calendar);
    EXPECT_TRUE(MenuTitles().contains("&Calendar"));
    EXPECT_EQ(frame().Action(Command::FilePrint)->text(), "&Print Calendar...");
    EXPECT_EQ(frame().Action(Command::CalendarNewEvent)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_TRUE(frame().Action(Command::FileNew)->shortcut().isEmpty());

    doc.OpenOrActivate(WindowKind::Graphs);
    EXPECT_TRUE(MenuTitles().contains("&Graphing"));
    EXPECT_FALSE(Enabled(Command::WindowSplit));
    // The guide is reachable from every menu bar, this one's too.
    EXPECT_EQ(ItemsOf("&Help"), (QStringList{"&Help Topics", "&About Kivrun..."}));
    EXPECT_TRUE(Enabled(Command::HelpTopics));

    doc.OpenOrActivate(WindowKind::LogWindow);
    EXPECT_FALSE(MenuTitles().contains("&Calendar"));
    EXPECT_EQ(frame().Action(Command::FileNew)->shortcut(), QKeySequence("Ctrl+N"));
}

TEST_F(ChildWindows, TheActiveWindowTakesItsOwnCommands) {
    CTamselDoc& doc = OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar}, 1000, 700);
    FakeView* list = made[WindowKind::LogWindow][1];
    list->commands[Command::FilePrint] = {true, false};
    list->commands[Command::EditDelete] = {false, false};
    EXPECT_TRUE(Enabled(Command::FilePrint));
    EXPECT_FALSE(Enabled(Command::EditDelete));
    EXPECT_FALSE(Enabled(Command::EditCopy));  // nobody takes it
    frame().Action(Command::FilePrint)->trigger();
    EXPECT_EQ(list->ran, std::vector<Command>{Command::FilePrint});

    // The calendar does not print yet: with it active, Print is off.
    doc.OpenOrActivate(WindowKind::Calendar);
    EXPECT_FALSE(Enabled(Command::FilePrint));
    // Its toolbar (Previous, Next, ...) asks it too.
    auto* bar = frame().FindChild(WindowKind::Calendar)->findChild<QToolBar*>();
    ASSERT_NE(bar, nullptr);
    LastView(WindowKind::Calendar)->commands[Command::ViewNext] = {true, false};
    frame().RefreshCommands();
    EXPECT_TRUE(bar->actions()[1]->isEnabled());
    EXPECT_FALSE(bar->actions()[0]->isEnabled());
    bar->actions()[1]->trigger();
    EXPECT_EQ(LastView(WindowKind::Calendar)->ran, std::vector<Command>{Command::ViewNext});
}

TEST_F(ChildWindows, ShortcutsReachTheWindowButNotPastATextField) {
    OpenLogIn({WindowKind::LogWindow}, 900, 600);
    ShowFrame(frame().width(), frame().height(), true);
    FakeView* form = made[WindowKind::LogWindow][0];
    FakeView* list = made[WindowKind::LogWindow][1];
    list->commands[Command::EditDelete] = {true, false};
    list->commands[Command::FilePrint] = {true, false};
    frame().RefreshCommands();
    list->setFocus();
    QTest::keyClick(list, Qt::Key_P, Qt::ControlModifier);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(list->ran, (std::vector<Command>{Command::FilePrint, Command::EditDelete}));

    // In a text field Delete deletes text, not the entry.
    auto* field = new QLineEdit("abc", form);
    field->show();
    field->setFocus();
    field->setCursorPosition(0);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text(), "bc");
    EXPECT_EQ(list->ran.size(), 2u);
}

TEST_F(ChildWindows, TheWindowMenuListsTheOpenWindows) {
    CTamselDoc& doc = OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar}, 900, 600);
    doc.OpenOrActivate(WindowKind::Calendar);
    QAction* menu = FindAction(frame().menuBar(), "&Window");
    ASSERT_NE(menu, nullptr);
    QMenu* window = menu->menu();
    emit window->aboutToShow();
    const QStringList items = ItemsOf("&Window");
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items.mid(items.size() - 2), (QStringList{"&1 Training Log", "&2 Calendar View"}));
    QAction* first = window->actions()[window->actions().size() - 2];
    EXPECT_FALSE(first->isChecked());
    first->trigger();
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::LogWindow);
}

// The rectangles are WindowArrange's; here, the frame arranges the active window first, at
// no less than its useful size, and its icons along the bottom.
TEST_F(ChildWindows, CascadeAndTileArrangeEveryWindowAtItsUsefulSize) {
    CTamselDoc& doc =
        OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar, WindowKind::WeekView}, 1800, 1200);
    EXPECT_TRUE(Enabled(Command::WindowCascade));
    doc.OpenOrActivate(WindowKind::Calendar);
    doc.OpenOrActivate(WindowKind::WeekView);
    ASSERT_EQ(frame().Children().size(), 3);

    frame().Run(Command::WindowTileHorizontally);
    // The active window first, each the full width, one above the other.
    EXPECT_EQ(frame().FindChild(WindowKind::WeekView)->geometry(), QRect(0, 0, 1800, 400));
    EXPECT_EQ(frame().FindChild(WindowKind::LogWindow)->geometry(), QRect(0, 400, 1800, 400));
    EXPECT_EQ(frame().FindChild(WindowKind::Calendar)->geometry(), QRect(0, 800, 1800, 400));
    // A smaller area: the calendar keeps the room of its month, whatever overlaps.
    const QSize area = frame().MdiArea()->viewport()->size();
    frame().resize(frame().size() - area + QSize(900, 500));
    Settle();
    for (Command cmd : {Command::WindowTileHorizontally, Command::WindowCascade}) {
        frame().Run(cmd);
        for (ChildFrame* child : frame().Children()) {
            const WindowSize least = UsefulSize(child->Kind());
            EXPECT_GE(child->width(), least.width) << WindowTitle(child->Kind());
            EXPECT_GE(child->height(), std::min(least.height, 500)) << WindowTitle(child->Kind());
            EXPECT_LE(child->geometry().bottom(), 499);
        }
    }
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::WeekView);  // cascaded, on top

    // Tiling leaves room for minimised windows at the bottom, and arranges them there.
    frame().resize(frame().size() - QSize(900, 500) + QSize(1800, 1200));
    Settle();
    frame().FindChild(WindowKind::Calendar)->showMinimized();
    frame().Run(Command::WindowTileVertically);
    frame().Run(Command::WindowArrangeIcons);
    ChildFrame* icon = frame().FindChild(WindowKind::Calendar);
    EXPECT_EQ(icon->geometry().bottom(), 1199);
    for (ChildFrame* child : frame().Children())
        EXPECT_TRUE(child == icon || child->geometry().bottom() <= icon->geometry().top());
}

TEST_F(ChildWindows, ClosingTheLastWindowClosesTheLog) {
    CTamselDoc& doc = OpenLogIn({WindowKind::LogWindow, WindowKind::Calendar}, 900, 600);
    doc.OpenOrActivate(WindowKind::Calendar);
    frame().FindChild(WindowKind::LogWindow)->close();
    Settle();
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(frame().ActiveChild()->Kind(), WindowKind::Calendar);
    frame().FindChild(WindowKind::Calendar)->close();
    Settle();
    EXPECT_EQ(app->Document(), nullptr);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
}

}  // namespace
}  // namespace kivrun::test
