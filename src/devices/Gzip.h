#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kivrun::devices {

// The most a packed device file may unpack to: far beyond a day-long recording, and small
// enough that a crafted file cannot exhaust memory.
constexpr std::size_t kMaxUnpackedSize = std::size_t{256} << 20;

bool LooksGzipped(std::string_view bytes);

enum class Unpacked {
    Whole,
    Damaged,   // `out` holds what came before the damage
    TooLarge,  // `out` is empty
};

// Unpacks gzip data, every member of it, in memory; `error` says what went wrong.
Unpacked Gunzip(std::string_view packed, std::string& out, std::string& error,
                std::size_t limit = kMaxUnpackedSize);

}  // namespace kivrun::devices
