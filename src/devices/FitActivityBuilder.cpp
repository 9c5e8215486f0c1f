#include "devices/FitActivityBuilder.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

namespace kivrun::devices::fit {
namespace {

constexpr int kMaxLocalOffset = 14 * 3600;

std::int64_t Unix(std::uint32_t fitTime) {
    return static_cast<std::int64_t>(fitTime) + kEpochInUnixTime;
}

// Amounts beyond this (seconds or metres) mean a damaged field, not a long day.
constexpr double kMaxAmount = 1e9;

std::optional<double> Scaled(std::optional<double> value, double scale) {
    if (!value || !(*value >= 0) || *value / scale > kMaxAmount) return std::nullopt;
    return *value / scale;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
    if (prefix.empty() || text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[i])) !=
            std::tolower(static_cast<unsigned char>(prefix[i])))
            return false;
    return true;
}

}  // namespace

void FitActivityBuilder::Span::See(std::uint32_t time) {
    if (!first || time < *first) first = time;
    if (!last || time > *last) last = time;
}

void FitActivityBuilder::Span::Record(const FitMessage& message) {
    const auto time = message.Timestamp();
    if (!time) return;
    See(*time);
    if (const auto distance = Scaled(message.Number(record::kDistance), kDistanceScale)) {
        if (!firstDistance) firstDistance = distance;
        lastDistance = distance;
    }
    if (const auto heartRate = message.Number(record::kHeartRate); heartRate && *heartRate > 0) {
        heartRateSum += *heartRate;
        ++heartRateCount;
    }
}

void FitActivityBuilder::Span::TimerEvent(std::uint32_t time, int type) {
    See(time);
    timerEvents = true;
    if (type == event::kStart) {
        if (!timerRunningSince) timerRunningSince = time;
    } else if (type == event::kStop || type == event::kStopAll || type == event::kStopDisable ||
               type == event::kStopDisableAll) {
        if (timerRunningSince && time >= *timerRunningSince)
            timerTotal += time - *timerRunningSince;
        timerRunningSince.reset();
    }
}

void FitActivityBuilder::OnMessage(const FitMessage& message) {
    switch (message.Global()) {
        case kFileId:
            fileType_ = message.Integer(file_id::kType);
            manufacturer_ = message.Integer(file_id::kManufacturer);
            product_ = message.Integer(file_id::kProduct);
            productName_ = message.Text(file_id::kProductName);
            break;
        case kSport:
            sport_ = message.Integer(sport::kSport);
            subSport_ = message.Integer(sport::kSubSport);
            break;
        case kSession:
            OnSession(message);
            break;
        case kLap:
            OnLap(message);
            break;
        case kRecord:
            whole_.Record(message);
            sinceSession_.Record(message);
            break;
        case kEvent:
            OnEvent(message);
            break;
        case kDeviceInfo:
            OnDeviceInfo(message);
            break;
        case kActivity: {
            const auto local = message.Number(activity::kLocalTimestamp);
            const auto utc = message.Timestamp();
            if (local && utc) {
                // Zones are whole quarter hours; a clock a few seconds apart must not show.
                const double offset = std::round((*local - *utc) / 900.0) * 900.0;
                if (std::abs(offset) <= kMaxLocalOffset) localOffset_ = static_cast<int>(offset);
            }
            break;
        }
        case kLength:
            if (const auto start = message.Time(length::kStartTime))
                lengths_.push_back(
                    {*start, message.Integer(length::kLengthType) == length::kActive});
            break;
        default:
            break;
    }
}

void FitActivityBuilder::OnSession(const FitMessage& message) {
    RawSession raw;
    raw.start = message.Time(session::kStartTime);
    raw.end = message.Timestamp();
    raw.sport = message.Integer(session::kSport);
    raw.subSport = message.Integer(session::kSubSport);
    raw.elapsed = Scaled(message.Number(session::kElapsed), kTimeScale);
    raw.timer = Scaled(message.Number(session::kTimer), kTimeScale);
    raw.distance = Scaled(message.Number(session::kDistance), kDistanceScale);
    raw.heartRate = message.Number(session::kAvgHeartRate);
    raw.firstLap = message.Integer(session::kFirstLapIndex);
    raw.numLaps = message.Integer(session::kNumLaps);
    raw.poolLength = Scaled(message.Number(session::kPoolLength), kDistanceScale);
    raw.activeLengths = message.Integer(session::kActiveLengths);
    sessions_.push_back(raw);
    sinceSession_ = Span{};
}

