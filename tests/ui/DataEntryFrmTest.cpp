#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QToolBar>
#include <tuple>

#include "EntryFormSupport.h"
#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/CheckListComboBox.h"
#include "entries/ui/DatePicker.h"

namespace kivrun::test {
namespace {

// Below the form, in place of the log list: remembers which entries it was asked to show.
class StandInList : public QWidget, public View {
  public:
    explicit StandInList(QWidget* parent) : QWidget(parent) { setFocusPolicy(Qt::StrongFocus); }
    std::vector<long> selected;
    void OnUpdate(View*, const UpdateHint& hint) override {
        if (hint.kind == Notice::CurrentEntry) selected.push_back(hint.id);
    }
};

// The form above a stand-in list.
class DataEntryFrmTest : public EntryFormTest {
  protected:
    void SetUp() override {
        EntryFormTest::SetUp();
        OpenWithForm("Form.tlg", [this](CTamselDoc&, QWidget* parent) -> QWidget* {
            list = new StandInList(parent);
            return list;
        });
    }

    long Count() { return doc().EntryCount(); }
    WorkingEntry Stored(long id) {
        WorkingEntry e;
        EXPECT_TRUE(doc().LoadEntry(id, e));
        return e;
    }

    StandInList* list = nullptr;
};

TEST_F(DataEntryFrmTest, MnemonicsAndTabReachTheBoxesInReadingOrder) {
    // Each mnemonic label takes the keyboard to its box.
    QStringList labels;
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy()) labels << label->text();
    labels.sort();
    EXPECT_EQ(labels, (QStringList{"&Date:", "Cla&ss:", "Dista&nce:", "E&quipment:", "N&otes:",
                                   "Pa&ce:", "Ro&ute:", "S&port:", "Ti&me:"}));
    EXPECT_TRUE(form->enterButton()->isDefault());
    EXPECT_EQ(form->optionalLabel(0)->text(), "AHR:");  // named by the log's columns
    // Add, turning itself off once pressed, is off the path (Alt+A presses it).
    ChooseSport("Running");
    Type(form->routeBox(), "Quay");
    ASSERT_TRUE(form->routeButton()->isEnabled());
    const std::vector<QWidget*> order = {
        form->dateBox(),  form->sportBox(), form->classBox(),     form->distanceBox(),
        form->paceBox(),  form->timeBox(),  form->optionalBox(0), form->optionalBox(1),
        form->routeBox(), form->notesBox(), form->enterButton(),  form->resetButton()};
    form->dateBox()->setFocus();
    for (size_t i = 1; i < order.size(); ++i) {
        Press(Qt::Key_Tab);
        QWidget* focus = QApplication::focusWidget();
        EXPECT_TRUE(focus == order[i] || order[i]->isAncestorOf(focus)) << "step " << i;
    }
}

// The log window made narrow: the field groups wrap, the buttons stay in sight with no
// sideways scrolling, and the upper pane is as tall as the form needs, no more.
TEST_F(DataEntryFrmTest, NarrowWindowsKeepTheButtonsInSightAndThePaneFitsTheForm) {
    const auto* scroll = form->findChild<QScrollArea*>();
    const QWidget* content = scroll->widget();
    window->showNormal();
    for (int width : {1000, 760, 640, 1000}) {
        SCOPED_TRACE(width);
        window->resize(width, 520);
        Settle();
        EXPECT_EQ(form->FieldRows(), width >= 1000 ? 1 : 2);
        EXPECT_FALSE(scroll->horizontalScrollBar()->isVisible());
        const QRect seen(scroll->viewport()->mapTo(window, QPoint(0, 0)),
                         scroll->viewport()->size());
        for (QPushButton* button : {form->enterButton(), form->resetButton()}) {
            const QRect at(button->mapTo(window, QPoint(0, 0)), button->size());
            EXPECT_TRUE(seen.contains(at) && window->rect().contains(at))
                << button->text().toStdString();
        }
        const int need = content->heightForWidth(content->width());
        EXPECT_NEAR(form->height(), need, 4);
    }
}

// How time, distance and pace derive each other, and what Enter checks, is
// DataEntryFormTest's; here, that leaving a box and the keys reach those rules.
TEST_F(DataEntryFrmTest, EnteringAWorkoutFromTheKeyboard) {
    ChooseSport("Running");
    Type(form->distanceBox(), "10");
    Press(Qt::Key_Tab);
    Press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), form->timeBox());
    QTest::keyClicks(form->timeBox(), "1:15:00");
    Press(Qt::Key_Tab);
    EXPECT_EQ(form->paceBox()->text(), "7:30");

    // A distance typed and not yet left stays while other boxes change the form.
    Type(form->distanceBox(), "12");
    Type(form->routeBox(), "Ca");
    EXPECT_EQ(form->distanceBox()->text(), "12");
    Settle();
    EXPECT_EQ(form->paceBox()->text(), "6:15");
    Type(form->distanceBox(), "10");
    Press(Qt::Key_Tab);

    // 0:00 is no time: said so, and the box keeps the focus.
    Type(form->timeBox(), "0:00");
    Press(Qt::Key_Tab);
    EXPECT_FALSE(dialogs->messages.empty());
    EXPECT_EQ(QApplication::focusWidget(), form->timeBox());

    // Return enters, after the box being left has been converted; in the notes it is a new
    // line and Ctrl+Return enters.
    QTest::keyClicks(form->timeBox(), "1:12");
    Type(form->notesBox(), "Windy");
    Press(Qt::Key_Return);
    QTest::keyClicks(form->notesBox(), "on the hill");
    Press(Qt::Key_Return, Qt::ControlModifier);
    ASSERT_EQ(Count(), 1);
    const WorkingEntry e = Stored(doc().EntryAt(0)->entryId);
    EXPECT_DOUBLE_EQ(e.distance, 10);
    EXPECT_DOUBLE_EQ(e.time.TotalSeconds(), 4320);
    EXPECT_DOUBLE_EQ(e.pace, 432);  // 7:12 a mile
    EXPECT_EQ(e.notes, "Windy\non the hill");
    // Ready for the next workout of the day.
    EXPECT_TRUE(form->notesBox()->toPlainText().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), form->dateBox());

    // Enter without a time goes where the time is missing.
    ChooseSport("Road");
    Type(form->distanceBox(), "40");
    Press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), form->timeBox());
    EXPECT_EQ(Count(), 1);
}

