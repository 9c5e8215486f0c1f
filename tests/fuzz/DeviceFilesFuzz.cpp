// Feeds any bytes to the device-file readers: FIT (and gzip, which it unpacks first) for
// fit_fuzz, TCX or GPX by the first byte for xml_fuzz. They must never crash, hang or read out
// of bounds, and what they return must hold together.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "devices/ActivityFile.h"

namespace kivrun::fuzz {
namespace {

bool Sane(double value) {
    return std::isfinite(value) && value >= 0;
}

// The first broken invariant, or an empty text.
std::string Check(const devices::Activity& a) {
    using devices::ReadStatus;
    const bool usable = a.status == ReadStatus::Ok || a.status == ReadStatus::Salvaged;
    if (usable == a.sessions.empty()) return "sessions disagree with the status";
    if ((a.status == ReadStatus::Ok) != a.reason.empty()) return "reason disagrees with status";
    if (a.status == ReadStatus::Ok && !a.problems.empty()) return "ok with problems";
    for (const devices::Session& s : a.sessions) {
        if (!Sane(s.elapsed) || !Sane(s.timer) || !Sane(s.distance)) return "session amount";
        if (s.avgHeartRate && !(*s.avgHeartRate > 0)) return "heart rate";
        for (const devices::Lap& lap : s.laps)
            if (!Sane(lap.elapsed) || !Sane(lap.timer) || !Sane(lap.distance)) return "lap amount";
    }
    if (devices::DescribeActivity(a).empty()) return "no description";
    return {};
}

}  // namespace
}  // namespace kivrun::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kivrun::devices;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
#ifdef KIVRUN_FUZZ_XML
    if (bytes.empty()) return 0;
    const FileKind kind = bytes.front() & 1 ? FileKind::Gpx : FileKind::Tcx;
    bytes.remove_prefix(1);
#else
    const FileKind kind = FileKind::Fit;
#endif
    const std::string broken = kivrun::fuzz::Check(ReadActivity(bytes, kind));
    if (!broken.empty()) {
        std::fprintf(stderr, "broken invariant: %s\n", broken.c_str());
        std::abort();
    }
    return 0;
}