void FitActivityBuilder::OnLap(const FitMessage& message) {
    RawLap raw;
    raw.start = message.Time(lap::kStartTime);
    raw.end = message.Timestamp();
    raw.sport = message.Integer(lap::kSport);
    raw.subSport = message.Integer(lap::kSubSport);
    raw.elapsed = Scaled(message.Number(lap::kElapsed), kTimeScale);
    raw.timer = Scaled(message.Number(lap::kTimer), kTimeScale);
    raw.distance = Scaled(message.Number(lap::kDistance), kDistanceScale);
    raw.heartRate = message.Number(lap::kAvgHeartRate);
    laps_.push_back(raw);
}

void FitActivityBuilder::OnEvent(const FitMessage& message) {
    const auto time = message.Timestamp();
    if (!time || message.Integer(event::kEvent) != event::kTimer) return;
    const int type = message.Integer(event::kEventType).value_or(-1);
    whole_.TimerEvent(*time, type);
    sinceSession_.TimerEvent(*time, type);
}

void FitActivityBuilder::OnDeviceInfo(const FitMessage& message) {
    // Index 0 is the device that wrote the file; the others are its sensors.
    if (message.Integer(device_info::kDeviceIndex) != 0) return;
    creatorManufacturer_ = message.Integer(device_info::kManufacturer);
    creatorProduct_ = message.Integer(device_info::kProduct);
    creatorProductName_ = message.Text(device_info::kProductName);
}

std::optional<Session> FitActivityBuilder::FromRaw(const RawSession& raw) const {
    Session s;
    if (raw.start) {
        s.start = Unix(*raw.start);
    } else if (raw.end && raw.elapsed) {
        s.start = Unix(*raw.end) - static_cast<std::int64_t>(std::llround(*raw.elapsed));
    } else if (whole_.first) {
        s.start = Unix(*whole_.first);
    } else {
        return std::nullopt;
    }
    if (raw.elapsed)
        s.elapsed = *raw.elapsed;
    else if (raw.end)
        s.elapsed = static_cast<double>(std::max<std::int64_t>(0, Unix(*raw.end) - s.start));
    s.timer = raw.timer.value_or(s.elapsed);
    s.distance = raw.distance.value_or(0.0);
    s.avgHeartRate = raw.heartRate;
    s.sport = raw.sport.value_or(0);
    s.subSport = raw.subSport.value_or(0);
    return s;
}

Session FitActivityBuilder::FromSpan(const Span& span, bool wholeFile) const {
    Session s;
    s.rebuilt = true;
    s.start = Unix(*span.first);
    s.elapsed = static_cast<double>(*span.last - *span.first);
    double timer = span.timerTotal;
    if (span.timerRunningSince) timer += *span.last - *span.timerRunningSince;
    s.timer = span.timerEvents ? timer : s.elapsed;
    // Record distances run on from the start of the recording.
    if (span.lastDistance)
        s.distance = *span.lastDistance - (wholeFile ? 0.0 : span.firstDistance.value_or(0.0));
    if (span.heartRateCount > 0)
        s.avgHeartRate = std::round(span.heartRateSum / static_cast<double>(span.heartRateCount));
    if (sport_) {
        s.sport = *sport_;
        s.subSport = subSport_.value_or(0);
    } else {
        for (const RawLap& lap : laps_)
            if (lap.sport && lap.start && *lap.start >= *span.first && *lap.start <= *span.last) {
                s.sport = *lap.sport;
                s.subSport = lap.subSport.value_or(0);
                break;
            }
    }
    return s;
}

