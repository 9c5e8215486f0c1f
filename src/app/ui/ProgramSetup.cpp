#include "app/ui/ProgramSetup.h"

#include "app/Import.h"
#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "output/ExportCommand.h"
#include "prefs/ui/PreferencesSheet.h"

namespace kivrun {

void SetUpProgramCommands(KivrunApp& app) {
    app.Ui().preferencesHandler = ::ShowPreferencesSheet;
    app.Frame().SetCommandHandler(Command::ToolsImport, [](QWidget*, CTamselDoc* doc) {
        if (doc) ImportFromOtherLog(*doc);
    });
    app.Frame().SetCommandHandler(Command::FileExport, [](QWidget*, CTamselDoc* doc) {
        if (doc) ExportLog(*doc);
    });
}

}  // namespace kivrun
