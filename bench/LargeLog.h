#pragma once

#include <string>

namespace kivrun::bench {

// A log of n workouts over several sports, written straight into the tables in one
// transaction. Made once per path and reused by later runs.
std::string LargeLog(int entries);
// A log of 2,000 workouts and n planned events (a few a week, over the sports, with
// affiliations and details), made once per path like the large log.
std::string EventsLog(int events);

}  // namespace kivrun::bench
