
#include <QMdiArea>
#include <QScrollBar>

#include "ShellSupport.h"
#include "entries/ui/DataEntryFrm.h"
#include "views/ui/CalendarView.h"
#include "views/ui/EntryView.h"
#include "views/ui/WeekView.h"

namespace kivrun {
namespace {

// The program with the sample log: a person browses by month and by week, opens and
// deletes. Where the grids and navigation stop is CalendarPageTest's and WeekPageTest's;
// the pages on paper, PrintCommandLine.ViewsPrintIntoAPdf's.
class PageViewsInTheProgram : public test::SampleProgramTest {
  protected:
    void SetUp() override {
        SampleProgramTest::SetUp();
        StartOnSample(600, 1280, 900);
    }
    template <class ViewClass>
    ViewClass* Open(Command cmd) {
        frame().Run(cmd);
        Settle();
        return frame().findChild<ViewClass*>();
    }
};

TEST_F(PageViewsInTheProgram, BrowseOpenAndDeleteInAMonthAndAWeek) {
    CCalendarView* month = Open<CCalendarView>(Command::ViewMonth);
    ASSERT_NE(month, nullptr);
    EXPECT_EQ(month->Shown().Format(3), "December 2026");
    ASSERT_FALSE(month->Drawn().items.empty());

    // Previous from the toolbar, Next with Page Down, back again with the wheel.
    ASSERT_TRUE(Enabled(Command::ViewPrevious));
    frame().Run(Command::ViewPrevious);
    EXPECT_EQ(month->Shown().Format(1), "11/30/2026");
    QTest::keyClick(month, Qt::Key_PageDown);
    EXPECT_EQ(month->Shown().Format(1), "12/01/2026");
    test::Wheel(month->viewport(), 120);
    EXPECT_EQ(month->Shown().Format(1), "11/30/2026");
    QTest::keyClick(month, Qt::Key_PageDown);

    // A double click on a workout opens it in the entry view; Edit there hands it to the
    // data entry form.
    QTest::keyClick(month, Qt::Key_Down);
    const PageItem first = *month->SelectedItem();
    ASSERT_EQ(first.kind, PageItem::Kind::Entry);
    const QPoint onFirst =
        month->Drawn().rects[static_cast<std::size_t>(month->Selected())].center();
    QTest::mouseDClick(month->viewport(), Qt::LeftButton, {}, onFirst);
    Settle();
    auto* entry = frame().findChild<CEntryView*>();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->Shown(), first.id);
    frame().Run(Command::EditEntry);
    Settle();
    auto* form = frame().findChild<CDataEntryFrm*>();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->model().EditingId(), first.id);

    // Its menu deletes it, after asking.
    frame().MdiArea()->setActiveSubWindow(frame().FindChild(WindowKind::Calendar));
    ASSERT_EQ(month->SelectedItem()->id, first.id);
    std::unique_ptr<QMenu> menu = month->MakeMenu(onFirst, true);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(test::FindAction(menu.get(), "&Open Entry")->isEnabled());
    dialogs->answers = {true};
    test::FindAction(menu.get(), "&Delete")->trigger();
    EXPECT_EQ(doc().PositionOfEntry(first.id), -1);
    EXPECT_EQ(month->Drawn().Find(PageItem::Kind::Entry, first.id), -1);

    // View Week on the next workout: the week window shows it, selected.
    month->Select(0);
    const PageItem second = *month->SelectedItem();
    menu = month->MakeMenu(month->Drawn().rects[0].center(), true);
    test::FindAction(menu.get(), "View &Week")->trigger();
    Settle();
    auto* week = frame().findChild<CWeekView*>();
    ASSERT_NE(week, nullptr);
    ASSERT_NE(week->SelectedItem(), nullptr);
    EXPECT_EQ(week->SelectedItem()->id, second.id);

    // Next stops at the week of today; Home goes to the first workout's week.
    while (Enabled(Command::ViewNext))
        frame().Run(Command::ViewNext);
    EXPECT_EQ(week->WeekStart(), CDate().FirstDayOfWeek());
    QTest::keyClick(week, Qt::Key_Home);
    EXPECT_EQ(week->WeekStart(), doc().FirstEntryDay()->FirstDayOfWeek());
    EXPECT_FALSE(Enabled(Command::ViewPrevious));
}

// The views over a small log of their own, without the program around them.
using PageViews = test::ViewsTest;

