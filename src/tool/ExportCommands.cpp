// kivrun-tool export: the File menu's Export, for scripts.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "output/ExportCommand.h"
#include "tool/Tool.h"

namespace kivrun::tool {
namespace {

int CmdExport(Context& c) {
    std::vector<std::string> positional;
    std::optional<std::string> filter;
    for (size_t i = 0; i < c.args.size(); ++i) {
        if (c.args[i] == "--filter") {
            if (i + 1 >= c.args.size()) throw UsageError{"option --filter needs a value"};
            filter = c.args[++i];
        } else if (c.args[i].rfind("--", 0) == 0 && c.args[i].size() > 2) {
            throw UsageError{"unknown option " + c.args[i]};
        } else {
            positional.push_back(c.args[i]);
        }
    }
    if (positional.size() < 2) throw UsageError{"missing argument"};
    if (positional.size() > 2) throw UsageError{"too many arguments"};
    TerminalUserInterface ui(c.err);
    auto doc = OpenDocument("export", positional[0], ui, c.err, true);
    if (!doc) return 1;
    if (filter) ApplyFilterText(*doc, *filter);
    // What went wrong has been said on stderr.
    const ExportOutcome outcome = ExportToPath(*doc, positional[1]);
    if (outcome.result != ExportOutcome::Written) return 1;
    c.out << outcome.path << '\n';
    return 0;
}

const Registration kExport({120, "export", "export LOG OUT [--filter STATE]",
                            "write the (filtered) log to OUT as .htm, .txt, .xls or .xlsx, "
                            "chosen by OUT's extension (none: .txt)",
                            CmdExport});

}  // namespace
}  // namespace kivrun::tool
