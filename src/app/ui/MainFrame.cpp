#include "app/ui/MainFrame.h"

#include "app/ui/KeyIndicators.h"

#include <algorithm>
#include <utility>

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

#include "app/ui/AboutDialog.h"
#include "app/ui/HelpWindow.h"
#include "app/ui/KivrunApp.h"
#include "document/TamselDoc.h"
#include "entries/ui/FilterToolBar.h"
#include "frames/ui/ChildFrame.h"
#include "frames/ui/CommandActions.h"
#include "frames/ui/WindowTemplates.h"
#include "print/ui/GPrintDriver.h"

namespace kivrun {
namespace {

const QString kProgram = QStringLiteral("Kivrun");
// Whether the user wants the filter bar with a log; shown unless they hid it.
const QString kFilterBarShown = QStringLiteral("Filter Toolbar/Shown");
const QString kMainGeometry = QStringLiteral("Window Layout/Main Window");

// The window each View command opens.
std::optional<WindowKind> KindOpenedBy(Command cmd) {
    switch (cmd) {
        case Command::ViewDataEntry:
        case Command::ViewTrainingLog:
            return WindowKind::LogWindow;
        case Command::ViewMonth:
            return WindowKind::Calendar;
        case Command::ViewWeek:
            return WindowKind::WeekView;
        case Command::ViewEntry:
            return WindowKind::EntryView;
        case Command::ViewTotals:
            return WindowKind::Totals;
        case Command::ViewGraph:
            return WindowKind::Graphs;
        case Command::ViewEvents:
            return WindowKind::Events;
        case Command::ViewEquipment:
            return WindowKind::Equipment;
        default:
            return std::nullopt;
    }
}

QString RecentLabel(int index, const QString& path) {
    QString shown = QDir::toNativeSeparators(path);
    const QString home = QDir::homePath();
    if (!home.isEmpty() && shown.startsWith(home + QLatin1Char('/')))
        shown = QStringLiteral("~") + shown.mid(home.size());
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

}  // namespace

MainFrame::MainFrame(KivrunApp& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/kivrun.svg")));
    mdi_ = new QMdiArea(this);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    mdi_->viewport()->installEventFilter(this);
    setCentralWidget(mdi_);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(0);
    connect(refreshTimer_, &QTimer::timeout, this, &MainFrame::RefreshCommands);

    BuildActions();
    BuildToolBar();
    BuildStatusBar();
    RefreshMenus();
    UpdateTitle();
    RefreshCommands();

    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        if (MenuKey() != menuKey_) RefreshMenus();
        RefreshCommands();
    });
    InstallHelpKey(this);
    // Which pane has the focus decides who takes a command.
    connect(qApp, &QApplication::focusChanged, this, &MainFrame::RequestRefresh);
}

MainFrame::~MainFrame() {
    mdi_->viewport()->removeEventFilter(this);
    DiscardChildren();
}

