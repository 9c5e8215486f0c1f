
#include <QFileInfo>

#include "ShellSupport.h"
#include "app/ui/ProgramSetup.h"

namespace kivrun {
namespace {

using ProgramCommands = test::ShellTest;

TEST_F(ProgramCommands, ImportExportAndPreferencesWorkOnceWired) {
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
    for (Command c : {Command::ToolsImport, Command::EditPreferences, Command::FileExport})
        EXPECT_FALSE(Enabled(c));
    SetUpProgramCommands(*app);
    for (Command c : {Command::ToolsImport, Command::EditPreferences, Command::FileExport})
        EXPECT_TRUE(Enabled(c));

    // Entries come over for the sports this log has.
    app->Document()->Database().sql().Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID) VALUES ('R','Running',0,1)");
    dialogs->importChoices = ImportOptions{};
    dialogs->openFiles.push_back(other);
    frame().Action(Command::ToolsImport)->trigger();
    EXPECT_EQ(app->Document()->EntryCount(), 2);

    // File > Export writes the log where the user says.
    const QString page = Path("log.htm");
    dialogs->saveFiles.push_back(page);
    frame().Action(Command::FileExport)->trigger();
    EXPECT_TRUE(QFileInfo::exists(page));
    EXPECT_EQ(dialogs->messages.back(), "File Export Complete!!");
}

}  // namespace
}  // namespace kivrun
