#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include "ShellSupport.h"
#include "controls/ui/CheckListComboBox.h"
#include "entries/ui/DatePicker.h"
#include "entries/ui/FilterToolBar.h"

namespace kivrun::test {
namespace {

using Bar = CFilterToolBar;

// A log of five workouts (Running, Road, Weights) open in the program.
class FilterToolBarTest : public ShellTest {
  protected:
    void SetUp() override {
        ShellTest::SetUp();
        PlugFakeViews({WindowKind::LogWindow, WindowKind::Calendar});
        Started({MakeLog("Filter.tlg")});
        AddThreeSports(doc());
        for (const WorkingEntry& e :
             {Entry(12, 20, 2025, "R"), Entry(1, 10, 2026, "R"), Entry(2, 5, 2026, "B"),
              Entry(3, 1, 2026, "R"), Entry(3, 15, 2026, "W")})
            ASSERT_GT(doc().AddEntry(e, nullptr), 0);
        ShowFrame(1024, 700, true);
    }

    CTamselDoc& doc() { return *app->Document(); }
    Bar* bar() { return frame().FilterBar(); }
    long Shown() { return doc().EntryCount(); }
    static void Click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
        Settle();
    }
    // Ticks or unticks an item in the open list, as a click there does.
    static void ClickItem(CCheckListComboBox* box, int row) {
        QAbstractItemView* view = box->view();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 0)).center());
    }
    static QLineEdit* Edit(QWidget* w) { return static_cast<QLineEdit*>(w); }
    // The document tells the bar shown what changes, and no bar once it is hidden.
    bool BarHears() {
        const auto& views = doc().Views();
        return std::count_if(views.begin(), views.end(), [](View* v) {
                   return dynamic_cast<CFilterToolBar*>(v) != nullptr;
               }) == (bar() ? 1 : 0);
    }
    static DatePicker* Picker(QWidget* w) { return static_cast<DatePicker*>(w); }
};

TEST_F(FilterToolBarTest, TheViewCommandShowsAndHidesTheBarAndTheChoiceIsKept) {
    ASSERT_NE(bar(), nullptr);  // shown with the log
    EXPECT_TRUE(BarHears());
    QAction* toggle = frame().Action(Command::ViewFilterBar);
    EXPECT_TRUE(toggle->isChecked());

    QTest::keyClick(&frame(), Qt::Key_F, Qt::ControlModifier);
    Settle();
    EXPECT_EQ(bar(), nullptr);
    EXPECT_TRUE(BarHears());
    EXPECT_TRUE(Enabled(Command::ViewFilterBar));
    EXPECT_FALSE(toggle->isChecked());

    // Hidden it stays, for the next log too.
    const QString log = QString::fromStdString(doc().PathName());
    ASSERT_TRUE(app->CloseLog());
    EXPECT_FALSE(Enabled(Command::ViewFilterBar));
    ASSERT_TRUE(app->OpenLog(log));
    EXPECT_EQ(bar(), nullptr);

    toggle->trigger();
    ASSERT_NE(bar(), nullptr);
    EXPECT_TRUE(BarHears());
    frame().RefreshCommands();
    EXPECT_TRUE(toggle->isChecked());
}

