#pragma once

#include <string>

namespace kivrun {

// A file that takes the place of `target` only once it is complete. It is written under a
// temporary name in the target's folder (so the move cannot cross file systems), flushed to
// disk and renamed over the target by Commit; until then an existing target is untouched,
// and a file never committed is removed. Failures throw std::system_error.
class ReplacementFile {
  public:
    explicit ReplacementFile(std::string target);
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;
    ~ReplacementFile();

    const std::string& TempPath() const { return temp_; }
    const std::string& Target() const { return target_; }
    void Commit();

  private:
    std::string target_;
    std::string temp_;
    bool committed_ = false;
};

}  // namespace kivrun
