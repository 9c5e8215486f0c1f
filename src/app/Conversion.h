#pragma once

#include <string>

namespace kivrun {

class CTamselDoc;

// Turns a log of the previous version (a text file at path) into a new log at the same
// path. The text file is kept beside it as OldLogName(path), and is moved there only when
// that name is free; when anything fails later it is put back under its own name. The
// document is left open on the new log, without shading or filter yet. False after telling
// the user why, when it cannot.
bool ConvertOldLog(CTamselDoc& doc, const std::string& path);

// Where conversion keeps the text file: "X.tlg" becomes "XOLD.tlg"; a name without the
// extension keeps all of it ("X" becomes "XOLD.tlg").
std::string OldLogName(const std::string& path);

}  // namespace kivrun
