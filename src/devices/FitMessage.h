#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>

#include "devices/FitProfile.h"

namespace kivrun::devices::fit {

// Where one field sits in the data of a message, as its definition says.
struct FieldSlot {
    std::uint8_t number = 0;
    std::uint8_t size = 0;
    std::uint8_t type = 0;
    std::uint16_t offset = 0;
};

// One data message, read in place: values come out with their invalid markers turned into
// "no value". The definition promises that every slot lies inside `data`.
class FitMessage {
  public:
    FitMessage(std::uint16_t global, const std::uint8_t* data, const FieldSlot* fields,
               std::size_t count, bool bigEndian, std::optional<std::uint32_t> headerTime)
        : global_(global),
          data_(data),
          fields_(fields),
          count_(count),
          big_(bigEndian),
          headerTime_(headerTime) {}

    std::uint16_t Global() const { return global_; }

    // The first value of a numeric field, unscaled.
    std::optional<double> Number(std::uint8_t field) const {
        const FieldSlot* slot = Find(field);
        if (!slot) return std::nullopt;
        const BaseType type = BaseTypeOf(slot->type);
        if (type.size == 0 || type.isString || slot->size < type.size) return std::nullopt;
        std::uint64_t raw = 0;
        const std::uint8_t* p = data_ + slot->offset;
        for (int i = 0; i < type.size; ++i)
            raw = raw << 8 | p[big_ ? i : type.size - 1 - i];
        if (raw == type.invalid) return std::nullopt;
        if (type.isFloat) {
            double value;
            if (type.size == 4) {
                float f;
                const auto bits = static_cast<std::uint32_t>(raw);
                std::memcpy(&f, &bits, sizeof f);
                value = f;
            } else {
                std::memcpy(&value, &raw, sizeof value);
            }
            if (value != value) return std::nullopt;  // NaN
            return value;
        }
        if (type.isSigned) {
            const int shift = 64 - 8 * type.size;
            return static_cast<double>(static_cast<std::int64_t>(raw << shift) >> shift);
        }
        return static_cast<double>(raw);
    }

    std::optional<int> Integer(std::uint8_t field) const {
        const auto value = Number(field);
        if (!value || *value < -2147483648.0 || *value > 2147483647.0) return std::nullopt;
        return static_cast<int>(*value);
    }

    // A date_time field; power-up relative times are no use for dating an activity.
    std::optional<std::uint32_t> Time(std::uint8_t field) const {
        const auto value = Number(field);
        if (!value || *value < kMinAbsoluteTime || *value > 4294967295.0) return std::nullopt;
        return static_cast<std::uint32_t>(*value);
    }

    // The message's own timestamp field, else the time of a compressed-timestamp header.
    std::optional<std::uint32_t> Timestamp() const {
        if (const auto own = Time(kTimestampField)) return own;
        if (headerTime_ && *headerTime_ >= kMinAbsoluteTime) return headerTime_;
        return std::nullopt;
    }

    std::string Text(std::uint8_t field) const {
        const FieldSlot* slot = Find(field);
        if (!slot || !BaseTypeOf(slot->type).isString) return {};
        const char* p = reinterpret_cast<const char*>(data_ + slot->offset);
        return std::string(p, std::find(p, p + slot->size, '\0'));
    }

  private:
    const FieldSlot* Find(std::uint8_t field) const {
        for (std::size_t i = 0; i < count_; ++i)
            if (fields_[i].number == field) return &fields_[i];
        return nullptr;
    }

    std::uint16_t global_;
    const std::uint8_t* data_;
    const FieldSlot* fields_;
    std::size_t count_;
    bool big_;
    std::optional<std::uint32_t> headerTime_;
};

}  // namespace kivrun::devices::fit
