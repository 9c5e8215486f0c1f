#pragma once

#include <string>

namespace kivrun {

class UserInterface;

// Writes a new, realistic log at path: six sports in miles, km, meters and none (Weights,
// with routines), routes, events, notes and optional values, and `entries` workouts over
// several years up to today. Rows go in one transaction and the week shading is worked out
// once, so a hundred thousand workouts take seconds. False after saying why.
bool WriteSampleLog(const std::string& path, int entries, unsigned seed, UserInterface& ui);

}  // namespace kivrun
