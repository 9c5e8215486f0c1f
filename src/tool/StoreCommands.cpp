#include <filesystem>
#include <ostream>

#include "store/DefaultRows.h"
#include "store/LogDatabase.h"
#include "store/Schema.h"
#include "tool/Tool.h"

namespace kivrun::tool {
namespace {

void ExpectArgs(const Context& c, size_t n) {
    if (c.args.size() < n) throw UsageError{"missing argument"};
    if (c.args.size() > n) throw UsageError{"too many arguments"};
}

}  // namespace

int CmdNew(Context& c) {
    ExpectArgs(c, 1);
    const std::string& path = c.args[0];
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        c.err << "kivrun-tool new: " << path << " already exists; not overwriting it\n";
        return 1;
    }
    TerminalUserInterface ui(c.err);
    auto db = LogDatabase::Create(path, ui);
    if (!db) return 1;
    if (!schema::BuildOrComplete(*db, ui)) return 1;
    WriteDefaultRows(*db);
    return 0;
}

int CmdCheck(Context& c) {
    ExpectArgs(c, 1);
    const std::string& path = c.args[0];
    TerminalUserInterface ui(c.err);
    std::unique_ptr<LogDatabase> db;
    switch (LogDatabase::Open(path, ui, false, db)) {
        case LogDatabase::kOpened:
            break;
        case LogDatabase::kNotFound:
            c.err << "kivrun-tool check: " << path << ": no such file\n";
            return 1;
        case LogDatabase::kNotALog:
            c.err << "kivrun-tool check: " << path
                  << ": not a training log database (an old text log converts with 'convert')\n";
            return 1;
        default:
            return 1;
    }
    if (!schema::BuildOrComplete(*db, ui)) return 1;
    for (const schema::TableDef& t : schema::Tables())
        c.out << t.name << '\t' << db->RowCount(t.name) << '\n';
    const std::string problems = db->IntegrityProblems();
    if (!problems.empty()) {
        c.err << "kivrun-tool check: " << path << ": integrity check failed:\n" << problems;
        return 1;
    }
    return 0;
}

}  // namespace kivrun::tool