TEST_F(FilterToolBarTest, SportsAndADateRangeNarrowTheLogOnUpdate) {
    EXPECT_EQ(Shown(), 5);
    EXPECT_FALSE(bar()->sportsBox()->isEnabled());  // Show All is on
    Click(bar()->showAllBox());
    EXPECT_FALSE(bar()->showAllBox()->isChecked());
    EXPECT_FALSE(bar()->IsExpanded());  // no criterion is on: nothing more to show
    ASSERT_TRUE(bar()->sportsBox()->isEnabled());

    CCheckListComboBox* sports = bar()->sportsBox();
    ASSERT_EQ(sports->count(), 3);
    sports->showPopup();
    ClickItem(sports, 1);  // Road
    ClickItem(sports, 2);  // Weights
    sports->hidePopup();
    EXPECT_EQ(sports->summaryText(), "Running");
    EXPECT_EQ(Shown(), 5);  // nothing applies before Update

    LastView(WindowKind::LogWindow)->hints.clear();
    Click(bar()->updateButton());
    EXPECT_EQ(Shown(), 3);
    ASSERT_FALSE(LastView(WindowKind::LogWindow)->hints.empty());
    EXPECT_EQ(LastView(WindowKind::LogWindow)->hints.back().kind, Notice::FilterApplied);

    Click(bar()->expandButton());
    ASSERT_TRUE(bar()->IsExpanded());
    Click(bar()->criterionBox(Bar::kDate));
    bar()->operatorBox(Bar::kDate)->setCurrentIndex(FilterState::kBetween);
    Picker(bar()->valueBox(Bar::kDate, 1))->setDate(QDate(2026, 2, 28));
    Picker(bar()->valueBox(Bar::kDate, 0))->setDate(QDate(2026, 1, 1));
    Click(bar()->updateButton());
    EXPECT_EQ(Shown(), 1);  // Running on 10 January
    EXPECT_FALSE(bar()->IsExpanded());
    EXPECT_EQ(doc().Filter().dateOp, FilterState::kBetween);
    EXPECT_EQ(doc().Filter().date1, CDate(1, 1, 2026));

    // Return in a box of the bar updates too, and the window in front stays there though
    // the box it was typed in goes as the bar collapses.
    QApplication::setActiveWindow(&frame());  // the sports list's popup had it
    doc().OpenOrActivate(WindowKind::Calendar);
    QMdiSubWindow* front = frame().MdiArea()->activeSubWindow();
    Click(bar()->expandButton());
    Click(bar()->repeatBox());
    Picker(bar()->valueBox(Bar::kDate, 0))->setFocus();
    QTest::keyClick(bar()->valueBox(Bar::kDate, 0), Qt::Key_Return);
    Settle();
    EXPECT_EQ(Shown(), 1);  // December 2025 lies outside January and February
    EXPECT_EQ(doc().Filter().date1, CDate(1, 1, 2025));  // widened to the log's years
    EXPECT_EQ(frame().MdiArea()->activeSubWindow(), front);
}

TEST_F(FilterToolBarTest, ExpandingAndCollapsingKeepWhatTheBarHolds) {
    ASSERT_TRUE(bar()->showAllBox()->isChecked());
    EXPECT_FALSE(bar()->pendingLabel()->isVisibleTo(bar()));
    Click(bar()->expandButton());
    EXPECT_TRUE(bar()->IsExpanded());
    EXPECT_FALSE(bar()->showAllBox()->isChecked());  // the criteria are there to be used
    // ... and the bar says that what it shows is not applied yet.
    EXPECT_TRUE(bar()->pendingLabel()->isVisibleTo(bar()));
    EXPECT_EQ(bar()->pendingLabel()->text(), "Update to apply");
    EXPECT_TRUE(bar()->updateButton()->isDefault());

    Click(bar()->criterionBox(Bar::kRoute));
    Edit(bar()->valueBox(Bar::kRoute))->setText("hill");
    bar()->operatorBox(Bar::kRoute)->setCurrentIndex(FilterState::kContains);
    Click(bar()->expandButton());
    EXPECT_FALSE(bar()->IsExpanded());
    EXPECT_EQ(bar()->Presenter().Pending().route, "hill");
    Click(bar()->expandButton());
    EXPECT_EQ(Edit(bar()->valueBox(Bar::kRoute))->text(), "hill");
    EXPECT_TRUE(bar()->criterionBox(Bar::kRoute)->isChecked());
    EXPECT_EQ(bar()->operatorBox(Bar::kRoute)->currentIndex(), FilterState::kContains);

    // Show All on collapses; off again with a criterion on brings the criteria back.
    Click(bar()->showAllBox());
    EXPECT_FALSE(bar()->IsExpanded());
    EXPECT_TRUE(bar()->Presenter().Pending().showAll);
    EXPECT_TRUE(bar()->Presenter().Pending().changed);
    EXPECT_FALSE(bar()->pendingLabel()->isVisibleTo(bar()));  // as applied: all shown
    Click(bar()->showAllBox());
    EXPECT_TRUE(bar()->IsExpanded());
    EXPECT_FALSE(bar()->Presenter().Pending().showAll);
    EXPECT_EQ(Shown(), 5);  // still nothing applied
    EXPECT_TRUE(doc().Filter().showAll);
    EXPECT_TRUE(bar()->pendingLabel()->isVisibleTo(bar()));

    // Applied, the bar shows what the list shows; the log opens with it again.
    Click(bar()->updateButton());
    EXPECT_FALSE(bar()->pendingLabel()->isVisibleTo(bar()));
    EXPECT_EQ(Shown(), 0);  // no route holds "hill"
    const QString log = QString::fromStdString(doc().PathName());
    ASSERT_TRUE(app->CloseLog());
    ASSERT_TRUE(app->OpenLog(log));
    EXPECT_FALSE(bar()->showAllBox()->isChecked());
    EXPECT_FALSE(bar()->pendingLabel()->isVisibleTo(bar()));
    EXPECT_EQ(Shown(), 0);
}

