#include "document/Import.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "document/ImportDatabase.h"
#include "document/OldLogFile.h"
#include "document/OldLogReader.h"
#include "document/OldLogWriter.h"
#include "document/TamselDoc.h"
#include "store/Database.h"
#include "store/LogDatabase.h"
#include "store/LogEntrySet.h"

namespace kivrun {
namespace {

bool AnyChosen(const ImportOptions& o) {
    return o.entries || o.routes || o.preferences || o.calendar;
}

// Reads the parts of an old text log the options ask for, and stops as soon as it has them.
void ReadChosenParts(OldLogReader& reader, OldLogWriter& writer, const ImportOptions& o,
                     ImportOutcome& outcome) {
    bool routesRead = false;
    bool prefsDone = !o.preferences;
    bool calendarDone = !o.calendar;
    bool entriesDone = !o.entries;
    bool sportsRead = false;
    // Routes of sports the file defines further on wait for its "Sports" section.
    const auto routesDone = [&] { return !o.routes || (routesRead && !writer.HasPendingRoutes()); };
    using Section = OldLogReader::Section;
    Section section = Section::Other;
    while (!(routesDone() && prefsDone && calendarDone && entriesDone)) {
        const OldLogReader::Element element = reader.NextElement(section);
        if (element == OldLogReader::Element::End) break;
        if (element == OldLogReader::Element::Workouts) {
            if (o.entries) {
                reader.ReadWorkouts();
                outcome.workoutsRead = true;
            }
            break;
        }
        switch (section) {
            case Section::Routes:
                if (o.routes && !routesRead) {
                    reader.ReadRoutes();
                    routesRead = true;
                } else {
                    reader.SkipSection();
                }
                break;
            case Section::Prefs:
                if (!prefsDone) {
                    reader.ReadPrefs();
                    prefsDone = true;
                } else {
                    reader.SkipSection();
                }
                break;
            case Section::Calendar:
                if (!calendarDone) {
                    reader.ReadCalendar();
                    calendarDone = true;
                } else {
                    reader.SkipSection();
                }
                break;
            case Section::Sports: {
                // Sports are added for the workouts, routes and preferences that name them;
                // an import of events alone adds none.
                const bool needed = !entriesDone || !prefsDone || !routesDone();
                if (needed &&
                    (!sportsRead || !entriesDone || !prefsDone || writer.HasPendingRoutes())) {
                    reader.ReadSports();
                    sportsRead = true;
                } else {
                    reader.SkipSection();
                }
                break;
            }
            default:
                reader.SkipSection();
                break;
        }
    }
}

void RefuseSource(CTamselDoc& doc, const std::string& path) {
    doc.ui().ShowMessage("Couldn't import--Exception: \"" + path +
                         "\" is not a training log, nor a log of the previous version.");
}

bool ImportText(CTamselDoc& doc, const std::string& path, const ImportOptions& options,
                ImportOutcome& outcome) {
    OldLogFile text(path);
    if (!text.IsOpen()) {
        doc.ui().ShowMessage("Couldn't read \"" + path + "\".");
        return false;
    }
    if (!text.IsOldLog()) {
        RefuseSource(doc, path);
        return false;
    }
    try {
        Transaction tx(doc.Database().sql());
        LimitedMessages messages(doc.ui());
        OldLogWriter writer(LogWriteSets::Of(doc), messages);
        OldLogReader reader(text.Stream(), writer);
        ReadChosenParts(reader, writer, options, outcome);
        tx.Commit();
        outcome.written = true;
        messages.Finish();
        outcome.Count(writer);
    } catch (const std::exception& e) {
        doc.ui().ShowMessage(std::string("Couldn't import--Exception: ") + e.what());
        return false;
    }
    return true;
}

// The views hear what changed: the filtered set after workouts or preferences, the sports
// and routes lists after those, the events after events.
void TellViews(CTamselDoc& doc, const ImportOptions& o, const ImportOutcome& outcome) {
    if (!AnyChosen(o)) return;
    const Notice last = o.entries || o.preferences ? Notice::FilterApplied
                        : o.routes                 ? Notice::SportsChanged
                                                   : Notice::EventsImported;
    if (last != Notice::SportsChanged &&
        (outcome.workoutsRead || outcome.sportsAdded > 0 || outcome.routesAdded > 0))
        doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::SportsChanged));
    if (last != Notice::EventsImported && o.calendar && outcome.eventsAdded > 0)
        doc.UpdateAllViews(nullptr, UpdateHint::Of(Notice::EventsImported));
    // New workouts (or another week start) need the filtered set and its week shading anew.
    if (last == Notice::FilterApplied)
        doc.ReapplyFilter();
    else
        doc.UpdateAllViews(nullptr, UpdateHint::Of(last));
}

}  // namespace

void ImportOutcome::Count(const OldLogWriter& writer) {
    sportsAdded += writer.SportsAdded();
    routesAdded += writer.RoutesAdded();
    eventsAdded += writer.EventsAdded();
    entriesAdded += writer.EntriesAdded();
}

bool Import(CTamselDoc& doc, const std::string& path, const ImportOptions& options,
            ImportReport* report) {
    if (report) *report = ImportReport{};
    if (!doc.IsOpen()) return false;
    std::error_code ec;
    if (std::filesystem::equivalent(path, doc.PathName(), ec)) {
        // Every row would come in a second time.
        doc.ui().ShowMessage("Couldn't import--Exception: \"" + path +
                             "\" is the log that is open; a log is not imported into itself.");
        return false;
    }
    ImportOutcome outcome;
    std::unique_ptr<LogDatabase> other;
    bool imported = false;
    // Only read: the other log is left exactly as it is.
    switch (LogDatabase::Open(path, doc.ui(), false, other, true)) {
        case LogDatabase::kOpened:
            // A log that has lost its workouts has none to give.
            if (other->Classify() != LogDatabase::Contents::Log) {
                RefuseSource(doc, path);
                return false;
            }
            imported = ImportDatabase(doc, std::move(other), options, outcome);
            break;
        case LogDatabase::kEmpty:
        case LogDatabase::kForeign:
            // An empty file, another program's database: nothing in them is a workout.
            RefuseSource(doc, path);
            return false;
        case LogDatabase::kNotALog:
            imported = ImportText(doc, path, options, outcome);
            break;
        default:
            // No such file: nothing to say. Other failures have been reported by the open.
            return false;
    }
    if (report) *report = ImportReport{outcome.written, outcome.entriesAdded, outcome.eventsAdded};
    if (!imported) return false;
    try {
        TellViews(doc, options, outcome);
    } catch (const DbError& e) {
        doc.ui().ShowMessage(
            "The import is in the log, but the log could not be brought up to date "
            "afterwards--Exception: " +
            std::string(e.what()));
        return false;
    }
    return true;
}

bool ImportFromOtherLog(CTamselDoc& doc) {
    if (!doc.IsOpen()) return false;
    UserInterface& ui = doc.ui();
    const std::optional<ImportOptions> options = ui.ChooseImportOptions();
    if (!options || !AnyChosen(*options)) return false;
    FileDialogRequest request;  // any file: old text logs and databases alike
    request.overwritePrompt = false;
    const std::optional<std::string> path = ui.ChooseOpenFile(request);
    if (!path) return false;
    WaitCursor wait(ui);
    return Import(doc, *path, *options);
}

}  // namespace kivrun
