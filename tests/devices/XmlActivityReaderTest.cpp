#include "devices/XmlActivityReader.h"

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <tuple>

namespace kivrun::devices {
namespace {

// 2024-03-31 06:00:00 UTC.
constexpr std::int64_t kStart = 1711864800;
// Along a meridian, 0.027 degrees on the mean sphere.
constexpr double kPathMetres = 3002.26;

struct TcxOptions {
    std::string prefix = "";  // none: the default namespace
    std::string sport = "Running";
    bool lapDistances = true;
    bool pointDistances = true;
};

// Two laps: 10 minutes for 2 km at heart rate 140, a 2-minute pause, 5 minutes for 1 km at 170.
std::string Tcx(const TcxOptions& o) {
    const auto point = [&](const char* time, const char* lat, const char* metres, int hr) {
        std::string p = "<Trackpoint><Time>2024-03-31T" + std::string(time) +
                        "Z</Time><Position><LatitudeDegrees>" + lat +
                        "</LatitudeDegrees><LongitudeDegrees>8</LongitudeDegrees></Position>";
        if (o.pointDistances) p += "<DistanceMeters>" + std::string(metres) + "</DistanceMeters>";
        return p + "<HeartRateBpm><Value>" + std::to_string(hr) + "</Value></HeartRateBpm>" +
               "</Trackpoint>";
    };
    const auto lap = [&](const char* start, const char* seconds, const char* metres, int hr,
                         const std::string& points) {
        return "<Lap StartTime=\"2024-03-31T" + std::string(start) + "Z\"><TotalTimeSeconds>" +
               seconds + "</TotalTimeSeconds>" +
               (o.lapDistances ? "<DistanceMeters>" + std::string(metres) + "</DistanceMeters>"
                               : "") +
               "<AverageHeartRateBpm><Value>" + std::to_string(hr) +
               "</Value></AverageHeartRateBpm><Track>" + points + "</Track></Lap>";
    };
    std::string text =
        "<?xml version=\"1.0\"?>\n<TrainingCenterDatabase "
        "xmlns=\"http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2\" "
        "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><Activities><Activity Sport=\"" +
        o.sport + "\"><Id>2024-03-31T06:00:00Z</Id>" +
        lap("06:00:00", "600", "2000", 140,
            point("06:00:00", "50.000", "0", 130) + point("06:10:00", "50.018", "2000", 150)) +
        lap("06:12:00.000", "300.0", "1000", 170,
            point("06:12:00", "50.018", "2000", 160) + point("06:17:00", "50.027", "3000", 180)) +
        "<Creator xsi:type=\"Device_t\"><Name>Forerunner 405</Name></Creator></Activity>"
        "</Activities><Author><Name>Some Uploader</Name></Author></TrainingCenterDatabase>";
    if (o.prefix.empty()) return text;
    text = std::regex_replace(text, std::regex("<(/?)([A-Z])"), "<$1" + o.prefix + ":$2");
    return std::regex_replace(text, std::regex("xmlns="), "xmlns:" + o.prefix + "=");
}

TEST(TcxReaderTest, ReadsLapsTimesAndDeviceWhateverThePrefix) {
    const struct {
        const char* name;
        TcxOptions options;
        double distance;
    } cases[] = {
        {"default namespace", {}, 3000},
        {"prefixed, sport in capitals", {.prefix = "tcx", .sport = "RUNNING"}, 3000},
        {"no lap distances: the trackpoints'", {.lapDistances = false}, 3000},
        {"positions only: along them",
         {.lapDistances = false, .pointDistances = false},
         kPathMetres},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Activity a = ReadTcx(Tcx(c.options));
        ASSERT_EQ(a.status, ReadStatus::Ok) << a.reason;
        EXPECT_EQ(a.kind, FileKind::Tcx);
        EXPECT_EQ(a.device, "Forerunner 405");
        ASSERT_EQ(a.sessions.size(), 1u);
        const Session& s = a.sessions[0];
        EXPECT_EQ(s.start, kStart);
        EXPECT_EQ(s.sportName, "running");
        EXPECT_EQ(s.elapsed, 17 * 60);
        EXPECT_EQ(s.timer, 15 * 60);
        EXPECT_NEAR(s.distance, c.distance, 0.5);
        EXPECT_EQ(s.avgHeartRate, 150);  // laps weighted by their time
        ASSERT_EQ(s.laps.size(), 2u);
        EXPECT_EQ(s.laps[1].start, kStart + 12 * 60);
        EXPECT_EQ(s.laps[1].timer, 300);
        EXPECT_NEAR(s.laps[1].distance, c.distance / 3, 0.5);
        EXPECT_EQ(s.laps[1].avgHeartRate, 170);
    }
}

struct GpxOptions {
    std::string hr =
        "<gpxtpx:TrackPointExtension><gpxtpx:hr>$</gpxtpx:hr>"
        "</gpxtpx:TrackPointExtension>";
    std::string declarations =
        " xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\"";
    std::string head = "<name>Lunch run</name><type>running</type>";
    bool times = true;
};

// Two segments along a meridian: 10 minutes, a 5-minute gap, 5 minutes; heart rate averages 150.
std::string Gpx(const GpxOptions& o) {
    const auto point = [&](const char* lat, const char* time, int hr) {
        std::string hrText = o.hr;
        hrText.replace(hrText.find('$'), 1, std::to_string(hr));
        return "<trkpt lat=\"" + std::string(lat) + "\" lon=\"8.0\">" +
               (o.times ? "<time>2024-03-31T" + std::string(time) + "Z</time>" : "") +
               "<extensions>" + hrText + "</extensions></trkpt>";
    };
    return "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\" creator=\"Oregon 450\" "
           "xmlns=\"http://www.topografix.com/GPX/1/1\"" +
           o.declarations + "><metadata><name>File name</name></metadata><trk>" + o.head +
           "<trkseg>" + point("50.000", "06:00:00", 140) + point("50.009", "06:05:00", 150) +
           point("50.018", "06:10:00", 160) + "</trkseg><trkseg>" +
           point("50.018", "06:15:00", 150) + point("50.027", "06:20:00.5", 150) +
           "</trkseg></trk></gpx>";
}

TEST(GpxReaderTest, ReadsTrackTimesDistanceAndHeartRateExtensions) {
    const struct {
        const char* name;
        std::string hr;
        std::string declarations = "";
    } cases[] = {
        {"Garmin's TrackPointExtension", GpxOptions().hr, GpxOptions().declarations},
        {"its prefix left undeclared", GpxOptions().hr},
        {"ns3 prefix", "<ns3:TrackPointExtension><ns3:hr>$</ns3:hr></ns3:TrackPointExtension>",
         " xmlns:ns3=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\""},
        {"gpxdata", "<gpxdata:hr>$</gpxdata:hr>", " xmlns:gpxdata=\"http://www.cluetrust.com\""},
        {"plain heartrate", "<heartrate>$</heartrate>"},
        {"bpm", "<bpm>$</bpm>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Activity a = ReadGpx(Gpx({.hr = c.hr, .declarations = c.declarations}));
        ASSERT_EQ(a.status, ReadStatus::Ok) << a.reason;
        EXPECT_EQ(a.device, "Oregon 450");
        ASSERT_EQ(a.sessions.size(), 1u);
        const Session& s = a.sessions[0];
        EXPECT_EQ(s.start, kStart);
        EXPECT_EQ(s.elapsed, 20 * 60);
        EXPECT_EQ(s.timer, 15 * 60);  // the gap between segments is a pause
        EXPECT_NEAR(s.distance, kPathMetres, 0.5);
        EXPECT_EQ(s.avgHeartRate, 150);
        EXPECT_EQ(s.trackName, "Lunch run");
        EXPECT_EQ(s.sportName, "running");
    }
}

TEST(GpxReaderTest, SportFromTypeOrTrackName) {
    const std::tuple<std::string, const char*, const char*> cases[] = {
        {"<type>Kayak</type>", "kayaking", "File name"},
        {"<type>Nordic Walking</type>", "nordic walking", "File name"},
        {"<name>RUNNING</name>", "running", "RUNNING"},
        {"<name>Morning ride</name>", "generic", "Morning ride"}};
    for (const auto& [head, sport, track] : cases) {
        const Activity a = ReadGpx(Gpx({.head = head}));
        EXPECT_EQ(a.sessions.at(0).sportName, sport) << head;
        EXPECT_EQ(a.sessions.at(0).trackName, track) << head;
    }
}

// What is not a recorded activity says what it is; what is no file of the kind is refused.
TEST(XmlActivityReaderTest, RefusesOrNamesWhatIsNoActivity) {
    const std::string gpx = Gpx({});
    const std::string tcx = Tcx({});
    const struct {
        Activity activity;
        ReadStatus status;
        std::string reason;
    } cases[] = {
        {ReadGpx(Gpx({.times = false})), ReadStatus::NotAnActivity,
         "a GPX track without times (a planned route), not an activity"},
        {ReadGpx("<gpx><rte><rtept lat=\"1\" lon=\"2\"/></rte></gpx>"), ReadStatus::NotAnActivity,
         "a GPX route or waypoints, not an activity"},
        {ReadTcx("<TrainingCenterDatabase><Courses><Course><Name>Loop</Name></Course></Courses>"
                 "</TrainingCenterDatabase>"),
         ReadStatus::NotAnActivity, "a TCX course, not an activity"},
        {ReadGpx(""), ReadStatus::Refused, "the file is empty"},
        {ReadTcx(" \r\n "), ReadStatus::Refused, "the file is empty"},
        {ReadGpx("<gpx version=\"1.1\"></gpx>"), ReadStatus::Refused, "no track in the file"},
        {ReadTcx("<TrainingCenterDatabase/>"), ReadStatus::Refused, "no activity in the file"},
        {ReadGpx(tcx), ReadStatus::Refused,
         "not a GPX file (its root element is <TrainingCenterDatabase>)"},
        {ReadTcx(gpx), ReadStatus::Refused, "not a TCX file (its root element is <gpx>)"},
        {ReadGpx("PK\x03\x04 not xml"), ReadStatus::Refused,
         "malformed XML: not well-formed (invalid token) at line 1"},
        {ReadGpx(gpx.substr(0, 200)), ReadStatus::Refused,
         "malformed XML: no element found at line 2"},
        {ReadGpx("<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\">"
                 "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;"
                 "&b;&b;&b;\"><!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;"
                 "&d;&d;&d;&d;&d;&d;&d;&d;\"><!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">]>"
                 "<gpx><trk><name>&f;&f;&f;&f;&f;&f;&f;&f;</name></trk></gpx>"),
         ReadStatus::Refused, ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.activity.status, c.status) << c.reason;
        if (!c.reason.empty()) {
            EXPECT_EQ(c.activity.reason, c.reason);
        }
        EXPECT_TRUE(c.activity.sessions.empty());
    }
}

TEST(XmlActivityReaderTest, FileBrokenOffAfterPointsIsSalvaged) {
    const std::string gpx = Gpx({});
    const Activity g = ReadGpx(gpx.substr(0, gpx.find("</trkseg>")));
    EXPECT_EQ(g.status, ReadStatus::Salvaged);
    EXPECT_EQ(g.reason, "malformed XML: no element found at line 2; what came before was read");
    ASSERT_EQ(g.sessions.size(), 1u);
    EXPECT_EQ(g.sessions[0].elapsed, 10 * 60);

    const std::string tcx = Tcx({});
    const Activity t = ReadTcx(tcx.substr(0, tcx.find("<Lap", tcx.find("</Lap>"))));
    EXPECT_EQ(t.status, ReadStatus::Salvaged);
    ASSERT_EQ(t.sessions.size(), 1u);
    EXPECT_EQ(t.sessions[0].laps.size(), 1u);
    EXPECT_EQ(t.sessions[0].distance, 2000);
}

}  // namespace
}  // namespace kivrun::devices
