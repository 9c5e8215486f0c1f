#pragma once

#include <memory>
#include <string>

namespace kivrun {

class LogDatabase;
class UserInterface;

// A new log at path (an empty file there is taken over), with its structure and default rows
// written in one transaction. Null after telling the user why.
std::unique_ptr<LogDatabase> CreateLogAt(const std::string& path, UserInterface& ui);

// Writes a new log beside path under a temporary name and then gives it that name in one
// step, so a failure (a full disk) leaves nothing half made there. With replace a file at
// path is replaced; without, a file there is left alone and the log not made. False after
// telling the user why.
bool WriteNewLogFile(const std::string& path, bool replace, UserInterface& ui);

}  // namespace kivrun
