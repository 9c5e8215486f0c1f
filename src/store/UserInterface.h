#pragma once

#include <optional>
#include <string>

namespace kivrun {

class CTamselDoc;
class View;

// The kinds of log window; each shows the open log through its own views.
enum class WindowKind {
    LogWindow,
    Totals,
    EntryView,
    WeekView,
    Calendar,
    Events,
    Weights,
    Graphs,
    Equipment
};

// The choices of the "Import from other Log" dialog.
struct ImportOptions {
    bool entries = true;
    bool routes = false;
    bool preferences = false;
    bool calendar = false;
};

// A file dialog request. The filter uses the "Name (*.ext)|*.ext|...||" form.
struct FileDialogRequest {
    std::string defaultExtension;  // ".tlg"
    std::string filter;
    std::string initialPath;
    bool overwritePrompt = true;
};

// What a message tells: that something failed or was refused (most of them), or plainly
// how things stand, a success included. The desktop program shows its icon for it.
enum class MessageKind { Failure, Information };

// Everything the core asks or tells the user goes through this interface: the desktop
// program implements it with dialogs, kivrun-tool with the terminal, tests with a script.
class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // A message box with an OK button.
    void ShowMessage(const std::string& text, MessageKind kind = MessageKind::Failure) {
        Tell(text, kind);
    }
    // A Yes/No question; true for Yes.
    virtual bool AskYesNo(const std::string& text) = 0;
    // A line of text asked for, the proposed one filled in; nullopt when cancelled. Headless
    // users are not asked: they give no text.
    virtual std::optional<std::string> AskText(const std::string& /*prompt*/,
                                               const std::string& /*proposed*/) {
        return std::string();
    }
    // Save-style and open-style file choices; nullopt when cancelled.
    virtual std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) = 0;
    virtual std::optional<ImportOptions> ChooseImportOptions() = 0;
    // The preferences sheet over an open log (shown after File New).
    virtual void ShowPreferences(CTamselDoc& doc) = 0;
    // Long work: a busy cursor, and progress where the work knows how far it is.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // Brings the log window of that kind forward, making it when there is none; returns its
    // main view. Headless users have no windows.
    virtual View* OpenOrActivateWindow(CTamselDoc&, WindowKind) { return nullptr; }

  protected:
    // Shows a message: what ShowMessage hands on.
    virtual void Tell(const std::string& text, MessageKind kind) = 0;
};

// Says nothing and answers No: for headless work where no question may be asked.
class SilentUserInterface : public UserInterface {
  public:
    bool AskYesNo(const std::string&) override { return false; }
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest&) override {
        return std::nullopt;
    }
    std::optional<ImportOptions> ChooseImportOptions() override { return std::nullopt; }
    void ShowPreferences(CTamselDoc&) override {}
    void BeginWait() override {}
    void EndWait() override {}

  protected:
    void Tell(const std::string&, MessageKind) override {}
};

// Shows the wait cursor for as long as it lives.
class WaitCursor {
  public:
    explicit WaitCursor(UserInterface& ui) : ui_(ui) { ui_.BeginWait(); }
    ~WaitCursor() { ui_.EndWait(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserInterface& ui_;
};

}  // namespace kivrun
