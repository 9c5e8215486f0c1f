#include "app/ui/RecentFiles.h"

#include <QDir>
#include <QFileInfo>

namespace kivrun {
namespace {

const QString kSection = QStringLiteral("Recent File List");

QString KeyOf(int i) {
    return QStringLiteral("File%1").arg(i + 1);
}

// The same log reached by another spelling of its path counts once.
bool SameFile(const QString& a, const QString& b) {
    if (a == b) return true;
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

}  // namespace

RecentFiles::RecentFiles(QSettings& settings) : settings_(settings) {
    settings_.beginGroup(kSection);
    for (int i = 0; i < kMaxFiles; ++i) {
        const QString path = settings_.value(KeyOf(i)).toString();
        if (!path.isEmpty() && !files_.contains(path)) files_ << path;
    }
    settings_.endGroup();
}

void RecentFiles::Add(const QString& path) {
    if (path.isEmpty()) return;
    const QString absolute = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    files_.removeIf([&](const QString& f) { return SameFile(f, absolute); });
    files_.prepend(absolute);
    while (files_.size() > kMaxFiles)
        files_.removeLast();
    Save();
}

void RecentFiles::Remove(const QString& path) {
    if (files_.removeIf([&](const QString& f) { return SameFile(f, path); }) > 0) Save();
}

void RecentFiles::Save() {
    settings_.beginGroup(kSection);
    for (int i = 0; i < kMaxFiles; ++i) {
        if (i < files_.size())
            settings_.setValue(KeyOf(i), files_[i]);
        else
            settings_.remove(KeyOf(i));
    }
    settings_.endGroup();
    settings_.sync();
}

}  // namespace kivrun
