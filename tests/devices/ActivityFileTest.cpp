#include "devices/ActivityFile.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>

#include "devices/Gzip.h"
#include "support/FitActivities.h"

namespace kivrun::devices {
namespace {

namespace fs = std::filesystem;

std::string Gzipped(std::string_view bytes) {
    z_stream z{};
    deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, 16 + MAX_WBITS, 9, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&z, bytes.size()), '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    z.avail_in = static_cast<uInt>(bytes.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

TEST(ActivityFileTest, KindFromTheNameInAnyCase) {
    const std::pair<const char*, const char*> cases[] = {
        {"run.fit", "FIT"},     {"/a/b/RUN.FIT", "FIT"}, {"ride.tcx.gz", "TCX.gz"},
        {"x.Gpx.GZ", "GPX.gz"}, {"track.kml", ""},       {"fit", ""},
        {"run.gz", ""},         {"run.fit.zip", ""}};
    for (const auto& [name, kind] : cases) {
        const auto type = ActivityFileTypeOf(name);
        EXPECT_EQ(type ? KindName(type->kind) + std::string(type->packed ? ".gz" : "") : "", kind);
    }
}

TEST(ActivityFileTest, PackedFilesReadAsTheirContents) {
    const std::string run = test::WriteRun().Bytes();
    const std::string packed = Gzipped(run);
    const Activity plain = ReadActivity(run, FileKind::Fit);
    ASSERT_EQ(plain.status, ReadStatus::Ok);

    const Activity whole = ReadActivity(packed, FileKind::Fit);
    EXPECT_EQ(whole.status, ReadStatus::Ok);
    EXPECT_EQ(whole.sessions, plain.sessions);
    // Two members, as `cat a.gz b.gz` gives: the second FIT file is chained, so ignored.
    EXPECT_EQ(ReadActivity(packed + packed, FileKind::Fit).sessions, plain.sessions);

    // Half the packing: the FIT file inside is cut short, and both say so.
    const Activity cut = ReadActivity(packed.substr(0, packed.size() / 2), FileKind::Fit);
    EXPECT_EQ(cut.status, ReadStatus::Salvaged);
    EXPECT_EQ(cut.reason.rfind("the packed file ends early; the file ends early (", 0), 0u)
        << cut.reason;

    std::string damaged = packed;
    damaged[20] ^= 0x55;
    damaged[21] ^= 0x55;
    EXPECT_NE(ReadActivity(damaged, FileKind::Fit).status, ReadStatus::Ok);

    EXPECT_EQ(ReadActivity(packed.substr(0, 5), FileKind::Fit).reason,
              "the packed file ends early");

    // A bomb: refused past the limit, nothing kept.
    const std::string bomb = Gzipped(std::string(std::size_t{3} << 20, '\0'));
    std::string out, error;
    EXPECT_EQ(Gunzip(bomb, out, error, std::size_t{1} << 20), Unpacked::TooLarge);
    EXPECT_EQ(error, "unpacks to more than 1 MB");
    EXPECT_TRUE(out.empty());
}

TEST(ActivityFileTest, FilesThatCannotBeReadAreRefusedWithTheReason) {
    const fs::path dir = fs::temp_directory_path() / ("kivrun-devices-" + std::to_string(getpid()));
    fs::create_directories(dir / "folder.fit");
    std::ofstream(dir / "run.fit.gz", std::ios::binary) << Gzipped(test::WriteRun().Bytes());
    std::ofstream(dir / "notes.txt") << "hello";
    const struct {
        fs::path path;
        ReadStatus status;
        const char* reason;
    } cases[] = {
        {dir / "run.fit.gz", ReadStatus::Ok, ""},
        {dir / "notes.txt", ReadStatus::Refused, "unknown file type"},
        {dir / "missing.gpx", ReadStatus::Refused, "cannot be read: No such file or directory"},
        {dir / "folder.fit", ReadStatus::Refused, "cannot be read: Is a directory"},
    };
    for (const auto& c : cases) {
        const Activity a = ReadActivityFile(c.path);
        EXPECT_EQ(a.status, c.status) << c.path;
        EXPECT_EQ(a.reason, c.reason) << c.path;
    }
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kivrun::devices
