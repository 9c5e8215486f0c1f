#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPrintDialog>
#include <QScreen>
#include <QTextBrowser>
#include <QTreeWidget>

#include "ShellSupport.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/ImportDialog.h"
#include "entries/ui/FilterToolBar.h"
#include "events/ui/EventDlg.h"
#include "prefs/ui/PreferencesSheet.h"
#include "store/Rows.h"
#include "weights/ui/ExerciseListDlg.h"
#include "weights/ui/WeightsDlg.h"

namespace kivrun::test {
namespace {

class Help : public ShellTest {
  protected:
    void TearDown() override {
        delete HelpWindow::Existing();
        ShellTest::TearDown();
    }
    // F1 pressed where the widget has the keyboard: the page the guide then shows.
    static QString F1On(QWidget* widget) {
        if (HelpWindow* help = HelpWindow::Existing()) help->hide();
        QTest::keyClick(widget, Qt::Key_F1);
        HelpWindow* help = HelpWindow::Existing();
        if (!help || !help->isVisible()) return "(no help window)";
        return help->CurrentTarget();
    }
};

TEST_F(Help, F1OpensThePageOfWhateverHasTheKeyboard) {
    RegisterWindowContents();
    CTamselDoc& doc = StartedOnSample(30, 5);
    struct Case {
        WindowKind kind;
        int pane;
        const char* page;
    };
    for (const Case& c : std::vector<Case>{{WindowKind::LogWindow, 0, "log-window.html#form"},
                                           {WindowKind::LogWindow, 1, "log-window.html#list"},
                                           {WindowKind::Calendar, 0, "calendar.html"},
                                           {WindowKind::WeekView, 0, "week.html"},
                                           {WindowKind::EntryView, 0, "entry-page.html"},
                                           {WindowKind::Totals, 0, "totals.html"},
                                           {WindowKind::Graphs, 0, "graphs.html"},
                                           {WindowKind::Events, 1, "events.html"},
                                           {WindowKind::Equipment, 0, "equipment.html"}}) {
        doc.OpenOrActivate(c.kind);
        ChildFrame* window = frame().FindChild(c.kind);
        ASSERT_NE(window, nullptr) << WindowTitle(c.kind);
        EXPECT_EQ(F1On(window->Panes().at(c.pane)), c.page) << WindowTitle(c.kind);
    }
    frame().ShowFilterBar(true);
    EXPECT_EQ(F1On(frame().findChild<CFilterToolBar*>()), "filter-bar.html");
    // With no window of a page of its own: the contents.
    EXPECT_EQ(F1On(&frame()), "index.html");

    const std::vector<RoutineRow> routine;
    CWeightsDlg workout(doc, &routine, &frame());
    CWeightsDlg templates(doc, nullptr, &frame());
    CExerciseListDlg exercises(doc, &frame());
    CEventDlg event(
        doc, [](const EventValue&) { return true; }, &frame());
    CPreferencesSheet preferences(doc, &frame());
    CImportDialog import(&frame());
    QPrintDialog print(&frame());
    const std::vector<std::pair<QDialog*, const char*>> dialogs = {
        {&workout, "weights.html#routines"},           {&templates, "weights.html#templates"},
        {&exercises, "weights.html#exercises"},        {&event, "events.html#dialog"},
        {&preferences, "getting-started.html#sports"}, {&import, "looking-after.html#import"},
        {&print, "publishing.html#printing"}};
    for (auto [dialog, page] : dialogs) {
        dialog->show();
        EXPECT_EQ(F1On(dialog), page) << dialog->windowTitle().toStdString();
        dialog->hide();
    }
}

TEST_F(Help, HelpTopicsOpensTheContentsAndAModalDialogLendsTheWindowItsTurn) {
    Started();
    frame().Action(Command::HelpTopics)->trigger();
    HelpWindow* help = HelpWindow::Existing();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentTarget(), "index.html");
    ASSERT_NE(help->contentsTree()->currentItem(), nullptr);
    EXPECT_EQ(help->contentsTree()->currentItem()->text(0), "Kivrun user guide");
    EXPECT_FALSE(help->testAttribute(Qt::WA_QuitOnClose));  // it does not keep the program up

