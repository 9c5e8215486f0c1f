#include "output/CompoundFile.h"

#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "output/LittleEndian.h"
#include "values/TextEncoding.h"

namespace kivrun {
namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kMiniStreamCutoff = 4096;
constexpr std::size_t kIdsPerSector = kSector / 4;
constexpr std::size_t kHeaderFatSlots = 109;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;

using little_endian::Put16;
using little_endian::Put32;
using little_endian::Put8;

std::string DirectoryEntry(const std::u16string& name, unsigned type, std::uint32_t child,
                           std::uint32_t start, std::uint32_t size) {
    std::string e;
    for (std::size_t i = 0; i < 32; ++i)
        Put16(e, i < name.size() ? name[i] : 0);
    Put16(e, name.empty() ? 0 : static_cast<unsigned>((name.size() + 1) * 2));
    Put8(e, type);
    Put8(e, type == 0 ? 0 : 1);  // black: each tree holds one entry; unused entries are zero
    Put32(e, kNoStream);
    Put32(e, kNoStream);
    Put32(e, child);
    e.append(16 + 4 + 8 + 8, '\0');  // class id, state bits, times
    Put32(e, start);
    Put32(e, size);
    Put32(e, 0);
    return e;
}

}  // namespace

void WriteCompoundFile(std::ostream& out, const std::string& streamName, std::string stream) {
    if (stream.size() > 0xFFFFFFFFu - kSector) throw std::length_error("The workbook is too large");
    if (stream.size() < kMiniStreamCutoff) stream.resize(kMiniStreamCutoff, '\0');
    const std::size_t size = stream.size();
    const std::size_t dataSectors = (size + kSector - 1) / kSector;
    stream.resize(dataSectors * kSector, '\0');

    // Sectors: the stream, one directory sector, the FAT, then the DIFAT for FAT sectors
    // beyond the 109 the header lists.
    std::size_t fatSectors = 1;
    std::size_t difatSectors = 0;
    for (;;) {
        difatSectors =
            fatSectors > kHeaderFatSlots
                ? (fatSectors - kHeaderFatSlots + kIdsPerSector - 2) / (kIdsPerSector - 1)
                : 0;
        const std::size_t total = dataSectors + 1 + fatSectors + difatSectors;
        const std::size_t needed = (total + kIdsPerSector - 1) / kIdsPerSector;
        if (needed <= fatSectors) break;
        fatSectors = needed;
    }
    const auto directorySector = static_cast<std::uint32_t>(dataSectors);
    const std::size_t firstFat = dataSectors + 1;
    const std::size_t firstDifat = firstFat + fatSectors;

    std::vector<std::uint32_t> fat(fatSectors * kIdsPerSector, kFreeSect);
    for (std::size_t i = 0; i < dataSectors; ++i)
        fat[i] = i + 1 < dataSectors ? static_cast<std::uint32_t>(i + 1) : kEndOfChain;
    fat[directorySector] = kEndOfChain;
    for (std::size_t i = 0; i < fatSectors; ++i)
        fat[firstFat + i] = kFatSect;
    for (std::size_t i = 0; i < difatSectors; ++i)
        fat[firstDifat + i] = kDifSect;

    std::string header;
    header += "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    header.append(16, '\0');
    Put16(header, 0x003E);
    Put16(header, 0x0003);
    Put16(header, 0xFFFE);  // little-endian
    Put16(header, 9);       // 512-byte sectors
    Put16(header, 6);       // 64-byte mini sectors
    header.append(6, '\0');
    Put32(header, 0);
    Put32(header, static_cast<std::uint32_t>(fatSectors));
    Put32(header, directorySector);
    Put32(header, 0);
    Put32(header, kMiniStreamCutoff);
    Put32(header, kEndOfChain);  // no mini FAT
    Put32(header, 0);
    Put32(header, difatSectors ? static_cast<std::uint32_t>(firstDifat) : kEndOfChain);
    Put32(header, static_cast<std::uint32_t>(difatSectors));
    for (std::size_t i = 0; i < kHeaderFatSlots; ++i)
        Put32(header, i < fatSectors ? static_cast<std::uint32_t>(firstFat + i) : kFreeSect);

    std::string directory;
    directory += DirectoryEntry(u"Root Entry", 5, 1, kEndOfChain, 0);
    directory +=
        DirectoryEntry(Utf8ToUtf16(streamName), 2, kNoStream, 0, static_cast<std::uint32_t>(size));
    while (directory.size() < kSector)
        directory += DirectoryEntry(u"", 0, kNoStream, 0, 0);

    std::string fatBytes;
    for (std::uint32_t id : fat)
        Put32(fatBytes, id);

    std::string difat;
    for (std::size_t d = 0; d < difatSectors; ++d) {
        for (std::size_t i = 0; i < kIdsPerSector - 1; ++i) {
            const std::size_t n = kHeaderFatSlots + d * (kIdsPerSector - 1) + i;
            Put32(difat, n < fatSectors ? static_cast<std::uint32_t>(firstFat + n) : kFreeSect);
        }
        Put32(difat,
              d + 1 < difatSectors ? static_cast<std::uint32_t>(firstDifat + d + 1) : kEndOfChain);
    }

    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.write(stream.data(), static_cast<std::streamsize>(stream.size()));
    out.write(directory.data(), static_cast<std::streamsize>(directory.size()));
    out.write(fatBytes.data(), static_cast<std::streamsize>(fatBytes.size()));
    out.write(difat.data(), static_cast<std::streamsize>(difat.size()));
}

}  // namespace kivrun
