#include "store/LogLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <system_error>

namespace kivrun {
namespace {

[[noreturn]] void Fail(int error, const std::string& path) {
    throw std::system_error(error, std::generic_category(), path);
}

LockHolder ReadHolder(int fd) {
    char buffer[512] = {};
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    LockHolder holder;
    std::istringstream in(std::string(buffer, n > 0 ? static_cast<size_t>(n) : 0));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("host=", 0) == 0) holder.host = line.substr(5);
        if (line.rfind("pid=", 0) == 0) holder.pid = std::strtol(line.c_str() + 4, nullptr, 10);
    }
    return holder;
}

}  // namespace

std::string LogLock::PathFor(const std::string& logPath) {
    const std::filesystem::path p(logPath);
    return (p.parent_path() / ("." + p.filename().string() + ".kivrun-lock")).string();
}

std::string LogLock::ThisHost() {
    char name[HOST_NAME_MAX + 1] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "localhost";
    return name;
}

bool LogLock::Acquire(const std::string& logPath, LockHolder& holder) {
    Release();
    const std::string path = PathFor(logPath);
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0) Fail(errno, path);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            // Locked: its program is running. The recorded host and process say which.
            holder = ReadHolder(fd);
            ::close(fd);
            return false;
        }
        const LockHolder recorded = ReadHolder(fd);
        // A lock file whose lock nobody holds is stale on this host. One written on another
        // host may come from a file system that does not pass locks on: it is left to that host.
        if (!recorded.host.empty() && recorded.host != ThisHost() && recorded.pid > 0) {
            holder = recorded;
            ::close(fd);
            return false;
        }
        // The file may have been removed (its holder closed) between open and lock.
        struct stat opened, named;
        if (::fstat(fd, &opened) != 0 || ::stat(path.c_str(), &named) != 0 ||
            opened.st_ino != named.st_ino || opened.st_dev != named.st_dev) {
            ::close(fd);
            continue;
        }
        const std::string text =
            "host=" + ThisHost() + "\npid=" + std::to_string(::getpid()) + "\n";
        if (::ftruncate(fd, 0) != 0 ||
            ::pwrite(fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size())) {
            const int error = errno;
            ::close(fd);
            Fail(error, path);
        }
        ::fsync(fd);
        fd_ = fd;
        path_ = path;
        return true;
    }
    Fail(EAGAIN, path);
}

void LogLock::Release() {
    if (fd_ < 0) return;
    // Removed while still locked, so nobody takes over a file that is about to vanish.
    ::unlink(path_.c_str());
    ::close(fd_);
    fd_ = -1;
    path_.clear();
}

}  // namespace kivrun
