#pragma once

#include <string>

#include "store/UserInterface.h"

namespace kivrun {

class CTamselDoc;

// What an import did, so that a failure is never taken for "nothing imported" when it came
// after the rows were in the log (importing again would add them twice).
struct ImportReport {
    bool written = false;  // the rows are in the log: one transaction, committed
    int entries = 0;
    int events = 0;
};

// Appends what the options ask for from another log (a log database, or a text log of the
// previous version) to the open log, in one transaction; nothing is replaced, and nothing is
// written to the other file. Importing the same log twice adds its workouts twice. The views
// are told afterwards. False when it did not all work: silently when there is no such file,
// after a message otherwise; the report says whether the rows were written all the same.
bool Import(CTamselDoc& doc, const std::string& path, const ImportOptions& options,
            ImportReport* report = nullptr);

// The "Import from Log" command: asks for the options, then for the file, then imports.
// False when the user cancels or the import fails.
bool ImportFromOtherLog(CTamselDoc& doc);

}  // namespace kivrun
