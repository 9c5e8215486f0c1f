
#include <QCalendarWidget>
#include <QScrollBar>
#include <QTextCharFormat>
#include <QToolBar>

#include "ShellSupport.h"
#include "views/ui/EntryView.h"
#include "views/ui/PageDrawing.h"
#include "views/ui/TamselView.h"

namespace kivrun {
namespace {

// The program with the sample log: a person opens a workout from the log list, reads on
// page by page and jumps with the calendar. The printed page is
// PrintCommandLine.ViewsPrintIntoAPdf's.
class EntryViewInTheProgram : public test::SampleProgramTest {
  protected:
    void SetUp() override {
        SampleProgramTest::SetUp();
        StartOnSample(300, 1100, 800);
    }
};

TEST_F(EntryViewInTheProgram, OpenStepAndPickADay) {
    auto* list = frame().findChild<CTamselView*>();
    ASSERT_NE(list, nullptr);
    const RowId third = doc().EntryAt(2)->entryId;
    list->selectRow(2);
    list->OpenSelectedEntry();
    Settle();
    auto* view = frame().findChild<CEntryView*>();
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Shown(), third);

    // The keys step through the log in date order, whatever the list's order; Home and End
    // go to the earliest and the latest.
    const long count = doc().EntryCount();
    const auto fromEarliest = [&](long n) {
        return doc().EntryAt(doc().DateSortDescending() ? count - 1 - n : n)->entryId;
    };
    const long at = view->ScrollBar()->value();
    QTest::keyClick(view, Qt::Key_Right);
    EXPECT_EQ(view->ScrollBar()->value(), at + 1);
    QTest::keyClick(view, Qt::Key_PageUp);
    EXPECT_EQ(view->Shown(), third);
    QTest::keyClick(view, Qt::Key_Home);
    EXPECT_EQ(view->ScrollBar()->value(), 0);
    EXPECT_EQ(view->Shown(), fromEarliest(0));
    EXPECT_FALSE(Enabled(Command::ViewPrevious));
    QTest::keyClick(view, Qt::Key_End);
    EXPECT_EQ(view->Shown(), fromEarliest(count - 1));
    EXPECT_FALSE(Enabled(Command::ViewNext));
    frame().Run(Command::ViewPrevious);
    EXPECT_EQ(view->Shown(), fromEarliest(count - 2));

    // A click on the date opens the month with its workout days in bold; the day picked
    // shows its workout.
    const CDate day = CDate::FromSerial(doc().EntryAt(2)->date);
    QTest::mouseClick(view, Qt::LeftButton, {}, ToQRect(view->Layout().title).center());
    QCalendarWidget* month = view->MonthCalendar();
    ASSERT_TRUE(month->isVisible());
    month->setCurrentPage(day.Year(), day.Month());
    EXPECT_EQ(month->dateTextFormat(QDate(day.Year(), day.Month(), day.Day())).fontWeight(),
              QFont::Bold);
    emit month->clicked(QDate(day.Year(), day.Month(), day.Day()));
    EXPECT_FALSE(month->isVisible());
    EXPECT_EQ(CDate::FromSerial(view->Content().date), day);

    // The window's toolbar offers Print Routine only while the workout has a routine.
    ChildFrame* window = frame().FindChild(WindowKind::EntryView);
    QAction* printRoutine = nullptr;
    for (QAction* action : window->findChild<QToolBar*>()->actions())
        if (action->text() == QStringLiteral("Print Routine")) printRoutine = action;
    ASSERT_NE(printRoutine, nullptr);
    EXPECT_EQ(printRoutine->isVisible(), view->Content().HasRoutine());
    long lifted = 0;
    while (doc().RoutineOf(doc().EntryAt(lifted)->entryId).empty())
        ++lifted;
    view->ShowEntry(doc().EntryAt(lifted)->entryId);
    Settle();
    EXPECT_TRUE(printRoutine->isVisible());
}

// The view over a small log of its own.
using EntryViewAlone = test::ViewsTest;

TEST_F(EntryViewAlone, RoutineSplitsThumbWheelAndAnEmptyLog) {
    WorkingEntry lift = test::Entry(3, 2, 2026, "W", 2700);
    lift.routine = {{"Squat", 3, {135, 155, 175, 0}, {8, 6, 4, 0}},
                    {"Bench Press", 3, {95, 105, 0, 0}, {10, 8, 0, 0}}};
    const RowId liftId = doc->AddEntry(lift, nullptr);
    const RowId runId = doc->AddEntry(test::Entry(3, 4, 2026, "R", 2460), nullptr);
    doc->Database().sql().Exec(
        "INSERT INTO \"Log Entry Details Split Times\" (EntryID, Lap, Split) VALUES (" +
        std::to_string(runId) + ", 1, '7:58'), (" + std::to_string(runId) + ", 2, '8:03')");
    const RowId third = doc->AddEntry(test::Entry(3, 9, 2026, "B", 3600), nullptr);

    CEntryView& v = Show<CEntryView>({600, 500});
    const auto lastOfSet = [&] { return doc->EntryAt(doc->EntryCount() - 1)->entryId; };
    EXPECT_EQ(v.Shown(), lastOfSet());
    v.ShowEntry(liftId);
    EXPECT_TRUE(v.CommandStatus(Command::PrintRoutine)->enabled);
    v.MoveBy(1);
    EXPECT_EQ(v.Shown(), runId);
    EXPECT_FALSE(v.CommandStatus(Command::PrintRoutine)->enabled);
    EXPECT_EQ(v.Layout().splits.size(), 2u);

    // Dragging the thumb reads the workout only where it is let go.
    QScrollBar* bar = v.ScrollBar();
    ASSERT_TRUE(bar->isVisible());
    bar->setSliderDown(true);
    bar->setSliderPosition(0);
    EXPECT_EQ(v.Shown(), runId);
    bar->setSliderDown(false);
    EXPECT_EQ(v.Shown(), liftId);

    // The wheel steps once a whole notch has turned, towards the user to a later workout.
    const auto turn = [&](int delta) { test::Wheel(&v, delta); };
    turn(-60);
    EXPECT_EQ(v.Shown(), liftId);
    turn(-60);
    EXPECT_EQ(v.Shown(), runId);
    turn(120);
    EXPECT_EQ(v.Shown(), liftId);

    // Deleting the shown one shows the last of the set; with none left the page says so.
    ui.answers = {true, true, true};
    v.RunCommand(Command::EditDelete);
    EXPECT_EQ(v.Shown(), lastOfSet());
    doc->DeleteEntry(third, nullptr, false);
    doc->DeleteEntry(runId, nullptr, false);
    EXPECT_EQ(v.Shown(), 0);
    EXPECT_FALSE(v.ScrollBar()->isVisible());
    EXPECT_FALSE(v.CommandStatus(Command::EditEntry)->enabled);
    EXPECT_FALSE(v.CommandStatus(Command::ViewNext)->enabled);
    QTest::keyClick(&v, Qt::Key_End);
    EXPECT_EQ(v.Shown(), 0);
}

}  // namespace
}  // namespace kivrun