void MainFrame::ShowAtStart() {
    // Where the user left it, when that is still on a screen; else maximised.
    const QByteArray kept = app_.Settings().value(kMainGeometry).toByteArray();
    if (!kept.isEmpty() && restoreGeometry(kept)) {
        show();
        return;
    }
    if (QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    showMaximized();
}

// --- Actions, toolbar, status bar, menus ------------------------------------------------------

void MainFrame::BuildActions() {
    for (int i = static_cast<int>(Command::FileNew); i < static_cast<int>(Command::Count); ++i) {
        const auto cmd = static_cast<Command>(i);
        QAction* action = MakeCommandAction(cmd, this);
        actions_[cmd] = action;
        connect(action, &QAction::triggered, this, [this, cmd] { Run(cmd); });
    }
    actions_[Command::AppExit]->setMenuRole(QAction::QuitRole);
    actions_[Command::HelpAbout]->setMenuRole(QAction::AboutRole);
}

void MainFrame::BuildToolBar() {
    toolbar_ = addToolBar(QStringLiteral("Toolbar"));
    toolbar_->setObjectName(QStringLiteral("MainToolbar"));
    toolbar_->setIconSize(QSize(24, 24));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (Command cmd : MainToolbar()) {
        if (cmd == Command::Separator)
            toolbar_->addSeparator();
        else
            toolbar_->addAction(actions_.at(cmd));
    }
    // Its visibility is the View menu's to switch; no second switch in a context menu.
    toolbar_->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
}

void MainFrame::BuildStatusBar() {
    message_ = new QLabel(QStringLiteral("Ready"), this);
    message_->setObjectName(QStringLiteral("StatusMessage"));
    statusBar()->addWidget(message_, 1);
    indicators_ = new KeyIndicators(statusBar());
    statusBar()->setSizeGripEnabled(true);
}

int MainFrame::MenuKey() const {
    if (!app_.Document()) return -1;
    ChildFrame* active = ActiveChild();
    // With a log open and no window active, the log window's menus stand.
    return static_cast<int>(active ? active->Kind() : WindowKind::LogWindow);
}

void MainFrame::RefreshMenus() {
    menuKey_ = MenuKey();
    const MenuBar pattern =
        menuKey_ < 0 ? NoLogMenuBar() : LogMenuBar(static_cast<WindowKind>(menuKey_));
    for (auto& [cmd, action] : actions_)
        action->setShortcut(QKeySequence());
    // The old menus may be the ones whose item is being handled right now.
    QMenuBar* bar = menuBar();
    for (QAction* a : bar->actions())
        if (QMenu* old = a->menu()) old->deleteLater();
    bar->clear();
    for (const Menu& m : pattern) {
        auto* menu = new QMenu(QString::fromStdString(m.title), bar);
        FillMenu(menu, m);
        connect(menu, &QMenu::aboutToShow, this, &MainFrame::RefreshCommands);
        const bool windowMenu = std::any_of(m.items.begin(), m.items.end(), [](const MenuItem& i) {
            return i.command == Command::WindowCascade;
        });
        if (windowMenu) {
            FillWindowList(menu);
            connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillWindowList(menu); });
        }
        bar->addMenu(menu);
    }
}

void MainFrame::FillMenu(QMenu* menu, const Menu& pattern) {
    bool separate = false;
    auto add = [&](QAction* action) {
        if (separate && !menu->isEmpty()) menu->addSeparator();
        separate = false;
        menu->addAction(action);
    };
    for (const MenuItem& item : pattern.items) {
        if (item.command == Command::Separator) {
            separate = true;
        } else if (item.command == Command::RecentFiles) {
            const QStringList files = app_.Recent().Files();
            for (int i = 0; i < files.size(); ++i) {
                auto* action = new QAction(RecentLabel(i, files[i]), menu);
                action->setStatusTip(QStringLiteral("Open %1").arg(files[i]));
                const QString path = files[i];
                connect(action, &QAction::triggered, this, [this, path] {
                    app_.OpenRecent(path);
                    RequestRefresh();
                });
                add(action);
            }
        } else {
            QAction* action = actions_.at(item.command);
            ApplyMenuText(action, item.text);
            add(action);
        }
    }
}

// The open windows at the foot of the Window menu, the active one checked.
void MainFrame::FillWindowList(QMenu* menu) {
    for (QAction* a : menu->actions())
        if (a->property("windowList").toBool()) {
            menu->removeAction(a);
            a->deleteLater();
        }
    const QList<ChildFrame*> children = Children();
    if (children.isEmpty()) return;
    auto mark = [](QAction* a) {
        a->setProperty("windowList", true);
        return a;
    };
    QAction* line = mark(new QAction(menu));
    line->setSeparator(true);
    menu->addAction(line);
    for (qsizetype i = 0; i < children.size(); ++i) {
        ChildFrame* child = children[i];
        QString title = child->windowTitle();
        title.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = mark(new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(title), menu));
        item->setCheckable(true);
        item->setChecked(child == ActiveChild());
        item->setStatusTip(QStringLiteral("Activate this window"));
        connect(item, &QAction::triggered, this, [this, child = QPointer<ChildFrame>(child)] {
            if (!child) return;
            if (child->isMinimized()) child->showNormal();
            mdi_->setActiveSubWindow(child);
        });
        menu->addAction(item);
    }
}

