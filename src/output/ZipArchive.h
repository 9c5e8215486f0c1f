#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kivrun {

// A .zip archive written front to back, as an .xlsx package is: each entry is deflated while
// it is written, its CRC and sizes follow it in a data descriptor, and the directory closes
// the archive, so nothing is held or rewound. Entries and the archive stay under 4 GiB (no
// Zip64); a larger one throws std::length_error. A stream or compression failure throws.
class ZipArchive {
  public:
    // level: a zlib compression level, 1 (fastest) to 9.
    ZipArchive(std::ostream& out, int level);
    ~ZipArchive();
    ZipArchive(const ZipArchive&) = delete;
    ZipArchive& operator=(const ZipArchive&) = delete;

    // Starts an entry; the one before is finished first.
    void Begin(const std::string& name);
    void Write(std::string_view bytes);
    // Finishes the last entry and writes the directory.
    void Finish();

  private:
    struct Entry {
        std::string name;
        std::uint32_t crc = 0;
        std::uint64_t compressed = 0;
        std::uint64_t size = 0;
        std::uint64_t offset = 0;
    };

    void End();
    void Deflate(int flush);
    void Put(std::string_view bytes);

    std::ostream& out_;
    int level_;
    std::vector<Entry> entries_;
    bool open_ = false;
    std::uint64_t written_ = 0;
    std::uint16_t dosTime_ = 0;
    std::uint16_t dosDate_ = 0;
    struct Stream;  // zlib's, kept out of this header
    std::unique_ptr<Stream> stream_;
    std::string buffer_;
};

}  // namespace kivrun
