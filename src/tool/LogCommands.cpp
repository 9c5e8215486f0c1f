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

const char* kInvalidTime = "Time is not valid !! \nMust be in the form: H:MM:SS or a decimal !";

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
    const std::string& name = c.args[2];
    if (name.empty()) throw UsageError{"NAME is empty"};
    const int distance = static_cast<int>(Number(c.args[3], "DISTANCE_ID"));
    const int pace = static_cast<int>(Number(c.args[4], "PACE_ID"));
    const int image =
        c.args.size() == 6 ? static_cast<int>(Number(c.args[5], "IMAGE")) : SportImageIndex(name);
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

int CmdAdd(Context& c) {
    const Options o =
        ParseOptions(c.args, {"pace", "route", "notes", "opt1", "opt2", "routine", "equipment"});
    if (o.positional.size() < 6) throw UsageError{"missing argument"};
    if (o.positional.size() > 6) throw UsageError{"too many arguments"};
    const std::string& dateText = o.positional[1];
    if (!CDate::IsValidText(dateText)) throw UsageError{"not a date (M/D/YYYY): " + dateText};
    const std::string& timeText = o.positional[5];
    if (timeText.empty()) {
        c.err << "Please enter your elapsed time !!\n";
        return 1;
    }
    if (CElapsedTime::Validate(timeText) == 0) {
        c.err << kInvalidTime << '\n';
        return 1;
    }
    std::vector<RoutineRow> routine;
    if (auto r = o.named.find("routine"); r != o.named.end()) {
        std::string error;
        std::optional<std::vector<RoutineRow>> rows = ParseRoutineText(r->second, error);
        if (!rows) throw UsageError{"--routine: " + error};
        routine = std::move(*rows);
    }
    TerminalUserInterface ui(c.err);
    auto doc = Open("add", o.positional[0], ui, c.err);
    if (!doc) return 1;

    WorkingEntry e;
    e.date = CDate(dateText);
    const Catalog& catalog = doc->GetCatalog();
    const SportInfo* sport = catalog.SportNamed(o.positional[2]);
    if (!sport) {
        c.err << "Please specify a sport !!\n";
        return 1;
    }
    e.sptAbbrev = sport->abbrev;
    const int distanceUnit = sport->distanceUnit;
    const int paceUnit = sport->paceUnit;
    const auto cls = std::find_if(catalog.classes.begin(), catalog.classes.end(),
                                  [&](const ClassInfo& c) { return c.name == o.positional[3]; });
    e.typeAbbrev = cls != catalog.classes.end() ? cls->abbrev : std::string(" ");
    e.time = CElapsedTime::FromUserText(timeText);
    if (distanceUnit != distance_unit::kNone) {
        e.distance = Number(o.positional[4], "DISTANCE");
        // The pace goes through its text, as the form shows it and reads it back.
        std::string paceText;
        if (auto p = o.named.find("pace"); p != o.named.end()) {
            paceText = p->second;
            if (IsTimePace(paceUnit)) {
                if (CElapsedTime::IsDecimal(paceText))
                    paceText = CElapsedTime::FromSeconds(TextToDouble(paceText) * 60).Format(3);
                else if (CElapsedTime::Validate(paceText) == 1)
                    paceText = CElapsedTime(":" + paceText).Format(3);
            }
        } else if (e.distance > 0.0) {
            paceText = ComputePace(paceUnit, e.time.TotalSeconds(), e.distance, distanceUnit).text;
        }
        e.pace = IsTimePace(paceUnit) ? CElapsedTime(":" + paceText).TotalSeconds()
                                      : TextToDouble(paceText);
    }
    if (auto r = o.named.find("route"); r != o.named.end()) e.route = r->second;
    if (auto n = o.named.find("notes"); n != o.named.end()) e.notes = n->second;
    if (auto v = o.named.find("opt1"); v != o.named.end())
        e.optionalOne = Number(v->second, "--opt1");
    if (auto v = o.named.find("opt2"); v != o.named.end())
        e.optionalTwo = Number(v->second, "--opt2");
    e.routine = std::move(routine);
    // Named items, or what a new workout of the sport takes on the form.
    if (const std::string* names = o.Find("equipment")) {
        std::string rest = *names;
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
    const RowId id = static_cast<RowId>(Number(c.args[1], "ENTRYID"));
    TerminalUserInterface ui(c.err);
    auto doc = Open("delete", c.args[0], ui, c.err);
    if (!doc) return 1;
    // Whatever the saved filter hides can still be deleted by its id.
    if (!doc->Filter().showAll) {
        FilterState all = doc->Filter();
        all.showAll = true;
        doc->ApplyFilter(all);
    }
    if (!doc->DeleteEntry(id, nullptr, false)) {
        c.err << "kivrun-tool delete: no entry " << id << '\n';
        return 1;
    }
    return 0;
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
    ExpectArgs(c, 2);
    TerminalUserInterface ui(c.err);
    auto doc = Open("filter", c.args[0], ui, c.err);
    if (!doc) return 1;
    ApplyFilterText(*doc, c.args[1]);
    if (!doc->SetPreference("StateFilterToolBar", doc->Filter().Save())) return 1;
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
                         "add a workout as the entry form does (DATE M/D/YYYY, SPORT and CLASS "
                         "by name, TIME as typed: 1:15:00, or 1.5 for hours; a weights routine "
                         "row by row; the sport's default equipment unless named); prints its "
                         "EntryID, and on stderr an item it took past its limit",
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
    const double entries = Number(c.args[1], "ENTRIES");
    if (entries < 0 || entries > 10'000'000) throw UsageError{"ENTRIES is 0 to 10000000"};
    const unsigned seed = c.args.size() == 3 ? static_cast<unsigned>(Number(c.args[2], "SEED")) : 1;
    TerminalUserInterface ui(c.err);
    return WriteSampleLog(c.args[0], static_cast<int>(entries), seed, ui) ? 0 : 1;
}

const Registration kSample({110, "sample", "sample LOG ENTRIES [SEED]",
                            "write a new, realistic log with that many workouts", CmdSample});

}  // namespace
}  // namespace kivrun::tool