QAction* MainFrame::Action(Command cmd) const {
    auto it = actions_.find(cmd);
    return it == actions_.end() ? nullptr : it->second;
}

// --- Command routing ------------------------------------------------------------------------

void MainFrame::SetCommandHandler(Command cmd, CommandHandler handler) {
    if (handler)
        handlers_[cmd] = std::move(handler);
    else
        handlers_.erase(cmd);
    RequestRefresh();
}

CommandState MainFrame::StatusOf(Command cmd) {
    CTamselDoc* doc = app_.Document();
    if (NeedsLog(cmd) && !doc) return {};
    if (ChildFrame* child = ActiveChild())
        if (auto state = child->StatusOf(cmd)) return *state;
    if (handlers_.count(cmd)) return {true, false};
    return BuiltInStatus(cmd).value_or(CommandState{});
}

std::optional<CommandState> MainFrame::BuiltInStatus(Command cmd) {
    CTamselDoc* doc = app_.Document();
    if (auto kind = KindOpenedBy(cmd))
        return CommandState{doc && WindowTemplates::Instance().HasContent(*kind), false};
    switch (cmd) {
        case Command::FileNew:
        case Command::FileOpen:
        case Command::AppExit:
        case Command::HelpTopics:
        case Command::HelpAbout:
            return CommandState{true, false};
        case Command::FileClose:
        case Command::FilePageSetup:
            return CommandState{doc != nullptr, false};
        case Command::ViewToolbar:
            return CommandState{true, toolbar_->isVisibleTo(this)};
        case Command::ViewStatusBar:
            return CommandState{true, statusBar()->isVisibleTo(this)};
        case Command::ViewFilterBar:
            return CommandState{doc != nullptr, filterBar_ != nullptr};
        case Command::EditUndo:
            return CommandState{doc && doc->CanUndo(), false,
                                doc ? UndoItemText(doc->History()) : std::string()};
        case Command::EditRedo:
            return CommandState{doc && doc->CanRedo(), false,
                                doc ? RedoItemText(doc->History()) : std::string()};
        case Command::EditPreferences:
            return CommandState{doc && app_.Ui().preferencesHandler, false};
        case Command::WindowCascade:
        case Command::WindowTileHorizontally:
        case Command::WindowTileVertically:
        case Command::WindowArrangeIcons:
            return CommandState{!Children().isEmpty(), false};
        default:
            return std::nullopt;
    }
}

void MainFrame::Run(Command cmd) {
    if (!StatusOf(cmd).enabled) return;
    CTamselDoc* doc = app_.Document();
    if (ChildFrame* child = ActiveChild(); child && child->Run(cmd)) {
        // handled by the window
    } else if (auto it = handlers_.find(cmd); it != handlers_.end()) {
        CommandHandler handler = it->second;  // it may set handlers itself
        handler(this, doc);
    } else {
        RunBuiltIn(cmd);
    }
    RequestRefresh();
}

void MainFrame::RunBuiltIn(Command cmd) {
    CTamselDoc* doc = app_.Document();
    if (auto kind = KindOpenedBy(cmd)) {
        if (doc) doc->OpenOrActivate(*kind);
        return;
    }
    switch (cmd) {
        case Command::FileNew:
            app_.NewLog();
            break;
        case Command::FileOpen:
            app_.ChooseAndOpenLog();
            break;
        case Command::FileClose:
            app_.CloseLog();
            break;
        case Command::FilePageSetup:
            GPrintDriver::Instance().PageSetup(this);
            break;
        case Command::AppExit:
            close();
            break;
        case Command::ViewToolbar:
            toolbar_->setVisible(!toolbar_->isVisibleTo(this));
            break;
        case Command::ViewStatusBar:
            statusBar()->setVisible(!statusBar()->isVisibleTo(this));
            break;
        case Command::ViewFilterBar:
            ShowFilterBar(!filterBar_);
            app_.Settings().setValue(kFilterBarShown, filterBar_ != nullptr);
            break;
        case Command::EditUndo:
            if (doc) doc->Undo();
            break;
        case Command::EditRedo:
            if (doc) doc->Redo();
            break;
        case Command::EditPreferences:
            if (doc) app_.Ui().ShowPreferences(*doc);
            break;
        case Command::WindowCascade:
            CascadeChildren();
            break;
        case Command::WindowTileHorizontally:
            TileChildren(TileOrientation::Horizontal);
            break;
        case Command::WindowTileVertically:
            TileChildren(TileOrientation::Vertical);
            break;
        case Command::WindowArrangeIcons:
            ArrangeIcons();
            break;
        case Command::HelpTopics:
            HelpWindow::Open(HelpTargetOf(HelpContext::Contents));
            break;
        case Command::HelpAbout:
            ShowAbout();
            break;
        default:
            break;
    }
}

