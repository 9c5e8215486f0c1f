#pragma once

#include <string>

namespace kivrun {

class CTamselDoc;

// Turns a log of the previous version (a text file at path) into a new log at the same
// path, keeping the old file beside it. The document is left open on the new log, without
// shading or filter yet. False after telling the user why, when it cannot.
bool ConvertOldLog(CTamselDoc& doc, const std::string& path);

}  // namespace kivrun
