#pragma once

#include <array>
#include <string>
#include <vector>

namespace kivrun {
class CTamselDoc;
}

namespace kivrun::prefs {

// The name of an optional workout field and its column label in the log list.
struct OptionalField {
    std::string name;
    std::string label;
    friend bool operator==(const OptionalField&, const OptionalField&) = default;
};

// A new name: an offered one brings its label, a typed one leaves the label as it was.
void RenameOptionalField(OptionalField& field, std::string name);

// The log list columns that show optional fields one and two.
inline constexpr std::array<int, 2> kOptionalFieldColumns = {6, 7};
inline constexpr int kMinBackupDays = 1;
inline constexpr int kMaxBackupDays = 30;

// What the General page shows and edits.
struct GeneralPrefs {
    std::vector<std::string> sports;  // the "Default sport:" choices, in the log's order
    std::string defaultSport;
    int weekStartDay = 1;  // 0 Sunday .. 6 Saturday
    int backupDays = 7;
    int grandTotalUnits = 0;
    int grandTotalPace = 0;
    std::array<OptionalField, 2> fields;
};

// The log's values; numbers outside what the page offers are brought into range.
GeneralPrefs LoadGeneralPrefs(CTamselDoc& doc);

// Stores, in this order, what differs from the log: the default sport; the week start (also
// for the whole program, then hint 11); backup days, grand total units and pace; and, when
// fieldsChanged, the names and labels of the optional field columns (then hint 12). False
// when the log refused (the user was told).
bool ApplyGeneralPrefs(CTamselDoc& doc, const GeneralPrefs& prefs, bool fieldsChanged);

}  // namespace kivrun::prefs