// The sport's items are offered, its defaults ticked for a new workout; what is ticked is
// stored with the workout, and passing a limit is said in the status bar.
TEST_F(DataEntryFrmTest, TheEquipmentListOffersTheSportsItems) {
    const RowId trail = doc().AddEquipment(Gear("Trail", {{"R", true}}, "shoes", 10), nullptr);
    const RowId other = doc().AddEquipment(Gear("Spare", {{"R", false}}), nullptr);
    ASSERT_NE(doc().AddEquipment(Gear("Bike", {{"B", true}}), nullptr), 0);
    CCheckListComboBox* box = form->equipmentBox();
    const auto offered = [box] {
        QStringList items;
        for (int i = 0; i < box->count(); ++i)
            items << box->itemText(i) + (box->isChecked(i) ? "+" : "");
        return items;
    };
    ChooseSport("Road");
    EXPECT_EQ(offered(), (QStringList{"Bike+"}));
    ChooseSport("Running");
    EXPECT_EQ(offered(), (QStringList{"Spare", "Trail+"}));
    EXPECT_EQ(box->summaryText(), "Trail");
    // Ticked from the keyboard: the list opens with Down, Space ticks.
    box->setFocus();
    Press(Qt::Key_Down);
    Press(Qt::Key_Space);
    Press(Qt::Key_Escape);
    EXPECT_EQ(offered(), (QStringList{"Spare+", "Trail+"}));
    Type(form->distanceBox(), "7");
    Type(form->timeBox(), "1:00:00");
    Press(Qt::Key_Return);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Stored(doc().EntryAt(0)->entryId).equipment, (std::vector<RowId>{trail, other}));
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              "Trail has passed its limit of 10.0 km (11.3 km).");
    // The next workout starts again from the defaults.
    ChooseSport("Road");
    ChooseSport("Running");
    EXPECT_EQ(offered(), (QStringList{"Spare", "Trail+"}));
}

