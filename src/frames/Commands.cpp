#include "frames/Commands.h"

namespace kivrun {

CommandPrompt PromptOf(Command cmd) {
    switch (cmd) {
        case Command::FileNew:
            return {"Create a new training log", "New"};
        case Command::FileOpen:
            return {"Open an existing training log", "Open"};
        case Command::FileClose:
            return {"Close the training log", "Close"};
        case Command::FileExport:
            return {"Export training log as text file", "Export"};
        case Command::FileImportActivities:
            return {"Import workouts from watch and app files (FIT, TCX, GPX)",
                    "Import Activities"};
        case Command::FilePageSetup:
            return {"Change the printer and printing options", "Page Setup"};
        case Command::FilePrintPreview:
            return {"Display full pages", "Print Preview"};
        case Command::FilePrint:
            return {"Print the active window", "Print"};
        case Command::AppExit:
            return {"Quit the program; closes the training log", "Exit"};
        case Command::EditUndo:
            return {"Undo the last action", "Undo"};
        case Command::EditRedo:
            return {"Redo the last action undone", "Redo"};
        case Command::EditCopy:
            return {"Copy the selected entries to the clipboard", "Copy"};
        case Command::EditEntry:
            return {"Edit the selected entry", "Edit Entry"};
        case Command::EditDuplicate:
            return {"Duplicate the selected entry", "Duplicate Entry"};
        case Command::EditDelete:
            return {"Delete the selected entry", "Delete Entry"};
        case Command::EditPreferences:
            return {"Open preferences", "Preferences"};
        case Command::ViewDataEntry:
            return {"Open data entry dialog", "Data Entry"};
        case Command::ViewTrainingLog:
            return {"View training log", "Training Log"};
        case Command::ViewMonth:
            return {"Open calendar view", "Calendar View"};
        case Command::ViewWeek:
            return {"Open week view", "Week View"};
        case Command::ViewEntry:
            return {"Open entry view", "Entry View"};
        case Command::ViewTotals:
            return {"View training log totals", "Totals"};
        case Command::ViewGraph:
            return {"Create Graphs", "Graphs"};
        case Command::ViewEvents:
            return {"Open Event View", "Events"};
        case Command::ViewEquipment:
            return {"View equipment and the distance it has done", "Equipment"};
        case Command::ViewToolbar:
            return {"Show or hide the toolbar", "Toggle Toolbar"};
        case Command::ViewStatusBar:
            return {"Show or hide the status bar", "Toggle Status Bar"};
        case Command::ViewFilterBar:
            return {"Display filters toolbar", "Filter Toolbar"};
        case Command::WeightsTemplates:
            return {"Edit/view/print your routines", "Routine Templates"};
        case Command::WeightsExercises:
            return {"Edit exercises list", "Exercise List"};
        case Command::ToolsImport:
            return {"Import Entries, Routes, and/or Preferences from other Log", "Import"};
        case Command::WindowSplit:
            return {"Move the split between the panes of the window", "Split"};
        case Command::WindowCascade:
            return {"Arrange windows so they overlap", "Cascade Windows"};
        case Command::WindowTileHorizontally:
            return {"Arrange windows as non-overlapping tiles, one above the other", "Tile"};
        case Command::WindowTileVertically:
            return {"Arrange windows as non-overlapping tiles, side by side", "Tile"};
        case Command::WindowArrangeIcons:
            return {"Arrange minimized windows at the bottom of the main window", "Arrange Icons"};
        case Command::HelpTopics:
            return {"List Help topics", "Help Topics"};
        case Command::HelpAbout:
            return {"Display program information and version number", "About"};
        case Command::TotalsByWeek:
            return {"Group totals by week", "Totals By Week"};
        case Command::TotalsByMonth:
            return {"Group totals by month", "Group By Month"};
        case Command::TotalsByYear:
            return {"Group totals by year", "Group By Year"};
        case Command::TotalsSingleView:
            return {"Show one totals pane", "Single View"};
        case Command::TotalsSplitView:
            return {"Show two totals panes side by side", "Split View"};
        case Command::CalendarNewEvent:
            return {"Add a calendar event", "New Event"};
        case Command::GraphBar:
            return {"Show a bar graph", "Bar Graph"};
        case Command::GraphLine:
            return {"Show a line graph", "Line Graph"};
        case Command::GraphPie:
            return {"Show a pie chart", "Pie Chart"};
        case Command::GraphCumulative:
            return {"Add up the values from period to period", "Cumulative"};
        case Command::GraphBySport:
            return {"Show each sport on its own", "Separate By Sport"};
        case Command::GraphByWeek:
            return {"Group the graph by week", "Group By Week"};
        case Command::GraphByMonth:
            return {"Group the graph by month", "Group By Month"};
        case Command::GraphByYear:
            return {"Group the graph by year", "Group By Year"};
        case Command::GraphZoomIn:
            return {"Show fewer periods", "Zoom In"};
        case Command::GraphZoomOut:
            return {"Show more periods", "Zoom Out"};
        case Command::ViewPrevious:
            return {"Show the previous month, week or workout", "Previous"};
        case Command::ViewNext:
            return {"Show the next month, week or workout", "Next"};
        case Command::CloseView:
            return {"Close this window", "Close View"};
        case Command::PrintRoutine:
            return {"Print the weights routine of this entry", "Print Routine"};
        case Command::Separator:
        case Command::RecentFiles:
        case Command::Count:
            break;
    }
    return {"", ""};
}

const char* AlternateShortcutOf(Command cmd) {
    return cmd == Command::EditRedo ? "Ctrl+Shift+Z" : nullptr;
}

bool NeedsLog(Command cmd) {
    switch (cmd) {
        case Command::FileNew:
        case Command::FileOpen:
        case Command::RecentFiles:
        case Command::AppExit:
        case Command::ViewToolbar:
        case Command::ViewStatusBar:
        case Command::HelpTopics:
        case Command::HelpAbout:
        case Command::Separator:
        case Command::Count:
            return false;
        default:
            return true;
    }
}

bool IsCheckable(Command cmd) {
    switch (cmd) {
        case Command::ViewToolbar:
        case Command::ViewStatusBar:
        case Command::ViewFilterBar:
        case Command::TotalsByWeek:
        case Command::TotalsByMonth:
        case Command::TotalsByYear:
        case Command::TotalsSingleView:
        case Command::TotalsSplitView:
        case Command::GraphBar:
        case Command::GraphLine:
        case Command::GraphPie:
        case Command::GraphCumulative:
        case Command::GraphBySport:
        case Command::GraphByWeek:
        case Command::GraphByMonth:
        case Command::GraphByYear:
            return true;
        default:
            return false;
    }
}

}  // namespace kivrun
