#include "store/NewLogFile.h"

#include <exception>

#include "store/LogDatabase.h"
#include "store/ReplacementFile.h"
#include "store/Schema.h"
#include "store/UserInterface.h"

namespace kivrun {

std::unique_ptr<LogDatabase> CreateLogAt(const std::string& path, UserInterface& ui) {
    auto db = LogDatabase::Create(path, ui);
    if (!db || !schema::CompleteLog(*db, ui)) return nullptr;
    return db;
}

bool WriteNewLogFile(const std::string& path, bool replace, UserInterface& ui) {
    try {
        ReplacementFile file(path);
        if (!CreateLogAt(file.TempPath(), ui)) return false;
        if (replace) {
            file.Commit();
        } else if (!file.CommitWithoutReplacing()) {
            ui.ShowMessage("Couldn't create database--Exception: Database already exists.");
            return false;
        }
        return true;
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("Couldn't create database--Exception: ") + e.what());
        return false;
    }
}

}  // namespace kivrun