// What a date box reads and how its keys step it is DateTypingTest's; here, the box's keys.
TEST_F(DataEntryFrmTest, TheDateBoxTakesWhatIsTyped) {
    DatePicker* date = form->dateBox();
    date->setDate(QDate(2026, 3, 15));
    Type(date, "1 Jun 2026");
    EXPECT_EQ(QApplication::focusWidget(), date);
    Press(Qt::Key_Tab);
    EXPECT_EQ(date->date(), QDate(2026, 6, 1));
    EXPECT_EQ(date->text(), "6/1/2026");
    // Up and Down step the part the caret is in; a slash goes to the next part.
    date->setFocus();
    date->setCursorPosition(0);
    Press(Qt::Key_Up);
    EXPECT_EQ(date->date(), QDate(2026, 7, 1));
    Press(Qt::Key_Slash);
    Press(Qt::Key_Down);
    EXPECT_EQ(date->date(), QDate(2026, 6, 30));
    EXPECT_EQ(date->selectedText(), "30");

    // No day: said on leaving, the box keeps the focus and the workout is not entered.
    ChooseSport("Running");
    Type(form->timeBox(), "0:40:00");
    Type(date, "2/30/2026");
    Press(Qt::Key_Return);
    EXPECT_EQ(dialogs->messages.back(),
              "Date is not valid !! \nType it as M/D/YYYY or choose it from the calendar !");
    EXPECT_EQ(QApplication::focusWidget(), date);
    EXPECT_EQ(Count(), 0);
    Type(date, "2/28/2026");
    Press(Qt::Key_Return);
    ASSERT_EQ(Count(), 1);
    EXPECT_EQ(Stored(doc().EntryAt(0)->entryId).date, CDate(2, 28, 2026));
}

TEST_F(DataEntryFrmTest, EachSportShowsItsUnitsAndWeightsSwitchesTheControls) {
    for (auto [sport, weights, distanceUnit, paceUnit] : {std::tuple{"Weights", true, "", ""},
                                                          {"Running", false, "miles", "mpm"},
                                                          {"Road", false, "km", "kph"}}) {
        SCOPED_TRACE(sport);
        ChooseSport(sport);
        EXPECT_EQ(form->workoutButton()->isVisibleTo(form), weights);
        EXPECT_EQ(form->routeLabel()->isVisibleTo(form), !weights);
        EXPECT_EQ(form->distanceBox()->isEnabled(), !weights);
        EXPECT_EQ(form->paceBox()->isEnabled(), !weights);
        EXPECT_EQ(form->distanceUnitLabel()->text(), distanceUnit);
        EXPECT_EQ(form->paceUnitLabel()->text(), paceUnit);
        // The log's short names stay; the tooltip says them whole.
        EXPECT_TRUE(weights || form->paceUnitLabel()->toolTip().size() > 3);
    }
}

// The completion and route rules are DataEntryFormTest's; here, the box and its button.
TEST_F(DataEntryFrmTest, TheRouteBoxCompletesAndItsButtonAdds) {
    ChooseSport("Running");
    QLineEdit* edit = form->routeBox()->lineEdit();
    Type(form->routeBox(), "hi");
    EXPECT_EQ(edit->text(), "Hill loop");
    EXPECT_EQ(form->routeButton()->text(), "&Remove");

    edit->selectAll();
    QTest::keyClicks(edit, "Harbour");
    EXPECT_EQ(form->routeButton()->text(), "&Add");
    ASSERT_TRUE(form->routeButton()->isEnabled());
    QTest::mouseClick(form->routeButton(), Qt::LeftButton);
    EXPECT_EQ(form->routeBox()->count(), 3);
    EXPECT_FALSE(form->routeButton()->isEnabled());
}

