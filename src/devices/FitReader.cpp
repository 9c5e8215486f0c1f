#include "devices/FitReader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "devices/FitActivityBuilder.h"
#include "devices/FitMessage.h"
#include "devices/FitProfile.h"

namespace kivrun::devices {
namespace {

using namespace fit;

constexpr std::size_t kSmallestHeader = 12;
constexpr std::size_t kHeaderWithCrc = 14;

// A local message type as its last definition left it.
struct LocalType {
    bool defined = false;
    bool big = false;
    std::uint16_t global = 0;
    std::size_t size = 0;  // data bytes, developer fields included
    std::vector<FieldSlot> fields;
    std::optional<FieldSlot> timestamp;
};

bool IsWanted(std::uint16_t global) {
    switch (global) {
        case kFileId:
        case kSport:
        case kSession:
        case kLap:
        case kRecord:
        case kEvent:
        case kDeviceInfo:
        case kActivity:
        case kLength:
            return true;
        default:
            return false;
    }
}

std::uint32_t Load32(const std::uint8_t* p, bool big) {
    return big ? std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 |
                     p[3]
               : std::uint32_t{p[3]} << 24 | std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 |
                     p[0];
}

std::uint16_t Load16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

Activity Refused(std::string reason) {
    Activity activity;
    activity.kind = FileKind::Fit;
    activity.status = ReadStatus::Refused;
    activity.reason = std::move(reason);
    return activity;
}

// Walks the records between the header and `end`, handing the wanted messages to the builder.
class RecordWalker {
  public:
    enum class Stop { End, Cut, Unreadable, OtherFile };

    RecordWalker(const std::uint8_t* file, FitActivityBuilder& builder)
        : file_(file), builder_(builder) {}

    Stop Walk(std::size_t pos, std::size_t end) {
        while (pos < end) {
            const std::uint8_t header = file_[pos];
            const std::size_t left = end - pos;
            stoppedAt_ = pos;
            if (header & 0x80) {  // compressed timestamp: local types 0-3 only
                LocalType& type = types_[(header >> 5) & 0x03];
                if (!type.defined) return Stop::Unreadable;
                if (left - 1 < type.size) return Stop::Cut;
                const std::uint32_t offset = header & 0x1F;
                std::uint32_t time = (lastTime_ & ~std::uint32_t{0x1F}) + offset;
                if (offset < (lastTime_ & 0x1F)) time += 0x20;
                lastTime_ = time;
                Data(type, file_ + pos + 1, time);
                pos += 1 + type.size;
            } else if (header & 0x40) {
                const auto used = Define(types_[header & 0x0F], file_ + pos, left, header & 0x20);
                if (!used) return stop_;
                pos += *used;
            } else {
                LocalType& type = types_[header & 0x0F];
                if (!type.defined) return Stop::Unreadable;
                if (left - 1 < type.size) return Stop::Cut;
                Data(type, file_ + pos + 1, std::nullopt);
                pos += 1 + type.size;
            }
            if (builder_.IsOtherFile()) return Stop::OtherFile;
        }
        stoppedAt_ = pos;
        return Stop::End;
    }

    std::size_t StoppedAt() const { return stoppedAt_; }

