#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "document/OldLogFile.h"
#include "store/LogDatabase.h"
#include "store/NewLogFile.h"
#include "store/PreferencesSet.h"
#include "store/Schema.h"
#include "tool/Tool.h"

namespace kivrun::tool {
namespace {

int CmdNew(Context& c) {
    ExpectArgs(c, 1);
    const std::string& path = c.args[0];
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        c.err << "kivrun-tool new: " << path << " already exists; not overwriting it\n";
        return 1;
    }
    TerminalUserInterface ui(c.err);
    // Written beside and then named, so a failure leaves nothing in the way of a retry.
    return WriteNewLogFile(path, false, ui) ? 0 : 1;
}

}  // namespace

std::unique_ptr<LogDatabase> OpenLogFile(const char* command, const std::string& path,
                                         UserInterface& ui, std::ostream& err) {
    std::unique_ptr<LogDatabase> db;
    switch (LogDatabase::Open(path, ui, false, db)) {
        case LogDatabase::kOpened:
            break;
        case LogDatabase::kNotFound:
            err << "kivrun-tool " << command << ": " << path << ": no such file\n";
            return nullptr;
        case LogDatabase::kNotALog:
            err << "kivrun-tool " << command << ": " << path << ": not a training log database";
            if (LooksLikeOldLog(path)) err << " (an old text log converts with 'convert')";
            err << '\n';
            return nullptr;
        default:
            return nullptr;
    }
    if (!schema::CompleteLog(*db, ui)) return nullptr;
    return db;
}

namespace {

int CmdCheck(Context& c) {
    ExpectArgs(c, 1);
    const std::string& path = c.args[0];
    TerminalUserInterface ui(c.err);
    auto db = OpenLogFile("check", path, ui, c.err);
    if (!db) return 1;
    for (const schema::TableDef& t : schema::Tables())
        c.out << t.name << '\t' << db->RowCount(t.name) << '\n';
    const std::string problems = db->IntegrityProblems();
    if (!problems.empty()) {
        c.err << "kivrun-tool check: " << path << ": integrity check failed:\n" << problems;
        return 1;
    }
    return 0;
}

int CmdPref(Context& c) {
    if (c.args.size() < 2) throw UsageError{"missing argument"};
    if (c.args.size() > 3) throw UsageError{"too many arguments"};
    TerminalUserInterface ui(c.err);
    auto db = OpenLogFile("pref", c.args[0], ui, c.err);
    if (!db) return 1;
    const std::string& key = c.args[1];
    CPreferencesSet prefs(db.get());
    prefs.Open();
    if (c.args.size() == 3) {
        const std::string& value = c.args[2];
        if (key == "WeekStartDay") {
            char* end = nullptr;
            const long day = std::strtol(value.c_str(), &end, 10);
            if (value.empty() || *end || day < 0 || day > 6) {
                c.err << "kivrun-tool pref: WeekStartDay is a number from 0 (Sunday) to 6 "
                         "(Saturday)\n";
                return 2;
            }
            prefs.SetWeekStartDay(static_cast<int>(day));
        } else {
            prefs.SetPreference(key, value);
        }
    }
    c.out << prefs.GetPreference(key, CPreferencesSet::DefaultFor(key)) << '\n';
    return 0;
}

const Registration kNew({10, "new", "new LOG",
                         "create a log with its default contents (refuses an existing file)",
                         CmdNew});
const Registration kCheck({20, "check", "check LOG",
                           "open a log, complete its structure, print each table's row count and "
                           "check the file",
                           CmdCheck});
const Registration kPref({30, "pref", "pref LOG KEY [VALUE]",
                          "store VALUE under KEY when given, then print KEY's value as the log "
                          "reads it",
                          CmdPref});

}  // namespace
}  // namespace kivrun::tool
