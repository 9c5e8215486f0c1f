#pragma once

#include <array>
#include <string>
#include <vector>

#include "store/Rows.h"

namespace kivrun {

// The texts of one workout as the entry page shows and prints them.
struct FieldText {
    std::string label;
    std::string value;
    friend bool operator==(const FieldText&, const FieldText&) = default;
};

enum EntryField {
    kFieldDate,
    kFieldSport,
    kFieldClass,
    kFieldDistance,
    kFieldTime,
    kFieldPace,
    kFieldOptionalOne,
    kFieldOptionalTwo,
    kFieldRoute,
    kFieldNotes,
    kEntryFieldCount
};
using EntryFieldTexts = std::array<FieldText, kEntryFieldCount>;

// The names the log's columns give the two optional values; empty when the column is missing.
struct OptionalNames {
    std::string one;
    std::string two;
    static OptionalNames FromColumns(const std::vector<ListColumn>& columns);
};

// Label and value of every field. A sport the catalog does not know leaves the sport name
// and the pace empty and gives the distance one decimal.
EntryFieldTexts FieldTextsOf(const EntryRow& entry, const Catalog& catalog,
                             const OptionalNames& names);

// The routine as a table: "Exercise", "Sets", then one "Wt-Rp" column per weight and reps
// pair that any row uses.
struct RoutineTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;

    static RoutineTable Of(const std::vector<RoutineRow>& routine);
    // How many pairs the table shows: up to the last one any row fills.
    static int PairColumns(const std::vector<RoutineRow>& routine);
    bool Empty() const { return rows.empty(); }
};

// A lap as the page lists it: "Lap 3: 7:42".
std::string SplitText(const SplitTime& split);

}  // namespace kivrun
