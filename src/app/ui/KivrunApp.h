#pragma once

#include <QObject>
#include <QSettings>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <memory>

#include "app/ui/QtUserInterface.h"
#include "app/ui/RecentFiles.h"

namespace kivrun {

class CTamselDoc;
class MainFrame;

// Where the program keeps its things; empty entries take the user's standard folders.
struct AppFolders {
    QString documents;     // the working folder at start
    QString data;          // the program's own data; backups go to data + "/Backup Logs"
    QString settingsFile;  // an ini file instead of the "Kivrun App" settings
};

// The application: start-up, the one open log, the recent-file list, the main window.
class KivrunApp : public QObject {
    Q_OBJECT
  public:
    explicit KivrunApp(AppFolders folders = {});
    ~KivrunApp() override;

    // Start-up. arguments: the command line after the program name, an optional log path.
    // False when the log named there could not be opened: the program then ends.
    bool Start(const QStringList& arguments);

    // File Open without the dialog: closes the open log first. report: say so when the file
    // cannot be read (the document reports its own failures).
    bool OpenLog(const QString& path, bool report = true);
    // File Open: asks for a log and opens it.
    bool ChooseAndOpenLog();
    // A recent log: opened like File Open; one that is gone leaves the list.
    bool OpenRecent(const QString& path);
    // File New: asks where, closes the open log, creates the log and shows the preferences.
    bool NewLog();
    // File Close: closes the log's windows (any may refuse: false) and the log, with its
    // automatic backup.
    bool CloseLog();

    CTamselDoc* Document() const { return doc_.get(); }
    MainFrame& Frame() const { return *frame_; }
    QtUserInterface& Ui() { return ui_; }
    RecentFiles& Recent() { return *recent_; }
    QSettings& Settings() { return *settings_; }
    const QString& BackupFolder() const { return backupFolder_; }

    // Another program may change the open log (kivrun-tool, a script): the program looks when
    // it comes to the front and every few seconds while it waits, and shows what changed.
    static constexpr int kWatchIntervalMs = 3000;
    void LookForOutsideChanges();

  private:
    bool OpenDocument(const QString& path);
    FileDialogRequest LogRequest() const;
    // Shows the opened log, with the windows it had when it was the last log.
    void Adopt(std::unique_ptr<CTamselDoc> doc);
    // Keeps the log windows for the next session.
    void SaveLayout();

    AppFolders folders_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<RecentFiles> recent_;
    QtUserInterface ui_;
    std::unique_ptr<CTamselDoc> doc_;
    std::unique_ptr<MainFrame> frame_;
    QString backupFolder_;
    QTimer watch_;
};

// The filter of log files in the file dialogs.
extern const char* const kLogFileFilter;

}  // namespace kivrun
