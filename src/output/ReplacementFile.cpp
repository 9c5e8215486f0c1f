#include "output/ReplacementFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

namespace kivrun {
namespace {

[[noreturn]] void Fail(int error, const std::string& path) {
    throw std::system_error(error, std::generic_category(), path);
}

void SyncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) Fail(errno, path);
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0) Fail(error, path);
}

}  // namespace

ReplacementFile::ReplacementFile(std::string target) : target_(std::move(target)) {
    const std::filesystem::path t(target_);
    const std::filesystem::path folder = t.has_parent_path() ? t.parent_path() : ".";
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            "." + t.filename().string() + ".kivrun-" + std::to_string(random() % 1000000);
        const std::string candidate = (folder / name).string();
        // Created with the usual permissions, so the finished file gets them too.
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            temp_ = candidate;
            return;
        }
        if (errno != EEXIST) Fail(errno, target_);
    }
    Fail(EEXIST, target_);
}

ReplacementFile::~ReplacementFile() {
    if (!committed_) std::remove(temp_.c_str());
}

void ReplacementFile::Commit() {
    SyncPath(temp_, O_RDONLY);
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) Fail(errno, target_);
    committed_ = true;
    // The new name is on disk too; a folder that cannot be synced still holds the file.
    const std::filesystem::path t(target_);
    try {
        SyncPath(t.has_parent_path() ? t.parent_path().string() : ".", O_RDONLY | O_DIRECTORY);
    } catch (const std::system_error&) {
    }
}

}  // namespace kivrun
