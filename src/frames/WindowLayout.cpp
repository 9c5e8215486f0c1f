#include "frames/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace kivrun {

const std::vector<WindowKind>& AllWindowKinds() {
    static const std::vector<WindowKind> kinds = {
        WindowKind::LogWindow, WindowKind::Totals,   WindowKind::EntryView,
        WindowKind::WeekView,  WindowKind::Calendar, WindowKind::Events,
        WindowKind::Weights,   WindowKind::Graphs,   WindowKind::Equipment};
    return kinds;
}

std::string WindowTitle(WindowKind kind) {
    switch (kind) {
        case WindowKind::LogWindow:
            return "Training Log";
        case WindowKind::Totals:
            return "Totals";
        case WindowKind::EntryView:
            return "Entry View";
        case WindowKind::WeekView:
            return "Week View";
        case WindowKind::Calendar:
            return "Calendar View";
        case WindowKind::Events:
            return "Events";
        case WindowKind::Weights:
            // Its own name: with the entry view's, two different windows would both be
            // called "Entry View".
            return "Weights";
        case WindowKind::Graphs:
            return "Graphing";
        case WindowKind::Equipment:
            return "Equipment";
    }
    return {};
}

WindowRect CentredRect(int width, int height, int clientWidth, int clientHeight) {
    return {std::max(0, (clientWidth - width) / 2), std::max(0, (clientHeight - height) / 2), width,
            height};
}

std::optional<WindowRect> InitialChildRect(WindowKind kind, int w, int h) {
    int width = 0;
    int height = 0;
    switch (kind) {
        case WindowKind::LogWindow:
            return WindowRect{0, 0, std::max(w - 5, kMinChildWidth),
                              std::max(h - 5, kMinChildHeight)};
        case WindowKind::Calendar:
            width = w - 20;
            height = h - 10;
            break;
        case WindowKind::EntryView:
            width = std::min(w - 150, 650);
            height = h - 30;
            break;
        case WindowKind::WeekView:
            width = w - 30;
            height = h - 15;
            break;
        case WindowKind::Events:
            width = w - 150;
            height = h - 30;
            break;
        case WindowKind::Graphs:
            width = w - 80;
            height = h - 15;
            break;
        case WindowKind::Totals:
            width = kTotalsSingleWidth;
            height = h - 50;
            break;
        case WindowKind::Equipment:
            width = std::min(w - 40, 1000);
            height = std::min(h - 30, 400);
            break;
        case WindowKind::Weights:
            return std::nullopt;
    }
    return CentredRect(std::max(width, kMinChildWidth), std::max(height, kMinChildHeight), w, h);
}

int UpperPaneHeight(WindowKind kind) {
    switch (kind) {
        case WindowKind::LogWindow:
            return 180;
        case WindowKind::Events:
            return 170;
        default:
            return 0;
    }
}

const std::vector<KeyLockIndicator>& KeyLockIndicators() {
    static const std::vector<KeyLockIndicator> locks = {
        {"Caps Lock", "CAP"}, {"Num Lock", "NUM"}, {"Scroll Lock", "SCRL"}};
    return locks;
}

// --- Menus --------------------------------------------------------------------------------

