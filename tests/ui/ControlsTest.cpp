#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include "controls/ui/AutoCompleteComboBox.h"
#include "controls/ui/CheckListComboBox.h"
#include "controls/ui/HoverTipWindow.h"
#include "controls/ui/IconPickerDialog.h"
#include "controls/ui/SportIconSet.h"
#include "controls/ui/WheelGuard.h"
#include "ui/UiTestSupport.h"

namespace kivrun {
namespace {

class LocaleScope {
  public:
    explicit LocaleScope(const QLocale& locale) : saved_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(saved_); }

  private:
    QLocale saved_;
};

struct CheckListFixture : ::testing::Test {
    void SetUp() override {
        for (const char* sport : {"Running", "Road", "Swimming", "Weights"})
            combo.addCheckItem(QString::fromLatin1(sport), true,
                               QString::fromLatin1(sport).left(1));
        combo.resize(220, combo.sizeHint().height());
        combo.show();
    }
    void ClickItem(int row) {
        QAbstractItemView* view = combo.view();
        const QRect r = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
    }
    LocaleScope english{QLocale(QLocale::English, QLocale::UnitedStates)};
    CCheckListComboBox combo;
};

// How the summary joins the items is ControlRulesTest's; here, the clicks and the locale.
TEST_F(CheckListFixture, ClickTogglesAndTheListStaysOpenAndChecksFromCodeAreSilent) {
    QSignalSpy changed(&combo, &CCheckListComboBox::selectionChanged);
    combo.showPopup();
    ASSERT_TRUE(combo.view()->isVisible());
    ClickItem(1);
    EXPECT_FALSE(combo.isChecked(1));
    EXPECT_TRUE(combo.view()->isVisible());
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(combo.summaryText(), "Running, Swimming, Weights");
    ClickItem(1);
    EXPECT_TRUE(combo.isChecked(1));
    EXPECT_EQ(combo.itemData(1).toString(), "R");  // the owner's data is left alone
    combo.hidePopup();

    combo.setChecked(0, false);
    combo.setChecked(3, false);
    EXPECT_EQ(changed.count(), 2);
    combo.setLocale(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(combo.summaryText(), "Road; Swimming");
    combo.addItem("Rowing");  // a plain item starts unticked
    EXPECT_FALSE(combo.isChecked(4));
}

TEST_F(CheckListFixture, SpaceTogglesTheHighlightedItemAndDownOpens) {
    QSignalSpy changed(&combo, &CCheckListComboBox::selectionChanged);
    combo.setFocus();
    QTest::keyClick(&combo, Qt::Key_Down);
    ASSERT_TRUE(combo.view()->isVisible());
    EXPECT_EQ(combo.currentIndex(), 0);  // Down opened the list rather than moving on

    QAbstractItemView* view = combo.view();
    view->setCurrentIndex(view->model()->index(2, 0));
    QTest::keyClick(view, Qt::Key_Space);
    QTest::keyClick(view, Qt::Key_Down);
    QTest::keyClick(view, Qt::Key_Space);
    EXPECT_EQ(combo.checkedIndexes(), (QList<int>{0, 1}));
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(changed.count(), 2);

    // Enter closes without choosing anything.
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(combo.currentIndex(), 0);
}

// The completion rules are AutoCompletionTest's; here, that the edit follows them.
TEST(AutoCompleteCombo, TypingCompletesAndBackspaceDoesNot) {
    CAutoCompleteComboBox combo;
    combo.addItems({"Bench Press", "Bent Row", "Squats"});
    combo.setEditText(QString());
    combo.show();
    QLineEdit* edit = combo.lineEdit();
    QSignalSpy typed(&combo, &CAutoCompleteComboBox::textTyped);

    QTest::keyClicks(edit, "b");
    EXPECT_EQ(edit->text(), "Bench Press");
    EXPECT_EQ(edit->selectedText(), "ench Press");
    ASSERT_EQ(typed.count(), 1);
    EXPECT_EQ(typed.last().first().toString(), "Bench Press");  // what the edit shows

    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "B");
    EXPECT_FALSE(edit->hasSelectedText());

    edit->selectAll();
    QTest::keyClicks(edit, "lunge");
    EXPECT_EQ(combo.count(), 3);  // typed texts do not join the list

    // An item picked by the program, then Backspace: no completion back to it.
    combo.setCurrentIndex(2);
    edit->end(false);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text(), "Squat");
}

