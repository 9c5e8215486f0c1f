
#include <QComboBox>
#include <QDropEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <filesystem>

#include "ShellSupport.h"
#include "app/ui/CommandLine.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/ProgramSetup.h"
#include "document/ActivityBatch.h"
#include "imports/ui/ActivityImportWindow.h"
#include "imports/ui/ActivityListModel.h"
#include "prefs/ui/ActivityPrefsBox.h"
#include "prefs/ui/GeneralPrefsPage.h"
#include "prefs/ui/PreferencesSheet.h"
#include "support/FitActivities.h"

namespace kivrun {
namespace {

using Column = ActivityListModel::Column;
using test::kRunStart;
using test::WriteSession;

class ActivityImportWindowTest : public test::DocFixture {
  protected:
    void SetUp() override {
        DocFixture::SetUp();
        std::filesystem::create_directories(dir.File("watch"));
        Write("watch/1 run.fit", WriteSession(1, 0, kRunStart, 3600, 3570, 10000));
        Write("watch/2 run again.fit", WriteSession(1, 0, kRunStart, 3600, 3570, 10000));
        test::FitWriter course;
        course.Message(0, 0, test::fit_msg::FileId(6));
        Write("watch/3 course.fit", course.Bytes());
        Write("watch/4 generic.fit", WriteSession(0, 0, kRunStart + 86400, 1800, 1700, 5000));
        view.hints.clear();
    }
    void Write(const std::string& name, const std::string& bytes) {
        test::WriteBytes(dir.File(name), bytes);
    }
    // The window over the folder, once every file is read.
    std::unique_ptr<ActivityImportWindow> Review() {
        auto window = std::make_unique<ActivityImportWindow>(*doc);
        window->AddPaths({QString::fromStdString(dir.File("watch"))});
        window->show();
        [&] { QTRY_COMPARE_WITH_TIMEOUT(window->Model().rowCount(), 4, 10000); }();
        [&] { QTRY_VERIFY(window->ImportButton()->isEnabled()); }();
        return window;
    }
    static QVariant Cell(ActivityImportWindow& w, int row, Column column,
                         int role = Qt::DisplayRole) {
        return w.Model().index(row, column).data(role);
    }
};

TEST_F(ActivityImportWindowTest, ListsEachActivityWithItsStatusAndCancelWritesNothing) {
    auto window = Review();
    const char* statuses[] = {"new", "probably the same workout as 1 run.fit",
                              "not an activity: a FIT course file, not an activity",
                              "no sport for generic"};
    const Qt::CheckState checks[] = {Qt::Checked, Qt::Unchecked, Qt::Unchecked, Qt::Unchecked};
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(Cell(*window, row, Column::Status).toString(), statuses[row]) << row;
        EXPECT_EQ(Cell(*window, row, Column::Check, Qt::CheckStateRole), checks[row]) << row;
    }
    EXPECT_EQ(Cell(*window, 0, Column::Sport).toString(), "Running");
    EXPECT_EQ(Cell(*window, 0, Column::Distance).toString(), "6.21 M");
    EXPECT_EQ(Cell(*window, 0, Column::Time).toString(), "0:59:30");
    EXPECT_EQ(Cell(*window, 0, Column::Pace).toString(), "9:34 mpm");
    EXPECT_FALSE(window->Model().flags(window->Model().index(3, Column::Check)) &
                 Qt::ItemIsEnabled);
    EXPECT_EQ(window->ImportButton()->text(), "&Import 1");
    EXPECT_EQ(HelpTargetOf(HelpContextAt(window->List())), "activity-files.html");
    // A click on a heading sorts by its values, not its texts: no distance, 5 km, 10 km.
    QAbstractItemModel* shown = window->List()->model();
    EXPECT_EQ(shown->index(0, Column::File).data().toString(), "1 run.fit");
    window->List()->horizontalHeader()->setSortIndicator(Column::Distance, Qt::AscendingOrder);
    EXPECT_EQ(shown->index(0, Column::File).data().toString(), "3 course.fit");
    EXPECT_EQ(shown->index(1, Column::File).data().toString(), "4 generic.fit");
    window->List()->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);

    // A sport for the device's "generic" checks it; the user unchecks the run.
    ASSERT_TRUE(
        window->Model().setData(window->Model().index(3, Column::Sport), "R", Qt::EditRole));
    EXPECT_EQ(Cell(*window, 3, Column::Status).toString(), "new");
    window->Model().setData(window->Model().index(0, Column::Check), Qt::Unchecked,
                            Qt::CheckStateRole);
    EXPECT_EQ(window->ImportButton()->text(), "&Import 1");
    test::SaveScreenshot(*window, QStringLiteral("activity-import"));

    window->reject();
    EXPECT_EQ(window->result(), QDialog::Rejected);
    EXPECT_EQ(doc->EntryCount(), 0);
    EXPECT_TRUE(doc->DeviceSports().empty());
    EXPECT_TRUE(view.hints.empty());
}

