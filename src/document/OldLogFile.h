#pragma once

#include <fstream>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace kivrun {

// A file that may be a text log of the previous version, read as the bytes the old-log reader
// takes whatever the file was written in: UTF-8 or Windows-1252 as they stand, UTF-16 with a
// byte-order mark turned into UTF-8.
class OldLogFile {
  public:
    explicit OldLogFile(const std::string& path);
    OldLogFile(const OldLogFile&) = delete;
    OldLogFile& operator=(const OldLogFile&) = delete;
    ~OldLogFile();

    bool IsOpen() const { return file_.is_open(); }
    // Whether it is a text log at all: text rather than binary data, whose first line that
    // is not blank opens a section ("[Sports") or is a workout line (a date first). An empty
    // file is none: there is nothing in it to read.
    bool IsOldLog() const { return isOldLog_; }
    // From the start of the file; the byte-order mark of UTF-16 is not part of it.
    std::istream& Stream();

  private:
    std::ifstream file_;
    std::unique_ptr<std::streambuf> decoder_;
    std::unique_ptr<std::istream> decoded_;
    bool isOldLog_ = false;
};

// OldLogFile(path).IsOldLog(), for a file not to be read further.
bool LooksLikeOldLog(const std::string& path);

}  // namespace kivrun