  private:
    // Reads a definition message; the bytes it took, or nothing with stop_ set.
    std::optional<std::size_t> Define(LocalType& type, const std::uint8_t* p, std::size_t left,
                                      bool developer) {
        type.defined = false;
        std::size_t need = 6;
        if (left < need) return Halt(Stop::Cut);
        if (p[2] > 1) return Halt(Stop::Unreadable);
        const bool big = p[2] == 1;
        const std::size_t count = p[5];
        need += 3 * count;
        if (left < need) return Halt(Stop::Cut);
        std::size_t devCount = 0;
        if (developer) {
            if (left < need + 1) return Halt(Stop::Cut);
            devCount = p[need];
            need += 1 + 3 * devCount;
            if (left < need) return Halt(Stop::Cut);
        }
        type.big = big;
        type.global = big ? static_cast<std::uint16_t>(p[3] << 8 | p[4]) : Load16(p + 3);
        type.fields.clear();
        type.timestamp.reset();
        std::size_t offset = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* f = p + 6 + 3 * i;
            const FieldSlot slot{f[0], f[1], f[2], static_cast<std::uint16_t>(offset)};
            type.fields.push_back(slot);
            if (slot.number == kTimestampField && slot.size == 4 && BaseTypeOf(slot.type).size == 4)
                type.timestamp = slot;
            offset += slot.size;
        }
        // Developer fields are skipped by their sizes; their meaning is the app's own.
        for (std::size_t i = 0; i < devCount; ++i)
            offset += p[6 + 3 * count + 1 + 3 * i + 1];
        type.size = offset;
        type.defined = true;
        return need;
    }

    std::optional<std::size_t> Halt(Stop stop) {
        stop_ = stop;
        return std::nullopt;
    }

    void Data(const LocalType& type, const std::uint8_t* data,
              std::optional<std::uint32_t> headerTime) {
        if (type.timestamp) {
            const std::uint32_t time = Load32(data + type.timestamp->offset, type.big);
            if (time != 0xFFFFFFFF) lastTime_ = time;
        }
        if (!IsWanted(type.global)) return;
        builder_.OnMessage(FitMessage(type.global, data, type.fields.data(), type.fields.size(),
                                      type.big, headerTime));
    }

    const std::uint8_t* file_;
    FitActivityBuilder& builder_;
    std::array<LocalType, 16> types_;
    std::uint32_t lastTime_ = 0;
    std::size_t stoppedAt_ = 0;
    Stop stop_ = Stop::End;
};

}  // namespace

Activity ReadFit(std::string_view bytes) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
    const std::size_t size = bytes.size();
    if (size < kSmallestHeader || p[0] < kSmallestHeader || std::memcmp(p + 8, ".FIT", 4) != 0)
        return Refused("not a FIT file");
    const std::size_t headerSize = p[0];
    if (size < headerSize) return Refused("the FIT header is cut short");

    FitActivityBuilder builder;
    if (headerSize >= kHeaderWithCrc) {
        const std::uint16_t stored = Load16(p + 12);
        if (stored != 0 && stored != Crc16(p, 12))
            builder.Problem("the header's checksum does not match");
    }
    const std::size_t dataSize = Load32(p + 4, false);
    const std::size_t declaredEnd = headerSize + dataSize;
    std::size_t end = declaredEnd;
    bool endReported = false;
    if (dataSize == 0) {
        // A recording that was never closed: its records run to the end of the file.
        end = size;
        endReported = true;
        builder.Problem("the header gives no data size (an unfinished recording)");
        builder.MarkDataLost();
    } else if (size < declaredEnd + 2) {
        end = std::min(size, declaredEnd);
        builder.Problem("the file ends early (" + std::to_string(size) + " of " +
                        std::to_string(declaredEnd + 2) + " bytes)");
        builder.MarkDataLost();
        endReported = true;
    } else if (Crc16(p, declaredEnd) != Load16(p + declaredEnd)) {
        builder.Problem("the file's checksum does not match its contents");
    }

    RecordWalker walker(p, builder);
    const RecordWalker::Stop stop = walker.Walk(headerSize, end);
    if (stop == RecordWalker::Stop::Unreadable && !endReported) {
        builder.Problem("unreadable data from byte " + std::to_string(walker.StoppedAt()) +
                        " on; the rest was left out");
        builder.MarkDataLost();
    } else if (stop == RecordWalker::Stop::Cut && !endReported) {
        // The declared size ends inside a record: the writer got its sizes wrong.
        builder.Problem("the last record runs past the data size");
        builder.MarkDataLost();
    }
    return builder.Finish();
}

}  // namespace kivrun::devices
