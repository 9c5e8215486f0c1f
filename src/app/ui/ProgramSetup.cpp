#include "app/ui/ProgramSetup.h"

#include "app/ui/ActivityFilesEntry.h"
#include "app/ui/KivrunApp.h"
#include "app/ui/MainFrame.h"
#include "document/Import.h"
#include "output/ExportCommand.h"
#include "prefs/ui/PreferencesSheet.h"
#include "weights/ui/ExerciseListDlg.h"
#include "weights/ui/WeightsDlg.h"

namespace kivrun {

void SetUpProgramCommands(KivrunApp& app) {
    app.Ui().preferencesHandler = ::ShowPreferencesSheet;
    app.Frame().SetCommandHandler(Command::ToolsImport, [](QWidget*, CTamselDoc* doc) {
        if (doc) ImportFromOtherLog(*doc);
    });
    app.Frame().SetCommandHandler(Command::FileExport, [](QWidget*, CTamselDoc* doc) {
        if (doc) ExportLog(*doc);
    });
    app.Frame().SetCommandHandler(Command::FileImportActivities, [&app](QWidget*, CTamselDoc* doc) {
        if (doc) ImportActivityFiles(app, {});
    });
    AcceptActivityDrops(app);
    app.Frame().SetCommandHandler(Command::WeightsTemplates, [](QWidget* parent, CTamselDoc* doc) {
        if (doc) CWeightsDlg::EditTemplates(*doc, parent);
    });
    app.Frame().SetCommandHandler(Command::WeightsExercises, [](QWidget* parent, CTamselDoc* doc) {
        if (doc) CExerciseListDlg::Edit(*doc, parent);
    });
}

}  // namespace kivrun
