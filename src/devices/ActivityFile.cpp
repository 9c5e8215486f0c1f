#include "devices/ActivityFile.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <string>

#include "devices/FitReader.h"
#include "devices/Gzip.h"
#include "devices/XmlActivityReader.h"

namespace kivrun::devices {
namespace {

Activity Refused(FileKind kind, std::string reason) {
    Activity activity;
    activity.kind = kind;
    activity.status = ReadStatus::Refused;
    activity.reason = std::move(reason);
    return activity;
}

bool EndsWith(const std::string& text, std::string_view ending) {
    return text.size() >= ending.size() &&
           text.compare(text.size() - ending.size(), ending.size(), ending) == 0;
}

}  // namespace

std::optional<ActivityFileType> ActivityFileTypeOf(const std::filesystem::path& path) {
    std::string name = path.filename().string();
    for (char& c : name)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    ActivityFileType type;
    if (EndsWith(name, ".gz")) {
        type.packed = true;
        name.resize(name.size() - 3);
    }
    if (EndsWith(name, ".fit"))
        type.kind = FileKind::Fit;
    else if (EndsWith(name, ".tcx"))
        type.kind = FileKind::Tcx;
    else if (EndsWith(name, ".gpx"))
        type.kind = FileKind::Gpx;
    else
        return std::nullopt;
    return type;
}

Activity ReadActivity(std::string_view bytes, FileKind kind) {
    std::string unpacked;
    std::string packingProblem;
    if (LooksGzipped(bytes)) {
        switch (Gunzip(bytes, unpacked, packingProblem)) {
            case Unpacked::Whole:
                break;
            case Unpacked::TooLarge:
                return Refused(kind, "the packed file " + packingProblem);
            case Unpacked::Damaged:
                if (unpacked.empty()) return Refused(kind, packingProblem);
                break;
        }
        bytes = unpacked;
    }
    Activity activity;
    switch (kind) {
        case FileKind::Fit:
            activity = ReadFit(bytes);
            break;
        case FileKind::Tcx:
            activity = ReadTcx(bytes);
            break;
        case FileKind::Gpx:
            activity = ReadGpx(bytes);
            break;
        case FileKind::Unknown:
            return Refused(kind, "unknown file type");
    }
    if (!packingProblem.empty()) AddProblem(activity, packingProblem);
    return activity;
}

Activity ReadActivityFile(const std::filesystem::path& path) {
    const auto type = ActivityFileTypeOf(path);
    if (!type) return Refused(FileKind::Unknown, "unknown file type");
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                         &std::fclose);
    if (!file) return Refused(type->kind, std::string("cannot be read: ") + std::strerror(errno));
    std::string bytes;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > kMaxActivityFileSize)
        return Refused(type->kind,
                       "larger than " + std::to_string(kMaxActivityFileSize >> 20) + " MB");
    if (!error) bytes.reserve(static_cast<std::size_t>(size));
    char buffer[1 << 16];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) {
        if (bytes.size() + n > kMaxActivityFileSize)
            return Refused(type->kind,
                           "larger than " + std::to_string(kMaxActivityFileSize >> 20) + " MB");
        bytes.append(buffer, n);
    }
    if (std::ferror(file.get()))
        return Refused(type->kind, std::string("cannot be read: ") + std::strerror(errno));
    return ReadActivity(bytes, type->kind);
}

std::vector<std::filesystem::path> FindActivityFiles(
    const std::vector<std::filesystem::path>& chosen) {
    namespace fs = std::filesystem;
    std::vector<fs::path> files;
    std::set<fs::path> seen;
    const auto add = [&](const fs::path& path) {
        if (seen.insert(path.lexically_normal()).second) files.push_back(path);
    };
    for (const fs::path& path : chosen) {
        std::error_code error;
        if (!fs::is_directory(path, error)) {
            add(path);
            continue;
        }
        std::vector<fs::path> found;
        for (fs::recursive_directory_iterator
                 it(path, fs::directory_options::skip_permission_denied, error),
             end;
             !error && it != end; it.increment(error)) {
            std::error_code typeError;
            if (it->is_regular_file(typeError) && ActivityFileTypeOf(it->path()))
                found.push_back(it->path());
        }
        std::sort(found.begin(), found.end());
        for (const fs::path& file : found)
            add(file);
    }
    return files;
}

}  // namespace kivrun::devices
