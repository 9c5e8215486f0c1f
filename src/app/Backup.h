#pragma once

#include <string>

namespace kivrun {

class UserInterface;

// A compacted copy of an SQLite file, written beside the target under a temporary name,
// checked, flushed and then moved over the target in one step. The source is only read.
// False (and nothing changed at target) when any step fails.
bool CompactInto(const std::string& source, const std::string& target);

// The automatic backup made when a log closes: one compacted copy per log title in the
// backup folder ("<title>BAK.tlg"), replaced when it is at least daysBetween days old, and
// then the log itself compacted. Nothing is reported; the log and an existing backup are
// never left worse than they were.
void AutomaticBackup(const std::string& logPath, int daysBetween, const std::string& backupFolder,
                     UserInterface& ui);

// The backup file a log gets in a backup folder.
std::string BackupPathFor(const std::string& logPath, const std::string& backupFolder);

}  // namespace kivrun
