#include <gtest/gtest.h>

#include <QAction>

#include "ShellSupport.h"
#include "app/TamselDoc.h"
#include "app/ui/ImportDialog.h"
#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "app/ui/ProgramSetup.h"
#include "store/LogDatabase.h"
#include "store/LogEntryFilteredSet.h"

namespace kivrun {
namespace {

using ProgramCommands = test::ShellTest;

TEST_F(ProgramCommands, ImportAndPreferencesAreOfferedOnceWired) {
    PlugFakeViews({WindowKind::LogWindow});
    const QString log = MakeLog("mine.tlg");
    const QString other = MakeLog("other.tlg");
    {
        SilentUserInterface silent;
        CTamselDoc doc(silent);
        ASSERT_TRUE(doc.OnOpenDocument(other.toStdString()));
        doc.Database().sql().Exec(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES "
            "('R','Running',0,1)");
        doc.Database().sql().Exec(
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Time) VALUES "
            "(37622, 'R', 'G', 600), (37623, 'R', 'G', 700)");
    }
    Started({log});
    EXPECT_FALSE(Enabled(Command::ToolsImport));
    EXPECT_FALSE(Enabled(Command::EditPreferences));
    SetUpProgramCommands(*app);
    EXPECT_TRUE(Enabled(Command::ToolsImport));
    EXPECT_TRUE(Enabled(Command::EditPreferences));

    // Entries come over for the sports this log has.
    app->Document()->Database().sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ('R','Running',0,1)");
    dialogs->importChoices = ImportOptions{};
    dialogs->openFiles.push_back(other);
    frame().Action(Command::ToolsImport)->trigger();
    EXPECT_EQ(app->Document()->FilteredSet().GetRecordCount(), 2);
}

TEST(ImportDialog, StartsWithOnlyEntriesTicked) {
    CImportDialog dialog;
    const ImportOptions o = dialog.Options();
    EXPECT_TRUE(o.entries);
    EXPECT_FALSE(o.routes || o.preferences || o.calendar);
}

}  // namespace
}  // namespace kivrun