TEST(IconPicker, OkWithoutAnIconAsksForOneAndADoubleClickChooses) {
    kivrun::test::MessageBoxAnswerer answerer;
    CIconPickerDialog empty(nullptr, -1);
    empty.show();
    empty.accept();
    QTest::qWait(20);
    EXPECT_EQ(answerer.texts, QStringList{"Please select an icon!!"});
    EXPECT_TRUE(empty.isVisible());
    EXPECT_EQ(empty.chosenIndex(), -1);
    empty.iconList()->setCurrentRow(4);
    empty.accept();
    EXPECT_EQ(empty.result(), QDialog::Accepted);
    EXPECT_EQ(empty.chosenIndex(), 4);

    CIconPickerDialog dialog(nullptr, 7);
    dialog.show();
    QListWidget* list = dialog.iconList();
    EXPECT_EQ(list->currentRow(), 7);   // the icon it has, selected
    QCoreApplication::processEvents();  // the icon view lays its items out later
    const QRect r = list->visualItemRect(list->item(9));
    // A double click as the window system delivers it: press, release, double click.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(r.center()),
                    list->viewport()->mapToGlobal(QPointF(r.center())), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &dbl);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.chosenIndex(), 9);
}

// Where the tip sits and how it splits its lines is HoverTipTest's; here, its timing, and
// that it is wide enough for its text as drawn.
TEST(HoverTip, ShowsAfterARestAboveThePointerAndHidesOnMoving) {
    QWidget owner;
    owner.resize(400, 300);
    owner.show();
    CHoverTipWindow tip(&owner);
    tip.addRegion(QRect(100, 100, 80, 120), "Week 12\nRunning\t42.0 M\nRoad\t110.3 M");
    tip.addRegion(QRect(0, 0, 10, 10), "Corner");

    tip.mouseMoved(QPoint(120, 200));
    EXPECT_FALSE(tip.isTipShown());  // not at once
    ASSERT_TRUE(QTest::qWaitFor([&] { return tip.isTipShown(); }, 2000));
    const QRect g = tip.geometry();
    EXPECT_LT(g.bottom(), 200);
    EXPECT_GT(g.width(), QFontMetrics(tip.font()).horizontalAdvance("Running 110.3 M"));

    tip.mouseMoved(QPoint(300, 250));  // off every region
    EXPECT_FALSE(tip.isTipShown());
    QTest::qWait(tip.delay() + 50);
    EXPECT_FALSE(tip.isTipShown());
}

// Which index is Other is ControlRulesTest's; here, that each icon is drawn and its own.
TEST(SportIcons, ThirteenIconsAndOtherForAnythingElse) {
    const QImage other = SportIcon(12).pixmap(16, 16).toImage();
    for (int i = 0; i < 13; ++i) {
        ASSERT_FALSE(SportIcon(i).isNull()) << i;
        if (i != 12) {
            EXPECT_NE(SportIcon(i).pixmap(16, 16).toImage(), other) << i;
        }
    }
    EXPECT_EQ(SportIcon(13).pixmap(16, 16).toImage(), other);
}

// Scrolling a form never changes a list or number the pointer passes: a combo box or spin
// box takes the wheel only once it has the keyboard focus, and the wheel never gives it. A
// wheel it leaves unaccepted goes on to the form, which scrolls.
TEST(WheelGuard, ABoxTakesTheWheelOnlyWithTheKeyboardFocus) {
    WheelGuard::Install();
    QWidget form;
    auto* route = new QComboBox(&form);
    route->addItems({"Canal path", "Hill loop", "River loop"});
    auto* exercise = new QComboBox(&form);
    exercise->setEditable(true);
    exercise->addItems({"Bench Press", "Squats"});
    auto* days = new QSpinBox(&form);
    days->setValue(7);
    auto* notes = new QLineEdit(&form);
    auto* layout = new QVBoxLayout(&form);
    for (QWidget* w : std::initializer_list<QWidget*>{route, exercise, days, notes})
        layout->addWidget(w);
    form.show();
    QApplication::setActiveWindow(&form);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    notes->setFocus();

    // A notch away from the user, on the part of the box the pointer is over.
    const auto turn = [](QWidget* w) { return test::Wheel(w, -120, QRectF(w->rect()).center()); };
    for (QWidget* part : std::initializer_list<QWidget*>{route, exercise->lineEdit(), days,
                                                         days->findChild<QLineEdit*>()}) {
        EXPECT_FALSE(turn(part)) << part->metaObject()->className();
        EXPECT_EQ(QApplication::focusWidget(), notes);
    }
    EXPECT_EQ(route->currentIndex(), 0);
    EXPECT_EQ(exercise->currentIndex(), 0);
    EXPECT_EQ(days->value(), 7);
    for (QWidget* box : std::initializer_list<QWidget*>{route, exercise, days})
        EXPECT_EQ(box->focusPolicy(), Qt::StrongFocus);  // a wheel gives no focus

    route->setFocus();
    EXPECT_TRUE(turn(route));
    EXPECT_EQ(route->currentIndex(), 1);
    days->setFocus();
    EXPECT_TRUE(turn(days));
    EXPECT_EQ(days->value(), 6);
}

}  // namespace
}  // namespace kivrun
