// Workouts from watch and app files, as File > Import Activities brings them in.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <ostream>

#include "devices/ActivityFile.h"
#include "document/ActivityBatch.h"
#include "document/TamselDoc.h"
#include "tool/Tool.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"

namespace kivrun::tool {
namespace {

struct ImportArgs {
    std::string log;
    std::vector<std::filesystem::path> paths;
    bool dryRun = false;
    bool includeDuplicates = false;
    std::optional<DeviceTime> time;
    std::vector<std::pair<std::string, std::string>> maps;  // device sport, sport name
};

const std::string& ValueOf(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw UsageError{"option " + args[i] + " needs a value"};
    return args[++i];
}

ImportArgs ParseImportArgs(const std::vector<std::string>& args) {
    ImportArgs a;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--dry-run") {
            a.dryRun = true;
        } else if (arg == "--include-duplicates") {
            a.includeDuplicates = true;
        } else if (arg == "--time") {
            const std::string& value = ValueOf(args, i);
            if (value != "moving" && value != "elapsed")
                throw UsageError{"--time is moving or elapsed, not " + value};
            a.time = DeviceTimeFromText(value);
        } else if (arg == "--map") {
            const std::string& value = ValueOf(args, i);
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0 || equals + 1 == value.size())
                throw UsageError{"--map takes DEVICESPORT=SPORTNAME, not " + value};
            a.maps.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (arg.rfind("--", 0) == 0) {
            throw UsageError{"unknown option " + arg};
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() < 2) throw UsageError{"missing argument"};
    a.log = positional.front();
    a.paths.assign(positional.begin() + 1, positional.end());
    return a;
}

std::string Lowered(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// A sport of the log by its name (any case) or its letter.
const SportInfo* SportNamed(const Catalog& catalog, const std::string& name) {
    for (const SportInfo& s : catalog.sports)
        if (Lowered(s.name) == Lowered(name) || s.abbrev == name) return &s;
    return nullptr;
}

// file, status, date, start, sport, distance, time, laps, EntryID
void PrintLine(std::ostream& out, const ActivityBatch& batch, std::size_t i,
               const Catalog& catalog) {
    const ActivityItem& item = batch.Item(i);
    std::string status = batch.StatusText(i);
    if (item.sameEntry != 0) status += " (EntryID " + IntToText(item.sameEntry) + ")";
    out << item.path << '\t' << status;
    const std::optional<EntryDetail> workout = batch.Workout(i);
    if (!item.session) {
        out << "\t\t\t\t\t\t\t\n";
        return;
    }
    const devices::Session& s = *item.session;
    out << '\t' << item.start.day.Format(1) << '\t' << ClockText(item.start.seconds) << '\t';
    const SportInfo* sport = catalog.Sport(item.sport);
    out << (sport ? sport->name : s.sportName) << '\t';
    if (workout && sport && sport->distanceUnit < distance_unit::kNone)
        out << FormatNumber(workout->entry.distance, 2, true, false) << ' '
            << sport->distanceShortName;
    else if (!workout)
        out << FormatNumber(SessionMetres(s) / 1000.0, 2, true, false) << " km";
    const double seconds = workout ? workout->entry.time : SessionSeconds(s, batch.Rules().time);
    out << '\t' << CElapsedTime::FromSeconds(seconds).Format(1) << '\t' << s.laps.size() << '\t';
    if (item.entryId != 0) out << item.entryId;
    out << '\n';
}

int CmdImportActivities(Context& c) {
    const ImportArgs a = ParseImportArgs(c.args);
    TerminalUserInterface ui(c.err);
    // A dry run opens the log for reading: the file stays exactly as it was.
    std::unique_ptr<CTamselDoc> doc = OpenDocument("import-activities", a.log, ui, c.err, a.dryRun);
    if (!doc) return 1;
    const Catalog& catalog = doc->GetCatalog();
    ActivityBatch batch(*doc);
    if (a.time) batch.SetTime(*a.time);
    for (const auto& [deviceSport, name] : a.maps) {
        const SportInfo* sport = SportNamed(catalog, name);
        if (!sport) {
            c.err << "kivrun-tool import-activities: " << a.log << ": no sport named '" << name
                  << "'\n";
            return 1;
        }
        batch.MapDeviceSport(deviceSport, sport->abbrev);
    }
    for (const std::filesystem::path& file : devices::FindActivityFiles(a.paths))
        batch.Add(file.string(), devices::ReadActivityFile(file));
    if (a.includeDuplicates) batch.CheckDuplicates();
    const std::size_t checked = batch.CheckedCount();
    if (!a.dryRun && checked > 0 && batch.Import(nullptr) == 0) {
        c.err << "kivrun-tool import-activities: " << a.log << ": nothing imported\n";
        return 1;
    }
    int refused = 0, noSport = 0, skipped = 0;
    for (std::size_t i = 0; i < batch.Size(); ++i) {
        PrintLine(c.out, batch, i, catalog);
        const ActivityItem& item = batch.Item(i);
        if (item.checked || item.entryId != 0) continue;
        if (!item.session)
            ++refused;
        else if (item.sport.empty())
            ++noSport;
        else
            ++skipped;  // a duplicate, left out on purpose
    }
    c.err << (a.dryRun ? "would import " : "imported ") << checked << ", left out " << skipped
          << " already in the log or recorded twice, " << noSport << " without a sport, " << refused
          << " refused\n";
    return refused + noSport > 0 ? 1 : 0;
}

const Registration kImportActivities(
    {51, "import-activities",
     "import-activities LOG PATH... [--dry-run] [--map DEVICESPORT=SPORTNAME]... "
     "[--time moving|elapsed] [--include-duplicates]",
     "import workouts from FIT, TCX and GPX files (also .gz) and folders of them; one line per "
     "activity: file, status, date, start, sport, distance, time, laps, EntryID (exit 1: a file "
     "was refused, or an activity has no sport)",
     CmdImportActivities});

}  // namespace
}  // namespace kivrun::tool
