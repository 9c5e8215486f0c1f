#include "devices/XmlActivityReader.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "devices/FitProfile.h"
#include "devices/UtcTime.h"

namespace kivrun::devices {
namespace {

// Longer texts are never numbers, times or names worth keeping.
constexpr std::size_t kMaxText = 1024;
constexpr double kEarthRadius = 6371008.8;  // mean radius, metres
constexpr double kPi = 3.14159265358979323846;

std::string_view LocalName(const char* name) {
    const char* colon = std::strrchr(name, ':');
    return colon ? colon + 1 : name;
}

bool SameNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Locale-free, so a desktop locale with decimal commas cannot change what a file means.
std::optional<double> Number(std::string_view text) {
    text = Trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// A duration, distance or heart rate: amounts beyond this mean a damaged file, not a long day.
std::optional<double> Amount(std::string_view text) {
    const auto value = Number(text);
    if (!value || *value < 0 || *value > 1e9) return std::nullopt;
    return value;
}

const char* Attribute(const char** attributes, std::string_view name) {
    for (int i = 0; attributes[i] && attributes[i + 1]; i += 2)
        if (LocalName(attributes[i]) == name) return attributes[i + 1];
    return nullptr;
}

double Haversine(double lat1, double lon1, double lat2, double lon2) {
    const double rad = kPi / 180.0;
    const double dLat = (lat2 - lat1) * rad;
    const double dLon = (lon2 - lon1) * rad;
    const double a =
        std::sin(dLat / 2) * std::sin(dLat / 2) +
        std::cos(lat1 * rad) * std::cos(lat2 * rad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadius * std::asin(std::min(1.0, std::sqrt(a)));
}

struct Point {
    std::optional<std::int64_t> time;
    std::optional<double> lat, lon, distance, heartRate;
};

// What the points of one activity or track add up to.
struct PointTotals {
    std::optional<std::int64_t> first, last;
    std::optional<double> lastDistance;  // as the device counted it
    double path = 0;                     // along the positions
    double heartRateSum = 0;
    long heartRateCount = 0;
    long points = 0;
    std::optional<std::pair<double, double>> previous;

    void Add(const Point& p) {
        ++points;
        if (p.time) {
            if (!first || *p.time < *first) first = p.time;
            if (!last || *p.time > *last) last = p.time;
        }
        if (p.distance) lastDistance = p.distance;
        if (p.heartRate && *p.heartRate > 0) {
            heartRateSum += *p.heartRate;
            ++heartRateCount;
        }
        if (p.lat && p.lon && std::abs(*p.lat) <= 90 && std::abs(*p.lon) <= 180) {
            if (previous) path += Haversine(previous->first, previous->second, *p.lat, *p.lon);
            previous = std::make_pair(*p.lat, *p.lon);
        }
    }
    double Distance() const { return lastDistance.value_or(path); }
    std::optional<double> HeartRate() const {
        if (heartRateCount == 0) return std::nullopt;
        return std::round(heartRateSum / static_cast<double>(heartRateCount));
    }
};

void SetSport(Session& session, std::string_view text) {
    const int sport = fit::SportFromText(text);
    if (sport >= 0) {
        session.sport = sport;
        session.sportName = fit::SportName(sport, 0);
        return;
    }
    std::string word(Trimmed(text).substr(0, 60));
    for (char& c : word)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    session.sport = 0;
    session.sportName = word.empty() || word == "other" ? "generic" : word;
}

// The expat side: a stack of local element names and the text of the element being read.
class XmlHandler {
  public:
    virtual ~XmlHandler() = default;
    virtual void Start(std::string_view name, const char** attributes) = 0;
    virtual void End(std::string_view name, std::string_view text) = 0;

    // The element `levels` above the current one; empty above the root.
    std::string_view Up(std::size_t levels) const {
        return levels < stack_.size() ? std::string_view(stack_[stack_.size() - 1 - levels])
                                      : std::string_view();
    }
    bool Inside(std::string_view name) const {
        return std::find(stack_.begin(), stack_.end(), name) != stack_.end();
    }
    const std::string& Root() const { return root_; }

    // False with `error` set for XML that is not well formed.
    bool Parse(std::string_view bytes, std::string& error) {
        XML_Parser parser = XML_ParserCreate(nullptr);
        if (!parser) {
            error = "the XML reader could not start";
            return false;
        }
        XML_SetUserData(parser, this);
        XML_SetElementHandler(parser, &XmlHandler::OnStart, &XmlHandler::OnEnd);
        XML_SetCharacterDataHandler(parser, &XmlHandler::OnText);
        constexpr std::size_t kChunk = 1 << 20;
        bool ok = true;
        do {
            const std::size_t n = std::min(bytes.size(), kChunk);
            const bool last = n == bytes.size();
            if (XML_Parse(parser, bytes.data(), static_cast<int>(n), last) != XML_STATUS_OK) {
                error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                        std::to_string(XML_GetCurrentLineNumber(parser));
                ok = false;
                break;
            }
            bytes.remove_prefix(n);
        } while (!bytes.empty());
        XML_ParserFree(parser);
        return ok;
    }

  private:
    static void XMLCALL OnStart(void* self, const char* name, const char** attributes) {
        auto* h = static_cast<XmlHandler*>(self);
        h->stack_.emplace_back(LocalName(name));
        if (h->stack_.size() == 1) h->root_ = h->stack_.back();
        h->text_.clear();
        h->Start(h->stack_.back(), attributes);
    }
    static void XMLCALL OnEnd(void* self, const char*) {
        auto* h = static_cast<XmlHandler*>(self);
        const std::string name = std::move(h->stack_.back());
        h->End(name, h->text_);
        h->stack_.pop_back();
        h->text_.clear();
    }
    static void XMLCALL OnText(void* self, const char* text, int length) {
        auto* h = static_cast<XmlHandler*>(self);
        if (h->text_.size() < kMaxText)
            h->text_.append(text, std::min<std::size_t>(length, kMaxText - h->text_.size()));
    }

    std::vector<std::string> stack_;
    std::string text_;
    std::string root_;
};

// Reads the file and settles what it is; `handler` fills `activity` as it goes.
template <class Handler>
Activity Read(std::string_view bytes, FileKind kind, const char* root) {
    Handler handler;
    Activity& activity = handler.activity;
    activity.kind = kind;
    if (Trimmed(bytes).empty()) {
        activity.status = ReadStatus::Refused;
        activity.reason = "the file is empty";
        return activity;
    }
    std::string error;
    const bool wellFormed = handler.Parse(bytes, error);
    if (!handler.Root().empty() && handler.Root() != root) {
        activity = Activity{};
        activity.kind = kind;
        activity.status = ReadStatus::Refused;
        activity.reason = std::string("not a ") + KindName(kind) + " file (its root element is <" +
                          handler.Root() + ">)";
        return activity;
    }
    if (!wellFormed) {
        handler.Flush();
        if (activity.sessions.empty()) {
            activity.status = ReadStatus::Refused;
            activity.reason = "malformed XML: " + error;
            return activity;
        }
        activity.problems.push_back("malformed XML: " + error + "; what came before was read");
    }
    handler.Settle();
    if (activity.sessions.empty() && !handler.otherThing.empty()) {
        activity.status = ReadStatus::NotAnActivity;
        activity.reason = handler.otherThing;
        return activity;
    }
    SettleStatus(activity, handler.whyEmpty);
    return activity;
}

class TcxHandler : public XmlHandler {
  public:
    Activity activity;
    std::string otherThing;
    std::string whyEmpty = "no activity in the file";

    void Start(std::string_view name, const char** attributes) override {
        if (name == "Activity" && !inActivity_) {
            inActivity_ = true;
            session_ = Session{};
            totals_ = PointTotals{};
            cumulative_ = 0;
            laps_.clear();
            lapTotals_.clear();
            lapStarts_.clear();
            lapDistanceGiven_.clear();
            id_.reset();
            const char* sport = Attribute(attributes, "Sport");
            SetSport(session_, sport ? sport : "");
        } else if (name == "Lap" && inActivity_) {
            const char* start = Attribute(attributes, "StartTime");
            laps_.emplace_back();
            lapTotals_.emplace_back();
            lapStarts_.push_back(start ? ParseXmlTime(start) : std::nullopt);
            lapDistanceGiven_.push_back(false);
        } else if (name == "Trackpoint") {
            point_ = Point{};
        } else if (name == "Course" && Up(1) == "Courses") {
            otherThing = "a TCX course, not an activity";
        }
    }

    void End(std::string_view name, std::string_view text) override {
        const std::string_view parent = Up(1);
        if (!inActivity_) return;
        if (name == "Id" && parent == "Activity") {
            id_ = ParseXmlTime(text);
        } else if (name == "Name" && parent == "Activity") {
            session_.trackName = std::string(Trimmed(text));
        } else if (name == "Name" && parent == "Creator" && Up(2) == "Activity") {
            if (activity.device.empty()) activity.device = std::string(Trimmed(text));
        } else if (name == "ProductID" && parent == "Creator" && Up(2) == "Activity") {
            // Garmin's product number names the device without its firmware version.
            const auto product = Number(text);
            const std::string known = product && *product >= 0 && *product < 65536
                                          ? fit::GarminProductName(static_cast<int>(*product))
                                          : "";
            if (!known.empty()) activity.device = known;
        } else if (!laps_.empty() && parent == "Lap") {
            if (name == "TotalTimeSeconds") laps_.back().timer = Amount(text).value_or(0);
            if (const auto distance = Amount(text); name == "DistanceMeters" && distance) {
                laps_.back().distance = *distance;
                lapDistanceGiven_.back() = true;
            }
        } else if (name == "Value" && parent == "AverageHeartRateBpm" && Up(2) == "Lap" &&
                   !laps_.empty()) {
            laps_.back().avgHeartRate = Amount(text);
        } else if (name == "Time" && parent == "Trackpoint") {
            point_.time = ParseXmlTime(text);
        } else if (name == "DistanceMeters" && parent == "Trackpoint") {
            point_.distance = Amount(text);
        } else if (name == "LatitudeDegrees" && parent == "Position") {
            point_.lat = Number(text);
        } else if (name == "LongitudeDegrees" && parent == "Position") {
            point_.lon = Number(text);
        } else if (name == "Value" && parent == "HeartRateBpm" && Up(2) == "Trackpoint") {
            point_.heartRate = Amount(text);
        } else if (name == "Trackpoint") {
            totals_.Add(point_);
            if (!lapTotals_.empty()) lapTotals_.back().Add(point_);
        } else if (name == "Lap" && parent == "Activity" && !laps_.empty()) {
            // Trackpoint distances run on from the start of the activity.
            const PointTotals& lap = lapTotals_.back();
            if (!lapDistanceGiven_.back())
                laps_.back().distance =
                    lap.lastDistance ? *lap.lastDistance - cumulative_ : lap.path;
            if (lap.lastDistance) cumulative_ = *lap.lastDistance;
        } else if (name == "Activity") {
            Flush();
        }
    }

    // Ends the activity being read, as far as it got.
    void Flush() {
        if (!inActivity_) return;
        inActivity_ = false;
        std::optional<std::int64_t> start = id_;
        if (!start && !lapStarts_.empty()) start = lapStarts_.front();
        if (!start) start = totals_.first;
        if (!start) {
            activity.problems.push_back("an activity without times was left out");
            return;
        }
        session_.start = *start;
        std::int64_t end = totals_.last.value_or(*start);
        double timer = 0, lapDistance = 0, weighted = 0, weight = 0;
        bool lapTimes = false, lapDistances = false;
        for (std::size_t i = 0; i < laps_.size(); ++i) {
            Lap& lap = laps_[i];
            lap.start = lapStarts_[i].value_or(lapTotals_[i].first.value_or(end));
            const std::int64_t lastPoint = lapTotals_[i].last.value_or(lap.start);
            lap.elapsed = std::max(lap.timer, static_cast<double>(lastPoint - lap.start));
            end = std::max(end, lap.start + static_cast<std::int64_t>(std::llround(lap.elapsed)));
            timer += lap.timer;
            lapTimes = lapTimes || lap.timer > 0;
            lapDistance += lap.distance;
            lapDistances = lapDistances || lap.distance > 0;
            if (lap.avgHeartRate && lap.timer > 0) {
                weighted += *lap.avgHeartRate * lap.timer;
                weight += lap.timer;
            }
        }
        session_.elapsed = static_cast<double>(std::max<std::int64_t>(0, end - *start));
        session_.timer = lapTimes ? timer : session_.elapsed;
        session_.distance = lapDistances ? lapDistance : totals_.Distance();
        session_.avgHeartRate =
            weight > 0 ? std::optional<double>(std::round(weighted / weight)) : totals_.HeartRate();
        session_.laps = std::move(laps_);
        activity.sessions.push_back(std::move(session_));
    }

    void Settle() {}

  private:
    bool inActivity_ = false;
    Session session_;
    PointTotals totals_;
    std::vector<Lap> laps_;
    std::vector<PointTotals> lapTotals_;
    std::vector<std::optional<std::int64_t>> lapStarts_;
    std::vector<bool> lapDistanceGiven_;
    std::optional<std::int64_t> id_;
    double cumulative_ = 0;
    Point point_;
};

class GpxHandler : public XmlHandler {
  public:
    Activity activity;
    std::string otherThing;
    std::string whyEmpty = "no track in the file";

    void Start(std::string_view name, const char** attributes) override {
        if (name == "gpx" && Up(1).empty()) {
            if (const char* creator = Attribute(attributes, "creator"))
                activity.device = std::string(Trimmed(creator).substr(0, 80));
        } else if (name == "trk") {
            inTrack_ = true;
            session_ = Session{};
            totals_ = PointTotals{};
            type_.clear();
            moving_ = 0;
        } else if (name == "trkseg") {
            segment_ = PointTotals{};
        } else if (name == "trkpt") {
            point_ = Point{};
            point_.lat = Number(Attribute(attributes, "lat") ? Attribute(attributes, "lat") : "");
            point_.lon = Number(Attribute(attributes, "lon") ? Attribute(attributes, "lon") : "");
        } else if ((name == "rte" || name == "wpt") && !inTrack_) {
            otherThing = "a GPX route or waypoints, not an activity";
        }
    }

    void End(std::string_view name, std::string_view text) override {
        const std::string_view parent = Up(1);
        if (name == "name" && parent == "metadata") {
            fileName_ = std::string(Trimmed(text));
        } else if (!inTrack_) {
            return;
        } else if (name == "name" && parent == "trk") {
            session_.trackName = std::string(Trimmed(text));
        } else if (name == "type" && parent == "trk") {
            type_ = std::string(Trimmed(text));
        } else if (name == "time" && parent == "trkpt") {
            point_.time = ParseXmlTime(text);
        } else if (Inside("trkpt") && Inside("extensions")) {
            if (SameNoCase(name, "hr") || SameNoCase(name, "heartrate") ||
                SameNoCase(name, "heart_rate") || SameNoCase(name, "bpm"))
                point_.heartRate = Amount(text);
            else if (SameNoCase(name, "distance"))
                point_.distance = Amount(text);
        } else if (name == "trkpt") {
            totals_.Add(point_);
            segment_.Add(point_);
        } else if (name == "trkseg") {
            EndSegment();
        } else if (name == "trk") {
            Flush();
        }
    }

    void Flush() {
        if (!inTrack_) return;
        EndSegment();
        inTrack_ = false;
        if (!totals_.first) {
            if (totals_.points > 0) noTimes_ = true;
            return;
        }
        session_.start = *totals_.first;
        session_.elapsed = static_cast<double>(*totals_.last - *totals_.first);
        session_.timer = moving_;
        session_.distance = totals_.Distance();
        session_.avgHeartRate = totals_.HeartRate();
        // Some watches leave the type out and name the track after the sport.
        SetSport(session_, type_.empty() && fit::SportFromText(session_.trackName) >= 0
                               ? session_.trackName
                               : type_);
        if (session_.trackName.empty()) session_.trackName = fileName_;
        activity.sessions.push_back(std::move(session_));
    }

    void Settle() {
        if (!noTimes_) return;
        if (activity.sessions.empty())
            otherThing = "a GPX track without times (a planned route), not an activity";
        else
            activity.problems.push_back("a track without times was left out");
    }

  private:
    // Time between segments is a pause: the moving time counts the segments only.
    void EndSegment() {
        if (segment_.first) moving_ += static_cast<double>(*segment_.last - *segment_.first);
        segment_ = PointTotals{};
    }

    bool inTrack_ = false;
    bool noTimes_ = false;
    Session session_;
    PointTotals totals_, segment_;
    std::string type_, fileName_;
    double moving_ = 0;
    Point point_;
};

}  // namespace

Activity ReadTcx(std::string_view bytes) {
    return Read<TcxHandler>(bytes, FileKind::Tcx, "TrainingCenterDatabase");
}

Activity ReadGpx(std::string_view bytes) {
    return Read<GpxHandler>(bytes, FileKind::Gpx, "gpx");
}

}  // namespace kivrun::devices
