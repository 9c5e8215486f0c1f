#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QStatusBar>

#include "ShellSupport.h"

namespace kivrun::test {
namespace {

using FileCommands = ShellTest;

TEST_F(FileCommands, NewAsksWhereThenCreatesTheLogAndShowsThePreferences) {
    const QString log = MakeLog("Kept.tlg");
    Started({log});
    dialogs->saveFiles.push_back(std::nullopt);  // cancelled: the open log stays open
    frame().Run(Command::FileNew);
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), log);

    int preferencesShown = 0;
    app->Ui().preferencesHandler = [&](QWidget* parent, CTamselDoc& doc) {
        EXPECT_EQ(parent, &frame());
        EXPECT_TRUE(doc.IsOpen());
        ++preferencesShown;
    };
    dialogs->saveFiles.push_back(Path("Fresh"));  // typed without its extension
    frame().Run(Command::FileNew);
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), Path("Fresh.tlg"));
    EXPECT_TRUE(QFile::exists(Path("Fresh.tlg")));
    EXPECT_EQ(preferencesShown, 1);
    ASSERT_EQ(dialogs->saveSpecs.size(), 2u);
    EXPECT_EQ(dialogs->saveSpecs[1].nameFilters,
              (QStringList{"Training Log Files (*.tlg)", "All Files (*)"}));
    EXPECT_EQ(dialogs->saveSpecs[1].defaultSuffix, "tlg");
    EXPECT_EQ(app->Recent().First(), Path("Fresh.tlg"));
}

TEST_F(FileCommands, OpeningASecondLogClosesTheFirstWithItsBackup) {
    PlugFakeViews({WindowKind::LogWindow, WindowKind::Calendar});
    const QString first = MakeLog("First.tlg");
    const QString second = MakeLog("Second.tlg");
    Started({first});
    app->Document()->OpenOrActivate(WindowKind::Calendar);
    ASSERT_EQ(frame().Children().size(), 2);

    dialogs->openFiles.push_back(second);
    frame().Run(Command::FileOpen);
    ASSERT_NE(app->Document(), nullptr);
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), second);
    EXPECT_TRUE(QFile::exists(app->BackupFolder() + "/FirstBAK.tlg"));
    // The first log's windows went with it; the second gets its log window.
    ASSERT_EQ(frame().Children().size(), 1);
    EXPECT_EQ(frame().Children().front()->Kind(), WindowKind::LogWindow);
    EXPECT_EQ(dialogs->openSpecs.at(0).nameFilters,
              (QStringList{"Training Log Files (*.tlg)", "All Files (*)"}));
    // The dialog started beside the open log.
    EXPECT_EQ(dialogs->openSpecs.at(0).initialPath,
              QString::fromStdString(dir.path().string()) + "/");
    EXPECT_EQ(app->Recent().Files(), (QStringList{second, first}));
}

TEST_F(FileCommands, AWindowThatRefusesToCloseKeepsTheLogOpen) {
    PlugFakeViews({WindowKind::Calendar});
    const QString first = MakeLog("First.tlg");
    const QString second = MakeLog("Second.tlg");
    Started({first});
    app->Document()->OpenOrActivate(WindowKind::Calendar);
    LastView(WindowKind::Calendar)->refuseClose = true;
    EXPECT_FALSE(app->OpenLog(second));
    EXPECT_EQ(QString::fromStdString(app->Document()->PathName()), first);
    EXPECT_FALSE(frame().close());
    EXPECT_NE(app->Document(), nullptr);
    LastView(WindowKind::Calendar)->refuseClose = false;
    EXPECT_TRUE(frame().close());
    EXPECT_EQ(app->Document(), nullptr);
}

TEST_F(FileCommands, RecentLogsAreNewestFirstOnceEachAndAtMostFour) {
    Started();
    QStringList logs;
    for (const char* name : {"A.tlg", "B.tlg", "C.tlg", "D.tlg", "E.tlg"})
        logs << MakeLog(name);
    for (const QString& log : logs)
        ASSERT_TRUE(app->OpenLog(log));
    EXPECT_EQ(app->Recent().Files(), (QStringList{logs[4], logs[3], logs[2], logs[1]}));
    // Reached by another spelling, B is still one entry, now first.
    ASSERT_TRUE(app->OpenLog(Path("Documents") + "/../B.tlg"));
    EXPECT_EQ(app->Recent().Files(), (QStringList{logs[1], logs[4], logs[3], logs[2]}));
    // The File menu lists them under numbered mnemonics.
    const QStringList file = ItemsOf("&File");
    EXPECT_TRUE(file.contains("&1 " + logs[1])) << file.join(", ").toStdString();
    EXPECT_EQ(file.filter(QRegularExpression("^&[1-4] ")).size(), 4);

    // A recent log that has gone is said so and leaves the list.
    ASSERT_TRUE(QFile::remove(logs[2]));
    EXPECT_FALSE(app->OpenRecent(logs[2]));
    EXPECT_EQ(dialogs->messages.size(), 1u);
    EXPECT_FALSE(app->Recent().Files().contains(logs[2]));
    EXPECT_EQ(ItemsOf("&File").filter(QRegularExpression("^&[1-4] ")).size(), 3);
    QSettings settings(Path("settings.ini"), QSettings::IniFormat);
    EXPECT_FALSE(settings.contains("Recent File List/File4"));
}

TEST_F(FileCommands, CloseReturnsToTheNoLogMenus) {
    const QString log = MakeLog("Closing.tlg");
    Started({log});
    ASSERT_TRUE(Enabled(Command::FileClose));
    frame().Run(Command::FileClose);
    EXPECT_EQ(app->Document(), nullptr);
    EXPECT_EQ(MenuTitles(), (QStringList{"&File", "&View", "&Help"}));
    EXPECT_EQ(frame().windowTitle(), "Kivrun");
    EXPECT_TRUE(QFile::exists(app->BackupFolder() + "/ClosingBAK.tlg"));
    // Said once, with where the copy went.
    EXPECT_EQ(frame().statusBar()->currentMessage(),
              "Closing.tlg was backed up to " + QDir::toNativeSeparators(app->BackupFolder()));
}

TEST_F(FileCommands, UndoFollowsTheDocumentsNotices) {
    const QString log = MakeLog("Undo.tlg");
    Started({log});
    CTamselDoc& doc = *app->Document();
    doc.Database().sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) "
        "VALUES ('R','Running',0,1,0,2)");
    frame().RefreshCommands();
    EXPECT_FALSE(frame().Action(Command::EditUndo)->isEnabled());
    ASSERT_GT(doc.AddEntry(Entry(3, 14, 2026, "R", 1800), nullptr), 0);
    // No explicit refresh: the notice of the new entry brings Undo to life.
    Settle();
    EXPECT_TRUE(frame().Action(Command::EditUndo)->isEnabled());
}

}  // namespace
}  // namespace kivrun::test
