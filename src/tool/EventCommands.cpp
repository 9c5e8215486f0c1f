// Calendar events and affiliations from the command line, through the same document
// operations and messages as the "Event" dialog, the event form and the events list. The
// command is the user's say-so, so their questions are answered Yes.
#include <algorithm>
#include <ostream>

#include "document/TamselDoc.h"
#include "events/EventList.h"
#include "tool/Tool.h"
#include "values/NumberFormat.h"

namespace kivrun::tool {
namespace {

// "--desc" (a flag without a value) taken out of the arguments.
bool TakeFlag(std::vector<std::string>& args, const char* flag) {
    const auto at = std::find(args.begin(), args.end(), flag);
    if (at == args.end()) return false;
    args.erase(at);
    return true;
}

// A sport by its name, or by its letter.
const SportInfo* FindSport(CTamselDoc& doc, const std::string& sport) {
    const Catalog& catalog = doc.GetCatalog();
    if (const SportInfo* s = catalog.SportNamed(sport)) return s;
    return catalog.Sport(sport);
}

// The named options over an event; false after saying the sport is unknown.
bool ApplyOptions(CTamselDoc& doc, const Options& o, EventValue& e, std::ostream& err) {
    if (const std::string* v = o.Find("date")) e.date = DateArg(*v, "--date");
    if (const std::string* v = o.Find("name")) e.name = *v;
    if (const std::string* v = o.Find("details")) e.details = DetailsForStoring(*v);
    if (const std::string* v = o.Find("affiliation")) e.affiliation = *v;
    if (const std::string* v = o.Find("sport")) {
        const SportInfo* sport = FindSport(doc, *v);
        if (!sport) {
            err << "Please specify a sport !!\n";
            return false;
        }
        e.sport = sport->abbrev;
    }
    return true;
}

int ListEvents(Context& c, std::vector<std::string> args) {
    const bool descending = TakeFlag(args, "--desc");
    const Options o = ParseOptions(args, {"sort"});
    if (o.positional.size() != 1) throw UsageError{"expected LOG"};
    EventListSort sort;
    if (const std::string* field = o.Find("sort")) {
        const auto column = EventListSort::ColumnOfField(*field);
        if (!column)
            throw UsageError{
                "sort by Date, SptAbbrev, EventAffiliation, EventName or "
                "EventDetails, not " +
                *field};
        sort.Click(static_cast<int>(*column));
    }
    if (descending) sort.Click(static_cast<int>(sort.By()));
    TerminalUserInterface ui(c.err);
    // The list keeps its week bands in the log, as the events window does.
    auto doc = OpenDocument("event list", o.positional[0], ui, c.err);
    if (!doc) return 1;
    for (const EventListRow& row : ReadEventList(*doc, sort)) {
        for (const std::string& cell : row.cells)
            c.out << cell << '\t';
        c.out << row.band << '\n';
    }
    return 0;
}

int CmdEvents(Context& c) {
    return ListEvents(c, c.args);
}

int CmdEvent(Context& c) {
    if (c.args.empty()) throw UsageError{"missing argument"};
    const std::string action = c.args[0];
    std::vector<std::string> rest(c.args.begin() + 1, c.args.end());
    if (action == "list") return ListEvents(c, rest);
    if (action != "add" && action != "edit" && action != "delete")
        throw UsageError{"add, edit, delete or list, not " + action};
    const Options o = ParseOptions(rest, {"details", "affiliation", "date", "sport", "name"});
    const std::size_t expected = action == "add" ? 4 : 2;
    if (o.positional.size() != expected)
        throw UsageError{action == "add" ? "expected LOG DATE SPORT NAME" : "expected LOG EVENTID"};
    if (action == "delete" && !o.named.empty()) throw UsageError{"delete takes no options"};
    for (const char* text : {"name", "details", "affiliation"})
        if (const std::string* v = o.Find(text)) TextArg(*v, ("--" + std::string(text)).c_str());
    TerminalUserInterface ui(c.err, true);
    EventValue e;
    RowId id = 0;
    if (action == "add") {
        e.date = DateArg(o.positional[1]);
        TextArg(o.positional[3], "NAME");
    } else {
        id = Id(o.positional[1], "EVENTID");
    }
    if (const std::string* v = o.Find("date")) DateArg(*v, "--date");
    auto doc = OpenDocument(("event " + action).c_str(), o.positional[0], ui, c.err);
    if (!doc) return 1;
    if (action != "add" && !doc->Event(id)) {
        c.err << "kivrun-tool event " << action << ": the log has no event " << id << '\n';
        return 1;
    }
    if (action == "delete") return doc->DeleteEvent(id, false) ? 0 : 1;
    if (action == "add") {
        Options named = o;
        named.named.emplace("sport", o.positional[2]);
        named.named.emplace("name", o.positional[3]);
        if (!ApplyOptions(*doc, named, e, c.err)) return 1;
        id = doc->AddEvent(e, nullptr);
        if (id == 0) return 1;
        c.out << id << '\n';
        return 0;
    }
    const std::optional<EventRow> row = doc->Event(id);
    e = {CDate::FromSerial(row->date), row->sport, row->name, row->details, row->affiliation};
    if (!ApplyOptions(*doc, o, e, c.err)) return 1;
    return doc->ModifyEvent(id, e, nullptr) ? 0 : 1;
}

int CmdAffiliation(Context& c) {
    if (c.args.size() < 3) throw UsageError{"missing argument"};
    const std::string& action = c.args[0];
    const bool list = action == "list";
    if (!list && action != "add" && action != "remove")
        throw UsageError{"add, remove or list, not " + action};
    if (c.args.size() != (list ? 3u : 4u))
        throw UsageError{list ? "expected LOG SPORT" : "expected LOG SPORT NAME"};
    if (!list && TrimBlanks(TextArg(c.args[3], "NAME")).empty()) throw UsageError{"NAME is empty"};
    TerminalUserInterface ui(c.err, true);
    auto doc = OpenDocument(("affiliation " + action).c_str(), c.args[1], ui, c.err, list);
    if (!doc) return 1;
    const SportInfo* sport = FindSport(*doc, c.args[2]);
    if (!sport) {
        c.err << "Please specify a sport !!\n";
        return 1;
    }
    if (list) {
        for (const std::string& name : doc->Affiliations(sport->abbrev))
            c.out << name << '\n';
        return 0;
    }
    if (action == "add") return doc->AddAffiliation(sport->abbrev, c.args[3], nullptr) ? 0 : 1;
    if (!doc->RemoveAffiliation(sport->abbrev, c.args[3], nullptr)) {
        c.err << "kivrun-tool affiliation remove: no affiliation " << c.args[3] << '\n';
        return 1;
    }
    return 0;
}

const Registration kEvents({76, "events", "events LOG [--sort FIELD] [--desc]",
                            "print the events list as the events window fills it: date, sport, "
                            "affiliation, event, details and week band, tab-separated",
                            CmdEvents});
const Registration kEvent({77, "event",
                           "event add LOG DATE SPORT NAME [--details D] [--affiliation A] | "
                           "event edit LOG EVENTID [--date D] [--sport S] [--name N] "
                           "[--details D] [--affiliation A] | event delete LOG EVENTID | "
                           "event list LOG [--sort FIELD] [--desc]",
                           "add (printing the new EventID), change, delete or list calendar "
                           "events; a \"|\" or a line break in the details is a line break",
                           CmdEvent});
const Registration kAffiliation({78, "affiliation", "affiliation add|remove|list LOG SPORT [NAME]",
                                 "the affiliations kept for a sport", CmdAffiliation});

}  // namespace
}  // namespace kivrun::tool