    // A dialog that blocks the program would block the guide too: while it is up the guide
    // belongs to it, and afterwards to the program again, still shown.
    CImportDialog import(&frame());
    bool lent = false;
    QTimer::singleShot(0, &import, [&] {
        QTest::keyClick(&import, Qt::Key_F1);
        lent = help->parentWidget() == &import && help->isVisible();
        import.reject();
    });
    import.exec();
    EXPECT_TRUE(lent);
    EXPECT_EQ(help->parentWidget(), nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->CurrentTarget(), "looking-after.html#import");
}

// That the guide's pages and links resolve, and the resource list names them all, is
// HelpGuideTest's and the build's (help-check); here, the browser follows them.
TEST_F(Help, LinksWithinTheGuideAreFollowedOthersAreNotAndBackReturns) {
    Started();
    HelpWindow::Open("log-window.html");
    HelpWindow& help = HelpWindow::Instance();
    emit help.browser()->anchorClicked(QUrl("weights.html#routines"));
    EXPECT_EQ(help.CurrentTarget(), "weights.html#routines");
    EXPECT_EQ(help.contentsTree()->currentItem()->text(0), "Weights");
    emit help.browser()->anchorClicked(QUrl("https://example.com/"));
    EXPECT_EQ(help.CurrentTarget(), "weights.html#routines");
    QTest::keyClick(help.browser(), Qt::Key_Left, Qt::AltModifier);
    EXPECT_EQ(help.CurrentTarget(), "log-window.html");
}

TEST_F(Help, TheFindBoxFindsWordsOnEveryPageAndStepsThroughThem) {
    Started();
    HelpWindow::Open("index.html");
    HelpWindow& help = HelpWindow::Instance();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&help));
    QTest::keyClick(&help, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(help.findBox()->hasFocus());
    QTest::keyClicks(help.findBox(), "sample LOG");
    ASSERT_EQ(help.hitList()->count(), 1);  // only one page holds both words
    EXPECT_EQ(help.hitList()->item(0)->text(), "kivrun-tool");

    QTest::keyClick(help.findBox(), Qt::Key_Down);
    EXPECT_EQ(help.CurrentTarget(), "kivrun-tool.html");
    ASSERT_GT(help.MarkCount(), 2);
    const QTextCursor first = help.browser()->textCursor();
    EXPECT_EQ(first.selectedText().toLower(), "log");
    QTest::keyClick(&help, Qt::Key_F3);
    const int second = help.browser()->textCursor().selectionStart();
    EXPECT_GT(second, first.selectionStart());
    QTest::keyClick(&help, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(help.browser()->textCursor().selectionStart(), first.selectionStart());
    QTest::keyClick(&help, Qt::Key_F3, Qt::ShiftModifier);  // round to the last
    EXPECT_GT(help.browser()->textCursor().selectionStart(), second);
    // The words are marked on the page found, not on the pages the user goes on to.
    emit help.browser()->anchorClicked(QUrl("index.html"));
    EXPECT_EQ(help.CurrentTarget(), "index.html");
    EXPECT_EQ(help.MarkCount(), 0);
    // The window came up whole on the screen, however small.
    const QRect screen = help.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(help.frameGeometry())) << help.frameGeometry().width();

    help.findBox()->setFocus();
    help.findBox()->selectAll();
    QTest::keyClicks(help.findBox(), "zzqx");
    EXPECT_EQ(help.hitList()->count(), 0);
    EXPECT_EQ(help.MarkCount(), 0);
    // Escape clears the search first, then closes the window.
    QTest::keyClick(help.findBox(), Qt::Key_Escape);
    EXPECT_TRUE(help.findBox()->text().isEmpty());
    EXPECT_TRUE(help.isVisible());
    QTest::keyClick(help.findBox(), Qt::Key_Escape);
    EXPECT_FALSE(help.isVisible());
}

}  // namespace
}  // namespace kivrun::test