TEST_F(ActivityImportWindowTest, ImportWritesTheCheckedOnesAsOneStepAndCloses) {
    auto window = Review();
    window->Model().setData(window->Model().index(3, Column::Sport), "R", Qt::EditRole);
    QTest::mouseClick(window->ImportButton(), Qt::LeftButton);
    EXPECT_EQ(window->result(), QDialog::Accepted);
    EXPECT_EQ(window->Imported(), 2);
    EXPECT_EQ(doc->EntryCount(), 2);
    EXPECT_EQ(view.kinds(), std::vector<int>{static_cast<int>(Notice::DataReloaded)});
    EXPECT_EQ(doc->DeviceSports(), (std::map<std::string, std::string>{{"generic", "R"}}));
    ASSERT_TRUE(doc->Undo());
    EXPECT_EQ(doc->EntryCount(), 0);
}

TEST_F(ActivityImportWindowTest, TheGeneralPageKeepsHowActivitiesBecomeWorkouts) {
    ASSERT_TRUE(doc->SaveDeviceSports({{"generic", "R"}, {"cycling/road", "B"}}));
    auto sheet = std::make_unique<CPreferencesSheet>(*doc);
    sheet->show();
    CActivityPrefsBox* box = sheet->generalPage()->activityBox();
    EXPECT_EQ(box->timeBox()->currentIndex(), 0);
    EXPECT_EQ(box->heartRateBox()->currentText(), "Field 1 (AHR)");
    ASSERT_EQ(box->deviceSportsTable()->rowCount(), 2);
    box->timeBox()->setCurrentIndex(1);
    box->heartRateBox()->setCurrentIndex(box->heartRateBox()->findData(0));
    box->deviceSportsTable()->selectRow(0);  // cycling/road, in the order of device sports
    QTest::mouseClick(box->forgetButton(), Qt::LeftButton);
    EXPECT_TRUE(sheet->applyButton()->isEnabled());
    sheet->accept();
    const WorkoutRules rules = WorkoutRulesOf(*doc);
    EXPECT_EQ(rules.time, DeviceTime::Elapsed);
    EXPECT_EQ(rules.heartRateField, 0);
    EXPECT_EQ(doc->DeviceSports(), (std::map<std::string, std::string>{{"generic", "R"}}));
}

using ActivityDrop = test::ShellTest;

TEST_F(ActivityDrop, AFolderDroppedOnTheWindowIsReviewedImportedAndUndoneInOneStep) {
    PlugFakeViews({WindowKind::LogWindow});
    const QString log = MakeLog("mine.tlg");
    {
        SilentUserInterface silent;
        CTamselDoc doc(silent);
        ASSERT_TRUE(doc.OnOpenDocument(log.toStdString()));
        doc.Database().sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES "
            "('R','Running',0,1)");
    }
    std::filesystem::create_directories(dir.File("watch/march"));
    test::WriteBytes(dir.File("watch/march/run.fit"), test::WriteRun().Bytes());
    Started({log});
    SetUpProgramCommands(*app);
    EXPECT_TRUE(Enabled(Command::FileImportActivities));
    EXPECT_TRUE(ItemsOf("&File").contains("&Import Activities..."));
    EXPECT_EQ(frame().Action(Command::FileImportActivities)->shortcut(),
              QKeySequence("Ctrl+Shift+I"));

    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(Path("watch"))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    // The review window comes up once the drop is over; the user imports what it found.
    QTimer importer;
    QObject::connect(&importer, &QTimer::timeout, [] {
        auto* review = qobject_cast<ActivityImportWindow*>(QApplication::activeModalWidget());
        if (review && review->ImportButton()->isEnabled()) review->ImportButton()->click();
    });
    importer.start(10);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&frame(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    QTRY_COMPARE_WITH_TIMEOUT(app->Document()->EntryCount(), 1L, 10000);
    importer.stop();

    ASSERT_TRUE(Enabled(Command::EditUndo));
    frame().Action(Command::EditUndo)->trigger();
    EXPECT_EQ(app->Document()->EntryCount(), 0);
}

TEST(ActivityCommandLine, ActivityFilesAndFoldersAreImportedIntoTheLog) {
    test::TempDir dir;
    const QString folder = QString::fromStdString(dir.path().string());
    const CommandLine line =
        ParseCommandLine({"kivrun", "ride.FIT", "season.tlg", "run.tcx.gz", folder});
    EXPECT_EQ(line.action, CommandLine::Action::Start);
    EXPECT_EQ(line.logs, QStringList{"season.tlg"});
    EXPECT_EQ(line.activityFiles, (QStringList{"ride.FIT", "run.tcx.gz", folder}));
    // Not with --print: PrintCommandLine.MistakesAreSaidWithAnExitCode.
}

}  // namespace
}  // namespace kivrun
