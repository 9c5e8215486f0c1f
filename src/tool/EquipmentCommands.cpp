// Shoes, bikes and boats from the command line, through the same document operations as the
// preferences page, and the list the equipment window shows.
#include <ostream>

#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "equipment/EquipmentList.h"
#include "tool/Tool.h"
#include "values/NumberFormat.h"

namespace kivrun::tool {
namespace {

// The options of add and edit; --sport may repeat and --default takes no value, so they are
// read here rather than by ParseOptions.
struct ItemOptions {
    std::vector<std::string> positional;
    std::map<std::string, std::string> named;
    std::vector<std::string> sports;
    bool isDefault = false;
};

ItemOptions ParseItemOptions(const std::vector<std::string>& args, bool edit) {
    ItemOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--default") {
            o.isDefault = true;
            continue;
        }
        if (a.rfind("--", 0) != 0) {
            o.positional.push_back(a);
            continue;
        }
        const std::string name = a.substr(2);
        if (name != "kind" && name != "sport" && name != "start" && name != "limit" &&
            name != "limit-time" && name != "notes" && !(edit && name == "name"))
            throw UsageError{"unknown option " + a};
        if (i + 1 >= args.size()) throw UsageError{"option " + a + " needs a value"};
        const std::string what = "--" + name;
        if (name == "sport")
            o.sports.push_back(TextArg(args[++i], what.c_str()));
        else
            o.named[name] = TextArg(args[++i], what.c_str());
    }
    if (o.positional.size() == 2) TextArg(o.positional[1], "NAME");
    return o;
}

double Km(const std::string& text, const char* what) {
    const double km = Number(text, what);
    if (km < 0) throw UsageError{std::string(what) + " cannot be negative: " + text};
    return km;
}

// The options over an item; false after saying what is wrong.
bool ApplyItemOptions(CTamselDoc& doc, const ItemOptions& o, EquipmentItem& item,
                      std::ostream& err) {
    if (const auto v = o.named.find("name"); v != o.named.end()) item.name = v->second;
    if (const auto v = o.named.find("kind"); v != o.named.end()) item.kind = v->second;
    if (const auto v = o.named.find("notes"); v != o.named.end()) item.notes = v->second;
    if (const auto v = o.named.find("start"); v != o.named.end())
        item.startKm = Km(v->second, "--start");
    if (const auto v = o.named.find("limit"); v != o.named.end())
        item.limitKm = Km(v->second, "--limit");
    if (const auto v = o.named.find("limit-time"); v != o.named.end()) {
        // 0 takes the limit away.
        if (TrimBlanks(v->second) == "0") {
            item.limitSeconds = 0;
        } else {
            if (CElapsedTime::Validate(v->second) == 0)
                throw UsageError{"--limit-time is not a time (H:MM:SS): " + v->second};
            item.limitSeconds = CElapsedTime::FromUserText(v->second).TotalSeconds();
        }
    }
    if (!o.sports.empty()) {
        item.sports.clear();
        const Catalog& catalog = doc.GetCatalog();
        for (const std::string& name : o.sports) {
            const SportInfo* sport = catalog.SportNamed(name);
            if (!sport) sport = catalog.Sport(name);
            if (!sport) {
                err << "Please specify a sport !!\n";
                return false;
            }
            if (!item.UsedFor(sport->abbrev)) item.sports.push_back({sport->abbrev, false});
        }
    }
    if (o.isDefault)
        for (EquipmentSport& s : item.sports)
            s.isDefault = true;
    return true;
}

int ListEquipment(Context& c, const std::vector<std::string>& args) {
    const Options o = ParseOptions(args, {"filter"});
    if (o.positional.size() != 1) throw UsageError{"expected LOG"};
    TerminalUserInterface ui(c.err);
    auto doc = OpenDocument("equipment list", o.positional[0], ui, c.err, true);
    if (!doc) return 1;
    if (const std::string* filter = o.Find("filter")) ApplyFilterText(*doc, *filter);
    for (const EquipmentListRow& row : ReadEquipmentList(*doc, EquipmentUnits::Km)) {
        for (std::size_t i = 0; i < row.cells.size(); ++i)
            c.out << (i ? "\t" : "") << row.cells[i];
        c.out << '\n';
    }
    return 0;
}

int CmdEquipment(Context& c) {
    if (c.args.empty()) throw UsageError{"missing argument"};
    const std::string action = c.args[0];
    const std::vector<std::string> rest(c.args.begin() + 1, c.args.end());
    if (action == "list") return ListEquipment(c, rest);
    if (action != "add" && action != "edit" && action != "retire" && action != "remove")
        throw UsageError{"add, edit, retire, remove or list, not " + action};
    const ItemOptions o = ParseItemOptions(rest, action == "edit");
    if (o.positional.size() != 2) throw UsageError{"expected LOG NAME"};
    if ((action == "retire" || action == "remove") && (!o.named.empty() || !o.sports.empty()))
        throw UsageError{action + " takes no options"};
    TerminalUserInterface ui(c.err, true);
    auto doc = OpenDocument(("equipment " + action).c_str(), o.positional[0], ui, c.err);
    if (!doc) return 1;
    const std::string& name = o.positional[1];
    if (action == "add") {
        EquipmentItem item;
        item.name = name;
        if (!ApplyItemOptions(*doc, o, item, c.err)) return 1;
        return doc->AddEquipment(item, nullptr) != 0 ? 0 : 1;
    }
    std::optional<EquipmentItem> item = doc->EquipmentNamed(name);
    if (!item) {
        c.err << "kivrun-tool equipment " << action << ": no equipment named " << name << '\n';
        return 1;
    }
    if (action == "retire") return doc->RetireEquipment(item->equipmentId, true, nullptr) ? 0 : 1;
    if (action == "remove") return doc->RemoveEquipment(item->equipmentId, nullptr) ? 0 : 1;
    if (!ApplyItemOptions(*doc, o, *item, c.err)) return 1;
    return doc->ModifyEquipment(*item, nullptr) ? 0 : 1;
}

const Registration kEquipment(
    {79, "equipment",
     "equipment add LOG NAME [--kind shoes|bike|boat|skis|other] [--sport SPORTNAME]... "
     "[--default] [--start KM] [--limit KM] [--limit-time H:MM:SS] [--notes N] | "
     "equipment edit LOG NAME [same options] [--name NEW] | equipment retire|remove LOG NAME | "
     "equipment list LOG [--filter STATE]",
     "keep shoes, bikes and boats: add, change, retire or remove an item (one that workouts "
     "used can only be retired), or list each item's kind, sports, distance in km, time, "
     "workouts, first and last use, limit, what is left and whether it is past its limit, "
     "tab-separated",
     CmdEquipment});

}  // namespace
}  // namespace kivrun::tool
