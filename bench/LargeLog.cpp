#include "LargeLog.h"

#include <filesystem>

#include "app/SampleLog.h"
#include "store/UserInterface.h"

namespace kivrun::bench {

std::string LargeLog(int entries) {
    // The file name says which generator wrote it, so a changed generator makes new logs.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kivrun-bench-sample-v1-" + std::to_string(entries) + ".tlg"))
                                 .string();
    if (std::filesystem::exists(path)) return path;
    SilentUserInterface ui;
    const std::string part = path + ".part";
    std::filesystem::remove(part);
    if (!WriteSampleLog(part, entries, 42, ui)) return {};
    std::filesystem::rename(part, path);
    return path;
}

}  // namespace kivrun::bench
