#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The part of the FIT profile the activity reader uses: message and field numbers, base types,
// and the names of sports, makers and products.
namespace kivrun::devices::fit {

// FIT counts seconds from 1989-12-31 00:00 UTC.
constexpr std::int64_t kEpochInUnixTime = 631065600;
// Smaller date_time values count from the device's power-up, not from the epoch.
constexpr std::uint32_t kMinAbsoluteTime = 0x10000000;

enum Message : std::uint16_t {
    kFileId = 0,
    kSport = 12,
    kSession = 18,
    kLap = 19,
    kRecord = 20,
    kEvent = 21,
    kDeviceInfo = 23,
    kActivity = 34,
    kLength = 101,
};

constexpr std::uint8_t kTimestampField = 253;
constexpr std::uint8_t kMessageIndexField = 254;

namespace file_id {
constexpr std::uint8_t kType = 0, kManufacturer = 1, kProduct = 2, kProductName = 8;
}
namespace sport {
constexpr std::uint8_t kSport = 0, kSubSport = 1;
}
namespace session {
constexpr std::uint8_t kStartTime = 2, kSport = 5, kSubSport = 6, kElapsed = 7, kTimer = 8,
                       kDistance = 9, kAvgHeartRate = 16, kFirstLapIndex = 25, kNumLaps = 26,
                       kPoolLength = 44, kActiveLengths = 47;
}
namespace lap {
constexpr std::uint8_t kStartTime = 2, kElapsed = 7, kTimer = 8, kDistance = 9, kAvgHeartRate = 15,
                       kSport = 25, kSubSport = 39;
}
namespace record {
constexpr std::uint8_t kHeartRate = 3, kDistance = 5;
}
namespace event {
constexpr std::uint8_t kEvent = 0, kEventType = 1;
constexpr int kTimer = 0;
// Event types that start and stop the timer.
constexpr int kStart = 0, kStop = 1, kStopAll = 4, kStopDisable = 8, kStopDisableAll = 9;
}  // namespace event
namespace device_info {
constexpr std::uint8_t kDeviceIndex = 0, kManufacturer = 2, kProduct = 4, kProductName = 27;
}
namespace activity {
constexpr std::uint8_t kLocalTimestamp = 5;
}
namespace length {
constexpr std::uint8_t kStartTime = 2, kElapsed = 3, kLengthType = 12;
constexpr int kActive = 1;
}  // namespace length

// Scales of the fields read: stored value / scale = value in seconds or metres.
constexpr double kTimeScale = 1000.0;
constexpr double kDistanceScale = 100.0;

constexpr int kActivityFile = 4;
constexpr int kSportTransition = 3;

struct BaseType {
    std::uint8_t size = 0;  // 0: not a base type this reader knows
    bool isSigned = false;
    bool isFloat = false;
    bool isString = false;
    std::uint64_t invalid = 0;  // the raw value that means "no value"
};
BaseType BaseTypeOf(std::uint8_t code);

// The FIT CRC-16 (polynomial 0x8005, reflected), continued from `crc`.
std::uint16_t Crc16(const std::uint8_t* data, std::size_t size, std::uint16_t crc = 0);

// "cycling/road", "running", "swimming/pool"; "sport 99" for a number the profile lacks.
std::string SportName(int sport, int subSport);
bool IsTransition(int sport, int subSport);
// The sport number of a name such as TCX's "Biking" or a GPX type ("Run", "cycling",
// "mountain biking"); -1 when the text names no sport this reader knows.
int SportFromText(std::string_view text);

// "course", "settings", ...; "type 99" for a number the profile lacks.
std::string FileTypeName(int type);
// "Garmin", "Suunto"; empty when unknown.
std::string ManufacturerName(int manufacturer);
// Garmin's product numbers, as the devices are sold ("Forerunner 910XT"); empty when unknown.
std::string GarminProductName(int product);
// Makers whose product numbers are Garmin's.
bool UsesGarminProducts(int manufacturer);

}  // namespace kivrun::devices::fit
