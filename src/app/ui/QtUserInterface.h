#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>

#include "store/UserInterface.h"

class QWidget;

namespace kivrun {

class MainFrame;

// A file dialog as Qt shows it.
struct FileDialogSpec {
    QString title;
    QStringList nameFilters;  // "Training Log Files (*.tlg)", "All Files (*)"
    QString defaultSuffix;    // "tlg"
    QString initialPath;
    bool overwritePrompt = true;
};

// Shows the dialogs themselves. The program uses real dialogs; tests and scripted runs
// put in one that answers without a person.
class DialogProvider {
  public:
    virtual ~DialogProvider() = default;
    virtual void Message(QWidget* parent, const QString& text, MessageKind kind) = 0;
    virtual bool Question(QWidget* parent, const QString& text) = 0;
    virtual std::optional<QString> SaveFile(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual std::optional<QString> OpenFile(QWidget* parent, const FileDialogSpec& spec) = 0;
    virtual std::optional<ImportOptions> ImportChoices(QWidget*) { return std::nullopt; }
    // A line of text, the proposed one filled in; nullopt when cancelled.
    virtual std::optional<QString> Text(QWidget*, const QString& /*prompt*/,
                                        const QString& /*proposed*/) {
        return std::nullopt;
    }
};

// QMessageBox and QFileDialog.
class QtDialogs : public DialogProvider {
  public:
    // A failure with the warning icon, anything else with the information icon.
    void Message(QWidget* parent, const QString& text, MessageKind kind) override;
    bool Question(QWidget* parent, const QString& text) override;
    std::optional<QString> SaveFile(QWidget* parent, const FileDialogSpec& spec) override;
    std::optional<QString> OpenFile(QWidget* parent, const FileDialogSpec& spec) override;
    std::optional<ImportOptions> ImportChoices(QWidget* parent) override;
    std::optional<QString> Text(QWidget* parent, const QString& prompt,
                                const QString& proposed) override;
};

// What the document asks and tells the user, in the desktop program.
class QtUserInterface : public UserInterface {
  public:
    QtUserInterface();
    ~QtUserInterface() override;

    // Dialogs open over the main window, which also makes the log windows.
    void SetMainFrame(MainFrame* frame);
    void SetDialogProvider(std::unique_ptr<DialogProvider> provider);
    DialogProvider& Dialogs() { return *dialogs_; }

    // Shows the preferences sheet; while unset, the Preferences command is disabled.
    std::function<void(QWidget* parent, CTamselDoc& doc)> preferencesHandler;

    bool AskYesNo(const std::string& text) override;
    std::optional<std::string> AskText(const std::string& prompt,
                                       const std::string& proposed) override;
    std::optional<std::string> ChooseSaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseOpenFile(const FileDialogRequest& request) override;
    std::optional<ImportOptions> ChooseImportOptions() override;
    void ShowPreferences(CTamselDoc& doc) override;
    void BeginWait() override;
    void EndWait() override;
    View* OpenOrActivateWindow(CTamselDoc& doc, WindowKind kind) override;

    int WaitDepth() const { return waitDepth_; }

    // "Name (*.a;*.b)|*.a;*.b|...||" as Qt name filters: "Name (*.a *.b)"; "*.*" is "*".
    static QStringList NameFilters(const std::string& filter);
    // The extension a Qt name filter's first pattern names: "htm" for "HTML File (*.htm)",
    // empty for "All Files (*)".
    static QString SuffixOfNameFilter(const QString& filter);
    // The path with ext (".tlg") added when its file name has no extension.
    static QString WithDefaultExtension(const QString& path, const std::string& ext);

  protected:
    void Tell(const std::string& text, MessageKind kind) override;

  private:
    QWidget* Parent() const;
    FileDialogSpec SpecOf(const FileDialogRequest& request, const QString& title) const;

    QPointer<MainFrame> frame_;
    std::unique_ptr<DialogProvider> dialogs_;
    int waitDepth_ = 0;
};

}  // namespace kivrun
