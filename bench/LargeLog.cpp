#include "LargeLog.h"

#include <filesystem>
#include <random>

#include "store/DefaultRows.h"
#include "store/LogDatabase.h"
#include "store/Schema.h"
#include "store/UserInterface.h"

namespace kivrun::bench {

std::string LargeLog(int entries) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kivrun-bench-" + std::to_string(entries) + ".tlg"))
                                 .string();
    if (std::filesystem::exists(path)) return path;
    SilentUserInterface ui;
    auto db = LogDatabase::Create(path + ".part", ui);
    schema::BuildOrComplete(*db, ui);
    WriteDefaultRows(*db);
    SqliteDb& sql = db->sql();
    sql.Exec(
        "INSERT INTO Sports (SptAbbrev, SptName, DistanceID, PaceID, \"Order\", Image) VALUES "
        "('R','Running',0,1,0,2), ('B','Road',2,3,1,0), ('S','Swimming',3,5,2,3), "
        "('W','Weights',4,6,3,5)");
    Transaction tx(sql);
    Statement& ins = sql.Cached(
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
        "Route, Notes, OptionalOne, OptionalTwo, Background) VALUES (?,?,?,?,?,?,?,?,?,?,0)");
    std::mt19937 rng(42);
    const char* sports = "RBSW";
    const char* classes = "GCIESTR";
    double date = 36526;  // 1 January 2000; about 1.4 workouts a day
    for (int i = 0; i < entries; ++i) {
        date += (rng() % 10 < 7) ? 1 : 0;
        const char sport[2] = {sports[rng() % 4], 0};
        const char cls[2] = {classes[rng() % 7], 0};
        const double distance = sport[0] == 'W' ? 0 : 1 + rng() % 3000 / 100.0;
        const double time = 600 + rng() % 10000;
        ins.Reset();
        ins.Bind(1, date).Bind(2, sport).Bind(3, cls).Bind(4, distance).Bind(5, time);
        ins.Bind(6, distance > 0 ? time / distance : 0.0);
        ins.Bind(7, "Route " + std::to_string(rng() % 50));
        ins.Bind(8, i % 5 ? std::string() : "Felt good, steady effort, hills at the end");
        ins.Bind(9, static_cast<double>(120 + rng() % 60)).Bind(10, 0.0);
        ins.Run();
    }
    tx.Commit();
    db.reset();
    std::filesystem::rename(path + ".part", path);
    return path;
}

}  // namespace kivrun::bench
