#include "app/ui/KivrunApp.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStatusBar>

#include "app/ui/MainFrame.h"
#include "controls/ui/WheelGuard.h"
#include "document/TamselDoc.h"
#include "frames/ui/WindowTemplates.h"

namespace kivrun {

const char* const kLogFileFilter = "Training Log Files (*.tlg)|*.tlg|All Files (*.*)|*.*||";

namespace {

// The log windows of the last log, kept as SavedLayout's text.
const QString kLogWindows = QStringLiteral("Window Layout/Log Windows");

}  // namespace

KivrunApp::KivrunApp(AppFolders folders) : folders_(std::move(folders)) {
    WheelGuard::Install();
    settings_ =
        folders_.settingsFile.isEmpty()
            ? std::make_unique<QSettings>(QStringLiteral("Kivrun App"), QStringLiteral("Kivrun"))
            : std::make_unique<QSettings>(folders_.settingsFile, QSettings::IniFormat);
    recent_ = std::make_unique<RecentFiles>(*settings_);
}

KivrunApp::~KivrunApp() {
    if (doc_ && frame_) {
        // Leaving without File Exit (the session ends): the log still gets its backup, and
        // its windows are kept for next time.
        SaveLayout();
        frame_->DiscardChildren();
        frame_->LogClosing(*doc_);
        doc_->OnCloseDocument();
    }
    doc_.reset();
    frame_.reset();
}

bool KivrunApp::Start(const QStringList& arguments) {
    // A relative path on the command line means the folder the program was started in.
    const QString commandLineLog =
        arguments.isEmpty() || arguments.front().isEmpty()
            ? QString()
            : QDir::cleanPath(QFileInfo(arguments.front()).absoluteFilePath());

    const QString documents =
        folders_.documents.isEmpty()
            ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
            : folders_.documents;
    QDir::setCurrent(documents);  // failing leaves the folder we were started in
    const QString data = folders_.data.isEmpty()
                             ? QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                             : folders_.data;
    backupFolder_ = data + QStringLiteral("/Backup Logs");

    WindowTemplates::Instance();
    watch_.setInterval(kWatchIntervalMs);
    connect(&watch_, &QTimer::timeout, this, &KivrunApp::LookForOutsideChanges);
    connect(qApp, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive) LookForOutsideChanges();
            });
    watch_.start();
    frame_ = std::make_unique<MainFrame>(*this);
    ui_.SetMainFrame(frame_.get());
    frame_->ShowAtStart();

    if (!commandLineLog.isEmpty()) return OpenLog(commandLineLog, true);
    const QString last = recent_->First();
    if (!last.isEmpty()) OpenLog(last, false);  // a log that is gone is no reason not to start
    return true;
}

void KivrunApp::LookForOutsideChanges() {
    // Not while a dialog or menu is open: what it shows stays as the user saw it.
    if (!doc_ || !doc_->IsOpen() || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget())
        return;
    doc_->RefreshIfChangedElsewhere();
}

bool KivrunApp::OpenLog(const QString& path, bool report) {
    if (path.isEmpty()) return false;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    if (doc_ && QFileInfo(QString::fromStdString(doc_->PathName())) == QFileInfo(absolute)) {
        // Already open: show it rather than close and open it again.
        doc_->OpenOrActivate(WindowKind::LogWindow);
        return true;
    }
    QFile probe(absolute);
    if (!probe.open(QIODevice::ReadOnly)) {
        if (report)
            ui_.ShowMessage("Couldn't open the training log " + absolute.toStdString() + ":\n" +
                            probe.errorString().toStdString());
        return false;
    }
    probe.close();
    if (!CloseLog()) return false;
    return OpenDocument(absolute);
}

bool KivrunApp::OpenDocument(const QString& path) {
    auto doc = std::make_unique<CTamselDoc>(ui_);
    doc->SetBackupFolder(backupFolder_.toStdString());
    doc->SetClaimsLog(true);  // a second instance on the same log is told
    if (!doc->OnOpenDocument(path.toStdString())) return false;
    recent_->Add(path);
    Adopt(std::move(doc));
    return true;
}

void KivrunApp::Adopt(std::unique_ptr<CTamselDoc> doc) {
    doc_ = std::move(doc);
    frame_->LogOpened(*doc_);
    doc_->OpenOrActivate(WindowKind::LogWindow);
    // The last log comes back with the windows it had.
    const std::optional<SavedLayout> layout =
        SavedLayout::Restore(settings_->value(kLogWindows).toString().toStdString());
    if (layout && QFileInfo(QString::fromStdString(layout->log)) ==
                      QFileInfo(QString::fromStdString(doc_->PathName())))
        frame_->RestoreLayout(*doc_, *layout);
}

void KivrunApp::SaveLayout() {
    if (!doc_ || !frame_) return;
    settings_->setValue(kLogWindows, QString::fromStdString(frame_->CurrentLayout(*doc_).Save()));
}

FileDialogRequest KivrunApp::LogRequest() const {
    FileDialogRequest request;
    request.defaultExtension = ".tlg";
    request.filter = kLogFileFilter;
    // The dialogs start where the user keeps logs: beside the open or the last one.
    QString folder = QDir::currentPath();
    const QString near = doc_ ? QString::fromStdString(doc_->PathName()) : recent_->First();
    if (!near.isEmpty() && QFileInfo(near).absoluteDir().exists())
        folder = QFileInfo(near).absolutePath();
    request.initialPath = (folder + QLatin1Char('/')).toStdString();
    return request;
}

bool KivrunApp::ChooseAndOpenLog() {
    const std::optional<std::string> path = ui_.ChooseOpenFile(LogRequest());
    if (!path) return false;
    return OpenLog(QString::fromStdString(*path), true);
}

bool KivrunApp::OpenRecent(const QString& path) {
    if (!QFileInfo::exists(path)) {
        ui_.ShowMessage("The training log " + path.toStdString() +
                        " no longer exists; it is taken off the list of recent logs.");
        recent_->Remove(path);
        frame_->RefreshMenus();
        return false;
    }
    return OpenLog(path, true);
}

bool KivrunApp::NewLog() {
    // Where first: cancelling the dialog leaves the open log as it was.
    FileDialogRequest request = LogRequest();
    request.overwritePrompt = true;
    const std::optional<std::string> chosen = ui_.ChooseSaveFile(request);
    if (!chosen) return false;
    const QString path =
        QDir::cleanPath(QFileInfo(QString::fromStdString(*chosen)).absoluteFilePath());
    if (!CloseLog()) return false;
    auto doc = std::make_unique<CTamselDoc>(ui_);
    doc->SetBackupFolder(backupFolder_.toStdString());
    doc->SetClaimsLog(true);
    if (!doc->CreateLog(path.toStdString())) return false;
    recent_->Add(path);
    Adopt(std::move(doc));
    // A new log has no sports yet: straight to where they are set up.
    ui_.ShowPreferences(*doc_);
    return true;
}

bool KivrunApp::CloseLog() {
    if (!doc_) return true;
    SaveLayout();
    if (!frame_->CloseChildren()) return false;
    frame_->LogClosing(*doc_);
    const QString name = QFileInfo(QString::fromStdString(doc_->PathName())).fileName();
    const BackupOutcome backup = doc_->OnCloseDocument();
    doc_.reset();
    frame_->LogClosed();
    // Said once, where the user can find the copy.
    if (backup.result == BackupOutcome::Made)
        frame_->statusBar()->showMessage(
            tr("%1 was backed up to %2").arg(name, QDir::toNativeSeparators(backupFolder_)));
    return true;
}

}  // namespace kivrun
