#pragma once

#include <string>

namespace kivrun {

struct Catalog;
struct FilterState;

// The filter in words, as a printout's title line states it: "All workouts", or what the
// filter asks for ("Running, Swimming; Tempo; date between 1/01/2024 and 6/30/2024; route
// contains "park"").
std::string FilterDescription(const FilterState& filter, const Catalog& catalog);

// The title line over a printed list: the log's file name, then the filter in words.
std::string LogPrintTitle(const std::string& logPath, const FilterState& filter,
                          const Catalog& catalog);

}  // namespace kivrun
