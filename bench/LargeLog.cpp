#include "LargeLog.h"

#include <filesystem>

#include "document/SampleLog.h"
#include "document/TamselDoc.h"
#include "store/LogDatabase.h"
#include "store/UserInterface.h"

namespace kivrun::bench {

std::string LargeLog(int entries) {
    // The file name says which generator wrote it, so a changed generator makes new logs.
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kivrun-bench-sample-v1-" + std::to_string(entries) + ".tlg"))
                                 .string();
    if (std::filesystem::exists(path)) return path;
    SilentUserInterface ui;
    const std::string part = path + ".part";
    std::filesystem::remove(part);
    if (!WriteSampleLog(part, entries, 42, ui)) return {};
    std::filesystem::rename(part, path);
    return path;
}

std::string EventsLog(int events) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("kivrun-bench-events-v1-" + std::to_string(events) + ".tlg"))
                                 .string();
    if (std::filesystem::exists(path)) return path;
    SilentUserInterface ui;
    const std::string part = path + ".part";
    std::filesystem::remove(part);
    if (!WriteSampleLog(part, 2000, 7, ui)) return {};
    {
        CTamselDoc doc(ui);
        if (!doc.OnOpenDocument(part)) return {};
        SqliteDb& sql = doc.Database().sql();
        Transaction tx(sql);
        Statement& s = sql.Cached(
            "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName, EventDetails, "
            "EventAffiliation) VALUES (?,?,?,?,?)");
        static const char* const kSports[] = {"R", "B", "S"};
        static const char* const kNames[] = {"Harbour 10k", "Hill Climb", "Club Relay",
                                             "Open Water Mile", "Spring Classic"};
        static const char* const kClubs[] = {"Harbour Athletic Club", "Velo Club", "", "Masters"};
        // One every other day, up to today.
        const CDate first = CDate().AddDays(-events * 2);
        for (int i = 0; i < events; ++i) {
            s.Reset();
            s.Bind(1, kSports[i % 3]).Bind(2, first.AddDays(i * 2).ToSerial());
            s.Bind(3, std::string(kNames[i % 5]) + " " + std::to_string(i));
            s.Bind(4, "Start 9:00.\r\nBring race belt.").Bind(5, kClubs[i % 4]);
            s.Run();
        }
        tx.Commit();
    }
    std::filesystem::rename(part, path);
    return path;
}

}  // namespace kivrun::bench
