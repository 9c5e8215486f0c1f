#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>

#include "ShellSupport.h"
#include "app/SampleLog.h"
#include "app/TamselDoc.h"
#include "app/ui/WindowContents.h"
#include "views/ui/TamselView.h"

namespace kivrun {
namespace {

using LogWindowWiring = test::ShellTest;

// The log window as the program puts it together: the list's commands reach the menus and
// its Copy reaches the clipboard text of the exports.
TEST_F(LogWindowWiring, SelectedRowsAreCopiedAndTheDeleteItemSaysHowMany) {
    RegisterWindowContents();
    SilentUserInterface silent;
    const std::string log = dir.File("sample.tlg");
    ASSERT_TRUE(WriteSampleLog(log, 20, 3, silent));
    Started({QString::fromStdString(log)});
    Settle();
    auto* list = frame().findChild<CTamselView*>();
    ASSERT_NE(list, nullptr);
    list->setFocus();
    list->selectRow(0);
    EXPECT_EQ(frame().Action(Command::EditDelete)->text(), "De&lete Entry");
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    frame().RefreshCommands();
    EXPECT_EQ(frame().Action(Command::EditDelete)->text(), "De&lete Entries");
    ASSERT_TRUE(frame().Action(Command::EditCopy)->isEnabled());
    frame().Action(Command::EditCopy)->trigger();
    const QString copied = QApplication::clipboard()->text();
    EXPECT_EQ(copied.count(QLatin1Char('\n')), 2) << copied.toStdString();
    EXPECT_EQ(copied.split(QLatin1Char('\t')).size(), 15);  // eight fields a line
}

}  // namespace
}  // namespace kivrun
