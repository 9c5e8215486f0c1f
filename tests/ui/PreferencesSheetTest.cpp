#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>

#include "controls/ui/AutoCompleteComboBox.h"
#include "prefs/ui/GeneralPrefsPage.h"
#include "prefs/ui/PreferencesSheet.h"
#include "prefs/ui/PrefsHtmlPage.h"
#include "prefs/ui/SportsListModel.h"
#include "prefs/ui/SportsPrefsPage.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "support/DocFixture.h"
#include "ui/UiTestSupport.h"

namespace kivrun {
namespace {

// The fixture's log lists Running (R, with a workout), Road (B) and Weights (W).
class PreferencesSheetTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        ASSERT_GT(doc->AddEntry(test::Entry(3, 2, 2026, "R"), nullptr), 0);
        view.hints.clear();
    }

    std::unique_ptr<CPreferencesSheet> OpenSheet() {
        auto sheet = std::make_unique<CPreferencesSheet>(*doc);
        sheet->show();
        return sheet;
    }

    CSportsPrefsPage* ShowSports(CPreferencesSheet& sheet) {
        sheet.tabs()->setCurrentWidget(sheet.sportsPage());
        return sheet.sportsPage();
    }

    // Types a name the way a user does, letter by letter into the autocompleting box.
    static void TypeName(CSportsPrefsPage* page, const QString& name) {
        QLineEdit* edit = page->nameBox()->lineEdit();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, name);
    }

    std::string SportRows() {
        return test::QueryRows(doc->Database(),
                               "SELECT SptAbbrev, SptName, DistanceID, PaceID, Image FROM Sports "
                               "ORDER BY \"Order\", rowid");
    }

    void SelectLine(CSportsPrefsPage* page, int row) {
        QTreeView* list = page->sportsList();
        list->selectionModel()->select(
            list->model()->index(row, 0),
            QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    test::MessageBoxAnswerer messages;
};

TEST_F(PreferencesSheetTest, PagesInOrderAndANewLogOpensOnSports) {
    auto sheet = OpenSheet();
    ASSERT_EQ(sheet->tabs()->count(), 4);
    EXPECT_EQ(sheet->tabs()->currentWidget(), sheet->generalPage());
    // The keyboard starts in the page's first field.
    QApplication::setActiveWindow(sheet.get());
    EXPECT_EQ(QApplication::focusWidget(), sheet->generalPage()->weekStartBox());
    EXPECT_FALSE(sheet->applyButton()->isEnabled());

    doc->Database().sql().Exec("DELETE FROM \"Log Entry\"");
    doc->Database().sql().Exec("DELETE FROM Sports");
    CPreferencesSheet fresh(*doc);
    EXPECT_EQ(fresh.tabs()->currentWidget(), fresh.sportsPage());
    // OK with no sports at all asks for one and stays open.
    fresh.show();
    QApplication::setActiveWindow(&fresh);
    EXPECT_TRUE(fresh.sportsPage()->nameBox()->hasFocus());
    fresh.accept();
    QTest::qWait(20);
    EXPECT_EQ(messages.texts, QStringList{"Please add at least one sport!!"});
    EXPECT_TRUE(fresh.isVisible());
}

TEST_F(PreferencesSheetTest, TheEntryPointShowsTheSheetModally) {
    EXPECT_TRUE(test::WithModal<CPreferencesSheet>([&] { ShowPreferencesSheet(nullptr, *doc); },
                                                   [](CPreferencesSheet&) {}));
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(PreferencesSheetTest, AddTwoSportsAndApply) {
    auto sheet = OpenSheet();
    CSportsPrefsPage* page = ShowSports(*sheet);
    ASSERT_EQ(page->listModel()->rowCount(), 3);

    TypeName(page, "Sw");  // completes to the built-in name and brings its defaults
    EXPECT_EQ(page->paceBox()->currentText(), "min/100yds");
    ASSERT_TRUE(page->addButton()->isEnabled());
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    EXPECT_EQ(page->nameBox()->currentText(), "");
    EXPECT_EQ(page->abbrevBox()->findText("S"), -1);  // taken now

    // A name of one's own is offered the first free letter of its name, and wants its units.
    TypeName(page, "Yoga flow");
    EXPECT_EQ(page->abbrevBox()->currentText(), "Y");
    QTest::mouseClick(page->addButton(), Qt::LeftButton);
    QTest::qWait(20);
    EXPECT_EQ(messages.texts,
              QStringList{"Please select the desired distance units to use for the new sport !!"});
    messages.texts.clear();
    EXPECT_EQ(page->listModel()->rowCount(), 4);
    QTest::keyClicks(page->paceBox(), "N");  // N/A brings units N/A
    EXPECT_EQ(page->unitsBox()->currentText(), "N/A");
    // Return in the filled-in group adds the sport; the sheet stays open.
    QTest::keyClick(page->paceBox(), Qt::Key_Return);
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('|').toStdString();
    EXPECT_EQ(page->listModel()->rowCount(), 5);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(sheet->applyButton()->isEnabled());
    // Meters are a swimmer's per 100 m only; anyone else's pace is per km.
    TypeName(page, "Track");
    page->unitsBox()->setCurrentIndex(3);
    emit page->unitsBox()->activated(3);
    EXPECT_EQ(page->paceBox()->currentText(), "min/km");

    // The General page offers the new sports as the default before they are applied.
    sheet->tabs()->setCurrentWidget(sheet->generalPage());
    EXPECT_NE(sheet->generalPage()->defaultSportBox()->findText("Yoga flow"), -1);
    sheet->generalPage()->defaultSportBox()->setCurrentText("Yoga flow");
    QTest::mouseClick(sheet->applyButton(), Qt::LeftButton);
    EXPECT_EQ(SportRows(),
              "R|Running|0|1|2;B|Road|2|3|0;W|Weights|4|6|5;S|Swimming|1|2|3;Y|Yoga flow|4|6|12");
    EXPECT_EQ(doc->PreferencesSet().GetDefaultSport(), "Yoga flow");
    EXPECT_EQ(view.kinds().back(), 6);
    EXPECT_FALSE(sheet->applyButton()->isEnabled());
}

TEST_F(PreferencesSheetTest, RemovesAnUnusedSportOnly) {
    auto sheet = OpenSheet();
    CSportsPrefsPage* page = ShowSports(*sheet);
    SelectLine(page, 0);  // Running has a workout
    EXPECT_FALSE(page->removeButton()->isEnabled());
    SelectLine(page, 2);
    ASSERT_TRUE(page->removeButton()->isEnabled());
    QTest::mouseClick(page->removeButton(), Qt::LeftButton);
    EXPECT_EQ(page->listModel()->rowCount(), 2);

    QTest::mouseClick(sheet->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_EQ(SportRows(), "R|Running|0|1|2;B|Road|2|3|0");
}

TEST_F(PreferencesSheetTest, DraggingALineReordersTheSports) {
    auto sheet = OpenSheet();
    CSportsPrefsPage* page = ShowSports(*sheet);
    CSportsListModel* model = page->listModel();
    std::unique_ptr<QMimeData> drag(model->mimeData({model->index(2, 0)}));
    ASSERT_TRUE(model->dropMimeData(drag.get(), Qt::MoveAction, 0, 0, {}));  // above Running
    EXPECT_EQ(model->index(0, 0).data().toString(), "Weights");
    EXPECT_TRUE(page->isModified());
    sheet->accept();
    EXPECT_EQ(SportRows(), "W|Weights|4|6|5;R|Running|0|1|2;B|Road|2|3|0");
}

TEST_F(PreferencesSheetTest, WeekStartAndOptionalFieldNamesOnTheGeneralPage) {
    auto sheet = OpenSheet();
    CGeneralPrefsPage* page = sheet->generalPage();
    EXPECT_EQ(page->weekStartBox()->currentText(), "Monday");
    QTest::keyClicks(page->weekStartBox(), "Su");
    EXPECT_EQ(page->weekStartBox()->currentText(), "Sunday");
    EXPECT_TRUE(sheet->applyButton()->isEnabled());
    sheet->accept();
    EXPECT_EQ(ProgramState::Instance().WeekStartDay(), 0);
    EXPECT_EQ(view.kinds(), (std::vector<int>{11}));

    sheet = OpenSheet();
    page = sheet->generalPage();
    EXPECT_EQ(page->fieldLabelEdit(1)->text(), "Wt");
    QLineEdit* name = page->fieldNameBox(1)->lineEdit();
    name->selectAll();
    QTest::keyClicks(name, "te");  // completes to Temp, which brings its label
    EXPECT_EQ(page->fieldLabelEdit(1)->text(), "Tmp");
    sheet->accept();
    EXPECT_EQ(view.kinds(), (std::vector<int>{11, 12}));
}

TEST_F(PreferencesSheetTest, CancelStoresNothingAndUnsavedGeneralEditsSurviveATabSwitch) {
    auto sheet = OpenSheet();
    CGeneralPrefsPage* general = sheet->generalPage();
    general->backupDaysBox()->setValue(21);
    sheet->tabs()->setCurrentWidget(sheet->htmlPage());
    sheet->htmlPage()->headingEdit()->setText("Not kept");
    sheet->tabs()->setCurrentWidget(general);
    EXPECT_EQ(general->backupDaysBox()->value(), 21);
    sheet->reject();
    EXPECT_EQ(doc->PreferencesSet().GetDaysBetweenBackup(), 7);
    EXPECT_EQ(doc->PreferencesSet().GetPreference("HTMLHeading", ""), "");
    EXPECT_TRUE(view.hints.empty());
}

}  // namespace
}  // namespace kivrun
