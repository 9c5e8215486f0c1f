#include "frames/ui/ChildFrame.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>
#include <QSplitter>
#include <QToolBar>
#include <QVBoxLayout>

#include "document/TamselDoc.h"
#include "document/UpdateHint.h"
#include "frames/ui/CommandActions.h"
#include "frames/ui/CommandRefresh.h"
#include "frames/ui/SplitterKeyboard.h"
#include "frames/ui/WindowTemplates.h"

namespace kivrun {
namespace {

// The command whose picture the window carries in its title bar.
Command OpenedBy(WindowKind kind) {
    switch (kind) {
        case WindowKind::Calendar:
            return Command::ViewMonth;
        case WindowKind::WeekView:
            return Command::ViewWeek;
        case WindowKind::EntryView:
        case WindowKind::Weights:
            return Command::ViewEntry;
        case WindowKind::Totals:
            return Command::ViewTotals;
        case WindowKind::Graphs:
            return Command::ViewGraph;
        case WindowKind::Events:
            return Command::ViewEvents;
        case WindowKind::Equipment:
            return Command::ViewEquipment;
        default:
            return Command::ViewTrainingLog;
    }
}

// Holds the window's toolbar and panes, and lets each pane refuse the window's closing.
class FrameBody : public QWidget {
  public:
    explicit FrameBody(std::vector<QWidget*>& panes) : panes_(panes) {}

  protected:
    void closeEvent(QCloseEvent* event) override {
        for (QWidget* pane : panes_) {
            QCloseEvent ask;
            QCoreApplication::sendEvent(pane, &ask);
            if (!ask.isAccepted()) {
                event->ignore();
                return;
            }
        }
        event->accept();
    }

