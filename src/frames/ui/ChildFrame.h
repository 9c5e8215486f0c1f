#pragma once

#include <QMdiSubWindow>
#include <QPointer>
#include <QRect>
#include <map>
#include <vector>

#include "frames/Commands.h"
#include "store/UserInterface.h"

class QAction;
class QSplitter;
class QToolBar;

namespace kivrun {

class CTamselDoc;
class SplitterKeyboard;
class View;

// A log window inside the main window: its own toolbar, and one view or two views one
// above the other. Its views are registered with the document while the window is open.
class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
  public:
    // Makes the views of the kind from its template; the kind must have content.
    ChildFrame(WindowKind kind, CTamselDoc& doc, QWidget* parent = nullptr);
    ~ChildFrame() override;

    WindowKind Kind() const { return kind_; }
    CTamselDoc& Document() const { return doc_; }
    // The first view (the upper pane of a two-pane window).
    View* MainView() const;
    const std::vector<QWidget*>& Panes() const { return panes_; }
    // The divider between the panes of a two-pane window; null in the others.
    QSplitter* Splitter() const { return splitter_; }
    // Who takes a command in this window, the pane with the focus first.
    std::vector<CommandTarget*> Targets() const;
    // The state of a command in this window; nullopt when no pane takes it.
    std::optional<CommandState> StatusOf(Command cmd) const;
    // Runs a command in this window; false when no pane took it.
    bool Run(Command cmd);

    // The geometry given by the size rule; the window follows the rule again until moved.
    void Place(const QRect& rect);
    bool StillAsPlaced() const { return placed_.isValid() && geometry() == placed_; }
    // False once closed: a closed window waits for deletion but is no longer the log's.
    bool IsOpen() const { return attached_; }

    // Recomputes the states of the window's own toolbar.
    void RefreshToolbar();

  signals:
    // The window closed (it is deleted a little later).
    void Closed();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Gives the upper pane the height its width needs, while it follows its content.
    void FitUpperPane();
    void BuildToolbar();
    void Detach();

    WindowKind kind_;
    CTamselDoc& doc_;
    std::vector<QWidget*> panes_;
    std::vector<View*> views_;
    QToolBar* toolbar_ = nullptr;
    QSplitter* splitter_ = nullptr;  // two-pane windows only
    QPointer<SplitterKeyboard> dividerMove_;
    std::map<Command, QAction*> toolbarActions_;
    QAction* separator_ = nullptr;  // the last one, before Print Routine
    QRect placed_;
    bool attached_ = false;
    bool fitUpper_ = false;
    bool fitQueued_ = false;
};

}  // namespace kivrun
