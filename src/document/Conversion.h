#pragma once

#include <string>

namespace kivrun {

class UserInterface;

// Turns a log of the previous version (a text file at path: UTF-8, Windows-1252, or UTF-16
// with a byte-order mark) into a new log at the same path. The new log is written under a
// temporary name beside it; the text is then kept as OldLogName(path) as well (never
// replacing another file there), and the new log takes the path in one step. So at every
// moment the path holds the whole text or the whole new log. A file that is not a text log is
// refused. Two conversions of one file run one after the other; the second finds the log made
// and converts nothing. False after telling the user why, when it cannot.
bool ConvertOldLog(UserInterface& ui, const std::string& path);

// Where conversion keeps the text file: "X.tlg" becomes "XOLD.tlg"; a name without the
// extension keeps all of it ("X" becomes "XOLD.tlg").
std::string OldLogName(const std::string& path);

}  // namespace kivrun
