#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include "equipment/ui/EquipmentView.h"
#include "prefs/ui/EquipmentPrefsPage.h"
#include "prefs/ui/PreferencesSheet.h"
#include "print/ui/GPrintDriver.h"
#include "support/DocFixture.h"
#include "ui/UiTestSupport.h"

namespace kivrun {
namespace {

// The fixture's log lists Running (R, miles), Road (B, km) and Weights (W).
class EquipmentUiTest : public test::DocFixture {
  protected:
    CEquipmentPrefsPage* Page(CPreferencesSheet& sheet) {
        sheet.tabs()->setCurrentWidget(sheet.equipmentPage());
        return sheet.equipmentPage();
    }
    static void Tick(QTableWidget* sports, int row, int column) {
        sports->item(row, column)->setCheckState(Qt::Checked);
    }
    test::MessageBoxAnswerer messages;
};

TEST_F(EquipmentUiTest, ThePreferencesPageKeepsItemsRoundTrip) {
    {
        CPreferencesSheet sheet(*doc);
        sheet.show();
        CEquipmentPrefsPage* page = Page(sheet);
        QTest::mouseClick(page->newButton(), Qt::LeftButton);
        page->nameEdit()->selectAll();
        QTest::keyClicks(page->nameEdit(), "Trail shoes");
        page->kindBox()->setCurrentIndex(page->kindBox()->findText("shoes"));
        Tick(page->sportsTable(), 0, 1);  // default for Running ticks "used" too
        page->startBox()->setValue(120);
        page->limitBox()->setValue(700);
        page->limitTimeEdit()->setText("80:00:00");
        QTest::mouseClick(page->newButton(), Qt::LeftButton);
        QTest::keyClicks(page->nameEdit(), "x");
        page->nameEdit()->setText("Bike");
        page->kindBox()->setCurrentIndex(page->kindBox()->findText("bike"));
        Tick(page->sportsTable(), 1, 0);
        sheet.accept();
    }
    const std::vector<EquipmentItem> items = doc->Equipment();
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].name, "Bike");
    EXPECT_EQ(items[0].sports, (std::vector<EquipmentSport>{{"B", false}}));
    EXPECT_EQ(items[1].name, "Trail shoes");
    EXPECT_EQ(items[1].kind, "shoes");
    EXPECT_EQ(items[1].sports, (std::vector<EquipmentSport>{{"R", true}}));
    EXPECT_DOUBLE_EQ(items[1].startKm, 120);
    EXPECT_DOUBLE_EQ(items[1].limitKm, 700);
    EXPECT_DOUBLE_EQ(items[1].limitSeconds, 80 * 3600);

    // Shown again as stored; a used item is retired, not removed.
    WorkingEntry run = test::Entry(3, 2, 2026, "R");
    run.equipment = {items[1].equipmentId};
    ASSERT_NE(doc->AddEntry(run, nullptr), 0);
    CPreferencesSheet again(*doc);
    again.show();
    CEquipmentPrefsPage* page = Page(again);
    ASSERT_EQ(page->itemList()->count(), 2);
    page->itemList()->setCurrentRow(1);
    EXPECT_EQ(page->nameEdit()->text(), "Trail shoes");
    EXPECT_EQ(page->limitTimeEdit()->text(), "80:00:00");
    QTest::mouseClick(page->removeButton(), Qt::LeftButton);
    EXPECT_EQ(page->itemList()->count(), 2);
    page->retiredBox()->setChecked(true);
    again.accept();
    EXPECT_TRUE(doc->EquipmentById(items[1].equipmentId)->retired);
    EXPECT_EQ(doc->History().NextUndo()->name, "Retire Equipment");
}

TEST_F(EquipmentUiTest, TheWindowFollowsTheLogAndFiltersByAnItem) {
    const RowId id =
        doc->AddEquipment(test::Gear("Trail", {{"R", true}}, "shoes", 700, 695), nullptr);
    CEquipmentView view(*doc);
    ASSERT_EQ(view.Model().rowCount(), 1);
    const QModelIndex distance = view.Model().index(0, 3);
    EXPECT_EQ(distance.data().toString(), "431.9 M");  // in the sport's unit
    WorkingEntry run = test::Entry(3, 2, 2026, "R");
    run.equipment = {id};
    ASSERT_NE(doc->AddEntry(run, nullptr), 0);
    ASSERT_NE(doc->AddEntry(test::Entry(3, 3, 2026, "R"), nullptr), 0);
    EXPECT_EQ(view.Model().index(0, 3).data().toString(), "436.9 M");
    EXPECT_EQ(view.Model().index(0, 10).data().toString(), "over limit");
    EXPECT_TRUE(view.Model().index(0, 0).data(Qt::BackgroundRole).isValid());

    view.setCurrentIndex(view.Model().index(0, 0));
    view.FilterByCurrent();
    EXPECT_EQ(doc->Filter().equipment, std::vector<RowId>{id});
    EXPECT_EQ(doc->EntryCount(), 1);
}

}  // namespace
}  // namespace kivrun
