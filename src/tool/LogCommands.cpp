// Commands that read and write workouts through the document, as the desktop program does.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <ostream>

#include "document/SampleLog.h"
#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "output/TextExport.h"
#include "store/DefaultRows.h"
#include "store/EntryReader.h"
#include "summaries/TotalsRows.h"
#include "summaries/TotalsTable.h"
#include "tool/Tool.h"
#include "values/NumberFormat.h"
#include "values/Units.h"
#include "views/LogListCells.h"
#include "weights/RoutineCells.h"

namespace kivrun::tool {
namespace {

std::unique_ptr<CTamselDoc> Open(const char* command, const std::string& path,
                                 TerminalUserInterface& ui, std::ostream& err,
                                 bool readOnly = false) {
    return OpenDocument(command, path, ui, err, readOnly);
}

int CmdSport(Context& c) {
    if (c.args.size() < 5) throw UsageError{"missing argument"};
    if (c.args.size() > 6) throw UsageError{"too many arguments"};
    const std::string& letter = c.args[1];
    if (letter.size() != 1 || letter[0] < 'A' || letter[0] > 'Z')
        throw UsageError{"LETTER is one capital letter, A to Z"};
    const std::string& name = TextArg(c.args[2], "NAME");
    if (TrimBlanks(name).empty()) throw UsageError{"NAME is empty"};
    const int distance = static_cast<int>(WholeArg(c.args[3], "DISTANCE_ID", 0, 4));
    const int pace = static_cast<int>(WholeArg(c.args[4], "PACE_ID", 0, 6));
    const int image = c.args.size() == 6 ? static_cast<int>(WholeArg(c.args[5], "IMAGE", 0, 12))
                                         : SportImageIndex(name);
    TerminalUserInterface ui(c.err);
    auto doc = Open("sport", c.args[0], ui, c.err);
    if (!doc) return 1;
    SportInfo sport;
    sport.abbrev = letter;
    sport.name = name;
    sport.distanceUnit = distance;
    sport.paceUnit = pace;
    sport.image = image;
    return doc->SaveSport(sport, nullptr) ? 0 : 1;
}

// The pace as the form reads it: a time pace is minutes and seconds (7:30) or decimal
// minutes (7.5), a speed a number.
double PaceArg(const std::string& text, int paceUnit) {
    if (!IsTimePace(paceUnit)) return NumberArg(text, "--pace", 0, kMaxDistance);
    std::string paceText = TrimBlanks(text);
    if (CElapsedTime::IsDecimal(paceText)) {
        const double minutes = TextToDouble(paceText);
        paceText = minutes < CElapsedTime::kMaxTypedHours * 60.0
                       ? CElapsedTime::FromSeconds(minutes * 60).Format(3)
                       : std::string();
    } else if (CElapsedTime::Validate(paceText) == 1) {
        paceText = CElapsedTime(":" + paceText).Format(3);
    } else {
        paceText.clear();
    }
    if (paceText.empty())
        throw UsageError{"--pace is minutes and seconds (7:30) or decimal minutes (7.5), not '" +
                         TextArg(text, "--pace") + "'"};
    return CElapsedTime(":" + paceText).TotalSeconds();
}

int CmdAdd(Context& c) {
    const Options o =
        ParseOptions(c.args, {"pace", "route", "notes", "opt1", "opt2", "routine", "equipment"});
    if (o.positional.size() < 6) throw UsageError{"missing argument"};
    if (o.positional.size() > 6) throw UsageError{"too many arguments"};
    WorkingEntry e;
    e.date = DateArg(o.positional[1]);
    const double distance = NumberArg(o.positional[4], "DISTANCE", 0, kMaxDistance);
    e.time = TimeArg(o.positional[5]);
    if (const std::string* r = o.Find("route")) e.route = TextArg(*r, "--route");
    if (const std::string* n = o.Find("notes")) e.notes = TextArg(*n, "--notes");
    if (const std::string* v = o.Find("opt1"))
        e.optionalOne = NumberArg(*v, "--opt1", -kMaxOptional, kMaxOptional);
    if (const std::string* v = o.Find("opt2"))
        e.optionalTwo = NumberArg(*v, "--opt2", -kMaxOptional, kMaxOptional);
    if (const std::string* r = o.Find("routine")) {
        CheckRoutineText(*r);
        std::string error;
        std::optional<std::vector<RoutineRow>> rows = ParseRoutineText(*r, error);
        if (!rows) throw UsageError{"--routine: " + error};
        e.routine = std::move(*rows);
    }
    TerminalUserInterface ui(c.err);
    auto doc = Open("add", o.positional[0], ui, c.err);
    if (!doc) return 1;

    const Catalog& catalog = doc->GetCatalog();
    const SportInfo* sport = catalog.SportNamed(o.positional[2]);
    if (!sport) {
        c.err << "Please specify a sport !!\n";
        return 1;
    }
    e.sptAbbrev = sport->abbrev;
    const auto cls = std::find_if(catalog.classes.begin(), catalog.classes.end(),
                                  [&](const ClassInfo& c) { return c.name == o.positional[3]; });
    if (cls == catalog.classes.end()) {
        c.err << "kivrun-tool add: the log has no class named " << o.positional[3] << '\n';
        return 1;
    }
    e.typeAbbrev = cls->abbrev;
    if (sport->distanceUnit != distance_unit::kNone) {
        e.distance = distance;
        // The pace goes through its text, as the form shows it and reads it back.
        if (const std::string* p = o.Find("pace")) {
            e.pace = PaceArg(*p, sport->paceUnit);
        } else if (e.distance > 0.0) {
            const std::string paceText =
                ComputePace(sport->paceUnit, e.time.TotalSeconds(), e.distance, sport->distanceUnit)
                    .text;
            e.pace = IsTimePace(sport->paceUnit) ? CElapsedTime(":" + paceText).TotalSeconds()
                                                 : TextToDouble(paceText);
        }
    }
    // Named items, or what a new workout of the sport takes on the form.
    if (const std::string* names = o.Find("equipment")) {
        std::string rest = TextArg(*names, "--equipment");
        while (!rest.empty()) {
            const std::string name = TrimBlanks(NextToken(rest, ';'));
            if (name.empty()) continue;
            const std::optional<EquipmentItem> item = doc->EquipmentNamed(name);
            if (!item) {
                c.err << "kivrun-tool add: no equipment named " << name << '\n';
                return 1;
            }
            e.equipment.push_back(item->equipmentId);
        }
    } else {
        e.equipment = doc->DefaultEquipment(e.sptAbbrev);
    }
    const RowId id = doc->AddEntry(e, nullptr);
    if (id == 0) return 1;
    for (const std::string& warning : doc->TakeEquipmentWarnings())
        c.err << warning << '\n';
    c.out << id << '\n';
    return 0;
}

int CmdDelete(Context& c) {
    ExpectArgs(c, 2);
    const RowId id = Id(c.args[1], "ENTRYID");
    TerminalUserInterface ui(c.err);
    auto doc = Open("delete", c.args[0], ui, c.err);
    if (!doc) return 1;
    if (!doc->Entry(id)) {
        c.err << "kivrun-tool delete: the log has no entry " << id << '\n';
        return 1;
    }
    // Whatever the saved filter hides can still be deleted by its id.
    if (!doc->Filter().showAll) {
        FilterState all = doc->Filter();
        all.showAll = true;
        doc->ApplyFilter(all);
    }
    // A failure (a full disk) has been said.
    return doc->DeleteEntry(id, nullptr, false) ? 0 : 1;
}

int CmdList(Context& c) {
    const Options o = ParseOptions(c.args, {"filter"});
    if (o.positional.size() != 1) throw UsageError{"expected LOG"};
    TerminalUserInterface ui(c.err);
    auto doc = Open("list", o.positional[0], ui, c.err, true);
    if (!doc) return 1;
    if (auto f = o.named.find("filter"); f != o.named.end()) ApplyFilterText(*doc, f->second);
    const std::vector<ListColumn> columns = doc->Columns();
    // Tabs and line breaks of the user's texts become blanks: one line per row, always.
    for (size_t i = 0; i < columns.size(); ++i)
        c.out << (i ? "\t" : "") << OneField(columns[i].label);
    c.out << '\n';
    LogListCells cells;
    cells.Refresh(doc->GetCatalog());
    EntryReader rows = doc->ReadEntries();
    EntryRow row;
    while (rows.Next(row)) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i) c.out << '\t';
            c.out << OneField(cells.Text(row, columns[i].id, columns[i].format));
        }
        c.out << '\n';
    }
    return 0;
}