namespace {

MenuItem Sep() {
    return {Command::Separator, {}};
}

struct WindowMenus {
    const char* printItem;
    std::vector<MenuItem> entryItems;
    std::optional<Menu> ownMenu;
};

std::vector<MenuItem> EntryItemsLikeWeek() {
    return {{Command::EditEntry, "&Modify Entry\tCtrl+M"},
            {Command::EditDuplicate, "&Duplicate Entry\tCtrl+D"},
            {Command::EditDelete, "De&lete Entry\tDel"}};
}

WindowMenus MenusOf(WindowKind kind) {
    switch (kind) {
        case WindowKind::LogWindow:
            return {"&Print Log...\tCtrl+P",
                    {{Command::EditCopy, "&Copy Selected\tCtrl+C"},
                     {Command::EditEntry, "&Edit Entry\tCtrl+M"},
                     {Command::EditDuplicate, "&Duplicate Entry\tCtrl+D"},
                     {Command::EditDelete, "De&lete Entry\tDel"}},
                    std::nullopt};
        case WindowKind::Totals:
            return {"&Print Totals...\tCtrl+P",
                    {},
                    Menu{"&Totals",
                         {{Command::TotalsByWeek, "Group By &Week"},
                          {Command::TotalsByMonth, "Group By &Month"},
                          {Command::TotalsByYear, "Group By &Year"},
                          Sep(),
                          {Command::TotalsSingleView, "Single &View"},
                          {Command::TotalsSplitView, "&Split View"}}}};
        case WindowKind::EntryView:
        case WindowKind::Weights:
            return {"&Print Entry...\tCtrl+P", {}, std::nullopt};
        case WindowKind::WeekView:
            return {"&Print Week...\tCtrl+P", EntryItemsLikeWeek(), std::nullopt};
        case WindowKind::Calendar:
            return {"&Print Calendar...\tCtrl+P", EntryItemsLikeWeek(),
                    Menu{"&Calendar", {{Command::CalendarNewEvent, "&New event...\tCtrl+N"}}}};
        case WindowKind::Events: {
            std::vector<MenuItem> items = {{Command::EditCopy, "&Copy Selected\tCtrl+C"}};
            for (const MenuItem& item : EntryItemsLikeWeek())
                items.push_back(item);
            return {"&Print Events...\tCtrl+P", items, std::nullopt};
        }
        case WindowKind::Graphs:
            return {"&Print Graph...\tCtrl+P",
                    {},
                    Menu{"&Graphing",
                         {{Command::GraphBar, "&Bar Graph"},
                          {Command::GraphLine, "&Line Graph"},
                          {Command::GraphPie, "&Pie Graph"},
                          Sep(),
                          {Command::GraphCumulative, "&Cumulative"},
                          {Command::GraphBySport, "Separate By &Sport"},
                          Sep(),
                          {Command::GraphByWeek, "Group By &Week"},
                          {Command::GraphByMonth, "Group By &Month"},
                          {Command::GraphByYear, "Group By &Year"}}}};
        case WindowKind::Equipment:
            return {"&Print Equipment...\tCtrl+P", {}, std::nullopt};
    }
    return {};
}

Menu HelpMenu() {
    return {
        "&Help",
        {{Command::HelpTopics, "&Help Topics"}, Sep(), {Command::HelpAbout, "&About Kivrun..."}}};
}

}  // namespace

MenuBar NoLogMenuBar() {
    return {
        {"&File",
         {{Command::FileNew, "&New\tCtrl+N"},
          {Command::FileOpen, "&Open...\tCtrl+O"},
          Sep(),
          {Command::RecentFiles, {}},
          Sep(),
          {Command::AppExit, "E&xit"}}},
        {"&View", {{Command::ViewToolbar, "&Toolbar"}, {Command::ViewStatusBar, "&Status Bar"}}},
        HelpMenu()};
}

