// A FIT activity as a watch or bike computer records it, for the device benchmarks: a record
// a second with position, altitude, heart rate, cadence, distance, speed and power (about
// 26 bytes), a lap every 10 minutes and the session summary; about 100 kB an hour.
#pragma once

#include <cstdint>
#include <string>

#include "support/FitWriter.h"

namespace kivrun::bench {

struct RecordedActivity {
    std::int64_t start = 0;  // Unix time
    int seconds = 3600;
    int sport = 2, subSport = 7;
    double speed = 7.5;  // metres a second
    int product = 2530;
    int localOffset = 7200;
};

inline std::string RecordedFit(const RecordedActivity& a) {
    using namespace test::fit_type;
    test::FitWriter w;
    const std::uint32_t t0 = test::FitTime(a.start);
    const auto f = [](std::uint8_t number, std::uint8_t type, std::uint64_t value) {
        return test::FitField{number, type, value};
    };
    w.Message(0, 0,
              {f(0, kEnum, 4), f(1, kUint16, 1),
               f(2, kUint16, static_cast<std::uint64_t>(a.product)), f(4, kUint32, t0)});
    w.Message(1, 21, {f(253, kUint32, t0), f(0, kEnum, 0), f(1, kEnum, 0)});
    double metres = 0;
    for (int s = 0; s <= a.seconds; ++s) {
        const std::uint32_t t = t0 + s;
        metres += a.speed + (s % 7) * 0.01;
        w.Message(2, 20,
                  {f(253, kUint32, t), f(0, kUint32, 596523235 + s * 40),
                   f(1, kUint32, 95443717 + s * 25), f(2, kUint16, 2500 + s % 300),
                   f(3, kUint8, 120 + s % 40), f(4, kUint8, 85 + s % 10),
                   f(5, kUint32, static_cast<std::uint64_t>(metres * 100)),
                   f(6, kUint16, 7500 + s % 700), f(7, kUint16, 180 + s % 90), f(13, kUint8, 20)});
        if (s > 0 && (s % 600 == 0 || s == a.seconds)) {
            const std::uint64_t lap = s % 600 ? s % 600 : 600;
            w.Message(3, 19,
                      {f(253, kUint32, t), f(2, kUint32, t - lap), f(7, kUint32, lap * 1000),
                       f(8, kUint32, lap * 1000),
                       f(9, kUint32, static_cast<std::uint64_t>(a.speed * 60000))});
        }
    }
    const std::uint32_t end = t0 + a.seconds;
    w.Message(1, 21, {f(253, kUint32, end), f(0, kEnum, 0), f(1, kEnum, 4)});
    w.Message(
        4, 18,
        {f(253, kUint32, end), f(2, kUint32, t0), f(5, kEnum, static_cast<std::uint64_t>(a.sport)),
         f(6, kEnum, static_cast<std::uint64_t>(a.subSport)), f(7, kUint32, a.seconds * 1000ull),
         f(8, kUint32, a.seconds * 1000ull),
         f(9, kUint32, static_cast<std::uint64_t>(metres * 100)), f(16, kUint8, 140)});
    w.Message(
        5, 34,
        {f(253, kUint32, end), f(5, kUint32, static_cast<std::uint64_t>(end + a.localOffset))});
    return w.Bytes();
}

}  // namespace kivrun::bench
