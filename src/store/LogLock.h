#pragma once

#include <string>

namespace kivrun {

// Who has a log open in the desktop program, as its lock file records it.
struct LockHolder {
    std::string host;
    long pid = 0;
};

// The desktop program's claim on the log it has open: a small file beside the log
// (".<name>.kivrun-lock") that records the host and process, locked for as long as the claim
// lasts and removed when it ends. A claim whose process is gone (the program was killed, the
// machine restarted) is stale and is taken over.
class LogLock {
  public:
    LogLock() = default;
    LogLock(const LogLock&) = delete;
    LogLock& operator=(const LogLock&) = delete;
    ~LogLock() { Release(); }

    // Claims the log. False when another live program holds it; holder then says who.
    // Throws std::system_error when the claim cannot be written (a read-only folder).
    bool Acquire(const std::string& logPath, LockHolder& holder);
    void Release();
    bool Held() const { return fd_ >= 0; }

    static std::string PathFor(const std::string& logPath);
    static std::string ThisHost();

  private:
    std::string path_;
    int fd_ = -1;
};

}  // namespace kivrun