void FitActivityBuilder::AddLaps(Session& session, const RawSession* raw) const {
    std::vector<const RawLap*> chosen;
    if (raw && raw->firstLap && raw->numLaps && *raw->firstLap >= 0 && *raw->numLaps >= 0 &&
        static_cast<std::size_t>(*raw->firstLap) + *raw->numLaps <= laps_.size()) {
        for (int i = 0; i < *raw->numLaps; ++i)
            chosen.push_back(&laps_[*raw->firstLap + i]);
    } else if (sessions_.size() <= 1 && !session.rebuilt) {
        for (const RawLap& lap : laps_)
            chosen.push_back(&lap);
    } else {
        const std::int64_t end = session.start + static_cast<std::int64_t>(session.elapsed) + 1;
        for (const RawLap& lap : laps_)
            if (lap.start && Unix(*lap.start) >= session.start && Unix(*lap.start) <= end)
                chosen.push_back(&lap);
    }
    std::int64_t next = session.start;
    for (const RawLap* raw : chosen) {
        Lap lap;
        lap.start = raw->start ? Unix(*raw->start) : next;
        if (raw->elapsed)
            lap.elapsed = *raw->elapsed;
        else if (raw->end)
            lap.elapsed =
                static_cast<double>(std::max<std::int64_t>(0, Unix(*raw->end) - lap.start));
        lap.timer = raw->timer.value_or(lap.elapsed);
        lap.distance = raw->distance.value_or(0.0);
        lap.avgHeartRate = raw->heartRate;
        next = lap.start + static_cast<std::int64_t>(std::llround(lap.elapsed));
        session.laps.push_back(lap);
    }
}

void FitActivityBuilder::AddLengths(Session& session, const RawSession* raw) const {
    const std::int64_t end = session.start + static_cast<std::int64_t>(session.elapsed) + 1;
    int active = 0;
    for (const RawLength& length : lengths_)
        if (length.active && Unix(length.start) >= session.start && Unix(length.start) <= end)
            ++active;
    if (raw && raw->activeLengths) active = *raw->activeLengths;
    session.activeLengths = active;
    if (raw && raw->poolLength) session.lengthsDistance = active * *raw->poolLength;
}

std::string FitActivityBuilder::DeviceName() const {
    // The file's creator first; a device_info of the creator fills what file_id leaves out.
    const auto manufacturer = manufacturer_ ? manufacturer_ : creatorManufacturer_;
    const auto product = product_ ? product_ : creatorProduct_;
    if (manufacturer && product && UsesGarminProducts(*manufacturer)) {
        const std::string name = GarminProductName(*product);
        if (!name.empty()) return name;
    }
    const std::string maker = manufacturer ? ManufacturerName(*manufacturer) : "";
    const std::string model = !productName_.empty() ? productName_ : creatorProductName_;
    if (model.empty()) return maker;
    if (maker.empty() || StartsWithNoCase(model, maker)) return model;
    return maker + " " + model;
}

Activity FitActivityBuilder::Finish() {
    Activity activity;
    activity.kind = FileKind::Fit;
    activity.device = DeviceName();
    if (IsOtherFile()) {
        activity.status = ReadStatus::NotAnActivity;
        activity.reason = "a FIT " + FileTypeName(*fileType_) + " file, not an activity";
        return activity;
    }
    for (const RawSession& raw : sessions_) {
        auto session = FromRaw(raw);
        if (!session) {
            problems_.push_back("a session without any time was left out");
            continue;
        }
        AddLaps(*session, &raw);
        AddLengths(*session, &raw);
        activity.sessions.push_back(std::move(*session));
    }
    if (activity.sessions.empty() && whole_.first) {
        problems_.push_back("no session summary; rebuilt from the records");
        activity.sessions.push_back(FromSpan(whole_, true));
    } else if (dataLost_ && sinceSession_.first && !activity.sessions.empty()) {
        const Session& previous = activity.sessions.back();
        const std::int64_t previousEnd =
            previous.start + static_cast<std::int64_t>(std::llround(previous.elapsed));
        if (Unix(*sinceSession_.first) >= previousEnd && sinceSession_.last > sinceSession_.first) {
            problems_.push_back("the last part has no session summary; rebuilt from the records");
            activity.sessions.push_back(FromSpan(sinceSession_, false));
        }
    }
    for (Session& session : activity.sessions) {
        if (session.rebuilt) {
            AddLaps(session, nullptr);
            AddLengths(session, nullptr);
        }
        session.localOffset = localOffset_;
        session.sportName = SportName(session.sport, session.subSport);
        session.transition = IsTransition(session.sport, session.subSport);
    }
    activity.problems = problems_;
    SettleStatus(activity, "nothing usable: no session and no timed records");
    return activity;
}

}  // namespace kivrun::devices::fit
