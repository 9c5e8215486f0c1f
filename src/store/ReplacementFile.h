#pragma once

#include <string>

namespace kivrun {

// A file that takes the place of `target` only once it is complete. It is written under a
// temporary name in the target's folder (so the move cannot cross file systems), flushed to
// disk and renamed over the target by Commit; until then an existing target is untouched, and
// a file never committed is removed, with any SQLite journal beside it.
//
// The temporary name carries the target's name and this process's id, and the file is locked
// for as long as the object lives, so that a run killed half way leaves nothing for good: the
// next one that writes the same target removes what no live run is writing. Failures throw
// std::system_error.
class ReplacementFile {
  public:
    explicit ReplacementFile(std::string target);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    const std::string& TempPath() const { return temp_; }
    const std::string& Target() const { return target_; }
    // Any database connection on the temporary file must be closed by now.
    void Commit();
    // Like Commit, but false (and the target left alone) when a file has its name already.
    bool CommitWithoutReplacing();

    // Removes the temporary files in target's folder that runs of ours left behind: those of
    // processes that have ended, for whatever target, and the fixed names earlier builds
    // used for this one.
    static void RemoveLeftovers(const std::string& target);

  private:
    void Sync();
    void Finish();

    std::string target_;
    std::string temp_;
    int fd_ = -1;
    bool committed_ = false;
};

enum class MoveResult { Done, TargetTaken, Failed };

// Renames a file unless the new name is taken; never replaces anything there. On Failed, why
// holds the system's reason.
MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to, std::string& why);

}  // namespace kivrun
