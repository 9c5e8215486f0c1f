#include <QFont>
#include <QPushButton>
#include <QTableView>
#include <QTreeWidget>
#include <functional>

#include <QFile>

#include "EntryFormSupport.h"
#include "PdfSupport.h"
#include "app/ui/ProgramSetup.h"
#include "controls/ui/AutoCompleteComboBox.h"
#include "weights/ui/ExerciseListDlg.h"
#include "weights/ui/RoutinePrintout.h"
#include "weights/ui/WeightsDlg.h"

namespace kivrun::test {
namespace {

// The program with the data entry form, over a stand-in list.
class WeightsDlgTest : public EntryFormTest {
  protected:
    void SetUp() override {
        EntryFormTest::SetUp();
        OpenWithForm("Weights.tlg",
                     [](CTamselDoc&, QWidget* parent) -> QWidget* { return new FakeView(parent); });
    }

    // The text print() put in the PDF chosen in the print dialog.
    std::string PrintedText(const std::function<void()>& print) {
        QFile::remove(pdf.path);
        print();
        return pdf.Read().text;
    }

    // A row typed into the dialog's fields and entered with Return.
    static void EnterRow(CWeightsDlg& d, const QString& exercise, const QStringList& numbers) {
        Type(d.exerciseBox(), exercise);
        for (int i = 0; i < numbers.size(); ++i)
            Type(d.numberBox(i), numbers[i]);
        Press(Qt::Key_Return);
    }

