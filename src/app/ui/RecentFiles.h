#pragma once

#include <QSettings>
#include <QStringList>

namespace kivrun {

// The recently opened logs, newest first, kept in the settings as
// "Recent File List/File1".."File4" and written as soon as they change.
class RecentFiles {
  public:
    static constexpr int kMaxFiles = 4;

    explicit RecentFiles(QSettings& settings);

    const QStringList& Files() const { return files_; }
    QString First() const { return files_.value(0); }
    // Puts the log first, once.
    void Add(const QString& path);
    void Remove(const QString& path);

  private:
    void Save();

    QSettings& settings_;
    QStringList files_;
};

}  // namespace kivrun
