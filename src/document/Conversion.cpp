#include "document/Conversion.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "document/OldLogFile.h"
#include "document/OldLogReader.h"
#include "document/OldLogWriter.h"
#include "store/ColumnSettingsSet.h"
#include "store/Database.h"
#include "store/EventsSet.h"
#include "store/LogDatabase.h"
#include "store/LogEntrySet.h"
#include "store/NewLogFile.h"
#include "store/PreferencesSet.h"
#include "store/ReplacementFile.h"
#include "store/RoutesSet.h"
#include "store/SportsSet.h"
#include "store/TrainingTypesSet.h"
#include "store/UserInterface.h"

namespace kivrun {
namespace fs = std::filesystem;
namespace {

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Whether the file at `kept` is the text at `path` already: a conversion stopped half way
// leaves the text under both names.
bool SameText(const std::string& path, const std::string& kept) {
    struct stat a, b;
    if (::stat(path.c_str(), &a) != 0 || ::stat(kept.c_str(), &b) != 0) return false;
    if (a.st_dev == b.st_dev && a.st_ino == b.st_ino) return true;
    return a.st_size == b.st_size && Bytes(path) == Bytes(kept);
}

enum class Keep { Kept, Taken };

// The text under its second name too, without replacing anything there: a hard link, or a
// copy where the folder has none.
Keep KeepText(const std::string& path, const std::string& oldPath) {
    if (::link(path.c_str(), oldPath.c_str()) == 0) return Keep::Kept;
    const int error = errno;
    if (error == EEXIST) return SameText(path, oldPath) ? Keep::Kept : Keep::Taken;
    if (error != EPERM && error != ENOTSUP && error != EOPNOTSUPP && error != EMLINK &&
        error != ENOSYS)
        throw std::system_error(error, std::generic_category(), oldPath);
    ReplacementFile copy(oldPath);
    {
        std::ifstream in(path, std::ios::binary);
        std::ofstream out(copy.TempPath(), std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
        out.close();
        if (!in || !out) throw std::system_error(EIO, std::generic_category(), oldPath);
    }
    if (copy.CommitWithoutReplacing()) return Keep::Kept;
    return SameText(path, oldPath) ? Keep::Kept : Keep::Taken;
}

void RefuseTakenName(UserInterface& ui, const std::string& oldPath) {
    ui.ShowMessage("The old log cannot be converted: a file named \"" + FileName(oldPath) +
                   "\" is already beside it.\n\nRename or move that file, then open the log "
                   "again.");
}

// The record sets the writer fills, over the new log.
struct WriteSets {
    explicit WriteSets(LogDatabase* db)
        : sports(db),
          classes(db),
          routes(db),
          events(db),
          columns(db),
          preferences(db),
          entries(db) {
        for (RecordSet* s : std::initializer_list<RecordSet*>{&sports, &classes, &routes, &events,
                                                              &columns, &preferences, &entries})
            s->Open();
    }
    LogWriteSets Refs() {
        return LogWriteSets{sports, classes, routes, events, columns, preferences, entries};
    }
    CSportsSet sports;
    CTrainingTypesSet classes;
    CRoutesSet routes;
    CEventsSet events;
    CColumnSettingsSet columns;
    CPreferencesSet preferences;
    CLogEntrySet entries;
};

// The text held for the length of one conversion, so that a second one waits for it.
class TextClaim {
  public:
    explicit TextClaim(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ >= 0) ::flock(fd_, LOCK_EX);
    }
    TextClaim(const TextClaim&) = delete;
    TextClaim& operator=(const TextClaim&) = delete;
    ~TextClaim() {
        if (fd_ >= 0) ::close(fd_);
    }
    // Another conversion finished while this one waited: the name holds a log now, or the
    // file claimed was a log by the time it was opened.
    bool ConvertedMeanwhile(const std::string& path) const {
        struct stat held, named;
        if (fd_ < 0 || ::fstat(fd_, &held) != 0 || ::stat(path.c_str(), &named) != 0) return false;
        if (held.st_dev != named.st_dev || held.st_ino != named.st_ino) return true;
        char header[16] = {};
        return ::pread(fd_, header, sizeof header, 0) == sizeof header &&
               std::memcmp(header, "SQLite format 3", sizeof header) == 0;
    }

  private:
    int fd_;
};

}  // namespace

std::string OldLogName(const std::string& path) {
    std::string stem = path;
    if (stem.size() >= 4) {
        std::string ext = stem.substr(stem.size() - 4);
        for (char& c : ext)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (ext == ".tlg") stem.resize(stem.size() - 4);
    }
    return stem + "OLD.tlg";
}

bool ConvertOldLog(UserInterface& ui, const std::string& path) {
    const TextClaim claim(path);
    if (claim.ConvertedMeanwhile(path)) return true;
    OldLogFile text(path);
    if (!text.IsOpen()) {
        ui.ShowMessage("The old log cannot be converted: \"" + FileName(path) +
                       "\" cannot be read (" + std::strerror(errno) + ").");
        return false;
    }
    if (!text.IsOldLog()) {
        ui.ShowMessage("\"" + FileName(path) +
                       "\" is not a training log, nor a log of the previous version: there is "
                       "nothing in it to convert.");
        return false;
    }
    const std::string oldPath = OldLogName(path);
    std::error_code ec;
    if (fs::exists(oldPath, ec) && !SameText(path, oldPath)) {
        RefuseTakenName(ui, oldPath);
        return false;
    }
    try {
        ReplacementFile built(path);
        {
            auto db = CreateLogAt(built.TempPath(), ui);
            if (!db) return false;
            WriteSets sets(db.get());
            // One transaction: a conversion is one step, and quick however long the file.
            Transaction tx(db->sql());
            LimitedMessages messages(ui);
            OldLogWriter writer(sets.Refs(), messages);
            OldLogReader reader(text.Stream(), writer);
            reader.ReadAll();
            tx.Commit();
            messages.Finish();
        }
        if (KeepText(path, oldPath) == Keep::Taken) {
            RefuseTakenName(ui, oldPath);
            return false;
        }
        // The one step in which the name stops holding the text and holds the new log.
        built.Commit();
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("Couldn't convert the log--Exception: ") + e.what());
        return false;
    }
    return true;
}

}  // namespace kivrun
