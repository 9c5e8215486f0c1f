// The log list in its log window of the running program, over a sample log: commands from
// the main window's menus reach it.
#include <QAction>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QWidget>

#include "ShellSupport.h"
#include "UiTestSupport.h"
#include "app/ui/WindowContents.h"
#include "document/SampleLog.h"
#include "frames/ui/ChildFrame.h"
#include "views/ui/LogListModel.h"
#include "views/ui/TamselView.h"

namespace kivrun::test {
namespace {

// Stands in for the data entry form above the list: notes which entries it was asked to edit.
class FormStandIn : public QWidget, public View {
  public:
    explicit FormStandIn(QWidget* parent) : QWidget(parent) {}
    std::vector<long> edited;
    void OnUpdate(View*, const UpdateHint& hint) override {
        if (hint.kind == Notice::EditEntry) edited.push_back(hint.id);
    }
};

using LogListWindow = ShellTest;

TEST_F(LogListWindow, MenuCommandsReachTheListThatHasTheFocus) {
    const std::string log = dir.File("Season 2026.tlg");
    SilentUserInterface silent;
    ASSERT_TRUE(WriteSampleLog(log, 300, 7, silent));
    RegisterWindowContents();  // Copy's text is the exports'
    WindowTemplates::Instance().SetPaneFactories(
        WindowKind::LogWindow, [](CTamselDoc&, QWidget* p) { return new FormStandIn(p); },
        &CTamselView::Create);
    Started({QString::fromStdString(log)});
    frame().showNormal();
    frame().resize(1280, 800);
    Settle();
    ChildFrame* window = frame().FindChild(WindowKind::LogWindow);
    ASSERT_NE(window, nullptr);
    auto& list = *dynamic_cast<CTamselView*>(window->Panes().back());
    EXPECT_EQ(list.Model().rowCount(), 300);
    list.setFocus();
    Settle();
    EXPECT_FALSE(Enabled(Command::EditDelete));
    EXPECT_TRUE(Enabled(Command::FilePrint));
    list.selectRow(2);
    EXPECT_TRUE(Enabled(Command::EditDelete));
    EXPECT_TRUE(Enabled(Command::EditEntry));
    EXPECT_EQ(frame().Action(Command::EditDelete)->text(), "De&lete Entry");

    // Edit Entry goes to the form above the list.
    const long id = list.Model().EntryIdAt(2);
    frame().Run(Command::EditEntry);
    auto* form = dynamic_cast<FormStandIn*>(window->Panes()[0]);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->edited, std::vector<long>{id});

    // Delete from the Edit menu asks, then deletes.
    dialogs->answers = {true};
    frame().Run(Command::EditDelete);
    EXPECT_EQ(dialogs->questions.back(), "Are you sure you want to delete this entry?");
    EXPECT_EQ(list.Model().rowCount(), 299);
    EXPECT_EQ(list.Model().RowOfEntry(id), -1);

    // Two rows: the Delete item says so, and Copy puts the exports' lines on the clipboard.
    list.selectRow(0);
    list.selectionModel()->select(list.model()->index(2, 0),
                                  QItemSelectionModel::Select | QItemSelectionModel::Rows);
    ASSERT_TRUE(Enabled(Command::EditCopy));
    EXPECT_EQ(frame().Action(Command::EditDelete)->text(), "De&lete Entries");
    frame().Action(Command::EditCopy)->trigger();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 2) << copied.toStdString();
    EXPECT_EQ(copied.split(QLatin1Char('\t')).size(), 15);  // eight fields a line

    // Print Preview from the File menu previews the list.
    EXPECT_TRUE(SaveModalScreenshot([&] { frame().Run(Command::FilePrintPreview); },
                                    "loglist-print-preview"));
}

}  // namespace
}  // namespace kivrun::test
