#include <cstdlib>
#include <filesystem>
#include <optional>
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
    if (!IsAFile(command, path, err)) return nullptr;
    std::unique_ptr<LogDatabase> db;
    switch (LogDatabase::Open(path, ui, false, db)) {
        case LogDatabase::kOpened:
            break;
        case LogDatabase::kEmpty:
            err << "kivrun-tool " << command << ": " << path
                << ": is empty, not a training log ('kivrun-tool new' makes one)\n";
            return nullptr;
        case LogDatabase::kNotALog:
        case LogDatabase::kForeign:
            err << "kivrun-tool " << command << ": " << path << ": is not a training log";
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
    const Options o = ParseOptions(c.args, {});
    const std::vector<std::string>& args = o.positional;
    if (args.size() < 2) throw UsageError{"missing argument"};
    if (args.size() > 3) throw UsageError{"too many arguments"};
    const std::string& key = TextArg(args[1], "KEY");
    std::optional<long long> weekStart;
    if (args.size() == 3) {
        TextArg(args[2], "VALUE");
        if (key == "WeekStartDay")
            weekStart = WholeArg(args[2], "WeekStartDay (0 Sunday to 6 Saturday)", 0, 6);
    }
    TerminalUserInterface ui(c.err);
    auto db = OpenLogFile("pref", args[0], ui, c.err);
    if (!db) return 1;
    CPreferencesSet prefs(db.get());
    prefs.Open();
    if (args.size() == 3) {
        if (weekStart)
            prefs.SetWeekStartDay(static_cast<int>(*weekStart));
        else
            prefs.SetPreference(key, args[2]);
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
