#include "app/Backup.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <system_error>

#include "entries/Calendar.h"
#include "entries/Date.h"
#include "store/Database.h"
#include "store/JetSql.h"
#include "store/UserInterface.h"

namespace kivrun {
namespace fs = std::filesystem;
namespace {

bool SyncPath(const fs::path& p, bool directory) {
    int fd = ::open(p.c_str(), directory ? O_RDONLY | O_DIRECTORY : O_RDONLY);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

CDate ModificationDate(const fs::path& p) {
    const auto ftime = fs::last_write_time(p);
    const auto sys = std::chrono::file_clock::to_sys(ftime);
    const std::time_t t = std::chrono::system_clock::to_time_t(sys);
    std::tm local{};
    localtime_r(&t, &local);
    return CDate(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

}  // namespace

std::string BackupPathFor(const std::string& logPath, const std::string& backupFolder) {
    return (fs::path(backupFolder) / (fs::path(logPath).stem().string() + "BAK.tlg")).string();
}

bool CompactInto(const std::string& source, const std::string& target) {
    const fs::path tmp = fs::path(target).string() + ".kivrun-tmp";
    std::error_code ec;
    fs::remove(tmp, ec);
    try {
        {
            SqliteDb db(source, false);
            db.Exec("VACUUM INTO " + jetsql::Quote(tmp.string()));
        }
        {
            SqliteDb copy(tmp.string(), false);
            Statement check = copy.Prepare("PRAGMA integrity_check");
            if (!check.Step() || check.Text(0) != "ok") throw DbError(0, "integrity");
        }
        if (!SyncPath(tmp, false)) throw DbError(0, "sync");
        fs::rename(tmp, target);  // atomic on one file system
        SyncPath(
            fs::path(target).parent_path().empty() ? fs::path(".") : fs::path(target).parent_path(),
            true);
        return true;
    } catch (const std::exception&) {
        fs::remove(tmp, ec);
        return false;
    }
}

void AutomaticBackup(const std::string& logPath, int daysBetween, const std::string& backupFolder,
                     UserInterface& ui) {
    if (backupFolder.empty()) return;
    // A backup that was opened as a log would be backed up onto itself; ask for another
    // name first, and skip the backup when the user cancels.
    const std::string stem = fs::path(logPath).stem().string();
    if (stem.size() > 3 && stem.compare(stem.size() - 3, 3, "BAK") == 0) {
        FileDialogRequest request;
        request.defaultExtension = ".tlg";
        request.filter = "Kivrun Files (*.tlg)|*.tlg|All Files (*.*)|*.*||";
        request.initialPath = logPath;
        for (;;) {
            std::optional<std::string> chosen = ui.ChooseSaveFile(request);
            if (!chosen) return;
            if (fs::path(*chosen).stem().string() != stem) break;
        }
    }
    std::error_code ec;
    fs::create_directories(backupFolder, ec);
    if (!fs::is_directory(backupFolder, ec)) return;
    const std::string backup = BackupPathFor(logPath, backupFolder);
    if (!fs::exists(backup, ec)) {
        CompactInto(logPath, backup);
        return;
    }
    const CDate modified = ModificationDate(backup);
    const CDate today;
    const int days = today < modified ? 0 : CDate::DaysBetween(modified, today);
    if (days < daysBetween) return;
    // Replace the backup, then compact the log itself from a sound copy.
    if (CompactInto(logPath, backup)) CompactInto(logPath, logPath);
}

}  // namespace kivrun