int CmdFilter(Context& c) {
    const Options o = ParseOptions(c.args, {});
    if (o.positional.size() != 2) throw UsageError{"expected LOG and STATE"};
    const std::string& state = TextArg(o.positional[1], "STATE");
    TerminalUserInterface ui(c.err);
    auto doc = Open("filter", o.positional[0], ui, c.err);
    if (!doc) return 1;
    ApplyFilterText(*doc, state);
    if (!doc->SaveFilter()) return 1;
    c.out << doc->FilteredSetQuery().GetSQL() << '\n';
    return 0;
}

int CmdTotals(Context& c) {
    const Options o = ParseOptions(c.args, {"filter"});
    if (o.positional.size() != 2) throw UsageError{"expected LOG and week, month or year"};
    const std::string& by = o.positional[1];
    const std::optional<TotalsGrouping> grouping = ParseTotalsGrouping(by);
    if (!grouping) throw UsageError{"group by week, month or year, not " + by};
    TerminalUserInterface ui(c.err);
    auto doc = Open("totals", o.positional[0], ui, c.err, true);
    if (!doc) return 1;
    if (auto f = o.named.find("filter"); f != o.named.end()) ApplyFilterText(*doc, f->second);
    const TotalsResult totals = BuildTotalsRows(*doc, *grouping);
    if (totals.noEntries) c.err << "No entries!!\n";
    for (const TotalsRow& row : totals.rows)
        c.out << row.text[0] << '\t' << row.text[1] << '\t' << row.text[2] << '\t' << row.text[3]
              << '\t' << row.text[4] << '\n';
    return 0;
}

