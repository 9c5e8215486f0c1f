#include "document/SampleLog.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "store/PreferencesSet.h"
#include "store/ReplacementFile.h"
#include "values/Units.h"

namespace kivrun {
namespace {

struct SampleSport {
    const char* abbrev;
    const char* name;
    int distanceUnit;
    int paceUnit;
    int image;
    double minDistance, maxDistance;
    double minPace, maxPace;  // seconds per pace unit, or a speed
    const char* routes[4];
    const char* races[2];
    int share;  // of every 100 workouts
};

const SampleSport kSports[] = {
    {"R",
     "Running",
     0,
     1,
     2,
     3,
     14,
     390,
     600,
     {"River loop", "Hill repeats", "Park 5k", "Canal path"},
     {"City Half", "Harbour 10k"},
     40},
    {"B",
     "Road",
     2,
     3,
     0,
     20,
     110,
     22,
     34,
     {"Coast road", "Valley climb", "Club ride", "Lakes loop"},
     {"Spring Classic", "Hill TT"},
     22},
    {"S",
     "Swimming",
     3,
     5,
     3,
     800,
     3800,
     85,
     140,
     {"Town pool", "Lake crossing", "Club session", "Open water"},
     {"Lake Mile", "Masters Meet"},
     14},
    {"W", "Weights", 4, 6, 5, 0, 0, 0, 0, {"", "", "", ""}, {"", ""}, 10},
    {"M",
     "MTB",
     0,
     0,
     1,
     8,
     28,
     8,
     14,
     {"Forest trails", "Quarry loop", "Ridge line", "Woods"},
     {"Enduro", "XC Cup"},
     8},
    {"O",
     "Rowing",
     3,
     5,
     12,
     4000,
     14000,
     24,
     30,
     {"Erg", "River 8", "Estuary", "Lake pair"},
     {"Head race", "Regatta"},
     6},
};

const char* kNotes[] = {
    "Felt strong, negative split.", "Windy; held back on the climbs.",
    "Legs heavy after yesterday.",  "Easy recovery, kept HR low.",
    "Great weather, new shoes.",    "Intervals: 6 x 800 with 2 min rest.",
    "Tempo in the middle third.",   "Group session, chatty pace.",
};

const char* kExercises[] = {"Bench Press",    "Squats",        "Leg Press",       "Bent Row",
                            "Shoulder Press", "Barbell Curls", "Tricep Pushdown", "Crunches",
                            "Lunges",         "Calf Raises"};

double Uniform(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

// Fills a log just created: sports, routes, workouts and events, then the week shading.
bool FillSampleLog(CTamselDoc& doc, int entries, unsigned seed, UserInterface& ui) {
    std::mt19937 rng(seed);
    SqliteDb& sql = doc.Database().sql();
    try {
        Transaction tx(sql);
        Statement& sport = sql.Cached(
            "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, Image, \"Order\") "
            "VALUES (?,?,?,?,?,?)");
        Statement& route =
            sql.Cached("INSERT INTO Routes (SptAbbrev, TrainingTypeAbbrev, Route) VALUES (?,?,?)");
        int order = 0;
        for (const SampleSport& s : kSports) {
            sport.Reset();
            sport.Bind(1, s.abbrev).Bind(2, s.name).Bind(3, s.distanceUnit).Bind(4, s.paceUnit);
            sport.Bind(5, s.image).Bind(6, order++);
            sport.Run();
            for (const char* r : s.routes) {
                if (!*r) continue;
                route.Reset();
                route.Bind(1, s.abbrev).Bind(2, "G").Bind(3, r);
                route.Run();
            }
            for (const char* r : s.races) {
                if (!*r) continue;
                route.Reset();
                route.Bind(1, s.abbrev).Bind(2, "R").Bind(3, r);
                route.Run();
            }
        }
        // Several years up to today, busier for a bigger log.
        const int years = std::clamp(entries / 5000, 3, 20);
        const CDate today;
        const CDate start = CDate(1, 1, today.Year() - years + 1);
        const int days = std::max(1, CDate::DaysBetween(start, today) + 1);

        Statement& entry = sql.Cached(
            "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, "
            "Pace, Route, Notes, OptionalOne, OptionalTwo, Background) "
            "VALUES (?,?,?,?,?,?,?,?,?,?,0)");
        Statement& exercise = sql.Cached(
            "INSERT INTO \"Log Entry Details Routine\" (EntryID, Exercise, Sets, Weight1, Reps1, "
            "Weight2, Reps2, Weight3, Reps3, Weight4, Reps4) VALUES (?,?,?,?,?,?,?,?,?,?,?)");
        const char* classes = "GGGGGGCIESTR";
        int total = 0;
        for (const SampleSport& s : kSports)
            total += s.share;
        for (int i = 0; i < entries; ++i) {
            // Spread evenly over the days, oldest first, as a log fills up.
            const CDate day = start.AddDays(
                static_cast<int>(static_cast<long long>(i) * days / std::max(1, entries)));
            int pick = static_cast<int>(rng() % static_cast<unsigned>(total));
            const SampleSport* s = kSports;
            while (pick >= s->share)
                pick -= (s++)->share;
            const char cls = classes[rng() % 12];
            double distance = 0, seconds, pace = 0;
            if (s->distanceUnit == distance_unit::kNone) {
                seconds = 60.0 * static_cast<int>(Uniform(rng, 30, 75));
            } else {
                distance = std::round(Uniform(rng, s->minDistance, s->maxDistance) *
                                      (s->distanceUnit == distance_unit::kMeters ? 0.01 : 10)) /
                           (s->distanceUnit == distance_unit::kMeters ? 0.01 : 10);
                const double rate = Uniform(rng, s->minPace, s->maxPace);
                const double reference =
                    ConvertDistance(distance, s->distanceUnit, ReferenceDistanceUnit(s->paceUnit));
                seconds =
                    IsTimePace(s->paceUnit)
                        ? std::round(reference * rate *
                                     (s->paceUnit == pace_unit::kMinutesPer100Meters ? 0.01 : 1))
                        : std::round(reference / rate * 3600);
                // Stored as the entry form stores it: through its text.
                const PaceResult p = ComputePace(s->paceUnit, seconds, distance, s->distanceUnit);
                pace = IsTimePace(s->paceUnit) ? CElapsedTime(":" + p.text).TotalSeconds()
                                               : std::strtod(p.text.c_str(), nullptr);
            }
            const bool race = cls == 'R' && *s->races[0];
            const char* routeText = race ? s->races[rng() % 2] : s->routes[rng() % 4];
            const std::string notes = rng() % 4 == 0 ? kNotes[rng() % 8] : "";
            entry.Reset();
            entry.Bind(1, day.ToSerial()).Bind(2, s->abbrev).Bind(3, std::string(1, cls));
            entry.Bind(4, distance).Bind(5, seconds).Bind(6, pace).Bind(7, routeText);
            entry.Bind(8, notes).Bind(9, std::round(Uniform(rng, 112, 168)));
            entry.Bind(10, rng() % 5 == 0 ? std::round(Uniform(rng, 150, 172)) : 0.0);
            entry.Run();
            if (s->distanceUnit == distance_unit::kNone) {
                const std::int64_t id = sql.LastInsertRowId();
                const int count = 3 + static_cast<int>(rng() % 4);
                for (int k = 0; k < count; ++k) {
                    exercise.Reset();
                    exercise.Bind(1, id).Bind(2, kExercises[rng() % 10]).Bind(3, 3);
                    for (int set = 0; set < 4; ++set) {
                        const bool used = set < 3;
                        exercise.Bind(4 + 2 * set,
                                      used ? 40 + 5 * static_cast<int>(rng() % 20) : 0);
                        exercise.Bind(5 + 2 * set, used ? 6 + static_cast<int>(rng() % 8) : 0);
                    }
                    exercise.Run();
                }
            }
        }
        // A race or two a month on the calendar, some still to come.
        Statement& event = sql.Cached(
            "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName, EventDetails, "
            "EventAffiliation) VALUES (?,?,?,?,?)");
        for (CDate d = start; d < today.AddDays(90); d = d.AddDays(12 + rng() % 30)) {
            const SampleSport& s = kSports[rng() % 3];
            event.Reset();
            event.Bind(1, s.abbrev).Bind(2, d.ToSerial()).Bind(3, s.races[rng() % 2]);
            event.Bind(4, "Start 9:00.\r\nBring race belt.").Bind(5, "Harbour Athletic Club");
            event.Run();
        }
        tx.Commit();
        CPreferencesSet& prefs = doc.PreferencesSet();
        prefs.SetDefaultSport("Running");
        prefs.SetPreference("HTMLBrowserTitle", "Training Log");
        prefs.SetPreference("HTMLHeading", "My Training Log");
    } catch (const DbError& e) {
        ui.ShowMessage(std::string("Couldn't create database--Exception: ") + e.what());
        return false;
    }
    return doc.FinishOpen();  // the week shading, once
}

}  // namespace

bool WriteSampleLog(const std::string& path, int entries, unsigned seed, UserInterface& ui) {
    const char* const exists = "Couldn't create database--Exception: Database already exists.";
    std::error_code ec;
    if (std::filesystem::exists(path, ec)) {
        ui.ShowMessage(exists);
        return false;
    }
    try {
        // Made beside its name and named only when whole: a run that fails (a full disk) or
        // is killed leaves nothing in the way of the next.
        ReplacementFile file(path);
        {
            CTamselDoc doc(ui);
            if (!doc.CreateDatabase(file.TempPath()) || !FillSampleLog(doc, entries, seed, ui))
                return false;
        }
        if (file.CommitWithoutReplacing()) return true;
        ui.ShowMessage(exists);
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("Couldn't create database--Exception: ") + e.what());
    }
    return false;
}

}  // namespace kivrun