void MainFrame::RefreshCommands() {
    refreshTimer_->stop();
    for (auto& [cmd, action] : actions_) {
        const CommandState state = StatusOf(cmd);
        action->setEnabled(state.enabled);
        if (action->isCheckable()) action->setChecked(state.checked);
        ApplyStateText(action, state.text);
    }
    for (ChildFrame* child : Children())
        child->RefreshToolbar();
}

void MainFrame::RequestRefresh() {
    refreshTimer_->start();
}

void MainFrame::OnUpdate(View*, const UpdateHint&) {
    RequestRefresh();
}

// --- The log ----------------------------------------------------------------------------------

void MainFrame::LogOpened(CTamselDoc& doc) {
    doc.AddView(this);
    if (app_.Settings().value(kFilterBarShown, true).toBool()) ShowFilterBar(true);
    UpdateTitle();
    RefreshMenus();  // the recent logs changed too
    RefreshCommands();
}

void MainFrame::LogClosing(CTamselDoc& doc) {
    ShowFilterBar(false);  // the bar belongs to the log
    doc.RemoveView(this);
}

void MainFrame::ShowFilterBar(bool show) {
    CTamselDoc* doc = app_.Document();
    if (show && !filterBar_ && doc) {
        addToolBarBreak(Qt::TopToolBarArea);
        filterBar_ = new CFilterToolBar(*doc, this);
        addToolBar(Qt::TopToolBarArea, filterBar_);
        // Now, not at the next layout: the log windows' area has its size at once.
        filterBar_->show();
    } else if (!show && filterBar_) {
        removeToolBarBreak(filterBar_);
        removeToolBar(filterBar_);
        delete std::exchange(filterBar_, nullptr);
    }
    RequestRefresh();
}

void MainFrame::LogClosed() {
    UpdateTitle();
    RefreshMenus();
    RefreshCommands();
}

void MainFrame::UpdateTitle() {
    CTamselDoc* doc = app_.Document();
    if (!doc) {
        setWindowTitle(kProgram);
        return;
    }
    QString name = QFileInfo(QString::fromStdString(doc->PathName())).fileName();
    if (doc->IsReadOnly()) name += QStringLiteral(" (read-only)");
    setWindowTitle(QStringLiteral("%1 - %2").arg(name, kProgram));
}

void MainFrame::closeEvent(QCloseEvent* event) {
    app_.Settings().setValue(kMainGeometry, saveGeometry());
    if (app_.CloseLog())
        event->accept();
    else
        event->ignore();
}

void MainFrame::ShowAbout() {
    AboutDialog about(this);
    about.exec();
}

// --- Log windows ------------------------------------------------------------------------------

QList<ChildFrame*> MainFrame::Children() const {
    QList<ChildFrame*> children;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::CreationOrder))
        if (auto* child = qobject_cast<ChildFrame*>(w); child && child->IsOpen()) children << child;
    return children;
}

ChildFrame* MainFrame::FindChild(WindowKind kind) const {
    for (ChildFrame* child : Children())
        if (child->Kind() == kind) return child;
    return nullptr;
}

