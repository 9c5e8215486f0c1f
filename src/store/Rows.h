#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kivrun {

// The store's row identifier: EntryID, EventID, TemplateID and the other auto-increment keys.
using RowId = std::int64_t;

// Rows as values: what the document's reads hand out. Holding one moves no cursor, so a view
// may keep it across a question to the user or a repaint.

// One workout as the views, exports and prints read it.
struct EntryRow {
    RowId entryId = 0;
    double date = 0;  // serial day
    std::string sport;
    std::string cls;
    double distance = 0;
    double time = 0;  // seconds
    double pace = 0;  // as stored
    std::string route;
    std::string notes;
    double optionalOne = 0;
    double optionalTwo = 0;
    int background = 0;
    friend bool operator==(const EntryRow&, const EntryRow&) = default;
};

// One exercise of a weights routine: sets and up to four weight/repetition pairs. Weights
// take up to two decimals (half and quarter plates); sets and repetitions are whole.
struct RoutineRow {
    std::string exercise;
    int sets = 0;
    double weight[4] = {0, 0, 0, 0};
    int reps[4] = {0, 0, 0, 0};
    friend bool operator==(const RoutineRow&, const RoutineRow&) = default;
};

// A saved routine template.
struct TemplateRow {
    RowId templateId = 0;
    std::string name;
    friend bool operator==(const TemplateRow&, const TemplateRow&) = default;
};

// A body part of the exercise list.
struct BodyPartRow {
    RowId bodyPartId = 0;
    std::string name;
    std::string description;
    friend bool operator==(const BodyPartRow&, const BodyPartRow&) = default;
};

// An exercise of the list with its body part.
struct ExerciseRow {
    RowId exerciseId = 0;
    RowId bodyPartId = 0;
    std::string name;
    std::string description;
    std::string bodyPartName;
    friend bool operator==(const ExerciseRow&, const ExerciseRow&) = default;
};

// One lap of a workout.
struct SplitTime {
    int lap = 0;
    std::string split;
    friend bool operator==(const SplitTime&, const SplitTime&) = default;
};

// A workout with everything stored for it.
struct EntryDetail {
    EntryRow entry;
    std::vector<RoutineRow> routine;  // in the order entered
    std::vector<SplitTime> splits;    // by lap
    std::vector<RowId> equipment;     // EquipmentIDs, ascending
};

// One planned calendar event.
struct EventRow {
    RowId eventId = 0;
    std::string sport;
    double date = 0;  // serial day
    std::string name;
    std::string details;
    std::string affiliation;
    int background = 0;
    friend bool operator==(const EventRow&, const EventRow&) = default;
};

// Totals of one sport over one period, as the totals queries give them.
struct TotalsRecord {
    std::string sport;
    std::string sportName;
    std::string distanceShortName;
    double distance = 0;
    double time = 0;  // seconds
    long workouts = 0;
    long period = 0;  // week, month or year number; 1 for all time
    long year = 0;
};

struct SportInfo {
    std::string abbrev;
    std::string name;
    int distanceUnit = 0;
    int paceUnit = 0;
    int order = 0;
    int image = 12;
    std::string distanceName;
    std::string distanceShortName;
    std::string paceName;
};

struct ClassInfo {
    std::string abbrev;
    std::string name;
    std::string colorCode;
    int order = 0;
};

struct UnitInfo {
    int id = 0;
    std::string name;
    std::string shortName;  // empty for pace units
};

struct RouteRow {
    RowId routeId = 0;
    std::string sport;
    std::string cls;
    std::string route;
};

// A column of the log list as the log keeps it.
struct ListColumn {
    int id = 0;
    std::string fieldName;
    std::string label;
    int order = 0;
    int width = 0;
    int justification = 0;  // 0 left, 1 right, 2 centre
    int format = 0;
    bool visible = true;
};

// What choosing a column format writes; justification and label stay as they are when not
// given.
struct ColumnFormatChange {
    int format = 0;
    int width = 0;
    std::optional<int> justification;
    std::optional<std::string> label;
};

// The log's small lookup tables, read once and kept until they change.
struct Catalog {
    std::vector<SportInfo> sports;   // in their display order
    std::vector<ClassInfo> classes;  // in their display order
    std::vector<UnitInfo> distanceUnits;
    std::vector<UnitInfo> paceUnits;

    const SportInfo* Sport(const std::string& abbrev) const {
        for (const SportInfo& s : sports)
            if (s.abbrev == abbrev) return &s;
        return nullptr;
    }
    const ClassInfo* Class(const std::string& abbrev) const {
        for (const ClassInfo& c : classes)
            if (c.abbrev == abbrev) return &c;
        return nullptr;
    }
    const SportInfo* SportNamed(const std::string& name) const {
        for (const SportInfo& s : sports)
            if (s.name == name) return &s;
        return nullptr;
    }
};

}  // namespace kivrun