int CmdBackup(Context& c) {
    const Options o = ParseOptions(c.args, {"backup-dir"});
    if (o.positional.size() != 1) throw UsageError{"expected LOG"};
    TerminalUserInterface ui(c.err);
    auto doc = Open("backup", o.positional[0], ui, c.err);
    if (!doc) return 1;
    if (auto d = o.named.find("backup-dir"); d != o.named.end()) doc->SetBackupFolder(d->second);
    const std::string folder = doc->BackupFolder();
    // A backup that was not made has been said on stderr.
    if (doc->OnCloseDocument().result == BackupOutcome::Failed) return 1;
    c.out << folder << '\n';
    return 0;
}

const Registration kSport({40, "sport", "sport LOG LETTER NAME DISTANCE_ID PACE_ID [IMAGE]",
                           "add the sport with that letter, or change it (units: distance 0 "
                           "miles 1 yards 2 km 3 meters 4 none; pace 0 mph 1 min/mile 2 min/100yd "
                           "3 km/h 4 min/km 5 min/100m 6 none)",
                           CmdSport});
const Registration kAdd({50, "add",
                         "add LOG DATE SPORT CLASS DISTANCE TIME [--pace P] [--route R] "
                         "[--notes N] [--opt1 X] [--opt2 Y] "
                         "[--routine \"Exercise,Sets,W1,R1,W2,R2,W3,R3,W4,R4;...\"] "
                         "[--equipment \"Name;Name\"]",
                         "add a workout as the entry form does (DATE M/D/YYYY from 1901 to 2099, "
                         "SPORT and CLASS by name, DISTANCE 0 to 100000 in the sport's unit, TIME "
                         "as typed: 1:15:00, or 1.5 for hours, above 0 and under 1000 hours; a "
                         "weights routine row by row, numbers 0 to 10000; the sport's default "
                         "equipment unless named); prints its EntryID, and on stderr an item it "
                         "took past its limit",
                         CmdAdd});
const Registration kDelete({60, "delete", "delete LOG ENTRYID", "delete a workout", CmdDelete});
const Registration kList({70, "list", "list LOG [--filter STATE]",
                          "print the filtered log as the log list shows it, tab-separated",
                          CmdList});
const Registration kFilter({80, "filter", "filter LOG STATE",
                            "store a saved filter text, apply it and print the log's filter SQL",
                            CmdFilter});
const Registration kTotals({90, "totals", "totals LOG week|month|year [--filter STATE]",
                            "print the totals window's rows, tab-separated", CmdTotals});
const Registration kBackup({100, "backup", "backup LOG [--backup-dir DIR]",
                            "close the log as the program does, with its automatic backup; "
                            "prints the backup folder",
                            CmdBackup});

}  // namespace
}  // namespace kivrun::tool

namespace kivrun::tool {
namespace {

int CmdSample(Context& c) {
    if (c.args.size() < 2) throw UsageError{"missing argument"};
    if (c.args.size() > 3) throw UsageError{"too many arguments"};
    const long long entries = WholeArg(c.args[1], "ENTRIES", 0, 10'000'000);
    const unsigned seed =
        c.args.size() == 3 ? static_cast<unsigned>(WholeArg(c.args[2], "SEED", 0, 4294967295)) : 1;
    TerminalUserInterface ui(c.err);
    return WriteSampleLog(c.args[0], static_cast<int>(entries), seed, ui) ? 0 : 1;
}

const Registration kSample({110, "sample", "sample LOG ENTRIES [SEED]",
                            "write a new, realistic log with that many workouts", CmdSample});

}  // namespace
}  // namespace kivrun::tool
