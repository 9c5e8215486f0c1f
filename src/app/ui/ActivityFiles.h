#pragma once

#include <QString>
#include <QStringList>

namespace kivrun {

class KivrunApp;

// A device's activity file by its name: .fit, .tcx or .gpx, also gzip-compressed (.fit.gz).
bool IsActivityFile(const QString& path);

// Activity files handed to the program from outside: "Open with Kivrun" in a file manager,
// or `kivrun ride.fit`. They belong in the device import's review window, over the open log.
// Until that window exists the user is told so, and nothing is written.
void OpenActivityFiles(KivrunApp& app, const QStringList& files);

}  // namespace kivrun
