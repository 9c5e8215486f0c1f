#include "document/Backup.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "store/Database.h"
#include "store/JetSql.h"
#include "store/ReplacementFile.h"
#include "store/UserInterface.h"
#include "values/Calendar.h"
#include "values/Date.h"

namespace kivrun {
namespace fs = std::filesystem;
namespace {

CDate ModificationDate(const fs::path& p) {
    const auto ftime = fs::last_write_time(p);
    const auto sys = std::chrono::file_clock::to_sys(ftime);
    const std::time_t t = std::chrono::system_clock::to_time_t(sys);
    std::tm local{};
    localtime_r(&t, &local);
    return CDate(local.tm_mon + 1, local.tm_mday, local.tm_year + 1900);
}

bool Failure(std::string* why, const std::string& what) {
    if (why) *why = what;
    return false;
}

}  // namespace

std::string BackupPathFor(const std::string& logPath, const std::string& backupFolder) {
    return (fs::path(backupFolder) / (fs::path(logPath).stem().string() + "BAK.tlg")).string();
}

bool CompactInto(const std::string& source, const std::string& target, std::string* why) {
    try {
        ReplacementFile file(target);
        {
            SqliteDb db(source, false);
            db.Exec("VACUUM INTO " + jetsql::Quote(file.TempPath()));
        }
        {
            SqliteDb copy(file.TempPath(), false);
            Statement check = copy.Prepare("PRAGMA integrity_check");
            if (!check.Step() || check.Text(0) != "ok")
                return Failure(why, "the copy did not pass its check");
        }
        file.Commit();
        return true;
    } catch (const std::exception& e) {
        return Failure(why, e.what());
    }
}

bool CompactInPlace(const std::string& path, std::string* why) {
    try {
        SqliteDb db(path, false);
        db.Exec("VACUUM");
        return true;
    } catch (const std::exception& e) {
        return Failure(why, e.what());
    }
}

BackupOutcome AutomaticBackup(const std::string& logPath, int daysBetween,
                              const std::string& backupFolder, UserInterface& ui, bool compactLog) {
    if (backupFolder.empty()) return {};
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
            if (!chosen) return {BackupOutcome::Cancelled, {}};
            if (fs::path(*chosen).stem().string() != stem) break;
        }
    }
    std::error_code ec;
    fs::create_directories(backupFolder, ec);
    if (!fs::is_directory(backupFolder, ec))
        return {BackupOutcome::Failed, "'" + backupFolder + "' is not a folder" +
                                           (ec ? " (" + ec.message() + ")" : std::string())};
    const std::string backup = BackupPathFor(logPath, backupFolder);
    std::string why;
    if (!fs::exists(backup, ec)) {
        if (!CompactInto(logPath, backup, &why)) return {BackupOutcome::Failed, why};
        return {BackupOutcome::Made, {}};
    }
    const CDate modified = ModificationDate(backup);
    const CDate today;
    const int days = today < modified ? 0 : CDate::DaysBetween(modified, today);
    if (days < daysBetween) return {};
    // Replace the backup, then compact the log itself, now that a sound copy exists.
    if (!CompactInto(logPath, backup, &why)) return {BackupOutcome::Failed, why};
    if (compactLog && !CompactInPlace(logPath, &why))
        return {BackupOutcome::Failed,
                "the backup was made, but the log could not be compacted: " + why};
    return {BackupOutcome::Made, {}};
}

}  // namespace kivrun
