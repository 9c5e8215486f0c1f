#pragma once

#include <QObject>
#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "devices/Activity.h"

namespace kivrun {

// Reads activity files on a thread of its own, so that a season of them never holds up the
// window: the readers are pure, and the log is written in the GUI thread afterwards. Results
// wait here until the GUI thread takes them.
class ActivityFileReader : public QObject {
    Q_OBJECT
  public:
    using Result = std::pair<std::string, devices::Activity>;

    explicit ActivityFileReader(QObject* parent = nullptr);
    // Stops the reading and waits for the thread.
    ~ActivityFileReader() override;

    // Walks the chosen files and folders and reads every activity file found, in order.
    // Reading already under way goes on with the new files afterwards.
    void Read(std::vector<std::filesystem::path> chosen);
    // No file is read after this; what was read is still there to take.
    void Stop();
    // Still reading, or read results not yet taken.
    bool IsReading();
    // Files found so far and files read (for progress).
    int Found() const { return found_; }
    int Done() const { return done_; }
    // At most max of the results waiting; when more wait, ResultsReady comes again, after the
    // events already queued (a repaint, a click on Cancel).
    std::vector<Result> Take(std::size_t max);

  signals:
    // Results are waiting (sent once until they are taken).
    void ResultsReady();
    // Everything chosen has been read, or the reading was stopped.
    void Finished();

  private:
    void Run();
    void Deliver(Result result);
    void Join();

    std::thread thread_;
    std::mutex mutex_;
    std::vector<std::vector<std::filesystem::path>> pending_;  // chosen, not yet walked
    std::vector<Result> results_;
    bool announced_ = false;  // ResultsReady sent and not yet answered by Take
    std::atomic<bool> stop_{false};
    std::atomic<bool> reading_{false};
    std::atomic<int> found_{0};
    std::atomic<int> done_{0};
};

}  // namespace kivrun
