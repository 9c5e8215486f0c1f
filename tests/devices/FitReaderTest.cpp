#include "devices/FitReader.h"

#include <gtest/gtest.h>

#include <tuple>

#include "devices/FitProfile.h"
#include "support/FitActivities.h"

namespace kivrun::devices {
namespace {

using test::FitTime;
using test::FitWriter;
using test::kRunStart;
using test::RunOptions;
using namespace test::fit_type;

Session ExpectedRun(bool rebuilt = false) {
    Session s;
    s.start = kRunStart;
    s.localOffset = 7200;
    s.sport = 1;
    s.subSport = 3;
    s.sportName = "running/trail";
    s.elapsed = 3600;
    s.timer = 3540;
    s.distance = 10800;
    s.avgHeartRate = 150;
    s.laps = {{kRunStart, 1800, 1800, 5400, 148}, {kRunStart + 1800, 1800, 1740, 5400, 152}};
    s.rebuilt = rebuilt;
    return s;
}

// With its session the run reads as the watch summed it up; without, the records, timer
// events and sport message give the same figures back. Either way in every encoding.
TEST(FitReaderTest, ReadsTheSameRunInEveryEncoding) {
    const struct {
        const char* name;
        RunOptions options;
    } cases[] = {
        {"little-endian, 14-byte header", {}},
        {"big-endian", {.bigEndian = true}},
        {"12-byte header", {.headerSize = 12}},
        {"header without its CRC", {.headerCrc = false}},
        {"compressed timestamps", {.compressedTimestamps = true}},
        {"developer fields", {.developerFields = true}},
        {"one local type, redefined for each message", {.oneLocalType = true}},
        {"all of them",
         {.bigEndian = true,
          .compressedTimestamps = true,
          .developerFields = true,
          .oneLocalType = true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunOptions options = c.options;
        const Activity whole = ReadFit(test::WriteRun(options).Bytes());
        EXPECT_EQ(whole.status, ReadStatus::Ok) << whole.reason;
        EXPECT_EQ(whole.device, "Forerunner 910XT");
        ASSERT_EQ(whole.sessions.size(), 1u);
        EXPECT_EQ(whole.sessions[0], ExpectedRun());

        options.session = false;
        const Activity rebuilt = ReadFit(test::WriteRun(options).Bytes());
        EXPECT_EQ(rebuilt.status, ReadStatus::Salvaged);
        EXPECT_EQ(rebuilt.reason, "no session summary; rebuilt from the records");
        ASSERT_EQ(rebuilt.sessions.size(), 1u);
        EXPECT_EQ(rebuilt.sessions[0], ExpectedRun(true));
    }
}

TEST(FitReaderTest, MultisportGivesASessionPerLegWithTransitionsMarked) {
    const Activity a = ReadFit(test::WriteTriathlon().Bytes());
    ASSERT_EQ(a.status, ReadStatus::Ok) << a.reason;
    ASSERT_EQ(a.sessions.size(), std::size(test::kTriathlon));
    const char* names[] = {"swimming/open water", "transition/swim to bike", "cycling/road",
                           "transition/bike to run", "running"};
    std::int64_t start = kRunStart;
    for (std::size_t i = 0; i < a.sessions.size(); ++i) {
        const Session& s = a.sessions[i];
        EXPECT_EQ(s.sportName, names[i]);
        EXPECT_EQ(s.transition, test::kTriathlon[i].sport == 3) << i;
        EXPECT_EQ(s.start, start);
        EXPECT_EQ(s.distance, test::kTriathlon[i].metres);
        EXPECT_EQ(s.localOffset, 3600);
        ASSERT_EQ(s.laps.size(), 1u);
        EXPECT_EQ(s.laps[0].start, start);
        start += test::kTriathlon[i].seconds;
    }
}

TEST(FitReaderTest, PoolSwimCountsTheActiveLengths) {
    for (bool sessionCounts : {true, false}) {
        const Activity a = ReadFit(test::WritePoolSwim(sessionCounts).Bytes());
        ASSERT_EQ(a.sessions.size(), 1u);
        EXPECT_EQ(a.sessions[0].sportName, "swimming/pool");
        EXPECT_EQ(a.sessions[0].activeLengths, 6) << sessionCounts;
        EXPECT_EQ(a.sessions[0].lengthsDistance, 150) << sessionCounts;
    }
}

// One activity with a file_id and the given session fields.
std::string WithSession(const test::fit_msg::Fields& session,
                        const test::fit_msg::Fields& activity = {}) {
    FitWriter w;
    w.Message(0, 0, test::fit_msg::FileId(4));
    w.Message(1, 18, session);
    if (!activity.empty()) w.Message(2, 34, activity);
    return w.Bytes();
}

TEST(FitReaderTest, InvalidOrMissingValuesFallBack) {
    using test::fit_msg::F;
    const std::uint32_t t0 = FitTime(kRunStart);
    const test::FitField end = F(253, kUint32, t0 + 600), start = F(2, kUint32, t0),
                         elapsed = F(7, kUint32, 600000);
    const struct {
        const char* name;
        test::fit_msg::Fields session;
        double timer;
        std::optional<double> heartRate;
        const char* sport;
    } cases[] = {
        {"all given",
         {end, start, elapsed, F(8, kUint32, 5e5), F(16, kUint8, 144), F(5, kEnum, 2),
          F(6, kEnum, 7)},
         500,
         144,
         "cycling/road"},
        {"marked invalid",
         {end, start, elapsed, F(8, kUint32, 0xFFFFFFFF), F(16, kUint8, 0xFF), F(5, kEnum, 2),
          F(6, kEnum, 0xFF)},
         600,
         std::nullopt,
         "cycling"},
        {"no start: end less elapsed",
         {end, F(2, kUint32, 0xFFFFFFFF), elapsed},
         600,
         std::nullopt,
         "generic"},
        {"no elapsed time: start to end", {end, start}, 600, std::nullopt, "generic"},
    };
    for (const auto& c : cases) {
        const Activity a = ReadFit(WithSession(c.session));
        ASSERT_EQ(a.sessions.size(), 1u) << c.name;
        const Session& s = a.sessions[0];
        EXPECT_EQ(std::tie(s.start, s.elapsed, s.timer, s.avgHeartRate, s.sportName),
                  std::make_tuple(kRunStart, 600.0, c.timer, c.heartRate, std::string(c.sport)))
            << c.name;
    }
}

TEST(FitReaderTest, LocalOffsetIsTakenWithinFourteenHours) {
    const std::uint32_t t0 = FitTime(kRunStart);
    const test::fit_msg::Fields session = {{253, kUint32, t0 + 60}, {2, kUint32, t0}};
    const std::pair<double, std::optional<int>> cases[] = {
        {7200, 7200},     {-12600, -12600},      {7203, 7200},          {50400, 50400},
        {-50400, -50400}, {54000, std::nullopt}, {-72000, std::nullopt}};
    for (const auto& [local, offset] : cases) {
        const Activity a = ReadFit(WithSession(session, test::fit_msg::Activity(t0 + 60, local)));
        EXPECT_EQ(a.sessions.at(0).localOffset, offset) << local;
    }
    EXPECT_FALSE(ReadFit(WithSession(session)).sessions.at(0).localOffset);
}

TEST(FitReaderTest, TellsWhatTheFileIsWhenNotAnActivity) {
    const auto typed = [](int type) {
        FitWriter w;
        w.Message(0, 0, test::fit_msg::FileId(type));
        w.Message(1, 20, test::fit_msg::Record(FitTime(kRunStart), 0, 0));
        return w.Bytes();
    };
    FitWriter idOnly;
    idOnly.Message(0, 0, test::fit_msg::FileId(4));
    const std::string run = test::WriteRun().Bytes();
    const struct {
        std::string bytes;
        ReadStatus status;
        std::string reason;
    } cases[] = {
        {typed(6), ReadStatus::NotAnActivity, "a FIT course file, not an activity"},
        {typed(2), ReadStatus::NotAnActivity, "a FIT settings file, not an activity"},
        {idOnly.Bytes(), ReadStatus::Refused, "nothing usable: no session and no timed records"},
        {"", ReadStatus::Refused, "not a FIT file"},
        {run.substr(0, 11), ReadStatus::Refused, "not a FIT file"},
        {"<?xml version=\"1.0\"?><gpx/>", ReadStatus::Refused, "not a FIT file"},
        {std::string(1, '\x40') + run.substr(1, 20), ReadStatus::Refused,
         "the FIT header is cut short"},
    };
    for (const auto& c : cases) {
        const Activity a = ReadFit(c.bytes);
        EXPECT_EQ(a.status, c.status) << c.reason;
        EXPECT_EQ(a.reason, c.reason);
        EXPECT_TRUE(a.sessions.empty());
    }
}

TEST(FitReaderTest, DamagedFilesAreSalvagedAndSaySo) {
    const FitWriter writer = test::WriteRun();
    const std::string run = writer.Bytes();
    const std::size_t halfway = writer.RecordEnds()[writer.RecordEnds().size() / 2];
    std::string badCrc = run;
    badCrc.back() ^= 0x01;
    std::string unfinished = test::WriteRun({.headerCrc = false, .session = false}).Bytes();
    unfinished.resize(unfinished.size() - 2);
    unfinished.replace(4, 4, std::string(4, '\0'));
    const struct {
        const char* name;
        std::string bytes;
        ReadStatus status;
        std::string reason;
        bool summary;  // the watch's own session survived
    } cases[] = {
        {"file CRC wrong", badCrc, ReadStatus::Salvaged,
         "the file's checksum does not match its contents", true},
        {"header CRC wrong", run.substr(0, 12) + "\x01\x02" + run.substr(14), ReadStatus::Salvaged,
         "the header's checksum does not match; the file's checksum does not match its contents",
         true},
        {"another file chained after it", run + run, ReadStatus::Ok, "", true},
        {"recording never closed", unfinished, ReadStatus::Salvaged,
         "the header gives no data size (an unfinished recording); no session summary; "
         "rebuilt from the records",
         false},
        {"cut short halfway", run.substr(0, halfway), ReadStatus::Salvaged,
         "the file ends early (" + std::to_string(halfway) + " of " + std::to_string(run.size()) +
             " bytes); no session summary; rebuilt from the records",
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Activity a = ReadFit(c.bytes);
        EXPECT_EQ(a.status, c.status);
        EXPECT_EQ(a.reason, c.reason);
        ASSERT_EQ(a.sessions.size(), 1u);
        EXPECT_EQ(a.sessions[0].start, kRunStart);
        if (c.summary) {
            EXPECT_EQ(a.sessions[0], ExpectedRun());
        }
        EXPECT_EQ(a.sessions[0].rebuilt, !c.summary);
    }
    // A data message of a local type never defined: nothing after it can be trusted.
    FitWriter w = test::WriteRun({.seconds = 600});
    w.Raw("\x0F").Message(0, 20, test::fit_msg::Record(FitTime(kRunStart) + 900, 9000, 150));
    const Activity a = ReadFit(w.Bytes());
    EXPECT_EQ(a.status, ReadStatus::Salvaged);
    EXPECT_NE(a.reason.find("unreadable data from byte"), std::string::npos) << a.reason;
    ASSERT_EQ(a.sessions.size(), 1u);
    EXPECT_EQ(a.sessions[0].elapsed, 600);
}

// Every cut, at a record boundary or inside a record, is read without harm; once the first
// timed message is in, a session comes back.
TEST(FitReaderTest, CutAnywhereIsSalvagedOrRefusedNeverOk) {
    const struct {
        FitWriter writer;
        std::size_t firstTimed;  // records before the first timer event: definitions and data
    } files[] = {{test::WriteRun({.seconds = 300}), 5}, {test::WriteTriathlon(), 3}};
    for (const auto& [writer, firstTimedRecord] : files) {
        const std::string bytes = writer.Bytes();
        const std::size_t firstTimed = writer.RecordEnds()[firstTimedRecord];
        for (std::size_t n = 0; n < bytes.size(); ++n) {
            const Activity a = ReadFit(std::string_view(bytes).substr(0, n));
            ASSERT_NE(a.status, ReadStatus::Ok) << n;
            if (n >= firstTimed) {
                ASSERT_EQ(a.status, ReadStatus::Salvaged) << n << " " << a.reason;
                ASSERT_EQ(a.sessions.front().start, kRunStart) << n;
            }
        }
    }
    // A triathlon cut during the bike keeps the swim and the transition as the watch saw
    // them and rebuilds the bike from its records.
    const FitWriter tri = test::WriteTriathlon();
    const std::string bytes = tri.Bytes();
    const Activity a = ReadFit(bytes.substr(0, bytes.size() / 2));
    ASSERT_EQ(a.sessions.size(), 3u);
    EXPECT_FALSE(a.sessions[1].rebuilt);
    EXPECT_TRUE(a.sessions[2].rebuilt);
    EXPECT_EQ(a.sessions[2].start, kRunStart + 1320);
}

TEST(FitReaderTest, NamesTheDevice) {
    const std::tuple<int, int, std::string, const char*> cases[] = {
        {1, 1328, "", "Forerunner 910XT"},
        {1, 65000, "", "Garmin"},
        {32, 31, "ELEMNT", "Wahoo ELEMNT"},
        {23, 0, "Suunto 9", "Suunto 9"},
        {260, 0, "", "Zwift"},
        {9999, 0, "", ""}};
    for (const auto& [manufacturer, product, name, device] : cases) {
        auto id = test::fit_msg::FileId(4, manufacturer, product);
        if (!name.empty()) id.push_back({8, kString, 0, name});
        FitWriter w;
        w.Message(0, 0, id).Message(1, 18, {{2, kUint32, FitTime(kRunStart)}});
        EXPECT_EQ(ReadFit(w.Bytes()).device, device);
    }
}

TEST(FitProfileTest, SportNamesBothWays) {
    const std::tuple<int, int, const char*> names[] = {
        {1, 0, "running"},        {2, 7, "cycling/road"}, {2, 58, "cycling/virtual"},
        {5, 17, "swimming/pool"}, {2, 254, "cycling"},    {99, 200, "sport 99/sub-sport 200"}};
    for (const auto& [sport, subSport, name] : names)
        EXPECT_EQ(fit::SportName(sport, subSport), name);
    const std::pair<const char*, int> words[] = {
        {"BIKING", 2}, {" cycling ", 2}, {"cross_country_skiing", 12}, {"Ride", 2}, {"Other", -1}};
    for (const auto& [text, sport] : words)
        EXPECT_EQ(fit::SportFromText(text), sport) << text;
}

}  // namespace
}  // namespace kivrun::devices
