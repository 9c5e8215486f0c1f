// Whole-log work of kivrun-tool beside the sqlite3 shell doing the same job on the same
// 100,000-workout file, in the same run: each figure is printed with its ratio to the shell.
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

#include "LargeLog.h"
#include "document/TamselDoc.h"
#include "store/EntryReader.h"

namespace kivrun::bench {
namespace {

constexpr int kEntries = 100000;

double Seconds(const std::string& command) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    if (status != 0) std::abort();  // a broken comparison must not look like a fast one
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// Times both commands alternately and reports their means and the ratio tool / shell.
void Compare(benchmark::State& state, const std::string& tool, const std::string& shell) {
    double toolTotal = 0, shellTotal = 0;
    for (auto _ : state) {
        toolTotal += Seconds(tool);
        shellTotal += Seconds(shell);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["tool_ms"] = 1000 * toolTotal / n;
    state.counters["shell_ms"] = 1000 * shellTotal / n;
    state.counters["ratio"] = toolTotal / shellTotal;
}

std::string Tool(const std::string& args) {
    return std::string(KIVRUN_TOOL_PATH) + " " + args;
}

std::string Shell(const std::string& options, const std::string& sql) {
    return "sqlite3 " + options + " " + Quoted(LargeLog(kEntries)) + " \"" + sql + "\"";
}

// The log's order, newest first, every column.
const char* kAll = "SELECT * FROM [Log Entry] ORDER BY Date DESC, EntryID DESC";

void BM_ListVsShell(benchmark::State& state) {
    Compare(state, Tool("list " + Quoted(LargeLog(kEntries)) + " > /dev/null"),
            Shell("-separator '\t'", kAll) + " > /dev/null");
}
BENCHMARK(BM_ListVsShell)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExportTextVsShell(benchmark::State& state) {
    const std::string out = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                            "/kivrun-bench-out.txt";
    Compare(state, Tool("export " + Quoted(LargeLog(kEntries)) + " " + out + " > /dev/null"),
            Shell("-separator '\t'", kAll) + " > " + out);
}
BENCHMARK(BM_ExportTextVsShell)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ExportHtmlVsShellHtml(benchmark::State& state) {
    const std::string out = std::string(std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp") +
                            "/kivrun-bench-out.htm";
    Compare(state, Tool("export " + Quoted(LargeLog(kEntries)) + " " + out + " > /dev/null"),
            Shell("-html", kAll) + " > " + out);
}
BENCHMARK(BM_ExportHtmlVsShellHtml)->Unit(benchmark::kMillisecond)->Iterations(3);

// The shell does the totals window's job with its own date functions: the rows of the date
// range, their sport's name and distance unit, grouped by year, week and sport in sport order.
void BM_TotalsByWeekVsShell(benchmark::State& state) {
    Compare(state, Tool("totals " + Quoted(LargeLog(kEntries)) + " week > /dev/null"),
            Shell("-separator '\t'",
                  "SELECT strftime('%Y', Date + 2415018.5) AS y, strftime('%W', Date + "
                  "2415018.5) AS w, e.SptAbbrev, s.SptName, u.DistanceShortName, "
                  "sum(Distance), sum(Time), count(*) FROM [Log Entry] e LEFT JOIN Sports s "
                  "ON e.SptAbbrev = s.SptAbbrev LEFT JOIN [Distance Units] u ON u.DistanceID "
                  "= s.DistanceID WHERE Date BETWEEN 0 AND 2958465 GROUP BY y, w, "
                  "e.SptAbbrev, s.SptName, u.DistanceShortName, s.[Order] ORDER BY y, w, "
                  "s.[Order]") +
                " > /dev/null");
}
BENCHMARK(BM_TotalsByWeekVsShell)->Unit(benchmark::kMillisecond)->Iterations(5);

// The .xlsx of the whole log beside the shell writing the same rows as CSV: the date, the
// sport's and class's names, distance and its unit, time, pace, both optional values, route
// and notes, in the log's order.
void BM_ExportXlsxVsShellCsv(benchmark::State& state) {
    const std::string tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    Compare(state,
            Tool("export " + Quoted(LargeLog(kEntries)) + " " + tmp +
                 "/kivrun-bench-out.xlsx > /dev/null"),
            Shell("-csv -header",
                  "SELECT e.Date, s.SptName, t.TypeName, e.Distance, u.DistanceName, e.Time, "
                  "e.Pace, e.OptionalOne, e.OptionalTwo, e.Route, e.Notes FROM [Log Entry] e "
                  "LEFT JOIN Sports s ON s.SptAbbrev = e.SptAbbrev LEFT JOIN [Training Types] t "
                  "ON t.TypeAbbrev = e.TrainingTypeAbbrev LEFT JOIN [Distance Units] u ON "
                  "u.DistanceID = s.DistanceID ORDER BY e.Date DESC, e.EntryID DESC") +
                " > " + tmp + "/kivrun-bench-out.csv");
}
BENCHMARK(BM_ExportXlsxVsShellCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

// Peak memory of a workbook export of the whole log, in MB, as /usr/bin/time reads it.
void BM_ExportXlsxPeakMemory(benchmark::State& state) {
    const std::string tmp = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
    const std::string out = tmp + "/kivrun-bench-out.xlsx";
    const std::string report = tmp + "/kivrun-bench-xlsx-memory";
    double seconds = 0;
    for (auto _ : state)
        seconds +=
            Seconds("/usr/bin/time -f %M -o " + report + " " +
                    Tool("export " + Quoted(LargeLog(kEntries)) + " " + out) + " > /dev/null");
    std::ifstream in(report);
    double kb = 0;
    in >> kb;
    state.counters["tool_ms"] = 1000 * seconds / static_cast<double>(state.iterations());
    state.counters["peak_MB"] = kb / 1024.0;
}
BENCHMARK(BM_ExportXlsxPeakMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

// The forward-only reader over the whole filtered set, in the process.
void BM_ReadAllRowsForwardOnly(benchmark::State& state) {
    SilentUserInterface ui;
    CTamselDoc doc(ui);
    doc.OnOpenDocument(LargeLog(kEntries), CTamselDoc::OpenMode::ReadOnly);
    for (auto _ : state) {
        double total = 0;
        EntryReader rows = doc.ReadEntries();
        for (EntryRow row; rows.Next(row);)
            total += row.time;
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadAllRowsForwardOnly)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kivrun::bench
