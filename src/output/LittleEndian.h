#pragma once

#include <cstdint>
#include <string>

// Appends integers least significant byte first, as the workbook formats store them.
namespace kivrun::little_endian {

inline void Put8(std::string& b, unsigned v) {
    b += static_cast<char>(v & 0xFF);
}
inline void Put16(std::string& b, unsigned v) {
    Put8(b, v);
    Put8(b, v >> 8);
}
inline void Put32(std::string& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

}  // namespace kivrun::little_endian
