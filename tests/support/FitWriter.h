#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Writes FIT files for the tests and benchmarks: any message layout, either byte order, both
// header sizes, compressed timestamps and developer fields. Its CRC is the nibble-table form of
// the FIT documentation, not the reader's, so a slip in one shows against the other.
namespace kivrun::test {

namespace fit_type {
constexpr std::uint8_t kEnum = 0x00, kUint8 = 0x02, kUint16 = 0x84, kUint32 = 0x86, kString = 0x07;
}

struct FitField {
    std::uint8_t number = 0;
    std::uint8_t type = fit_type::kUint32;
    std::uint64_t value = 0;
    std::string text = {};  // for strings, written with a terminating zero
};

constexpr std::int64_t kFitEpoch = 631065600;
constexpr std::uint32_t FitTime(std::int64_t unix) {
    return static_cast<std::uint32_t>(unix - kFitEpoch);
}

class FitWriter {
  public:
    bool bigEndian = false;  // for definitions written from now on
    int headerSize = 14;
    bool headerCrc = true;                     // a 14-byte header may leave its CRC zero
    std::vector<std::uint8_t> developerSizes;  // developer fields of the next definitions

    // Writes a definition when the local type's layout differs from its last one, then data.
    FitWriter& Message(std::uint8_t local, std::uint16_t global, const std::vector<FitField>& f) {
        Define(local, global, f);
        return Data(static_cast<char>(local), local, f);
    }
    // Data behind a compressed-timestamp header: local types 0-3, the time's low five bits.
    FitWriter& Compressed(std::uint8_t local, std::uint16_t global, std::uint32_t time,
                          const std::vector<FitField>& f) {
        Define(local, global, f);
        return Data(static_cast<char>(0x80 | (local & 3) << 5 | (time & 0x1F)), local, f);
    }
    // Raw bytes among the records, for damage.
    FitWriter& Raw(std::string_view bytes) {
        data_ += bytes;
        ends_.push_back(data_.size());
        return *this;
    }

    std::string Bytes() const {
        std::string file(1, static_cast<char>(headerSize));
        file += '\x20';      // protocol 2.0
        Put(file, 2, 2195);  // profile version
        Put(file, 4, data_.size());
        file += ".FIT";
        if (headerSize == 14) Put(file, 2, headerCrc ? Crc(file) : 0);
        file += data_;
        Put(file, 2, Crc(file));
        return file;
    }
    // Where each record ends in Bytes().
    std::vector<std::size_t> RecordEnds() const {
        std::vector<std::size_t> ends;
        for (std::size_t end : ends_)
            ends.push_back(headerSize + end);
        return ends;
    }

    static std::uint16_t Crc(std::string_view bytes) {
        static const std::uint16_t table[16] = {0x0000, 0xCC01, 0xD801, 0x1400, 0xF001, 0x3C00,
                                                0x2800, 0xE401, 0xA001, 0x6C00, 0x7800, 0xB401,
                                                0x5000, 0x9C01, 0x8801, 0x4400};
        std::uint16_t crc = 0;
        for (unsigned char byte : bytes)
            for (int nibble : {byte & 0xF, byte >> 4}) {
                const std::uint16_t tmp = table[crc & 0xF];
                crc = ((crc >> 4) & 0x0FFF) ^ tmp ^ table[nibble];
            }
        return crc;
    }

  private:
    static std::size_t SizeOf(const FitField& f) {
        if (f.type == fit_type::kString) return f.text.size() + 1;
        return f.type == fit_type::kUint32 ? 4 : f.type == fit_type::kUint16 ? 2 : 1;
    }
    static void Put(std::string& out, std::size_t size, std::uint64_t value, bool big = false) {
        for (std::size_t i = 0; i < size; ++i)
            out += static_cast<char>(value >> 8 * (big ? size - 1 - i : i) & 0xFF);
    }

    void Define(std::uint8_t local, std::uint16_t global, const std::vector<FitField>& fields) {
        std::string definition(
            1, static_cast<char>(0x40 | (developerSizes.empty() ? 0 : 0x20) | local));
        definition += '\0';
        definition += static_cast<char>(bigEndian);
        Put(definition, 2, global, bigEndian);
        definition += static_cast<char>(fields.size());
        for (const FitField& f : fields)
            definition += {static_cast<char>(f.number), static_cast<char>(SizeOf(f)),
                           static_cast<char>(f.type)};
        if (!developerSizes.empty()) {
            definition += static_cast<char>(developerSizes.size());
            for (std::size_t i = 0; i < developerSizes.size(); ++i)
                definition += {static_cast<char>(i), static_cast<char>(developerSizes[i]), '\0'};
        }
        if (definitions_[local] == definition) return;
        definitions_[local] = definition;
        big_[local] = bigEndian;
        developer_[local] = developerSizes;
        Raw(definition);
    }

    FitWriter& Data(char header, std::uint8_t local, const std::vector<FitField>& fields) {
        data_ += header;
        for (const FitField& f : fields) {
            if (f.type == fit_type::kString)
                data_.append(f.text).push_back('\0');
            else
                Put(data_, SizeOf(f), f.value, big_[local]);
        }
        for (std::uint8_t size : developer_[local])
            data_.append(size, '\x5A');
        return Raw({});
    }

    std::string data_;
    std::vector<std::size_t> ends_;
    std::map<std::uint8_t, std::string> definitions_;
    std::map<std::uint8_t, bool> big_;
    std::map<std::uint8_t, std::vector<std::uint8_t>> developer_;
};

}  // namespace kivrun::test
