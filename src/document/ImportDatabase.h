#pragma once

#include <memory>

#include "store/UserInterface.h"

namespace kivrun {

class CTamselDoc;
class LogDatabase;
class OldLogWriter;

// What an import added, for the notices sent afterwards.
struct ImportOutcome {
    bool written = false;       // committed
    bool workoutsRead = false;  // an old text log's workout lines were read
    int sportsAdded = 0;
    int routesAdded = 0;
    int eventsAdded = 0;
    int entriesAdded = 0;
    void Count(const OldLogWriter& writer);
};

// Copies from another log database: workouts and events of the sports the open log has,
// routes of those sports that it lacks, and the settings an old text log's "Prefs" carries.
// The other log is read whole and closed before anything is written; texts that are not
// valid UTF-8 are read as Windows-1252. False after a message when it cannot be read.
bool ImportDatabase(CTamselDoc& doc, std::unique_ptr<LogDatabase> other,
                    const ImportOptions& options, ImportOutcome& outcome);

}  // namespace kivrun