MenuBar LogMenuBar(WindowKind active) {
    const WindowMenus own = MenusOf(active);
    MenuBar bar;

    // The calendar's "New event" has Ctrl+N: there the window's own command keeps it, and
    // File New goes without, so that one key never means two things.
    const bool ownUsesCtrlN = active == WindowKind::Calendar;
    bar.push_back({"&File",
                   {{Command::FileNew, ownUsesCtrlN ? "&New" : "&New\tCtrl+N"},
                    {Command::FileOpen, "&Open...\tCtrl+O"},
                    {Command::FileClose, "&Close"},
                    Sep(),
                    {Command::FileExport, "&Export...\tCtrl+E"},
                    {Command::FileImportActivities, "&Import Activities...\tCtrl+Shift+I"},
                    Sep(),
                    {Command::FilePageSetup, "P&age Setup..."},
                    {Command::FilePrintPreview, "Print Pre&view"},
                    {Command::FilePrint, own.printItem},
                    Sep(),
                    {Command::RecentFiles, {}},
                    Sep(),
                    {Command::AppExit, "E&xit"}}});

    Menu edit{"&Edit",
              {{Command::EditUndo, "&Undo\tCtrl+Z"}, {Command::EditRedo, "Red&o\tCtrl+Y"}}};
    if (!own.entryItems.empty()) {
        edit.items.push_back(Sep());
        for (const MenuItem& item : own.entryItems)
            edit.items.push_back(item);
    }
    edit.items.push_back(Sep());
    edit.items.push_back({Command::EditPreferences, "P&references..."});
    bar.push_back(edit);

    bar.push_back({"&View",
                   {{Command::ViewDataEntry, "&Data Entry..."},
                    {Command::ViewTrainingLog, "Trai&ning Log..."},
                    {Command::ViewMonth, "View by &Month..."},
                    {Command::ViewWeek, "View by &Week..."},
                    {Command::ViewEntry, "View by Entr&y..."},
                    {Command::ViewTotals, "Tota&ls..."},
                    {Command::ViewGraph, "&Graph..."},
                    // The toolbar's Events button has no menu item of its own otherwise.
                    {Command::ViewEvents, "&Events..."},
                    {Command::ViewEquipment, "E&quipment..."},
                    Sep(),
                    {Command::ViewToolbar, "&Toolbar"},
                    {Command::ViewFilterBar, "&Filter Toolbar\tCtrl+F"},
                    {Command::ViewStatusBar, "&Status Bar"}}});
    bar.push_back({"Wei&ghts",
                   {{Command::WeightsTemplates, "&Routine Templates..."},
                    {Command::WeightsExercises, "Edit E&xercise List..."}}});
    bar.push_back({"&Tools", {{Command::ToolsImport, "&Import from Log"}}});
    if (own.ownMenu) bar.push_back(*own.ownMenu);

    // The same items whichever window is active: Split Window moves the divider of a window
    // of two panes, and is off in the others.
    Menu window{"&Window", {{Command::WindowSplit, "&Split Window"}, Sep()}};
    for (const MenuItem& item : {MenuItem{Command::WindowCascade, "&Cascade"},
                                 MenuItem{Command::WindowTileHorizontally, "Tile &Horizontally"},
                                 MenuItem{Command::WindowTileVertically, "Tile &Vertically"},
                                 MenuItem{Command::WindowArrangeIcons, "&Arrange Icons"}})
        window.items.push_back(item);
    bar.push_back(window);
    bar.push_back(HelpMenu());
    return bar;
}

std::string ShortcutOf(const std::string& itemText) {
    const std::size_t tab = itemText.find('\t');
    return tab == std::string::npos ? std::string() : itemText.substr(tab + 1);
}

std::vector<Command> MainToolbar() {
    return {Command::FileNew,         Command::FileOpen,         Command::Separator,
            Command::FilePrint,       Command::FilePrintPreview, Command::Separator,
            Command::ViewTrainingLog, Command::Separator,        Command::ViewMonth,
            Command::ViewWeek,        Command::ViewEntry,        Command::Separator,
            Command::ViewTotals,      Command::ViewGraph,        Command::Separator,
            Command::ViewEvents};
}

std::vector<Command> ChildToolbar(WindowKind kind) {
    switch (kind) {
        case WindowKind::Calendar:
            return {Command::ViewPrevious, Command::ViewNext, Command::CalendarNewEvent};
        case WindowKind::EntryView:
            // Print Routine is the view's to show only while the entry has a routine.
            return {Command::CloseView, Command::EditEntry,    Command::EditDelete,
                    Command::Separator, Command::ViewPrevious, Command::ViewNext,
                    Command::Separator, Command::PrintRoutine};
        case WindowKind::WeekView:
            return {Command::ViewPrevious, Command::ViewNext};
        case WindowKind::Graphs:
            return {Command::GraphBar,    Command::GraphLine,   Command::GraphPie,
                    Command::Separator,   Command::GraphByWeek, Command::GraphByMonth,
                    Command::GraphByYear, Command::Separator,   Command::GraphZoomIn,
                    Command::GraphZoomOut};
        case WindowKind::Totals:
            return {Command::TotalsByWeek, Command::TotalsByMonth,    Command::TotalsByYear,
                    Command::Separator,    Command::TotalsSingleView, Command::TotalsSplitView};
        default:
            return {};
    }
}

