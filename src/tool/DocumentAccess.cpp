#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "document/OldLogFile.h"
#include "document/TamselDoc.h"
#include "tool/Tool.h"

namespace kivrun::tool {

std::string DefaultBackupFolder() {
    // Where the desktop program keeps its data: $XDG_DATA_HOME/Kivrun.
    std::filesystem::path base;
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
        base = xdg;
    } else if (const char* home = std::getenv("HOME"); home && *home) {
        base = std::filesystem::path(home) / ".local" / "share";
    } else {
        base = std::filesystem::temp_directory_path();
    }
    return (base / "Kivrun" / "Backup Logs").string();
}

bool IsAFile(const char* command, const std::string& path, std::ostream& err) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(path, ec)) return true;
    err << "kivrun-tool " << command << ": " << path
        << (std::filesystem::is_directory(path, ec) ? ": is a folder, not a training log\n"
                                                    : ": no such file\n");
    return false;
}

std::unique_ptr<CTamselDoc> OpenDocument(const char* command, const std::string& path,
                                         TerminalUserInterface& ui, std::ostream& err,
                                         bool readOnly) {
    if (!IsAFile(command, path, err)) return nullptr;
    auto doc = std::make_unique<CTamselDoc>(ui);
    doc->SetBackupFolder(DefaultBackupFolder());
    // Logs are made with 'new': an empty file is refused like any other non-log.
    doc->SetOffersNewLogForEmptyFile(false);
    const int told = ui.messages();
    if (!doc->OnOpenDocument(
            path, readOnly ? CTamselDoc::OpenMode::ReadOnly : CTamselDoc::OpenMode::ReadWrite)) {
        // What went wrong has been said in one line; else it is said here.
        if (ui.messages() > told && !LooksLikeOldLog(path)) return nullptr;
        err << "kivrun-tool " << command << ": " << path
            << ": could not be opened as a training log";
        // The hint only where it helps: a text log of the previous version.
        if (LooksLikeOldLog(path)) err << " (an old text log converts with 'kivrun-tool convert')";
        err << '\n';
        return nullptr;
    }
    return doc;
}

}  // namespace kivrun::tool
