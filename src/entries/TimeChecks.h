#pragma once

#include <array>
#include <string>
#include <string_view>

#include "values/ElapsedTime.h"

// What the entry form tells the athlete about a typed time before it is kept: how it was
// read, and whether the pace it gives is one a person reaches at all. "45:00" is 45 hours,
// not 45 minutes; a 10 km run at 270:00 per km is a slip, not a workout.
namespace kivrun {

// The paces a human workout stays within, for one pace unit, in the stored terms of that
// unit: a speed per hour, or seconds per mile, per 100 yards, per km or per 100 meters.
struct PaceBounds {
    int paceUnit;
    double lowest;
    double highest;
};

// Every pace unit's bounds: this table alone decides what is plausible.
const std::array<PaceBounds, 6>& PlausiblePaces();

// True within the unit's bounds, and for a unit without bounds (no pace).
bool IsPlausiblePace(int paceUnit, double storedPace);

// A typed time as the form reads it, in short, for the label beside the box: "45 h 00 min",
// "1 h 08 min 05 s", "7 min 30 s", "5 s". Empty for an empty text, "not a time" for text
// that reads as none.
std::string TimeAsRead(std::string_view typed);

// "45 hours", "1 hour 30 minutes", "45 seconds".
std::string TimeInWords(const CElapsedTime& time);

// The question asked before a workout of implausible pace is kept:
// "Time is 45:00:00 (45 hours). Save it anyway?"
std::string ImplausibleTimeQuestion(const CElapsedTime& time);

}  // namespace kivrun
