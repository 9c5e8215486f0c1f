// The log list in its log window of the running program, over a sample log: commands from
// the main window's menus reach it. How they reach a view is ChildWindows'; what the list
// does with them, LogListView's.
#include <QClipboard>
#include <QItemSelectionModel>

#include "LogListSupport.h"
#include "ShellSupport.h"
#include "views/ui/LogListModel.h"
#include "views/ui/TamselView.h"

namespace kivrun::test {
namespace {

using LogListWindow = ShellTest;

TEST_F(LogListWindow, MenuCommandsReachTheListThatHasTheFocus) {
    RegisterWindowContents();  // Copy's text is the exports'
    WindowTemplates::Instance().SetPaneFactories(
        WindowKind::LogWindow, [](CTamselDoc&, QWidget* p) { return new StandInForm(p); },
        &CTamselView::Create);
    StartedOnSample(300, 7, "Season 2026.tlg");
    ShowFrame(1280, 800);
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

    // Delete from the Edit menu asks, then deletes.
    const long id = list.Model().EntryIdAt(2);
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
