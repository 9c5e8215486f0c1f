#include "app/Conversion.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>

#include "app/OldLogReader.h"
#include "app/OldLogWriter.h"
#include "app/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "store/LogEntryFilteredSet.h"
#include "store/UserInterface.h"

namespace kivrun {
namespace fs = std::filesystem;
namespace {

enum class Move { Done, TargetTaken, Failed };

bool NotSupported(int error) {
    return error == EINVAL || error == ENOSYS || error == ENOTSUP || error == EOPNOTSUPP ||
           error == EPERM;
}

// Renames a file unless the new name is taken; never replaces anything there.
Move MoveWithoutReplacing(const std::string& from, const std::string& to, std::string& why) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return Move::Done;
    if (errno == EEXIST) return Move::TargetTaken;
    if (NotSupported(errno)) {
        // Without an exclusive rename, a hard link cannot replace anything either.
        if (::link(from.c_str(), to.c_str()) == 0) {
            if (::unlink(from.c_str()) == 0) return Move::Done;
            why = std::strerror(errno);
            ::unlink(to.c_str());
            return Move::Failed;
        }
        if (errno == EEXIST) return Move::TargetTaken;
        if (NotSupported(errno)) {
            // Nor hard links (some shared folders): look first, then rename.
            struct stat st;
            if (::lstat(to.c_str(), &st) == 0) return Move::TargetTaken;
            if (std::rename(from.c_str(), to.c_str()) == 0) return Move::Done;
        }
    }
    why = std::strerror(errno);
    return Move::Failed;
}

std::string FileName(const std::string& path) {
    return fs::path(path).filename().string();
}

// After a failure: the text file goes back under the name the user opened.
void PutBack(const std::string& oldPath, const std::string& path, UserInterface& ui) {
    std::string why;
    if (MoveWithoutReplacing(oldPath, path, why) != Move::Done)
        ui.ShowMessage("The old log is kept as \"" + FileName(oldPath) + "\".");
}

}  // namespace

std::string OldLogName(const std::string& path) {
    std::string stem = path;
    if (stem.size() >= 4) {
        std::string ext = stem.substr(stem.size() - 4);
        for (char& c : ext)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (ext == ".tlg") stem.resize(stem.size() - 4);
    }
    return stem + "OLD.tlg";
}

bool ConvertOldLog(CTamselDoc& doc, const std::string& path) {
    UserInterface& ui = doc.ui();
    const std::string oldPath = OldLogName(path);
    std::string why;
    switch (MoveWithoutReplacing(path, oldPath, why)) {
        case Move::Done:
            break;
        case Move::TargetTaken:
            ui.ShowMessage("The old log cannot be converted: a file named \"" + FileName(oldPath) +
                           "\" is already beside it.\n\nRename or move that file, then open the "
                           "log again.");
            return false;
        case Move::Failed:
            ui.ShowMessage("The old log cannot be converted: it could not be renamed to \"" +
                           FileName(oldPath) + "\" (" + why + ").");
            return false;
    }

    std::ifstream in(oldPath, std::ios::binary);
    if (!in) {
        PutBack(oldPath, path, ui);
        return false;
    }
    if (!doc.CreateDatabase(path)) {
        // Whatever creating left at the path is not the user's: the text file is.
        std::error_code ec;
        fs::remove(path, ec);
        in.close();
        PutBack(oldPath, path, ui);
        return false;
    }
    try {
        // One transaction: a conversion is one step, and quick however long the file.
        Transaction tx(doc.Database().sql());
        LimitedMessages messages(ui);
        OldLogWriter writer(LogWriteSets::Of(doc), messages);
        OldLogReader reader(in, writer);
        reader.ReadAll();
        tx.Commit();
        messages.Finish();
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("Couldn't convert the log--Exception: ") + e.what());
        // The new log holds only its default rows now; the text file takes its place again
        // (the document closes the emptied log when it hears of the failure).
        std::error_code ec;
        fs::remove(path, ec);
        in.close();
        PutBack(oldPath, path, ui);
        return false;
    }
    return true;
}

}  // namespace kivrun