ChildFrame* MainFrame::ActiveChild() const {
    // The current window, not the active one: while a dialog is up the main window is
    // inactive, yet its commands still belong to the window the user was in.
    auto* child = qobject_cast<ChildFrame*>(mdi_->currentSubWindow());
    return child && child->IsOpen() ? child : nullptr;
}

View* MainFrame::OpenOrActivate(CTamselDoc& doc, WindowKind kind) {
    if (ChildFrame* child = FindChild(kind); child && &child->Document() == &doc) {
        if (child->isMinimized()) child->showNormal();
        mdi_->setActiveSubWindow(child);
        return child->MainView();
    }
    if (!WindowTemplates::Instance().HasContent(kind)) return nullptr;
    auto* child = new ChildFrame(kind, doc);
    if (child->Panes().empty()) {
        delete child;  // the factory made nothing: no blank window
        return nullptr;
    }
    mdi_->addSubWindow(child);
    connect(child, &ChildFrame::Closed, this, [this, d = &doc] {
        if (closingChildren_) return;  // the log is closing anyway
        QTimer::singleShot(0, this, [this, d] { ChildGone(d); });
    });
    const std::optional<QRect> rect =
        WindowTemplates::Instance().Template(kind).InitialRect(mdi_->viewport()->size());
    if (rect) child->Place(*rect);
    child->show();
    mdi_->setActiveSubWindow(child);
    child->setFocus();
    RequestRefresh();
    return child->MainView();
}

bool MainFrame::CloseChildren() {
    closingChildren_ = true;
    const QList<ChildFrame*> children = Children();
    for (ChildFrame* child : children)
        if (!child->close()) {
            closingChildren_ = false;
            return false;
        }
    // Deleted now, not later: their views must not outlive the log.
    for (ChildFrame* child : children)
        delete child;
    closingChildren_ = false;
    return true;
}

void MainFrame::DiscardChildren() {
    closingChildren_ = true;
    for (QMdiSubWindow* w : mdi_->subWindowList())
        delete w;
    closingChildren_ = false;
}

void MainFrame::ChildGone(CTamselDoc* doc) {
    // Closing the last window of the log closes the log, as File Close does.
    if (app_.Document() == doc && doc && Children().isEmpty()) {
        app_.CloseLog();
        return;
    }
    if (MenuKey() != menuKey_) RefreshMenus();
    RefreshCommands();
}

namespace {

void Put(ChildFrame* child, const WindowRect& r) {
    if (child->isMaximized() || child->isMinimized()) child->showNormal();
    child->setGeometry(r.x, r.y, r.width, r.height);
}

}  // namespace

void MainFrame::CascadeChildren() {
    // Back to front, the active window last, on top.
    QList<ChildFrame*> windows;
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::StackingOrder))
        if (auto* child = qobject_cast<ChildFrame*>(w);
            child && child->IsOpen() && !child->isMinimized())
            windows << child;
    if (ChildFrame* active = ActiveChild(); active && windows.removeOne(active)) windows << active;
    std::vector<WindowKind> kinds;
    for (ChildFrame* child : windows)
        kinds.push_back(child->Kind());
    const QSize area = mdi_->viewport()->size();
    const std::vector<WindowRect> rects = CascadeRects(kinds, area.width(), area.height());
    for (qsizetype i = 0; i < windows.size(); ++i) {
        Put(windows[i], rects[static_cast<std::size_t>(i)]);
        windows[i]->raise();
    }
    if (!windows.isEmpty()) mdi_->setActiveSubWindow(windows.back());
}

void MainFrame::TileChildren(TileOrientation orientation) {
    QList<ChildFrame*> windows;
    bool anyMinimized = false;
    int iconHeight = 0;
    ChildFrame* active = ActiveChild();
    if (active && !active->isMinimized()) windows << active;
    for (ChildFrame* child : Children()) {
        if (child->isMinimized()) {
            anyMinimized = true;
            iconHeight = std::max(iconHeight, child->height());
        } else if (child != active) {
            windows << child;
        }
    }
    QSize area = mdi_->viewport()->size();
    if (anyMinimized) area.setHeight(std::max(1, area.height() - iconHeight));
    std::vector<WindowKind> kinds;
    for (ChildFrame* child : windows)
        kinds.push_back(child->Kind());
    const std::vector<WindowRect> rects =
        TileRectsFor(kinds, area.width(), area.height(), orientation);
    for (qsizetype i = 0; i < windows.size(); ++i)
        Put(windows[i], rects[static_cast<std::size_t>(i)]);
}

