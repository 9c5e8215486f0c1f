#include "store/ReplacementFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>
#include <vector>

namespace kivrun {
namespace fs = std::filesystem;
namespace {

constexpr const char* kJournal = "-journal";

[[noreturn]] void Fail(int error, const std::string& path) {
    throw std::system_error(error, std::generic_category(), path);
}

std::string FolderOf(const std::string& target) {
    const fs::path t(target);
    return t.has_parent_path() ? t.parent_path().string() : ".";
}

// Where our temporary files for a target begin: ".<name>.kivrun-".
std::string HiddenPrefix(const std::string& target) {
    return "." + fs::path(target).filename().string() + ".kivrun-";
}

bool EndsWith(const std::string& s, const char* tail) {
    const size_t n = std::strlen(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

bool ProcessAlive(long pid) {
    return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
}

// The writer of a temporary file holds a lock on it for as long as it writes.
bool NobodyWrites(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // a folder that cannot be synced still holds the file
    ::close(fd);
}

bool NotSupported(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string target) : target_(std::move(target)) {
    RemoveLeftovers(target_);
    const fs::path folder = FolderOf(target_);
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            (folder / (HiddenPrefix(target_) + "tmp-" + std::to_string(::getpid()) + "-" +
                       std::to_string(random() % 1000000)))
                .string();
        // Created with the usual permissions, so the finished file gets them too.
        const int fd = ::open(candidate.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::flock(fd, LOCK_EX | LOCK_NB);
            fd_ = fd;
            temp_ = candidate;
            return;
        }
        if (errno != EEXIST) Fail(errno, target_);
    }
    Fail(EEXIST, target_);
}

ReplacementFile::~ReplacementFile() {
    if (!committed_) {
        ::unlink(temp_.c_str());
        ::unlink((temp_ + kJournal).c_str());
    }
    if (fd_ >= 0) ::close(fd_);
}

void ReplacementFile::Sync() {
    if (::fsync(fd_) != 0) Fail(errno, temp_);
}

void ReplacementFile::Finish() {
    committed_ = true;
    ::close(fd_);
    fd_ = -1;
    SyncFolder(FolderOf(target_));
}

void ReplacementFile::Commit() {
    Sync();
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno, target_);
    Finish();
}

bool ReplacementFile::CommitWithoutReplacing() {
    Sync();
    std::string why;
    switch (MoveWithoutReplacing(temp_, target_, why)) {
        case MoveResult::Done:
            Finish();
            return true;
        case MoveResult::TargetTaken:
            return false;
        case MoveResult::Failed:
            break;
    }
    throw std::system_error(EIO, std::generic_category(), target_ + ": " + why);
}

void ReplacementFile::RemoveLeftovers(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string prefix = HiddenPrefix(target);
    const std::string name = fs::path(target).filename().string();
    std::vector<std::string> files, journals;
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const std::string n = entry->d_name;
            if (EndsWith(n, kJournal)) {
                if (n.find(".kivrun-") != std::string::npos) journals.push_back(n);
                continue;
            }
            if (n == name + ".kivrun-tmp" || n == name + ".kivrun-new") {
                files.push_back(n);  // fixed names of earlier builds
                continue;
            }
            // Ours whatever they were written for: ".<name>.kivrun-tmp-<process>-<n>".
            const size_t tmp = n.find(".kivrun-tmp-");
            if (n[0] == '.' && tmp != std::string::npos) {
                if (!ProcessAlive(std::strtol(n.c_str() + tmp + 12, nullptr, 10)))
                    files.push_back(n);
                continue;
            }
            // Earlier builds named them ".<name>.kivrun-<n>", without the process.
            if (n.rfind(prefix, 0) == 0 && n.size() > prefix.size() &&
                n.find_first_not_of("0123456789", prefix.size()) == std::string::npos)
                files.push_back(n);
        }
        ::closedir(dir);
    }
    for (const std::string& n : files) {
        const std::string path = (fs::path(folder) / n).string();
        if (NobodyWrites(path)) ::unlink(path.c_str());
    }
    // A journal goes with its database, once that is gone.
    for (const std::string& n : journals) {
        const std::string path = (fs::path(folder) / n).string();
        struct stat st;
        if (::lstat(path.substr(0, path.size() - std::strlen(kJournal)).c_str(), &st) != 0)
            ::unlink(path.c_str());
    }
}

MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string& why) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return MoveResult::Done;
    if (errno == EEXIST) return MoveResult::TargetTaken;
    if (NotSupported(errno)) {
        // Without an exclusive rename, a hard link cannot replace anything either.
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0) return MoveResult::Done;
            why = std::strerror(errno);
            ::unlink(to.c_str());
            return MoveResult::Failed;
        }
        if (errno == EEXIST) return MoveResult::TargetTaken;
        if (NotSupported(errno)) {
            // Nor hard links (some shared folders): look first, then rename.
            struct stat st;
            if (::lstat(to.c_str(), &st) == 0) return MoveResult::TargetTaken;
            if (std::rename(from.c_str(), to.c_str()) == 0) return MoveResult::Done;
        }
    }
    why = std::strerror(errno);
    return MoveResult::Failed;
}

}  // namespace kivrun
