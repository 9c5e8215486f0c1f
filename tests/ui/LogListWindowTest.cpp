// The log list in its log window of the running program, over a sample log: commands from
// the main window's menus reach it, and pictures of it are saved to look at.
#include <QComboBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "ShellSupport.h"
#include "UiTestSupport.h"
#include "app/LogWindowParts.h"
#include "app/SampleLog.h"
#include "app/ui/ChildFrame.h"
#include "views/ui/LogListModel.h"
#include "views/ui/LogListPrinter.h"
#include "views/ui/TamselView.h"

namespace kivrun::test {
namespace {

// Looks like the data entry form, for pictures of the whole window.
class FormStandIn : public QWidget, public View {
  public:
    explicit FormStandIn(QWidget* parent) : QWidget(parent) {
        auto* form = new QFormLayout(this);
        auto* sport = new QComboBox(this);
        sport->addItems({"Running", "Road", "Swimming"});
        form->addRow("Date:", new QLineEdit("3/14/2026", this));
        form->addRow("Sport:", sport);
        form->addRow("Time:", new QLineEdit("0:42:10", this));
    }
    std::vector<long> edited;
    void OnUpdate(View*, const UpdateHint& hint) override {
        if (hint.kind == Notice::EditEntry) edited.push_back(hint.id);
    }
};

class LogListWindow : public ShellTest {
  protected:
    CTamselView& OpenSampleLog(int entries) {
        const std::string log = dir.File("Season 2026.tlg");
        SilentUserInterface silent;
        EXPECT_TRUE(WriteSampleLog(log, entries, 7, silent));
        WindowTemplates::Instance().SetPaneFactories(
            WindowKind::LogWindow, [](CTamselDoc&, QWidget* p) { return new FormStandIn(p); },
            &CTamselView::Create);
        Started({QString::fromStdString(log)});
        frame().showNormal();
        frame().resize(1280, 800);
        Settle();
        ChildFrame* window = frame().FindChild(WindowKind::LogWindow);
        EXPECT_NE(window, nullptr);
        return *dynamic_cast<CTamselView*>(window->Panes().back());
    }
};

TEST_F(LogListWindow, MenuCommandsReachTheListThatHasTheFocus) {
    CTamselView& list = OpenSampleLog(300);
    EXPECT_EQ(list.Model().rowCount(), 300);
    list.setFocus();
    Settle();
    EXPECT_FALSE(Enabled(Command::EditDelete));
    EXPECT_TRUE(Enabled(Command::FilePrint));
    list.selectRow(2);
    EXPECT_TRUE(Enabled(Command::EditDelete));
    EXPECT_TRUE(Enabled(Command::EditEntry));

    // Edit Entry goes to the form above the list.
    const long id = list.Model().EntryIdAt(2);
    frame().Run(Command::EditEntry);
    auto* form = dynamic_cast<FormStandIn*>(frame().FindChild(WindowKind::LogWindow)->Panes()[0]);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->edited, std::vector<long>{id});

    // Delete from the Edit menu asks, then deletes.
    dialogs->answers = {true};
    frame().Run(Command::EditDelete);
    EXPECT_EQ(dialogs->questions.back(), "Are you sure you want to delete this entry?");
    EXPECT_EQ(list.Model().rowCount(), 299);
    EXPECT_EQ(list.Model().RowOfEntry(id), -1);
}

TEST_F(LogListWindow, PicturesOfTheLogWindow) {
    CTamselView& list = OpenSampleLog(900);
    list.setFocus();
    list.selectRow(4);
    list.selectionModel()->select(list.Model().index(6, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    Settle();
    SaveScreenshot(frame(), "loglist-window");

    std::unique_ptr<QMenu> columnMenu(
        list.MakeColumnMenu(list.Model().IndexOfColumn(LogListCells::kTime), &list));
    columnMenu->adjustSize();
    SaveScreenshot(*columnMenu, "loglist-column-menu");
    for (QAction* a : columnMenu->actions())
        if (a->menu() && a->text() == "&Time Format") {
            a->menu()->adjustSize();
            SaveScreenshot(*a->menu(), "loglist-time-format-menu");
        }
    std::unique_ptr<QMenu> rowMenu(list.MakeRowMenu(4, &list));
    rowMenu->adjustSize();
    SaveScreenshot(*rowMenu, "loglist-row-menu");

    // Icons for sports, classes by letter, oldest first.
    list.SetColumnFormat(LogListCells::kSport, {2, 25, 2, "S"});
    list.SetColumnFormat(LogListCells::kClass, {1, 25, 2, "C"});
    list.HeaderClicked(list.Model().IndexOfColumn(LogListCells::kDate));
    Settle();
    EXPECT_EQ(list.verticalScrollBar()->value(), list.verticalScrollBar()->maximum());
    SaveScreenshot(frame(), "loglist-icons-oldest-first");

    // Print preview, as the File menu opens it.
    EXPECT_TRUE(SaveModalScreenshot([&] { frame().Run(Command::FilePrintPreview); },
                                    "loglist-print-preview"));

    // The first printed page, at 100 dots to the inch.
    CLogListPrinter paper(list.Model());
    const QSize page(800, 1050);
    paper.Layout(GPage{page, 100});
    QImage image(page, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paper.PaintPage(painter, QRect(QPoint(0, 0), page), 0);
    painter.end();
    QDir().mkpath(QStringLiteral(KIVRUN_BUILD_DIR "/screenshots"));
    EXPECT_TRUE(image.save(QStringLiteral(KIVRUN_BUILD_DIR "/screenshots/loglist-page1.png")));
}

}  // namespace
}  // namespace kivrun::test
