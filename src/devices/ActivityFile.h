#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "devices/Activity.h"

// Where an import starts: a file on disk or its bytes, whichever of FIT, TCX and GPX it is,
// packed with gzip or not.
namespace kivrun::devices {

// Larger files are refused unread.
constexpr std::uintmax_t kMaxActivityFileSize = std::uintmax_t{256} << 20;

struct ActivityFileType {
    FileKind kind = FileKind::Unknown;
    bool packed = false;  // .gz
};

// By the name's ending, in any case: .fit .tcx .gpx, each also with .gz after it.
// Nothing for any other name.
std::optional<ActivityFileType> ActivityFileTypeOf(const std::filesystem::path& path);

// Reads bytes of the given kind; gzip data is unpacked first, whatever the kind.
Activity ReadActivity(std::string_view bytes, FileKind kind);

// Never throws: a file that cannot be read is refused with the reason.
Activity ReadActivityFile(const std::filesystem::path& path);

// What the user picked or dropped, as files to read: a file as it is (one that is no activity
// file is refused when read, so the user learns why), a folder as every activity file under
// it, by name, sorted. Each file once. A folder that cannot be walked gives what was found.
std::vector<std::filesystem::path> FindActivityFiles(
    const std::vector<std::filesystem::path>& chosen);

}  // namespace kivrun::devices
