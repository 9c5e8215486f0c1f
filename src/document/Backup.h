#pragma once

#include <string>

namespace kivrun {

class UserInterface;

// What the automatic backup did.
struct BackupOutcome {
    enum Result {
        NotDue,     // the backup is recent enough, or there is no backup folder
        Made,       // the backup was written and the log compacted
        Cancelled,  // the user gave no other name for a backup opened as a log
        Failed,     // why says what did not happen
    };
    Result result = NotDue;
    std::string why;
};

// A compacted copy of an SQLite file, written beside the target under a temporary name,
// checked, flushed and then moved over the target in one step. The source is only read, in
// one read transaction, so a write of another program is either in the copy or after it.
// False (why says why, and nothing changed at target) when any step fails.
bool CompactInto(const std::string& source, const std::string& target, std::string* why = nullptr);

// Compacts a log where it is, in one transaction of the engine's own: a program that writes
// at the same time waits for it, and nothing it wrote is lost.
bool CompactInPlace(const std::string& path, std::string* why = nullptr);

// The automatic backup made when a log closes: one compacted copy per log title in the
// backup folder ("<title>BAK.tlg"), replaced when it is at least daysBetween days old, and
// then the log itself compacted (unless compactLog is false: a file that cannot be written).
// The log and an existing backup are never left worse than they were.
BackupOutcome AutomaticBackup(const std::string& logPath, int daysBetween,
                              const std::string& backupFolder, UserInterface& ui,
                              bool compactLog = true);

// The backup file a log gets in a backup folder.
std::string BackupPathFor(const std::string& logPath, const std::string& backupFolder);

}  // namespace kivrun