  private:
    std::vector<QWidget*>& panes_;
};

}  // namespace

ChildFrame::ChildFrame(WindowKind kind, CTamselDoc& doc, QWidget* parent)
    : QMdiSubWindow(parent), kind_(kind), doc_(doc) {
    const WindowTemplate& t = WindowTemplates::Instance().Template(kind);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(t.title);
    setWindowIcon(CommandIcon(OpenedBy(kind)));
    setObjectName(t.title);

    auto* body = new FrameBody(panes_);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildToolbar();
    if (toolbar_) layout->addWidget(toolbar_);

    if (t.content) {
        if (QWidget* w = t.content(doc, body)) panes_.push_back(w);
    } else if (t.upper && t.lower) {
        auto* split = new QSplitter(Qt::Vertical, body);
        split->setChildrenCollapsible(false);
        splitter_ = split;
        if (QWidget* w = t.upper(doc, split)) panes_.push_back(w);
        if (QWidget* w = t.lower(doc, split)) panes_.push_back(w);
        for (QWidget* w : panes_)
            split->addWidget(w);
        // The upper pane opens at its set height; the lower one takes the rest.
        split->setSizes({UpperPaneHeight(kind), 100000});
        split->setStretchFactor(0, 0);
        split->setStretchFactor(panes_.size() > 1 ? 1 : 0, 1);
        layout->addWidget(split, 1);
        // An upper pane whose height follows its width (a form that wraps) gets what it
        // needs, and keeps getting it as the window narrows or widens, until the user moves
        // the divider.
        if (!panes_.empty() && panes_.front()->hasHeightForWidth()) {
            fitUpper_ = true;
            panes_.front()->installEventFilter(this);
            split->installEventFilter(this);
            connect(split, &QSplitter::splitterMoved, this, [this] { fitUpper_ = false; });
        }
    }
    if (t.content)
        for (QWidget* w : panes_)
            layout->addWidget(w, 1);
    setWidget(body);

    for (QWidget* w : panes_)
        if (auto* v = dynamic_cast<View*>(w)) {
            views_.push_back(v);
            doc_.AddView(v);
        }
    attached_ = true;
    // The upper pane is the active view of a two-pane window.
    if (!panes_.empty()) setFocusProxy(panes_.front());
}

ChildFrame::~ChildFrame() {
    Detach();
}

void ChildFrame::Detach() {
    if (!attached_) return;
    attached_ = false;
    for (View* v : views_)
        doc_.RemoveView(v);
}

View* ChildFrame::MainView() const {
    return views_.empty() ? nullptr : views_.front();
}

std::vector<CommandTarget*> ChildFrame::Targets() const {
    std::vector<CommandTarget*> targets;
    QWidget* focus = QApplication::focusWidget();
    for (QWidget* pane : panes_)
        if (focus && (pane == focus || pane->isAncestorOf(focus)))
            if (auto* t = dynamic_cast<CommandTarget*>(pane)) targets.push_back(t);
    for (QWidget* pane : panes_)
        if (auto* t = dynamic_cast<CommandTarget*>(pane))
            if (std::find(targets.begin(), targets.end(), t) == targets.end()) targets.push_back(t);
    return targets;
}

std::optional<CommandState> ChildFrame::StatusOf(Command cmd) const {
    if (cmd == Command::CloseView) return CommandState{true, false};
    if (cmd == Command::WindowSplit && splitter_) return CommandState{!dividerMove_, false};
    for (CommandTarget* t : Targets())
        if (auto state = t->CommandStatus(cmd)) return state;
    return std::nullopt;
}

bool ChildFrame::Run(Command cmd) {
    if (cmd == Command::CloseView) {
        close();
        return true;
    }
    if (cmd == Command::WindowSplit && splitter_) {
        if (!dividerMove_) {
            dividerMove_ = SplitterKeyboard::Start(splitter_);
            if (dividerMove_)
                connect(dividerMove_, &SplitterKeyboard::Finished, this, [this](bool kept) {
                    if (kept) fitUpper_ = false;
                    dividerMove_ = nullptr;
                    RequestCommandRefresh(this);
                });
        }
        return true;
    }
    for (CommandTarget* t : Targets())
        if (auto state = t->CommandStatus(cmd)) {
            if (state->enabled) t->RunCommand(cmd);
            return true;
        }
    return false;
}

bool ChildFrame::eventFilter(QObject* watched, QEvent* event) {
    const bool upper = !panes_.empty() && watched == panes_.front();
    if ((upper && event->type() == QEvent::Resize) ||
        (watched == splitter_ && event->type() == QEvent::LayoutRequest))
        // Once the splitter has finished the resize it is in the middle of.
        if (fitUpper_ && !fitQueued_) {
            fitQueued_ = true;
            QMetaObject::invokeMethod(this, &ChildFrame::FitUpperPane, Qt::QueuedConnection);
        }
    return QMdiSubWindow::eventFilter(watched, event);
}

void ChildFrame::FitUpperPane() {
    fitQueued_ = false;
    if (!fitUpper_ || !splitter_ || panes_.size() < 2) return;
    QWidget* upper = panes_.front();
    const QList<int> sizes = splitter_->sizes();
    if (sizes.size() < 2 || upper->width() <= 0 || sizes[0] + sizes[1] <= 0) return;
    const int need = upper->heightForWidth(upper->width());
    if (need <= 0 || need == sizes[0]) return;
    splitter_->setSizes({need, sizes[0] + sizes[1] - need});
}

void ChildFrame::Place(const QRect& rect) {
    setGeometry(rect);
    placed_ = geometry();
}

void ChildFrame::BuildToolbar() {
    const std::vector<Command> commands = ChildToolbar(kind_);
    if (commands.empty()) return;
    toolbar_ = new QToolBar(this);
    toolbar_->setIconSize(QSize(20, 20));
    toolbar_->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (Command cmd : commands) {
        if (cmd == Command::Separator) {
            separator_ = toolbar_->addSeparator();
            continue;
        }
        QAction* action = MakeCommandAction(cmd, toolbar_);
        toolbar_->addAction(action);
        toolbarActions_[cmd] = action;
        // A checked button shows the state the command leaves, not the click's toggle.
        connect(action, &QAction::triggered, this, [this, cmd] {
            const QPointer<ChildFrame> self(this);
            Run(cmd);
            if (self) RefreshToolbar();
        });
    }
}

void ChildFrame::RefreshToolbar() {
    for (auto& [cmd, action] : toolbarActions_) {
        const CommandState state = StatusOf(cmd).value_or(CommandState{});
        action->setEnabled(state.enabled);
        action->setChecked(state.checked);
        if (cmd == Command::PrintRoutine) {
            // Shown only while the entry has a routine to print.
            action->setVisible(state.enabled);
            if (separator_) separator_->setVisible(state.enabled);
        }
    }
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    QMdiSubWindow::closeEvent(event);
    // A closed window hears no more of the document, even before it is deleted.
    if (event->isAccepted() && attached_) {
        Detach();
        emit Closed();
    }
}

}  // namespace kivrun
