#pragma once

#include <optional>
#include <string>
#include <vector>

#include "frames/WindowLayout.h"

namespace kivrun {

// A view that can say what it shows in a short text, and show it again from that text in a
// later session (the calendar's month, the week's day).
class RestorableView {
  public:
    virtual ~RestorableView() = default;
    virtual std::string SavedState() const = 0;
    virtual void RestoreState(const std::string& state) = 0;
};

// How a log window was shown.
enum class WindowShow { Normal, Maximized, Minimized };

struct SavedWindow {
    WindowKind kind = WindowKind::LogWindow;
    WindowRect rect;
    WindowShow show = WindowShow::Normal;
    std::string state;  // the main view's own, empty for none
    friend bool operator==(const SavedWindow&, const SavedWindow&) = default;
};

// The log windows as the program left them, kept between sessions for the log they showed:
// back-most first, the active one last.
struct SavedLayout {
    std::string log;  // the log's path
    std::vector<SavedWindow> windows;

    // One window a line: kind, x, y, width, height, how shown, state; tab-separated.
    std::string Save() const;
    // What a saved text holds; lines that cannot be read are left out, and a text with no
    // log gives none.
    static std::optional<SavedLayout> Restore(const std::string& text);
    friend bool operator==(const SavedLayout&, const SavedLayout&) = default;
};

// "calendar" for WindowKind::Calendar, and back (none for a name of no kind).
const char* WindowKindKey(WindowKind kind);
std::optional<WindowKind> WindowKindOfKey(const std::string& key);

// A rectangle kept from another session, moved and cut so that it lies in an area of that
// size with at least the least window size (the screen may be smaller now).
WindowRect KeptOnArea(const WindowRect& rect, int areaWidth, int areaHeight);

}  // namespace kivrun
