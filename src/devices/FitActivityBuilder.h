#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "devices/Activity.h"
#include "devices/FitMessage.h"

namespace kivrun::devices::fit {

// Gathers the messages an activity is made of, as the reader meets them, and turns them into
// sessions at the end, rebuilding from records and timer events what a damaged file lost.
class FitActivityBuilder {
  public:
    void OnMessage(const FitMessage& message);
    void Problem(std::string text) { problems_.push_back(std::move(text)); }
    // Data after the point reached was lost (cut short or unreadable).
    void MarkDataLost() { dataLost_ = true; }
    // The file says it is something other than an activity; reading can stop.
    bool IsOtherFile() const { return fileType_ && *fileType_ != kActivityFile; }

    Activity Finish();

  private:
    struct RawSession {
        std::optional<std::uint32_t> start, end;
        std::optional<int> sport, subSport, firstLap, numLaps, activeLengths;
        std::optional<double> elapsed, timer, distance, heartRate, poolLength;
    };
    struct RawLap {
        std::optional<std::uint32_t> start, end;
        std::optional<int> sport, subSport;
        std::optional<double> elapsed, timer, distance, heartRate;
    };
    struct RawLength {
        std::uint32_t start = 0;
        bool active = false;
    };
    // What the records and timer events between two session messages hold.
    struct Span {
        std::optional<std::uint32_t> first, last;
        std::optional<double> firstDistance, lastDistance;
        double heartRateSum = 0;
        long heartRateCount = 0;
        bool timerEvents = false;
        double timerTotal = 0;
        std::optional<std::uint32_t> timerRunningSince;
        void See(std::uint32_t time);
        void Record(const FitMessage& message);
        void TimerEvent(std::uint32_t time, int type);
    };

    void OnSession(const FitMessage& message);
    void OnLap(const FitMessage& message);
    void OnEvent(const FitMessage& message);
    void OnDeviceInfo(const FitMessage& message);
    std::optional<Session> FromRaw(const RawSession& raw) const;
    Session FromSpan(const Span& span, bool wholeFile) const;
    void AddLaps(Session& session, const RawSession* raw) const;
    void AddLengths(Session& session, const RawSession* raw) const;
    std::string DeviceName() const;

    std::optional<int> fileType_;
    std::optional<int> manufacturer_, product_;
    std::string productName_;
    std::optional<int> creatorManufacturer_, creatorProduct_;
    std::string creatorProductName_;
    std::optional<int> localOffset_;
    std::optional<int> sport_, subSport_;  // the last sport message
    std::vector<RawSession> sessions_;
    std::vector<RawLap> laps_;
    std::vector<RawLength> lengths_;
    Span whole_, sinceSession_;
    std::vector<std::string> problems_;
    bool dataLost_ = false;
};

}  // namespace kivrun::devices::fit