// On a 640 x 480 screen the open bar stays inside the window and scrolls sideways to its
// last box; the log window below keeps its room.
TEST_F(FilterToolBarTest, OnASmallScreenTheOpenBarScrollsRatherThanRunOff) {
    frame().resize(640, 480);
    Click(bar()->expandButton());
    ASSERT_TRUE(bar()->IsExpanded());
    auto* scroller = bar()->findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    EXPECT_LE(bar()->geometry().right(), frame().width());
    EXPECT_LE(scroller->geometry().right(), bar()->width());
    QWidget* last = bar()->valueBox(Bar::kNotes);
    scroller->ensureWidgetVisible(bar()->repeatBox());
    Settle();
    const QRect seen = scroller->viewport()->rect();
    EXPECT_TRUE(seen.contains(QRect(bar()->repeatBox()->mapTo(scroller->viewport(), QPoint()),
                                    bar()->repeatBox()->size())));
    // Every row shows whole, the scroll bar below them.
    EXPECT_TRUE(last->isVisible());
    EXPECT_GE(scroller->viewport()->height(), scroller->widget()->minimumSizeHint().height());
    EXPECT_GT(frame().MdiArea()->height(), 150);
}

// The equipment list appears with the log's first item, stays whole on a small screen and
// narrows the log to the workouts of the items ticked.
TEST_F(FilterToolBarTest, TheEquipmentListNarrowsTheLogToTheItemsTicked) {
    frame().resize(640, 480);
    Click(bar()->expandButton());
    CCheckListComboBox* box = bar()->equipmentBox();
    EXPECT_FALSE(box->isVisibleTo(bar()));  // nothing to choose from yet

    const RowId shoesId = doc().AddEquipment(Gear("Old Shoes", {{"R", false}}), nullptr);
    const RowId bikeId = doc().AddEquipment(Gear("Bike", {{"B", false}}), nullptr);
    for (RowId item : {shoesId, bikeId}) {
        WorkingEntry e = Entry(4, 1, 2026, item == shoesId ? "R" : "B");
        e.equipment = {item};
        ASSERT_GT(doc().AddEntry(e, nullptr), 0);
    }
    Settle();
    ASSERT_TRUE(box->isVisibleTo(bar()));
    ASSERT_EQ(box->count(), 2);  // by name
    EXPECT_EQ(box->itemText(0), "Bike");
    EXPECT_EQ(box->summaryText(), "Any");
    EXPECT_TRUE(box->isEnabled());  // expanding turned Show All off

    auto* scroller = bar()->findChild<QScrollArea*>();
    scroller->ensureWidgetVisible(box);
    Settle();
    EXPECT_TRUE(scroller->viewport()->rect().contains(
        QRect(box->mapTo(scroller->viewport(), QPoint()), box->size())));
    EXPECT_GT(frame().MdiArea()->height(), 150);

    box->showPopup();
    ClickItem(box, 1);  // Old Shoes
    box->hidePopup();
    EXPECT_EQ(box->summaryText(), "Old Shoes");
    EXPECT_TRUE(bar()->pendingLabel()->isVisibleTo(bar()));
    Click(bar()->updateButton());
    EXPECT_EQ(Shown(), 1);
    EXPECT_EQ(doc().Filter().equipment, std::vector<RowId>{shoesId});

    // Kept through Show All and back, as the other criteria are.
    Click(bar()->showAllBox());
    EXPECT_FALSE(box->isEnabled());
    Click(bar()->updateButton());
    EXPECT_EQ(Shown(), 7);
    Click(bar()->showAllBox());
    EXPECT_TRUE(bar()->IsExpanded());  // the item ticked is a criterion
    Click(bar()->updateButton());
    EXPECT_EQ(Shown(), 1);
    Click(bar()->expandButton());
    EXPECT_TRUE(box->isChecked(1));
}

