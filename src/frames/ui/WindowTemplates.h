#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "frames/WindowLayout.h"

class QWidget;

namespace kivrun {

class CTamselDoc;

// Makes the content of a log window, or one pane of a two-pane window, over the open log.
// The widget should also implement View: it is registered with the document while its
// window lives. It may implement CommandTarget to take its window's commands.
using ContentFactory = std::function<QWidget*(CTamselDoc& doc, QWidget* parent)>;

// One kind of log window: its title, where it opens, its menus and toolbar, and the
// factory of its views. A kind without views has its commands disabled.
struct WindowTemplate {
    WindowKind kind = WindowKind::LogWindow;
    QString title;
    ContentFactory content;  // one widget for the whole window
    ContentFactory upper;    // or two panes, one above the other
    ContentFactory lower;

    bool HasContent() const { return content || (upper && lower); }
    // Where a new window opens in a client area of that size; nullopt: anywhere.
    std::optional<QRect> InitialRect(QSize client) const;
    MenuBar Menus() const { return LogMenuBar(kind); }
    std::vector<Command> Toolbar() const { return ChildToolbar(kind); }
};

// The registry of the kinds of log window, in registration order.
class WindowTemplates {
  public:
    static WindowTemplates& Instance();

    // Plugs in the view of a kind: one call per kind.
    void SetContentFactory(WindowKind kind, ContentFactory factory);
    // Two views one above the other (the log window, the events window).
    void SetPaneFactories(WindowKind kind, ContentFactory upper, ContentFactory lower);
    // Takes the views of a kind out again.
    void Clear(WindowKind kind);

    const WindowTemplate& Template(WindowKind kind) const;
    bool HasContent(WindowKind kind) const { return Template(kind).HasContent(); }
    const std::array<WindowTemplate, 9>& All() const { return templates_; }

  private:
    WindowTemplates();
    WindowTemplate& At(WindowKind kind);
    std::array<WindowTemplate, 9> templates_;
};

}  // namespace kivrun
