#include <filesystem>
#include <memory>
#include <ostream>

#include "document/Conversion.h"
#include "document/Import.h"
#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "tool/Tool.h"

namespace kivrun::tool {
namespace {

// The user who answers Yes to "Do you want to convert it???" without printing the question.
class ConvertingUserInterface : public TerminalUserInterface {
  public:
    using TerminalUserInterface::TerminalUserInterface;
    bool AskYesNo(const std::string&) override { return true; }
};

int CmdConvert(Context& c) {
    ExpectArgs(c, 1);
    const std::string& path = c.args[0];
    if (!IsAFile("convert", path, c.err)) return 1;
    ConvertingUserInterface ui(c.err);
    {
        // A database is never converted; one that is not a log stays exactly as it is.
        std::unique_ptr<LogDatabase> db;
        const char* why = nullptr;
        switch (LogDatabase::Open(path, ui, false, db)) {
            case LogDatabase::kOpened:
                why = ": is a training log already\n";
                break;
            case LogDatabase::kEmpty:
                why = ": is empty: there is nothing to convert\n";
                break;
            case LogDatabase::kForeign:
                why = ": is another program's database, not an old text log\n";
                break;
            default:
                break;
        }
        if (why) {
            c.err << "kivrun-tool convert: " << path << why;
            return 1;
        }
    }
    CTamselDoc doc(ui);
    doc.SetBackupFolder(DefaultBackupFolder());
    if (!doc.OnOpenDocument(path)) {
        c.err << "kivrun-tool convert: " << path << ": not converted\n";
        return 1;
    }
    return 0;
}

int CmdImport(Context& c) {
    std::vector<std::string> files;
    ImportOptions options{false, false, false, false};
    bool anyOption = false;
    for (const std::string& a : c.args) {
        bool* option = a == "--entries"    ? &options.entries
                       : a == "--routes"   ? &options.routes
                       : a == "--prefs"    ? &options.preferences
                       : a == "--calendar" ? &options.calendar
                                           : nullptr;
        if (option) {
            *option = anyOption = true;
        } else if (!a.empty() && a[0] == '-') {
            throw UsageError{"unknown option " + a};
        } else {
            files.push_back(a);
        }
    }
    if (files.size() < 2) throw UsageError{"missing argument"};
    if (files.size() > 2) throw UsageError{"too many arguments"};
    // As the dialog opens: workouts only.
    if (!anyOption) options.entries = true;

    TerminalUserInterface ui(c.err);
    std::unique_ptr<CTamselDoc> doc = OpenDocument("import", files[0], ui, c.err);
    if (!doc) return 1;
    if (!IsAFile("import", files[1], c.err)) return 1;
    ImportReport report;
    const int told = ui.messages();
    if (Import(*doc, files[1], options, &report)) return 0;
    if (report.written) {
        // Importing again would add every row twice.
        c.err << "kivrun-tool import: " << files[1] << ": imported (" << report.entries
              << " workouts, " << report.events
              << " events), but what follows an import failed; do not import it again\n";
        return 3;
    }
    // Why has been said, in one line, unless the file was simply not there.
    if (ui.messages() == told)
        c.err << "kivrun-tool import: " << files[1] << ": nothing imported\n";
    return 1;
}

const Registration kConvert({40, "convert", "convert FILE",
                             "convert a log of the previous version (a text file) in place; the "
                             "text file is kept beside it as FILE without .tlg plus OLD.tlg",
                             CmdConvert});
const Registration kImport({50, "import",
                            "import LOG OTHER [--entries] [--routes] [--prefs] "
                            "[--calendar]",
                            "append from OTHER (a log or an old text log) to LOG what the options "
                            "name; workouts alone when none is given (exit 1: nothing imported; "
                            "3: imported, but the log could not be brought up to date after)",
                            CmdImport});

}  // namespace
}  // namespace kivrun::tool
