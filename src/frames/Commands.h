#pragma once

#include <optional>
#include <string>

namespace kivrun {

// Every command of the menus and toolbars. A window takes the commands that are its own
// through CommandTarget; the main window takes the program-wide ones.
enum class Command {
    Separator,    // in menu and toolbar patterns: a separator line
    RecentFiles,  // in menu patterns: where the recent-file items go

    FileNew,
    FileOpen,
    FileClose,
    FileExport,
    FileImportActivities,
    FilePageSetup,
    FilePrintPreview,
    FilePrint,
    AppExit,

    EditUndo,
    EditRedo,
    EditCopy,
    EditEntry,  // "Edit Entry" in the log window, "Modify Entry" elsewhere
    EditDuplicate,
    EditDelete,
    EditPreferences,

    ViewDataEntry,
    ViewTrainingLog,
    ViewMonth,
    ViewWeek,
    ViewEntry,
    ViewTotals,
    ViewGraph,
    ViewEvents,
    ViewEquipment,
    ViewToolbar,
    ViewStatusBar,
    ViewFilterBar,

    WeightsTemplates,
    WeightsExercises,
    ToolsImport,

    WindowSplit,
    WindowCascade,
    WindowTileHorizontally,
    WindowTileVertically,
    WindowArrangeIcons,

    HelpTopics,
    HelpAbout,

    TotalsByWeek,
    TotalsByMonth,
    TotalsByYear,
    TotalsSingleView,
    TotalsSplitView,

    CalendarNewEvent,

    GraphBar,
    GraphLine,
    GraphPie,
    GraphCumulative,
    GraphBySport,
    GraphByWeek,
    GraphByMonth,
    GraphByYear,
    GraphZoomIn,
    GraphZoomOut,

    // Child-window toolbars.
    ViewPrevious,
    ViewNext,
    CloseView,
    PrintRoutine,

    Count
};

struct CommandState {
    bool enabled = false;
    bool checked = false;
    // The item's wording when the window words it after its state ("De&lete Entries\tDel");
    // empty keeps the menu's own text.
    std::string text = {};
};

// Implemented by the content of a log window (next to View) to take the commands that
// belong to that window: print, the entry items of Edit, its own menu and toolbar.
class CommandTarget {
  public:
    virtual ~CommandTarget() = default;
    // The state of cmd in this window, or nullopt when this window does not take cmd.
    virtual std::optional<CommandState> CommandStatus(Command cmd) = 0;
    virtual void RunCommand(Command cmd) = 0;
};

// The status-bar prompt and the tooltip of a command (empty texts when it has none).
struct CommandPrompt {
    const char* prompt;
    const char* tip;
};
CommandPrompt PromptOf(Command cmd);

// A second key for a command ("Ctrl+Shift+Z" for Redo), beside the one its menu item
// shows; null when it has none.
const char* AlternateShortcutOf(Command cmd);

// Commands that act on the open log: disabled while none is open.
bool NeedsLog(Command cmd);
// Commands shown with a check mark.
bool IsCheckable(Command cmd);

}  // namespace kivrun
