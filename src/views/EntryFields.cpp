#include "views/EntryFields.h"

#include "values/Date.h"
#include "values/ElapsedTime.h"
#include "values/NumberFormat.h"
#include "values/Units.h"
#include "views/LogListCells.h"
#include "weights/RoutineCells.h"

namespace kivrun {
namespace {

constexpr int kOptionalOneColumn = 6;
constexpr int kOptionalTwoColumn = 7;

// Yards and meters are whole numbers; miles, km and a sport without a unit one decimal.
int DistanceDecimals(const SportInfo* sport) {
    if (!sport) return 1;
    return sport->distanceUnit == distance_unit::kYards ||
                   sport->distanceUnit == distance_unit::kMeters
               ? 0
               : 1;
}

std::string Joined(const std::string& number, const std::string& unit) {
    return unit.empty() ? number : number + " " + unit;
}

FieldText OptionalText(double value, const std::string& name) {
    if (value == 0) return {};
    return {name.empty() ? std::string() : name + ": ", OptionalValueText(value)};
}

}  // namespace

OptionalNames OptionalNames::FromColumns(const std::vector<ListColumn>& columns) {
    OptionalNames names;
    for (const ListColumn& c : columns) {
        if (c.id == kOptionalOneColumn) names.one = c.fieldName;
        if (c.id == kOptionalTwoColumn) names.two = c.fieldName;
    }
    return names;
}

EntryFieldTexts FieldTextsOf(const EntryRow& entry, const Catalog& catalog,
                             const OptionalNames& names) {
    const SportInfo* sport = catalog.Sport(entry.sport);
    EntryFieldTexts f;
    f[kFieldDate].value = CDate::FromSerial(entry.date).Format(4);
    f[kFieldSport].value = sport ? sport->name : std::string();
    f[kFieldClass].value = entry.cls;

    f[kFieldDistance].label = "Distance: ";
    const std::string distance =
        FormatDisplayNumber(entry.distance, DistanceDecimals(sport), false, true);
    if (distance != "0")
        f[kFieldDistance].value = Joined(distance, sport ? sport->distanceName : std::string());

    f[kFieldTime].label = "Time: ";
    f[kFieldTime].value = CElapsedTime::FromSeconds(entry.time).Format(5);

    f[kFieldPace].label = "Pace: ";
    if (sport && entry.pace != 0) {
        const std::string pace = IsTimePace(sport->paceUnit)
                                     ? CElapsedTime::FromSeconds(entry.pace).Format(3)
                                     : FormatDisplayNumber(entry.pace, 1, false, true);
        f[kFieldPace].value = Joined(pace, sport->paceName);
    }

    f[kFieldOptionalOne] = OptionalText(entry.optionalOne, names.one);
    f[kFieldOptionalTwo] = OptionalText(entry.optionalTwo, names.two);
    f[kFieldRoute] = {"Route", entry.route};
    f[kFieldNotes] = {"Notes", entry.notes};
    return f;
}

int RoutineTable::PairColumns(const std::vector<RoutineRow>& routine) {
    // A pair with only a weight still shows its number, so it needs its column too.
    int pairs = 0;
    for (const RoutineRow& row : routine)
        for (int p = 4; p > pairs; --p)
            if (row.reps[p - 1] != 0 || row.weight[p - 1] != 0) {
                pairs = p;
                break;
            }
    return pairs;
}

RoutineTable RoutineTable::Of(const std::vector<RoutineRow>& routine) {
    RoutineTable t;
    if (routine.empty()) return t;
    const int pairs = PairColumns(routine);
    t.headings = {"Exercise", "Sets"};
    for (int p = 0; p < pairs; ++p)
        t.headings.emplace_back("Wt-Rp");
    for (const RoutineRow& row : routine) {
        std::vector<std::string>& cells = t.rows.emplace_back();
        for (int c = 0; c < 2 + pairs; ++c)
            cells.push_back(RoutineCellText(row, c));
    }
    return t;
}

std::string SplitText(const SplitTime& split) {
    return "Lap " + std::to_string(split.lap) + ": " + split.split;
}

}  // namespace kivrun
