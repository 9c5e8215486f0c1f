#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frames/Commands.h"
#include "store/UserInterface.h"

namespace kivrun {

// The rules of the main window and its log windows: titles, where a new window opens,
// the menu bar each window brings, the toolbars, and how windows are tiled.

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The eight kinds in the order they are registered.
const std::vector<WindowKind>& AllWindowKinds();
// The caption of a window of that kind.
std::string WindowTitle(WindowKind kind);

// Smallest size a log window opens at, so that a tiny main window still shows something.
constexpr int kMinChildWidth = 200;
constexpr int kMinChildHeight = 150;

// Where a new window of that kind opens in a client area of W x H; nullopt lets the
// window system choose.
std::optional<WindowRect> InitialChildRect(WindowKind kind, int clientWidth, int clientHeight);
// A width x height window centred in the client area (never starting above or left of it).
WindowRect CentredRect(int width, int height, int clientWidth, int clientHeight);

// Two-pane windows: the initial height of the upper pane; 0 for one-pane windows.
int UpperPaneHeight(WindowKind kind);

// The totals window: one pane at 420 pixels, or two columns split at 408 in 830.
constexpr int kTotalsSingleWidth = 420;
constexpr int kTotalsSplitWidth = 830;
constexpr int kTotalsSplitColumn = 408;

// --- Menus and toolbars -------------------------------------------------------------------

// One item: a command with its text ("&New\tCtrl+N": mnemonic, then the shortcut after a tab).
struct MenuItem {
    Command command = Command::Separator;
    std::string text;
};
struct Menu {
    std::string title;
    std::vector<MenuItem> items;
};
using MenuBar = std::vector<Menu>;

// The menu bar while no log is open.
MenuBar NoLogMenuBar();
// The menu bar while a log is open and a window of that kind is active.
MenuBar LogMenuBar(WindowKind active);
// The text after the tab of an item ("Ctrl+N"), empty when it has no shortcut.
std::string ShortcutOf(const std::string& itemText);

// The main toolbar, Separator where a line goes.
std::vector<Command> MainToolbar();
// A log window's own toolbar (empty when it has none).
std::vector<Command> ChildToolbar(WindowKind kind);

// The status bar's keyboard indicators after the message pane, in order: Caps Lock, Num
// Lock, Scroll Lock. A pane shows its short name while its lock is on.
struct KeyLockIndicator {
    const char* name;       // "Caps Lock"
    const char* shortName;  // "CAP"
};
const std::vector<KeyLockIndicator>& KeyLockIndicators();

// --- Arranging windows --------------------------------------------------------------------

enum class TileOrientation {
    Horizontal,  // windows one above the other
    Vertical,    // windows side by side
};
// Non-overlapping places for count windows filling a client area: a grid of columns, the
// last column taking the windows left over; pixels left by division go to the last row
// and column.
std::vector<WindowRect> TileRects(int count, int clientWidth, int clientHeight,
                                  TileOrientation orientation);
// The least size a window of that kind is given when windows are arranged, so that its
// content reads (below it a window scrolls): the month's grid, the week's boxes, the entry
// page, a list of a few rows.
struct WindowSize {
    int width = 0;
    int height = 0;
};
WindowSize UsefulSize(WindowKind kind);
// Tile: the places of TileRects, each grown to its window's useful size where the area has
// room, kept inside the area (windows overlap when there are too many for it).
std::vector<WindowRect> TileRectsFor(const std::vector<WindowKind>& kinds, int clientWidth,
                                     int clientHeight, TileOrientation orientation);
// Cascade: each window a title bar lower and to the right of the one before, starting again
// at the top left when the next would leave the area; each as large as the area leaves it
// after the steps still to come, never below its useful size (nor above the area).
std::vector<WindowRect> CascadeRects(const std::vector<WindowKind>& kinds, int clientWidth,
                                     int clientHeight);
// Places for count minimised windows of iconWidth x iconHeight: left to right along the
// bottom, further rows above.
std::vector<WindowRect> IconRects(int count, int clientWidth, int clientHeight, int iconWidth,
                                  int iconHeight);

}  // namespace kivrun
