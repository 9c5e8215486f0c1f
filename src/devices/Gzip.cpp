#include "devices/Gzip.h"

#include <zlib.h>

#include <algorithm>
#include <climits>

namespace kivrun::devices {

bool LooksGzipped(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
           static_cast<unsigned char>(bytes[1]) == 0x8B;
}

Unpacked Gunzip(std::string_view packed, std::string& out, std::string& error, std::size_t limit) {
    out.clear();
    z_stream z{};
    if (inflateInit2(&z, 16 + MAX_WBITS) != Z_OK) {
        error = "the unpacker could not start";
        return Unpacked::Damaged;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    std::size_t inLeft = packed.size();
    // Grows the output as it fills, never past the limit plus one chunk.
    constexpr std::size_t kChunk = 1 << 16;
    Unpacked result = Unpacked::Whole;
    for (;;) {
        if (z.avail_in == 0 && inLeft > 0) {
            z.avail_in = static_cast<uInt>(std::min<std::size_t>(inLeft, UINT_MAX));
            inLeft -= z.avail_in;
        }
        const std::size_t had = out.size();
        out.resize(had + kChunk);
        z.next_out = reinterpret_cast<Bytef*>(out.data() + had);
        z.avail_out = kChunk;
        const int rc = inflate(&z, Z_NO_FLUSH);
        out.resize(had + (kChunk - z.avail_out));
        if (out.size() > limit) {
            error = "unpacks to more than " + std::to_string(limit >> 20) + " MB";
            result = Unpacked::TooLarge;
            break;
        }
        if (rc == Z_STREAM_END) {
            // Another member may follow, as `cat a.gz b.gz` makes.
            if (z.avail_in == 0 && inLeft == 0) break;
            if (z.avail_in < 2 || z.next_in[0] != 0x1F || z.next_in[1] != 0x8B) break;
            inflateReset(&z);
            continue;
        }
        if (rc == Z_BUF_ERROR && z.avail_in == 0 && inLeft == 0) {
            error = "the packed file ends early";
            result = Unpacked::Damaged;
            break;
        }
        if (rc != Z_OK && rc != Z_BUF_ERROR) {
            error = "the packed file is damaged";
            result = Unpacked::Damaged;
            break;
        }
    }
    inflateEnd(&z);
    if (result == Unpacked::TooLarge) out.clear();
    return result;
}

}  // namespace kivrun::devices
