#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "document/UpdateHint.h"
#include "frames/Commands.h"
#include "frames/SavedLayout.h"
#include "frames/WindowLayout.h"
#include "frames/ui/CommandRefresh.h"

class QLabel;
class QMdiArea;
class QMenu;
class QTimer;
class QToolBar;

namespace kivrun {

class CFilterToolBar;
class CTamselDoc;
class ChildFrame;
class KeyIndicators;
class KivrunApp;

// A program-wide command that later work provides (export, import, page setup, help...).
// doc is the open log, null while none is open.
using CommandHandler = std::function<void(QWidget* parent, CTamselDoc* doc)>;

// The main window: menus that follow the active log window, the toolbar, the status bar
// and the log windows themselves. It hears the document's notices to keep the commands'
// states current.
class MainFrame : public QMainWindow, public View, public CommandHost {
    Q_OBJECT
  public:
    explicit MainFrame(KivrunApp& app, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Shown maximised, sized to the screen even before the window manager says so.
    void ShowAtStart();

    // --- Log windows -----------------------------------------------------------------------
    // Brings the window of that kind forward, or makes it; its main view, or null when the
    // kind has no view yet.
    View* OpenOrActivate(CTamselDoc& doc, WindowKind kind);
    ChildFrame* FindChild(WindowKind kind) const;
    ChildFrame* ActiveChild() const;
    // The open log windows in the order they were made.
    QList<ChildFrame*> Children() const;
    QMdiArea* MdiArea() const { return mdi_; }
    KeyIndicators& Indicators() const { return *indicators_; }
    // Closes every log window; false (and the rest left open) when one refuses.
    bool CloseChildren();
    // Removes every log window without asking.
    void DiscardChildren();

    void CascadeChildren();
    void TileChildren(TileOrientation orientation);
    void ArrangeIcons();

    // --- The layout between sessions -----------------------------------------------------
    // The log windows as they are now: kind, place, size, how shown and what each shows.
    SavedLayout CurrentLayout(const CTamselDoc& doc) const;
    // Opens the windows of a layout over the log, where they were, showing what they did.
    void RestoreLayout(CTamselDoc& doc, const SavedLayout& layout);

    // --- Commands --------------------------------------------------------------------------
    QAction* Action(Command cmd) const;
    void SetCommandHandler(Command cmd, CommandHandler handler);
    // Who takes a command: the active log window, then a set handler, then the main window.
    CommandState StatusOf(Command cmd);
    void Run(Command cmd);
    // Recomputes every command's state now.
    void RefreshCommands();
    // ... or once the current event is handled (many changes, one refresh).
    void RequestRefresh();
    void RefreshCommandsSoon() override { RequestRefresh(); }
    // Rebuilds the menu bar for the active window and the recent logs.
    void RefreshMenus();

    // --- From the application --------------------------------------------------------------
    void LogOpened(CTamselDoc& doc);
    void LogClosing(CTamselDoc& doc);
    void LogClosed();

    void ShowAbout();

    // The filter bar of the open log, docked under the toolbar; null while hidden.
    CFilterToolBar* FilterBar() const { return filterBar_; }
    void ShowFilterBar(bool show);

    void OnUpdate(View* sender, const UpdateHint& hint) override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildActions();
    void BuildToolBar();
    void BuildStatusBar();
    void FillMenu(QMenu* menu, const Menu& pattern);
    void FillWindowList(QMenu* menu);
    std::optional<CommandState> BuiltInStatus(Command cmd);
    void RunBuiltIn(Command cmd);
    void UpdateTitle();
    void ChildGone(CTamselDoc* doc);
    void FollowRules();
    int MenuKey() const;

    KivrunApp& app_;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    CFilterToolBar* filterBar_ = nullptr;
    QLabel* message_ = nullptr;
    KeyIndicators* indicators_ = nullptr;
    QTimer* refreshTimer_ = nullptr;
    std::map<Command, QAction*> actions_;
    std::map<Command, CommandHandler> handlers_;
    int menuKey_ = -2;
    bool closingChildren_ = false;
};

}  // namespace kivrun
