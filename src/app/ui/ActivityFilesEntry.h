#pragma once

#include <QStringList>

namespace kivrun {

class KivrunApp;

// Workouts from activity files into the open log, however the files come: File > Import
// Activities (no paths: the review window asks for them), files and folders dropped on the
// main window, or files the program is started with ("kivrun ride.fit", as a desktop's
// "Open with Kivrun" does). Opens the review window over them; with no log open, the user
// is asked to open the log they go into first.
void ImportActivityFiles(KivrunApp& app, const QStringList& paths);

// Files and folders dropped on the main window go to ImportActivityFiles.
void AcceptActivityDrops(KivrunApp& app);

// Whether a command-line argument is for the import rather than a log to open: an activity
// file (.fit, .tcx, .gpx, also .gz) or a folder.
bool IsActivityArgument(const QString& argument);

}  // namespace kivrun