void MainFrame::ArrangeIcons() {
    QList<ChildFrame*> icons;
    for (ChildFrame* child : Children())
        if (child->isMinimized()) icons << child;
    if (icons.isEmpty()) return;
    const QSize icon = icons.front()->size();
    const QSize area = mdi_->viewport()->size();
    const std::vector<WindowRect> rects = IconRects(static_cast<int>(icons.size()), area.width(),
                                                    area.height(), icon.width(), icon.height());
    for (qsizetype i = 0; i < icons.size(); ++i) {
        const WindowRect& r = rects[static_cast<std::size_t>(i)];
        icons[i]->move(r.x, r.y);
    }
}

// --- The layout between sessions ---------------------------------------------------------------

SavedLayout MainFrame::CurrentLayout(const CTamselDoc& doc) const {
    SavedLayout layout;
    layout.log = doc.PathName();
    for (QMdiSubWindow* w : mdi_->subWindowList(QMdiArea::StackingOrder)) {
        auto* child = qobject_cast<ChildFrame*>(w);
        if (!child || !child->IsOpen() || &child->Document() != &doc) continue;
        SavedWindow saved;
        saved.kind = child->Kind();
        const QRect g = child->geometry();
        saved.rect = {g.x(), g.y(), g.width(), g.height()};
        saved.show = child->isMaximized()   ? WindowShow::Maximized
                     : child->isMinimized() ? WindowShow::Minimized
                                            : WindowShow::Normal;
        if (auto* view = dynamic_cast<const RestorableView*>(child->MainView()))
            saved.state = view->SavedState();
        layout.windows.push_back(std::move(saved));
    }
    // The active window goes last: it comes back on top.
    if (ChildFrame* active = ActiveChild())
        for (std::size_t i = 0; i < layout.windows.size(); ++i)
            if (layout.windows[i].kind == active->Kind()) {
                std::rotate(layout.windows.begin() + static_cast<std::ptrdiff_t>(i),
                            layout.windows.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            layout.windows.end());
                break;
            }
    return layout;
}

void MainFrame::RestoreLayout(CTamselDoc& doc, const SavedLayout& layout) {
    const QSize area = mdi_->viewport()->size();
    for (const SavedWindow& saved : layout.windows) {
        View* view = OpenOrActivate(doc, saved.kind);
        ChildFrame* child = FindChild(saved.kind);
        if (!child) continue;
        if (auto* restorable = dynamic_cast<RestorableView*>(view);
            restorable && !saved.state.empty())
            restorable->RestoreState(saved.state);
        // Set by hand: the window no longer follows the size rule of a new one.
        const WindowRect r = KeptOnArea(saved.rect, area.width(), area.height());
        child->showNormal();
        child->setGeometry(r.x, r.y, r.width, r.height);
        if (saved.show == WindowShow::Maximized) child->showMaximized();
        if (saved.show == WindowShow::Minimized) child->showMinimized();
    }
    RequestRefresh();
}

bool MainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize) FollowRules();
    return QMainWindow::eventFilter(watched, event);
}

// Windows the user has not moved or sized keep to their size rule when the area changes
// (the main window reaching its maximised size after a log opened at start, say).
void MainFrame::FollowRules() {
    const QSize area = mdi_->viewport()->size();
    for (ChildFrame* child : Children()) {
        if (!child->StillAsPlaced() || child->isMinimized() || child->isMaximized()) continue;
        if (auto rect = WindowTemplates::Instance().Template(child->Kind()).InitialRect(area))
            child->Place(*rect);
    }
}

}  // namespace kivrun