TEST_F(DataEntryFrmTest, EditingAndDuplicatingThroughTheEditor) {
    WorkingEntry run = Entry(3, 2, 2026, "R", 4500);
    run.distance = 10;
    run.pace = 450;
    run.notes = "Easy";
    const long id = doc().AddEntry(run, nullptr);
    // What a duplicate holds is DataEntryFormTest's.
    auto edit = [&](bool duplicate) { doc().RequestEntryEdit(id, duplicate, nullptr); };
    edit(false);
    EXPECT_EQ(list->selected, std::vector<long>{id});
    EXPECT_EQ(window->windowTitle(), "Edit Entry");
    EXPECT_TRUE(form->deleteButton()->isVisibleTo(form));
    EXPECT_EQ(form->dateBox()->date(), QDate(2026, 3, 2));

    // A changed distance is converted as the button reads the form.
    Type(form->distanceBox(), "12");
    QTest::mouseClick(form->enterButton(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(Stored(id).distance, 12);
    EXPECT_DOUBLE_EQ(Stored(id).pace, 375);  // 6:15 a mile
    EXPECT_EQ(window->windowTitle(), "Data Entry");
    EXPECT_FALSE(form->deleteButton()->isVisibleTo(form));
    EXPECT_EQ(Count(), 1);

    // Leaving the form for the list while editing asks to save; No drops the edit.
    edit(false);
    Type(form->notesBox(), "changed");
    list->setFocus(Qt::MouseFocusReason);
    Settle();
    EXPECT_EQ(dialogs->questions, std::vector<QString>{"Save changes to this entry ?"});
    EXPECT_EQ(Stored(id).notes, "Easy");
    EXPECT_EQ(window->windowTitle(), "Data Entry");

    // Going to the menus or a dialog is not leaving.
    edit(false);
    form->notesBox()->setFocus();
    const size_t asked = dialogs->questions.size();
    frame().findChild<QToolBar*>("MainToolbar")->setFocus();
    Settle();
    EXPECT_EQ(dialogs->questions.size(), asked);
}

TEST_F(DataEntryFrmTest, ClosingTheWindowWhileEditingOffersToSave) {
    const long id = doc().AddEntry(Entry(3, 2, 2026, "R", 1800), nullptr);
    form->LoadEntry(id, false);
    ASSERT_TRUE(form->model().Editing());
    Type(form->notesBox(), "kept");
    dialogs->answers = {true};
    EXPECT_TRUE(app->CloseLog());
    EXPECT_EQ(dialogs->questions, std::vector<QString>{"Save changes to this entry ?"});
    ASSERT_TRUE(app->OpenLog(QString::fromStdString(dir.File("Form.tlg"))));
    EXPECT_EQ(Stored(id).notes, "kept");
}

// Reset asks only when a box differs from the blank form (blanks are no difference), a
// distance typed and not yet left included.
TEST_F(DataEntryFrmTest, ResetAsksOnlyWhenABoxDiffersFromTheBlankForm) {
    Type(form->notesBox(), "  ");
    Type(form->routeBox(), " ");
    Type(form->distanceBox(), "0");  // still in the box when Reset is pressed
    form->resetButton()->click();
    EXPECT_TRUE(dialogs->questions.empty());
    Type(form->distanceBox(), "5");
    dialogs->answers = {false};
    form->resetButton()->click();
    EXPECT_EQ(dialogs->questions, std::vector<QString>{"Save this new entry ?"});
    EXPECT_EQ(Count(), 0);
}

TEST_F(DataEntryFrmTest, TodaysRaceBecomesTheFirstEntryWithItsDistanceNext) {
    doc().Database().sql().Exec(
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName) VALUES ('R', " +
        std::to_string(CDate().ToSerial()) + ", 'Harbour 10k')");
    dialogs->answers = {true};  // the question and the entry: DataEntryFormTest
    CDataEntryFrm fresh(doc());
    fresh.show();
    fresh.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&fresh));
    Settle();
    EXPECT_EQ(fresh.routeBox()->currentText(), "Harbour 10k");
    EXPECT_EQ(QApplication::focusWidget(), fresh.distanceBox());
}

}  // namespace
}  // namespace kivrun::test
