#include "imports/ui/ActivityFileReader.h"

#include <algorithm>
#include <iterator>

#include "devices/ActivityFile.h"

namespace kivrun {

ActivityFileReader::ActivityFileReader(QObject* parent) : QObject(parent) {}

ActivityFileReader::~ActivityFileReader() {
    Stop();
}

void ActivityFileReader::Read(std::vector<std::filesystem::path> chosen) {
    std::lock_guard<std::mutex> lock(mutex_);
    pending_.push_back(std::move(chosen));
    if (reading_) return;  // the running thread takes them next
    Join();
    stop_ = false;
    reading_ = true;
    thread_ = std::thread(&ActivityFileReader::Run, this);
}

void ActivityFileReader::Stop() {
    stop_ = true;
    Join();
}

void ActivityFileReader::Join() {
    if (thread_.joinable() && thread_.get_id() != std::this_thread::get_id()) thread_.join();
}

bool ActivityFileReader::IsReading() {
    std::lock_guard<std::mutex> lock(mutex_);
    return reading_ || !results_.empty();
}

std::vector<ActivityFileReader::Result> ActivityFileReader::Take(std::size_t max) {
    std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t n = std::min(max, results_.size());
    std::vector<Result> taken(std::make_move_iterator(results_.begin()),
                              std::make_move_iterator(results_.begin() + static_cast<long>(n)));
    results_.erase(results_.begin(), results_.begin() + static_cast<long>(n));
    announced_ = !results_.empty();
    if (announced_)
        QMetaObject::invokeMethod(this, &ActivityFileReader::ResultsReady, Qt::QueuedConnection);
    return taken;
}

void ActivityFileReader::Deliver(Result result) {
    std::lock_guard<std::mutex> lock(mutex_);
    results_.push_back(std::move(result));
    if (announced_) return;
    announced_ = true;
    QMetaObject::invokeMethod(this, &ActivityFileReader::ResultsReady, Qt::QueuedConnection);
}

void ActivityFileReader::Run() {
    for (;;) {
        std::vector<std::filesystem::path> chosen;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (pending_.empty() || stop_) {
                pending_.clear();
                reading_ = false;
                break;
            }
            chosen = std::move(pending_.front());
            pending_.erase(pending_.begin());
        }
        const std::vector<std::filesystem::path> files = devices::FindActivityFiles(chosen);
        found_ += static_cast<int>(files.size());
        for (const std::filesystem::path& file : files) {
            if (stop_) break;
            Deliver({file.string(), devices::ReadActivityFile(file)});
            ++done_;
        }
    }
    QMetaObject::invokeMethod(this, &ActivityFileReader::Finished, Qt::QueuedConnection);
}

}  // namespace kivrun
