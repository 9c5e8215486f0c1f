// The desktop program's claim on the log it has open, and opening read-only when another
// instance has it.
#include <exception>
#include <filesystem>

#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "store/LogLock.h"

namespace kivrun {

bool CTamselDoc::ClaimLog(const std::string& path, bool offerReadOnly) {
    if (!claimsLog_) return true;
    auto lock = std::make_unique<LogLock>();
    LockHolder holder;
    try {
        if (lock->Acquire(path, holder)) {
            lock_ = std::move(lock);
            return true;
        }
    } catch (const std::exception& e) {
        // A folder that takes no lock file (read-only media): nobody can write there either.
        if (!offerReadOnly) {
            ui_.ShowMessage("Couldn't create database--Exception: " + std::string(e.what()));
            return false;
        }
        claimedElsewhere_ =
            ui_.AskYesNo("The training log \"" + path + "\" cannot be claimed for writing (" +
                         e.what() + ").\n\nOpen it read-only?");
        return claimedElsewhere_;
    }
    const std::string who = "The training log \"" + path + "\" is open in Kivrun on " +
                            holder.host + " (process " + std::to_string(holder.pid) + ").";
    const std::string stale = holder.host == LogLock::ThisHost()
                                  ? std::string()
                                  : "\n\nIf Kivrun is no longer running there, remove \"" +
                                        LogLock::PathFor(path) + "\".";
    if (!offerReadOnly) {
        ui_.ShowMessage(who + " It cannot be replaced while it is open." + stale);
        return false;
    }
    claimedElsewhere_ =
        ui_.AskYesNo(who + stale + "\n\nOpen it read-only? Nothing you do will be saved in it.");
    return claimedElsewhere_;
}

bool CTamselDoc::RefuseUnlessLog(LogDatabase& db) {
    if (db.Classify() != LogDatabase::Contents::Log) {
        ui_.ShowMessage(LogDatabase::NotALogMessage(db.path()));
        return false;
    }
    // Nothing may run what the log cannot be rid of while it is only read.
    if (!db.ForeignCode().empty()) {
        ui_.ShowMessage("Couldn't open database--Exception: '" + db.path() +
                        "' holds database code that Kivrun did not write. Opened for writing, "
                        "the log is rid of it.");
        return false;
    }
    return true;
}

}  // namespace kivrun