TEST_F(FilterToolBarTest, ControlsFollowTheirSwitchesAndTimesAreChecked) {
    Click(bar()->expandButton());
    for (auto c : {Bar::kDate, Bar::kDistance, Bar::kTime, Bar::kRoute})
        EXPECT_FALSE(bar()->operatorBox(c)->isEnabled()) << c;
    Click(bar()->criterionBox(Bar::kTime));
    EXPECT_TRUE(bar()->operatorBox(Bar::kTime)->isEnabled());
    EXPECT_FALSE(bar()->valueBox(Bar::kTime)->isEnabled());  // no operator yet
    bar()->operatorBox(Bar::kTime)->setCurrentIndex(FilterState::kGreater);
    EXPECT_TRUE(bar()->valueBox(Bar::kTime)->isEnabled());
    EXPECT_FALSE(bar()->valueBox(Bar::kTime, 1)->isVisibleTo(bar()));
    EXPECT_FALSE(bar()->andLabel(Bar::kTime)->isVisibleTo(bar()));
    bar()->operatorBox(Bar::kTime)->setCurrentIndex(FilterState::kBetween);
    EXPECT_TRUE(bar()->valueBox(Bar::kTime, 1)->isVisibleTo(bar()));
    EXPECT_TRUE(bar()->andLabel(Bar::kTime)->isVisibleTo(bar()));
    EXPECT_FALSE(bar()->repeatBox()->isVisibleTo(bar()));  // the date is not "Between"

    // A time box checks what it was given when it is left.
    QLineEdit* time = Edit(bar()->valueBox(Bar::kTime));
    time->setFocus();
    QTest::keyClicks(time, "0:00");
    QTest::keyClick(time, Qt::Key_Tab);
    Settle();
    EXPECT_FALSE(dialogs->messages.empty());  // its text: DataEntryFormTest
    EXPECT_EQ(QApplication::focusWidget(), time);
    time->selectAll();
    QTest::keyClicks(time, "1.5");
    QTest::keyClick(time, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(time->text(), "1:30:00");

    // The date pickers push each other (the rule: FilterStateTest.DatePickersPushEachOther).
    Click(bar()->criterionBox(Bar::kDate));
    bar()->operatorBox(Bar::kDate)->setCurrentIndex(FilterState::kBetween);
    EXPECT_TRUE(bar()->repeatBox()->isVisibleTo(bar()));
    DatePicker* first = Picker(bar()->valueBox(Bar::kDate, 0));
    DatePicker* second = Picker(bar()->valueBox(Bar::kDate, 1));
    first->setDate(QDate(2026, 4, 10));
    second->setDate(QDate(2026, 2, 1));
    EXPECT_EQ(first->date(), QDate(2026, 2, 1));

    // Typing in one box leaves the other boxes and switches alone until it is taken.
    second->setFocus();
    second->selectAll();
    QTest::keyClicks(second, "1 1");
    QTest::keyClick(second, Qt::Key_Space);
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_FALSE(bar()->repeatBox()->isChecked());
    EXPECT_EQ(first->date(), QDate(2026, 2, 1));
    QTest::keyClicks(second, "2025");
    QTest::keyClick(second, Qt::Key_Tab);
    EXPECT_EQ(second->date(), QDate(2025, 1, 1));
    EXPECT_EQ(first->date(), QDate(2025, 1, 1));
}

}  // namespace
}  // namespace kivrun::test
