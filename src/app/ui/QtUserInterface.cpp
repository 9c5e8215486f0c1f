#include "app/ui/QtUserInterface.h"

#include "app/ui/ImportDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>

#include "app/ui/MainFrame.h"

namespace kivrun {
namespace {

// A dialog over a wait cursor gets the normal pointer while it is open.
class NormalCursor {
  public:
    explicit NormalCursor(bool waiting) : waiting_(waiting) {
        if (waiting_) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalCursor() {
        if (waiting_) QApplication::restoreOverrideCursor();
    }
    NormalCursor(const NormalCursor&) = delete;
    NormalCursor& operator=(const NormalCursor&) = delete;

  private:
    bool waiting_;
};

const QString kTitle = QStringLiteral("Kivrun");

}  // namespace

// --- Real dialogs ---------------------------------------------------------------------------

void QtDialogs::Message(QWidget* parent, const QString& text, MessageKind kind) {
    const QMessageBox::Icon icon =
        kind == MessageKind::Failure ? QMessageBox::Warning : QMessageBox::Information;
    QMessageBox box(icon, kTitle, text, QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::Question(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

namespace {

std::optional<QString> RunFileDialog(QWidget* parent, const FileDialogSpec& spec, bool save) {
    QFileDialog dialog(parent, spec.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilters(spec.nameFilters);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    // The type shown is the type written: the list starts at the default extension's type,
    // and a name typed without extension gets that of the type chosen.
    for (const QString& filter : spec.nameFilters) {
        if (QtUserInterface::SuffixOfNameFilter(filter) == spec.defaultSuffix) {
            dialog.selectNameFilter(filter);
            break;
        }
    }
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, fallback = spec.defaultSuffix](const QString& filter) {
                         const QString suffix = QtUserInterface::SuffixOfNameFilter(filter);
                         dialog.setDefaultSuffix(suffix.isEmpty() ? fallback : suffix);
                     });
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !spec.overwritePrompt);
    if (!spec.initialPath.isEmpty()) {
        const QFileInfo info(spec.initialPath);
        dialog.setDirectory(info.absolutePath());
        if (!info.isDir()) dialog.selectFile(info.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().front();
}

}  // namespace

std::optional<QString> QtDialogs::SaveFile(QWidget* parent, const FileDialogSpec& spec) {
    return RunFileDialog(parent, spec, true);
}

std::optional<QString> QtDialogs::OpenFile(QWidget* parent, const FileDialogSpec& spec) {
    return RunFileDialog(parent, spec, false);
}

std::optional<ImportOptions> QtDialogs::ImportChoices(QWidget* parent) {
    return CImportDialog::Ask(parent);
}

std::optional<QString> QtDialogs::Text(QWidget* parent, const QString& prompt,
                                       const QString& proposed) {
    QInputDialog dialog(parent);
    dialog.setWindowTitle(kTitle);
    dialog.setLabelText(prompt);
    dialog.setTextValue(proposed);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.textValue();
}

// --- The interface ------------------------------------------------------------------------

QtUserInterface::QtUserInterface() : dialogs_(std::make_unique<QtDialogs>()) {}

QtUserInterface::~QtUserInterface() {
    while (waitDepth_ > 0)
        EndWait();
}

void QtUserInterface::SetMainFrame(MainFrame* frame) {
    frame_ = frame;
}

void QtUserInterface::SetDialogProvider(std::unique_ptr<DialogProvider> provider) {
    dialogs_ = provider ? std::move(provider) : std::make_unique<QtDialogs>();
}

QWidget* QtUserInterface::Parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    return frame_.data();
}

void QtUserInterface::Tell(const std::string& text, MessageKind kind) {
    NormalCursor cursor(waitDepth_ > 0);
    dialogs_->Message(Parent(), QString::fromStdString(text), kind);
}

bool QtUserInterface::AskYesNo(const std::string& text) {
    NormalCursor cursor(waitDepth_ > 0);
    return dialogs_->Question(Parent(), QString::fromStdString(text));
}

std::optional<std::string> QtUserInterface::AskText(const std::string& prompt,
                                                    const std::string& proposed) {
    NormalCursor cursor(waitDepth_ > 0);
    const std::optional<QString> text =
        dialogs_->Text(Parent(), QString::fromStdString(prompt), QString::fromStdString(proposed));
    if (!text) return std::nullopt;
    return text->toStdString();
}

QStringList QtUserInterface::NameFilters(const std::string& filter) {
    QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        if (name.isEmpty()) break;  // the closing "||"
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) {
            p = p.trimmed();
            if (p == QLatin1String("*.*")) p = QStringLiteral("*");
        }
        // The name carries its patterns in brackets; Qt reads them from there.
        const qsizetype bracket = name.lastIndexOf(QLatin1String(" ("));
        if (bracket > 0 && name.endsWith(QLatin1Char(')'))) name.truncate(bracket);
        result << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString QtUserInterface::SuffixOfNameFilter(const QString& filter) {
    const qsizetype open = filter.lastIndexOf(QLatin1Char('('));
    const qsizetype close = filter.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) return {};
    const QString first = filter.mid(open + 1, close - open - 1).split(QLatin1Char(' ')).front();
    // "*.htm" names an extension; "*" and "*.*" name none.
    if (!first.startsWith(QLatin1String("*.")) || first == QLatin1String("*.*")) return {};
    return first.mid(2);
}

QString QtUserInterface::WithDefaultExtension(const QString& path, const std::string& ext) {
    if (ext.empty() || path.isEmpty()) return path;
    if (!QFileInfo(path).suffix().isEmpty()) return path;
    QString suffix = QString::fromStdString(ext);
    if (!suffix.startsWith(QLatin1Char('.'))) suffix.prepend(QLatin1Char('.'));
    return path.endsWith(QLatin1Char('.')) ? path.chopped(1) + suffix : path + suffix;
}

FileDialogSpec QtUserInterface::SpecOf(const FileDialogRequest& request,
                                       const QString& title) const {
    FileDialogSpec spec;
    spec.title = title;
    spec.nameFilters = NameFilters(request.filter);
    spec.defaultSuffix = QString::fromStdString(request.defaultExtension);
    if (spec.defaultSuffix.startsWith(QLatin1Char('.'))) spec.defaultSuffix.remove(0, 1);
    spec.initialPath = QString::fromStdString(request.initialPath);
    spec.overwritePrompt = request.overwritePrompt;
    return spec;
}

std::optional<std::string> QtUserInterface::ChooseSaveFile(const FileDialogRequest& request) {
    NormalCursor cursor(waitDepth_ > 0);
    const std::optional<QString> chosen =
        dialogs_->SaveFile(Parent(), SpecOf(request, QStringLiteral("Save As")));
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    const QString path = WithDefaultExtension(*chosen, request.defaultExtension);
    // The dialog asked about the name as typed; a name that only now got its extension may
    // name a file the user has not agreed to replace.
    if (path != *chosen && request.overwritePrompt && QFileInfo::exists(path)) {
        const QString question =
            QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(path);
        if (!dialogs_->Question(Parent(), question)) return std::nullopt;
    }
    return path.toStdString();
}

std::optional<std::string> QtUserInterface::ChooseOpenFile(const FileDialogRequest& request) {
    NormalCursor cursor(waitDepth_ > 0);
    const std::optional<QString> chosen =
        dialogs_->OpenFile(Parent(), SpecOf(request, QStringLiteral("Open")));
    if (!chosen || chosen->isEmpty()) return std::nullopt;
    // A name typed without its extension means the log of that name when there is one.
    const QString withExt = WithDefaultExtension(*chosen, request.defaultExtension);
    if (!QFileInfo::exists(*chosen) && QFileInfo::exists(withExt)) return withExt.toStdString();
    return chosen->toStdString();
}

std::optional<ImportOptions> QtUserInterface::ChooseImportOptions() {
    return dialogs_->ImportChoices(Parent());
}

void QtUserInterface::ShowPreferences(CTamselDoc& doc) {
    if (!preferencesHandler) return;
    NormalCursor cursor(waitDepth_ > 0);
    preferencesHandler(Parent(), doc);
}

void QtUserInterface::BeginWait() {
    ++waitDepth_;
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUserInterface::EndWait() {
    if (waitDepth_ == 0) return;
    --waitDepth_;
    QApplication::restoreOverrideCursor();
}

View* QtUserInterface::OpenOrActivateWindow(CTamselDoc& doc, WindowKind kind) {
    return frame_ ? frame_->OpenOrActivate(doc, kind) : nullptr;
}

}  // namespace kivrun
