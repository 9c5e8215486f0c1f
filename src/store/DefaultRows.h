#pragma once

#include <string>

namespace kivrun {

class LogDatabase;

// The icon index (0..12) a sport gets from its name when it has none of its own.
int SportImageIndex(const std::string& sportName);

// Writes the rows a new log starts with: training classes, pace and distance units, the
// log list's columns, five preferences and the starter exercise list.
void WriteDefaultRows(LogDatabase& db);

}  // namespace kivrun
