#include "app/ui/ActivityFiles.h"

#include <QDir>

#include "app/ui/KivrunApp.h"

namespace kivrun {

bool IsActivityFile(const QString& path) {
    QString name = path.toLower();
    if (name.endsWith(QStringLiteral(".gz"))) name.chop(3);
    for (const char* suffix : {".fit", ".tcx", ".gpx"})
        if (name.endsWith(QLatin1String(suffix))) return true;
    return false;
}

void OpenActivityFiles(KivrunApp& app, const QStringList& files) {
    if (files.isEmpty()) return;
    QStringList names;
    for (const QString& file : files)
        names << QDir::toNativeSeparators(file);
    app.Ui().ShowMessage("Activity import is not available yet, so nothing was imported from:\n" +
                             names.join(QLatin1Char('\n')).toStdString(),
                         MessageKind::Information);
}

}  // namespace kivrun