TEST_F(PageViews, KeyboardMenusAndNoticesOnTheCalendar) {
    CCalendarView::SetEventEditor({});  // the calendar without the events window
    const RowId run = doc->AddEntry(test::Entry(12, 1, 2026, "R", 2400), nullptr);
    const RowId ride = doc->AddEntry(test::Entry(12, 2, 2026, "B", 3600), nullptr);
    doc->Database().sql().Exec(
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES ('R', 46358, "
        "'Winter 5K')");  // 12/2/2026
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::EventsImported));
    CCalendarView& month = Show<CCalendarView>();
    ASSERT_EQ(month.Drawn().items.size(), 3u);
    EXPECT_EQ(month.Drawn().texts[2], "Winter 5K");

    // Arrows move between lines, Delete asks about the selected one.
    QTest::keyClick(&month, Qt::Key_Down);
    EXPECT_EQ(month.SelectedItem()->id, run);
    QTest::keyClick(&month, Qt::Key_Right);
    EXPECT_EQ(month.SelectedItem()->id, ride);
    QTest::keyClick(&month, Qt::Key_Down);
    EXPECT_EQ(month.SelectedItem()->kind, PageItem::Kind::Event);
    EXPECT_EQ(month.CommandStatus(Command::EditDelete)->text, "De&lete Event");
    EXPECT_FALSE(month.CommandStatus(Command::EditDuplicate)->enabled);
    EXPECT_FALSE(month.CommandStatus(Command::EditEntry)->enabled);  // no event editor yet
    ui.answers = {false};
    QTest::keyClick(&month, Qt::Key_Delete);
    EXPECT_EQ(month.Drawn().items.size(), 3u);  // answered No
    ASSERT_EQ(ui.questions.size(), 1u);

    // An empty place of a day offers a new workout on that day to the data entry form.
    const PixelRect cell = month.Grid().Cell(month.Grid().CellIndex(CDate(12, 9, 2026)));
    std::unique_ptr<QMenu> menu = month.MakeMenu({cell.left + 40, cell.bottom - 5}, false);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(test::FindAction(menu.get(), "New E&vent...")->isEnabled());
    test::FindAction(menu.get(), "New &Entry...")->trigger();
    ASSERT_EQ(view.hints.back().kind, Notice::NewEntryOn);
    EXPECT_EQ(CDate::FromSerial(view.hints.back().newDate), CDate(12, 9, 2026));
    EXPECT_EQ(month.MakeMenu({3, 3}, false), nullptr);  // the margin

    // The week start moves the grid; a window too small shows the month at its least size
    // and scrolls to what it does not show.
    ProgramState::Instance().SetWeekStartDay(0);
    doc->UpdateAllViews(nullptr, UpdateHint::Of(Notice::GeneralPreferences));
    EXPECT_EQ(month.Grid().GridStart(), CDate(11, 29, 2026));
    month.resize(300, 200);
    QApplication::processEvents();
    EXPECT_EQ(month.Drawn().items.size(), 3u);
    EXPECT_EQ(month.Grid().Width(), CalendarGrid::MinimumWidth());
    EXPECT_GT(month.horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(month.verticalScrollBar()->maximum(), 0);
    // Moving to a line out of sight scrolls it into view.
    QTest::keyClick(&month, Qt::Key_Home);
    QTest::keyClick(&month, Qt::Key_End);
    const QRect last = month.Drawn().rects[static_cast<std::size_t>(month.Selected())];
    EXPECT_LE(last.right() - month.horizontalScrollBar()->value(), month.viewport()->width());
}

TEST_F(PageViews, TheWeekFollowsTheCurrentEntryAndTheFilter) {
    const RowId early = doc->AddEntry(test::Entry(11, 3, 2026, "R", 2400), nullptr);
    const RowId late = doc->AddEntry(test::Entry(11, 24, 2026, "B", 3600), nullptr);
    CWeekView& week = Show<CWeekView>();
    EXPECT_EQ(week.WeekStart(), CDate(11, 30, 2026));  // today's week, empty
    EXPECT_TRUE(week.Drawn().items.empty());
    EXPECT_TRUE(week.Page().summary.empty());
    doc->SetCurrentEntry(late, nullptr);
    EXPECT_EQ(week.WeekStart(), CDate(11, 23, 2026));
    EXPECT_EQ(week.SelectedItem()->id, late);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&week, Qt::Key_PageUp);
    EXPECT_EQ(week.WeekStart(), CDate(11, 2, 2026));
    EXPECT_FALSE(week.CanGoBack());
    doc->ApplyFilter(test::OnlySport('B'));
    EXPECT_TRUE(week.Drawn().items.empty());
    doc->SetCurrentEntry(early, nullptr);  // filtered out: the week stays
    EXPECT_EQ(week.WeekStart(), CDate(11, 2, 2026));
    QTest::keyClick(&week, Qt::Key_End);
    EXPECT_EQ(week.WeekStart(), CDate(11, 23, 2026));
}

}  // namespace
}  // namespace kivrun