    static void DoubleClickRow(CWeightsDlg& d, int row) {
        const QRect cell = d.grid()->visualRect(d.grid()->model()->index(row, 0));
        // A double-click is a click, then a second press that Qt reports as the double one.
        QTest::mouseClick(d.grid()->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(d.grid()->viewport(), Qt::LeftButton, {}, cell.center());
        Settle();
    }

    PrintsToPdf pdf{Path("routine.pdf")};
};

TEST_F(WeightsDlgTest, AWeightsWorkoutWithItsRoutineAndATemplateForTheNextOne) {
    ChooseSport("Weights");
    ASSERT_TRUE(form->workoutButton()->isVisibleTo(form));
    Type(form->timeBox(), "0:45:00");

    const bool driven = WithModal<CWeightsDlg>(
        [&] { form->workoutButton()->click(); },
        [&](CWeightsDlg& d) {
            // Body part headings order the exercise list; they cannot be chosen.
            const int heading = d.exerciseBox()->findText("-- Chest --");
            ASSERT_GE(heading, 0);
            EXPECT_FALSE(
                d.exerciseBox()->model()->flags(d.exerciseBox()->model()->index(heading, 0)) &
                Qt::ItemIsEnabled);

            Press(Qt::Key_Return);  // nothing typed yet
            EXPECT_EQ(dialogs->messages, std::vector<QString>{"You must enter an exercise !!"});
            EnterRow(d, "Bench Press", {"3", "100", "10", "110", "8"});
            EnterRow(d, "Squats", {"4", "", "12"});
            EnterRow(d, "Farmer's Walk", {"2", "40"});
            ASSERT_EQ(d.grid()->model()->rowCount(), 3);

            Type(d.templateBox(), "Upper Body");
            dialogs->answers = {true};
            QTest::mouseClick(d.saveButton(), Qt::LeftButton);
            EXPECT_TRUE(d.removeButton()->isEnabled());  // saved and loaded
            const std::string printed = PrintedText([&] { d.printButton()->click(); });
            EXPECT_NE(printed.find("Routine for " + CDate().Format(5) + " (Weights)"),
                      std::string::npos)
                << printed;
            EXPECT_NE(printed.find("(110-8)"), std::string::npos);
            QTest::mouseClick(d.okButton(), Qt::LeftButton);
        });
    ASSERT_TRUE(driven);
    EXPECT_EQ(form->model().Routine().size(), 3u);
    form->enterButton()->click();
    Settle();
    ASSERT_EQ(doc().EntryCount(), 1);
    const RowId first = doc().EntryAt(0)->entryId;
    const std::vector<RoutineRow> routine = doc().RoutineOf(first);
    ASSERT_EQ(routine.size(), 3u);
    EXPECT_EQ(routine[2].exercise, "Farmer's Walk");
    EXPECT_EQ(routine[0].weight[1], 110);
    // Print Routine, by the workout's id, as the entry view asks for it.
    const std::string printed =
        PrintedText([&] { EXPECT_TRUE(CRoutinePrintout::PrintEntry(doc(), first, &frame())); });
    EXPECT_NE(printed.find("Farmer's Walk"), std::string::npos) << printed;
    EXPECT_FALSE(CRoutinePrintout::PrintEntry(doc(), first + 100, &frame()));

    // The next workout takes the template; Cancel would have left it without.
    ChooseSport("Weights");
    Type(form->timeBox(), "0:40:00");
    ASSERT_TRUE(WithModal<CWeightsDlg>([&] { form->workoutButton()->click(); },
                                       [&](CWeightsDlg& d) {
                                           EXPECT_EQ(d.grid()->model()->rowCount(), 0);
                                           Type(d.templateBox(), "upper body");
                                           Press(Qt::Key_Tab);  // leaving the box loads it
                                           EXPECT_EQ(d.grid()->model()->rowCount(), 3);
                                           d.okButton()->click();
                                       }));
    form->enterButton()->click();
    Settle();
    ASSERT_EQ(doc().EntryCount(), 2);
    const RowId second =
        doc().EntryAt(0)->entryId == first ? doc().EntryAt(1)->entryId : doc().EntryAt(0)->entryId;
    EXPECT_EQ(doc().RoutineOf(second), routine);

    // Editing the workout shows its routine again.
    form->LoadEntry(first, false);
    Settle();
    EXPECT_TRUE(form->workoutButton()->isVisibleTo(form));
    EXPECT_TRUE(WithModal<CWeightsDlg>([&] { form->workoutButton()->click(); },
                                       [&](CWeightsDlg& d) {
                                           EXPECT_EQ(d.grid()->model()->rowCount(), 3);
                                           DoubleClickRow(d, 1);
                                           EXPECT_EQ(d.exerciseBox()->currentText(), "Squats");
                                       }));
}

// 62.5 stays 62.5, "62,5" is refused where it was typed, and editing a row is explicit: after
// its Enter the next exercise typed is a row of its own, never typed over the one edited.
TEST_F(WeightsDlgTest, EditingARowThenTypingTheNextGivesTwoRows) {
    const bool driven = WithModal<CWeightsDlg>(
        [&] { CWeightsDlg::EditTemplates(doc(), &frame()); },
        [&](CWeightsDlg& d) {
            QAbstractItemModel* grid = d.grid()->model();
            EnterRow(d, "Bench Press", {"3", "62.5", "8"});
            EXPECT_EQ(grid->index(0, 2).data().toString(), "62.5");
            EnterRow(d, "Squats", {"4", "62,5"});
            EXPECT_EQ(dialogs->messages,
                      std::vector<QString>{"Wt 1 must be a weight such as 62.5 (at most two "
                                           "decimals), not \"62,5\" !!"});
            EXPECT_EQ(QApplication::focusWidget(), d.numberBox(1));
            EXPECT_EQ(grid->rowCount(), 1);
            Type(d.numberBox(1), "100");
            Press(Qt::Key_Return);
            ASSERT_EQ(grid->rowCount(), 2);

            // Choosing a row is not editing it; Return on it (or a double-click) is.
            d.grid()->setFocus();
            d.grid()->selectRow(0);
            EXPECT_EQ(d.exerciseBox()->currentText(), "");
            Press(Qt::Key_Return);
            EXPECT_EQ(d.exerciseBox()->currentText(), "Bench Press");
            EXPECT_EQ(d.numberBox(1)->text(), "62.5");
            EXPECT_TRUE(grid->index(0, 0).data(Qt::FontRole).value<QFont>().bold());
            Type(d.numberBox(1), "65");
            Press(Qt::Key_Return);
            EXPECT_EQ(d.exerciseBox()->currentText(), "");
            EXPECT_FALSE(grid->index(0, 0).data(Qt::FontRole).isValid());

            EnterRow(d, "Bent Row", {"3"});
            ASSERT_EQ(grid->rowCount(), 3);
            EXPECT_EQ(grid->index(0, 0).data().toString(), "Bench Press");
            EXPECT_EQ(grid->index(0, 2).data().toString(), "65");
            EXPECT_EQ(grid->index(2, 0).data().toString(), "Bent Row");
        });
    EXPECT_TRUE(driven);
}

// The Weights menu opens the template editor and the exercise list. What may be added or
// removed there is ExerciseListEditorTest's; here Return adds without closing, focus goes
// back to the name, and focus on the list swaps Add for Remove.
TEST_F(WeightsDlgTest, TheWeightsMenuOpensBothDialogsAndTheExerciseListAddsAndRemoves) {
    SetUpProgramCommands(*app);
    ASSERT_TRUE(Enabled(Command::WeightsTemplates));
    EXPECT_TRUE(
        WithModal<CWeightsDlg>([&] { frame().Action(Command::WeightsTemplates)->trigger(); },
                               [](CWeightsDlg& d) { EXPECT_FALSE(d.model().EditsWorkout()); }));
    const bool driven =
        WithModal<CExerciseListDlg>([&] { frame().Action(Command::WeightsExercises)->trigger(); },
                                    [&](CExerciseListDlg& d) {
                                        Type(d.bodyPartBox(), "Grip");
                                        Type(d.nameBox(), " Farmer's Walk ");
                                        Press(Qt::Key_Return);
                                        EXPECT_TRUE(d.isVisible());
                                        ASSERT_EQ(d.list()->topLevelItemCount(), 21);
                                        QTreeWidgetItem* added = d.list()->currentItem();
                                        ASSERT_NE(added, nullptr);
                                        EXPECT_EQ(added->text(1), "Farmer's Walk");
                                        EXPECT_EQ(QApplication::focusWidget(), d.nameBox());

                                        d.list()->setFocus();
                                        Settle();
                                        EXPECT_TRUE(d.removeButton()->isEnabled());
                                        EXPECT_FALSE(d.addButton()->isEnabled());
                                        dialogs->answers = {true};
                                        QTest::mouseClick(d.removeButton(), Qt::LeftButton);
                                        Settle();
                                        EXPECT_EQ(d.list()->topLevelItemCount(), 20);
                                        Type(d.bodyPartBox(), "Grip");
                                        QTest::mouseClick(d.removeBodyPartButton(), Qt::LeftButton);
                                        EXPECT_EQ(d.bodyPartBox()->findText("Grip"), -1);
                                    });
    EXPECT_TRUE(driven);
}

}  // namespace
}  // namespace kivrun::test
