#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// UTC instants as the device files write them and as the summaries show them.
namespace kivrun::devices {

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t DaysFromCivil(int year, unsigned month, unsigned day);

// "2012-09-29 15:02:19".
std::string FormatUtc(std::int64_t instant);

// An XML Schema dateTime: "2012-09-29T15:02:19Z", with or without fractions of a second, with a
// "+02:00" style offset or none (read as UTC, which is what the files mean). Fractions are
// dropped. Anything else gives nothing.
std::optional<std::int64_t> ParseXmlTime(std::string_view text);

}  // namespace kivrun::devices