// --- Arranging ----------------------------------------------------------------------------

std::vector<WindowRect> TileRects(int count, int w, int h, TileOrientation orientation) {
    std::vector<WindowRect> rects;
    if (count <= 0 || w <= 0 || h <= 0) return rects;
    int rows = static_cast<int>(std::sqrt(static_cast<double>(count)));
    int columns = count / rows;
    if (orientation == TileOrientation::Horizontal) std::swap(rows, columns);
    const int columnWidth = w / columns;
    int placed = 0;
    for (int c = 0; c < columns; ++c) {
        const int inColumn = c == columns - 1 ? count - placed : rows;
        const int rowHeight = h / inColumn;
        const int x = c * columnWidth;
        const int width = c == columns - 1 ? w - x : columnWidth;
        for (int r = 0; r < inColumn; ++r) {
            const int y = r * rowHeight;
            rects.push_back({x, y, width, r == inColumn - 1 ? h - y : rowHeight});
        }
        placed += inColumn;
    }
    return rects;
}

WindowSize UsefulSize(WindowKind kind) {
    switch (kind) {
        case WindowKind::Calendar:
            return {560, 400};
        case WindowKind::WeekView:
            return {460, 380};
        case WindowKind::EntryView:
            return {440, 340};
        case WindowKind::LogWindow:
            return {500, 360};
        case WindowKind::Graphs:
            return {500, 360};
        case WindowKind::Totals:
            return {kTotalsSingleWidth, 300};
        case WindowKind::Events:
            return {480, 340};
        case WindowKind::Equipment:
            return {480, 240};
        case WindowKind::Weights:
            break;
    }
    return {400, 300};
}

namespace {

// The rectangle grown to the kind's useful size (as far as the area allows) and moved back
// inside the area.
WindowRect Grown(WindowRect r, WindowKind kind, int w, int h) {
    const WindowSize least = UsefulSize(kind);
    r.width = std::min(std::max(r.width, least.width), w);
    r.height = std::min(std::max(r.height, least.height), h);
    r.x = std::clamp(r.x, 0, std::max(0, w - r.width));
    r.y = std::clamp(r.y, 0, std::max(0, h - r.height));
    return r;
}

}  // namespace

std::vector<WindowRect> TileRectsFor(const std::vector<WindowKind>& kinds, int w, int h,
                                     TileOrientation orientation) {
    std::vector<WindowRect> rects = TileRects(static_cast<int>(kinds.size()), w, h, orientation);
    for (std::size_t i = 0; i < rects.size(); ++i)
        rects[i] = Grown(rects[i], kinds[i], w, h);
    return rects;
}

std::vector<WindowRect> CascadeRects(const std::vector<WindowKind>& kinds, int w, int h) {
    constexpr int kStep = 26;  // a title bar
    std::vector<WindowRect> rects;
    if (w <= 0 || h <= 0) return rects;
    const int count = static_cast<int>(kinds.size());
    int offset = 0;
    for (int i = 0; i < count; ++i) {
        const int later = count - 1 - i;
        WindowRect r{offset, offset, w - offset - later * kStep, h - offset - later * kStep};
        r = Grown(r, kinds[static_cast<std::size_t>(i)], w, h);
        // A window pushed back by its size starts the steps again from the top left.
        if (r.x < offset) offset = 0;
        r.x = std::min(r.x, offset);
        r.y = std::min(r.y, offset);
        rects.push_back(r);
        offset = std::min(r.x, r.y) + kStep;
    }
    return rects;
}

std::vector<WindowRect> IconRects(int count, int w, int h, int iconWidth, int iconHeight) {
    std::vector<WindowRect> rects;
    if (count <= 0 || iconWidth <= 0 || iconHeight <= 0) return rects;
    const int perRow = std::max(1, w / iconWidth);
    for (int i = 0; i < count; ++i) {
        const int row = i / perRow;
        const int column = i % perRow;
        rects.push_back({column * iconWidth, h - (row + 1) * iconHeight, iconWidth, iconHeight});
    }
    return rects;
}

}  // namespace kivrun
