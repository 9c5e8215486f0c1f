#include "store/DefaultRows.h"

#include "store/BodyPartsSet.h"
#include "store/ColumnSettingsSet.h"
#include "store/Criteria.h"
#include "store/Database.h"
#include "store/DistanceUnitsSet.h"
#include "store/ExercisesSet.h"
#include "store/LogDatabase.h"
#include "store/PaceUnitsSet.h"
#include "store/PreferencesSet.h"
#include "store/TrainingTypesSet.h"

namespace kivrun {
namespace {

struct ClassRow {
    const char* abbrev;
    const char* name;
    const char* color;  // null: no colour written
};

constexpr ClassRow kClasses[] = {
    {"G", "General", "0,0,0"},  {"C", "Climbing", nullptr}, {"I", "Intervals", "0,0,0"},
    {"E", "Recovery", "0,0,0"}, {"S", "Sprints", "0,0,0"},  {"T", "Tempo", "0,0,0"},
    {"R", "Racing", "0,0,210"},
};

constexpr const char* kPaceNames[] = {"mph", "mpm", "mhy", "kph", "mpk", "mhm", ""};

struct DistanceRow {
    const char* name;
    const char* shortName;
};
constexpr DistanceRow kDistances[] = {
    {"miles", "M"}, {"yards", "Y"}, {"km", "K"}, {"meters", "m"}, {"", ""}};

struct ColumnRow {
    const char* field;
    const char* label;
    int width;
    int justification;
};
constexpr ColumnRow kColumns[] = {
    {"Date", "Date", 60, 0},     {"Sport", "Sport", 85, 0}, {"Class", "Class", 85, 0},
    {"Distance", "Dist", 55, 1}, {"Time", "Time", 65, 1},   {"Pace", "Pace", 45, 1},
    {"AHR", "AHR", 40, 1},       {"Weight", "Wt", 40, 1},   {"Route", "Route", 120, 0},
    {"Notes", "Notes", 120, 0},
};

// Exercise name, description, body part name, body part description.
constexpr const char* kExercises[] = {
    "Bench Press\t\tChest\t",
    "Chest Fly\t\tChest\t",
    "Dumbell Press\t\tChest\t",
    "Bent Row\t\tBack\t",
    "Back Delt Fly\t\tBack\t",
    "Lat Raise\t\tShoulders\t",
    "Shoulder Press\t\tShoulders\t",
    "Upright Row\t\tBack\t",
    "Leg Press\t\tLegs\t",
    "Lunges\t\tLegs\t",
    "Squats\t\tLegs\t",
    "Leg Curls\t\tLegs\t",
    "Leg Extensions\t\tLegs\t",
    "Calf Raises\t\tLegs\t",
    "Barbell Curls\t\tBiceps\t",
    "Tricep Pushdown\t\tTriceps\t",
    "Concentration Curls\t\tBiceps\t",
    "Dumbell Curls\t\tBiceps\t",
    "Tricep Kickback\t\tTriceps\t",
    "Crunches\t\tAbdominals\t",
};

std::string Next(std::string& text) {
    size_t tab = text.find('\t');
    std::string token = text.substr(0, tab);
    text = tab == std::string::npos ? std::string() : text.substr(tab + 1);
    return token;
}

}  // namespace

int SportImageIndex(const std::string& name) {
    if (name == "Road") return 0;
    if (name == "MTB") return 1;
    if (name == "Running") return 2;
    if (name == "Swimming") return 3;
    if (name == "Weights") return 5;
    if (name == "Indoor") return 6;
    if (name == "Treadmill") return 7;
    return 12;
}

void WriteDefaultRows(LogDatabase& db) {
    Transaction tx(db.sql());

    CTrainingTypesSet classes(&db);
    classes.Open();
    int order = 0;
    for (const ClassRow& c : kClasses) {
        classes.AddNew();
        classes.TypeAbbrev = c.abbrev;
        classes.TypeName = c.name;
        if (c.color) classes.ColorCode = c.color;
        classes.Order = order++;
        classes.Update();
    }

    CPaceUnitsSet paces(&db);
    paces.Open();
    for (int id = 0; id < 7; ++id) {
        paces.AddNew();
        paces.PaceID = id;
        paces.PaceName = kPaceNames[id];
        paces.Update();
    }

    CDistanceUnitsSet distances(&db);
    distances.Open();
    for (int id = 0; id < 5; ++id) {
        distances.AddNew();
        distances.DistanceID = id;
        distances.DistanceName = kDistances[id].name;
        distances.DistanceShortName = kDistances[id].shortName;
        distances.Update();
    }

    CColumnSettingsSet columns(&db);
    columns.Open();
    for (int row = 0; row < 10; ++row) {
        const ColumnRow& c = kColumns[row];
        columns.AddNew();
        columns.ColumnID = row;
        columns.ColumnFieldName = c.field;
        columns.ColumnLabel = c.label;
        columns.ColumnOrder = row;
        columns.ColumnWidth = c.width;
        columns.ColumnJustification = c.justification;
        columns.ColumnFormat = row == 4 ? 1 : 0;
        columns.ColumnItemID = row;
        columns.ColumnVisible = true;
        columns.Update();
    }

    CPreferencesSet prefs(&db);
    prefs.Open();
    prefs.SetPreference("WeekStartDay", "1");
    prefs.SetPreference("DefaultSport", "");
    prefs.SetPreference("DaysBetweenBackup", "7");
    prefs.SetPreference("GrandTotalUnits", "0");
    prefs.SetPreference("DateSort", "DESC");

    CBodyPartsSet bodyParts(&db);
    bodyParts.Open();
    CExercisesSet exercises(&db);
    exercises.Open();
    for (const char* definition : kExercises) {
        std::string text = definition;
        const std::string name = Next(text);
        const std::string description = Next(text);
        const std::string partName = Next(text);
        const std::string partDescription = Next(text);
        if (!bodyParts.FindFirst(criteria::Is("BodyPartName", partName))) {
            bodyParts.AddNew();
            bodyParts.BodyPartName = partName;
            bodyParts.BodyPartDescription = partDescription;
            bodyParts.Update();
            bodyParts.SetBookmark(bodyParts.GetLastModifiedBookmark());
        }
        exercises.AddNew();
        exercises.ExerciseName = name;
        exercises.ExerciseDescription = description;
        exercises.BodyPartID = static_cast<int>(bodyParts.BodyPartID);
        exercises.Update();
    }
    tx.Commit();
}

}  // namespace kivrun
