#pragma once

#include <string>

namespace kivrun::bench {

// A log of n workouts over several sports, written straight into the tables in one
// transaction. Made once per path and reused by later runs.
std::string LargeLog(int entries);

}  // namespace kivrun::bench
