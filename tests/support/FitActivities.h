#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "support/FitWriter.h"

// Whole activity files made with FitWriter: the messages a watch writes, in its order.
namespace kivrun::test {

namespace fit_msg {
using Fields = std::vector<FitField>;
using namespace fit_type;

inline FitField F(std::uint8_t number, std::uint8_t type, double value) {
    return {number, type, static_cast<std::uint64_t>(std::llround(value))};
}
inline Fields FileId(int type, int manufacturer = 1, int product = 1328) {
    return {F(0, kEnum, type), F(1, kUint16, manufacturer), F(2, kUint16, product)};
}
// Event 0 is the timer; type 0 starts it, 4 stops all.
inline Fields TimerEvent(std::uint32_t time, int type) {
    return {F(253, kUint32, time), F(0, kEnum, 0), F(1, kEnum, type)};
}
inline Fields Record(std::uint32_t time, double metres, int heartRate) {
    return {F(253, kUint32, time), F(5, kUint32, metres * 100), F(3, kUint8, heartRate)};
}
inline Fields Lap(std::uint32_t start, double elapsed, double timer, double metres, int heartRate) {
    return {F(253, kUint32, start + elapsed), F(2, kUint32, start),
            F(7, kUint32, elapsed * 1000),    F(8, kUint32, timer * 1000),
            F(9, kUint32, metres * 100),      F(15, kUint8, heartRate)};
}
inline Fields Activity(std::uint32_t time, double localOffset) {
    return {F(253, kUint32, time), F(5, kUint32, time + localOffset)};
}
// Session fields beyond these (heart rate 16, first lap 25, lap count 26, pool length 44,
// active lengths 47) come in `more`.
inline Fields Session(std::uint32_t start, double elapsed, double timer, double metres, int sport,
                      int subSport, const Fields& more = {}) {
    Fields f = {F(253, kUint32, start + elapsed),
                F(2, kUint32, start),
                F(5, kEnum, sport),
                F(6, kEnum, subSport),
                F(7, kUint32, elapsed * 1000),
                F(8, kUint32, timer * 1000),
                F(9, kUint32, metres * 100)};
    f.insert(f.end(), more.begin(), more.end());
    return f;
}
}  // namespace fit_msg

// A trail run on 31 March 2024 from 06:00 UTC, local time two hours ahead: an hour at 3 m/s,
// a minute's pause at half time, two laps, heart rate 140 and 160 by turns.
constexpr std::int64_t kRunStart = 1711864800;

struct RunOptions {
    bool bigEndian = false;
    int headerSize = 14;
    bool headerCrc = true;
    bool compressedTimestamps = false;
    bool developerFields = false;
    bool oneLocalType = false;  // every message redefines local type 0
    bool session = true;
    int seconds = 3600;
    int step = 10;  // seconds between records
};

inline FitWriter WriteRun(const RunOptions& o = {}) {
    using namespace fit_msg;
    FitWriter w;
    w.bigEndian = o.bigEndian;
    w.headerSize = o.headerSize;
    w.headerCrc = o.headerCrc;
    const auto local = [&](std::uint8_t l) { return o.oneLocalType ? std::uint8_t{0} : l; };
    const std::uint32_t t0 = FitTime(kRunStart), half = o.seconds / 2, end = t0 + o.seconds;
    w.Message(local(0), 0, FileId(4));
    w.Message(local(1), 12, {F(0, kEnum, 1), F(1, kEnum, 3)});  // sport
    w.Message(local(4), 21, TimerEvent(t0, 0));
    if (o.developerFields) w.developerSizes = {2, 5};
    for (int s = 0, i = 0; s <= o.seconds; s += o.step, ++i) {
        const std::uint32_t t = t0 + s;
        if (t == t0 + half) w.Message(local(4), 21, TimerEvent(t, 4));
        if (t == t0 + half + 60) w.Message(local(4), 21, TimerEvent(t, 0));
        const Fields record = Record(t, 3.0 * s, i % 2 ? 160 : 140);
        if (o.compressedTimestamps && s > 0)
            w.Compressed(local(2), 20, t, Fields(record.begin() + 1, record.end()));
        else
            w.Message(local(2), 20, record);
    }
    w.developerSizes.clear();
    w.Message(local(4), 21, TimerEvent(end, 4));
    w.Message(local(5), 19, Lap(t0, half, half, 3.0 * half, 148));
    const double rest = o.seconds - half;
    w.Message(local(5), 19, Lap(t0 + half, rest, rest - 60, 3.0 * rest, 152));
    if (o.session)
        w.Message(local(6), 18,
                  Session(t0, o.seconds, o.seconds - 60, 3.0 * o.seconds, 1, 3,
                          {F(16, kUint8, 150), F(25, kUint16, 0), F(26, kUint16, 2)}));
    w.Message(local(7), 34, Activity(end, 7200));
    return w;
}

// A triathlon from kRunStart: swim, transition, bike, transition, run, each with its lap and
// session written as it ends, record distances running on across the whole.
struct Leg {
    int sport, subSport, seconds;
    double metres;
};
constexpr Leg kTriathlon[] = {
    {5, 18, 1200, 1500}, {3, 34, 120, 0}, {2, 7, 3600, 36000}, {3, 32, 80, 0}, {1, 0, 2400, 8000}};

inline FitWriter WriteTriathlon() {
    using namespace fit_msg;
    FitWriter w;
    std::uint32_t t = FitTime(kRunStart);
    double metres = 0;
    int index = 0;
    w.Message(0, 0, FileId(4));
    w.Message(1, 21, TimerEvent(t, 0));
    for (const Leg& leg : kTriathlon) {
        const std::uint32_t start = t;
        for (int s = 0; s < leg.seconds; s += 20)
            w.Message(2, 20, Record(start + s, metres + leg.metres * s / leg.seconds, 130));
        t += leg.seconds;
        metres += leg.metres;
        w.Message(3, 19, Lap(start, leg.seconds, leg.seconds, leg.metres, 130));
        w.Message(4, 18,
                  Session(start, leg.seconds, leg.seconds, leg.metres, leg.sport, leg.subSport,
                          {F(25, kUint16, index++), F(26, kUint16, 1)}));
    }
    w.Message(1, 21, TimerEvent(t, 4));
    w.Message(5, 34, Activity(t, 3600));
    return w;
}

// Eight 30-second lengths of a 25 m pool from kRunStart; the third and sixth are rests.
inline FitWriter WritePoolSwim(bool sessionCountsLengths) {
    using namespace fit_msg;
    FitWriter w;
    const std::uint32_t t0 = FitTime(kRunStart);
    w.Message(0, 0, FileId(4));
    for (int i = 0; i < 8; ++i)  // length: end, start, elapsed, active or idle
        w.Message(2, 101,
                  {F(253, kUint32, t0 + 30 * i + 30), F(2, kUint32, t0 + 30 * i),
                   F(3, kUint32, 30000), F(12, kEnum, i != 2 && i != 5)});
    Fields more = {F(44, kUint16, 2500)};
    if (sessionCountsLengths) more.push_back(F(47, kUint16, 6));
    w.Message(4, 18, Session(t0, 240, 240, 150, 5, 17, more));
    return w;
}

// One session with one lap, as a watch or app writes a short activity: sport and sub-sport,
// its start (UTC), elapsed and timer seconds, metres, heart rate 140, local time two hours
// ahead; the maker and product name the device (Garmin's 1328: Forerunner 910XT).
inline std::string WriteSession(int sport, int subSport, std::int64_t start, double elapsed,
                                double timer, double metres, int manufacturer = 1,
                                int product = 1328) {
    using namespace fit_msg;
    FitWriter w;
    const std::uint32_t t0 = FitTime(start);
    w.Message(0, 0, FileId(4, manufacturer, product));
    w.Message(1, 19, Lap(t0, elapsed, timer, metres, 140));
    w.Message(2, 18, Session(t0, elapsed, timer, metres, sport, subSport, {F(16, kUint8, 140)}));
    w.Message(3, 34, Activity(static_cast<std::uint32_t>(t0 + elapsed), 7200));
    return w.Bytes();
}

}  // namespace kivrun::test
