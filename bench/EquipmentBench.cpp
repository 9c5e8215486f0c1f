// Equipment on the 100,000-workout log with 20 items, every workout using its sport's
// default items: what the equipment window reads, and what entering a workout with two
// items costs beside the same workout without them.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "LargeLog.h"
#include "document/TamselDoc.h"
#include "equipment/EquipmentList.h"
#include "store/LogDatabase.h"

namespace kivrun::bench {
namespace {

constexpr int kEntries = 100000;
constexpr int kItems = 20;

// A copy of the large log with the items and their uses, made once.
std::string EquipmentLog() {
    const std::string path = LargeLog(kEntries) + ".equipment.tlg";
    if (std::filesystem::exists(path)) return path;
    const std::string making = path + ".making";
    std::filesystem::copy_file(LargeLog(kEntries), making,
                               std::filesystem::copy_options::overwrite_existing);
    {
        SilentUserInterface ui;
        CTamselDoc doc(ui);
        doc.OnOpenDocument(making);
        const char* sports[] = {"R", "B", "S"};
        for (int i = 0; i < kItems; ++i) {
            EquipmentItem item;
            item.name = "Item " + std::to_string(i);
            item.kind = "other";
            // The first item of each sport is its default; some have limits.
            item.sports = {{sports[i % 3], i < 3}};
            item.limitKm = i % 2 ? 800 : 0;
            doc.AddEquipment(item, nullptr);
        }
        doc.Database().sql().Exec(
            "INSERT INTO \"Equipment Use\" (EquipmentID, EntryID) SELECT s.EquipmentID, "
            "e.EntryID FROM \"Log Entry\" AS e JOIN \"Equipment Sports\" AS s ON s.SptAbbrev = "
            "e.SptAbbrev AND s.IsDefault <> 0");
        doc.OnCloseDocument();
    }
    std::filesystem::rename(making, path);
    return path;
}

std::unique_ptr<CTamselDoc> OpenDoc(UserInterface& ui) {
    auto doc = std::make_unique<CTamselDoc>(ui);
    doc->OnOpenDocument(EquipmentLog());
    return doc;
}

// What the equipment window fills on opening and after every notice.
void BM_EquipmentList(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = ReadEquipmentList(*doc, EquipmentUnits::ItemUnit).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["items"] = static_cast<double>(rows);
}
BENCHMARK(BM_EquipmentList)->Unit(benchmark::kMillisecond)->UseRealTime();

// The reference: the same totals grouped by item and sport, as they were first read, which
// sorts every use.
void BM_EquipmentTotalsBySport(benchmark::State& state) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    for (auto _ : state) {
        Statement s = doc->Database().sql().Prepare(
            "SELECT u.EquipmentID, e.SptAbbrev, total(e.Distance), total(e.Time), count(*), "
            "min(e.Date), max(e.Date) FROM \"Equipment Use\" AS u JOIN FilteredSetQuery AS e "
            "ON e.EntryID = u.EntryID GROUP BY u.EquipmentID, e.SptAbbrev");
        long groups = 0;
        while (s.Step())
            ++groups;
        benchmark::DoNotOptimize(groups);
    }
}
BENCHMARK(BM_EquipmentTotalsBySport)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same workout entered with and without two items (one with a limit to check); the
// reference is the first.
void AddEntry(benchmark::State& state, bool withEquipment) {
    SilentUserInterface ui;
    auto doc = OpenDoc(ui);
    WorkingEntry e;
    e.date = CDate();
    e.sptAbbrev = "R";
    e.typeAbbrev = "G";
    e.distance = 6.2;
    e.time = CElapsedTime(0, 48, 30);
    if (withEquipment) e.equipment = doc->DefaultEquipment("R");
    if (withEquipment) e.equipment.push_back(doc->EquipmentNamed("Item 3")->equipmentId);
    for (auto _ : state) {
        const RowId id = doc->AddEntry(e, nullptr);
        state.PauseTiming();
        doc->DeleteEntry(id, nullptr, false);
        doc->TakeEquipmentWarnings();
        state.ResumeTiming();
    }
}
void BM_AddEntryWithoutEquipment(benchmark::State& state) {
    AddEntry(state, false);
}
void BM_AddEntryWithTwoItems(benchmark::State& state) {
    AddEntry(state, true);
}
BENCHMARK(BM_AddEntryWithoutEquipment)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddEntryWithTwoItems)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace kivrun::bench
