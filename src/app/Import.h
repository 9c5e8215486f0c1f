#pragma once

#include <string>

#include "store/UserInterface.h"

namespace kivrun {

class CTamselDoc;

// Appends what the options ask for from another log (a log database, or a text log of the
// previous version) to the open log; nothing is replaced, and nothing is written to the
// other file. Importing the same log twice adds its workouts twice. The views are told
// afterwards. False when nothing could be read: silently when there is no such file, after
// a message otherwise.
bool Import(CTamselDoc& doc, const std::string& path, const ImportOptions& options);

// The "Import from Log" command: asks for the options, then for the file, then imports.
// False when the user cancels or the import fails.
bool ImportFromOtherLog(CTamselDoc& doc);

}  // namespace kivrun
