#pragma once

#include <string_view>

#include "devices/Activity.h"

// TCX and GPX files, read by a streaming XML parser. Elements are matched by their local name,
// since every program picks its own namespace prefixes.
namespace kivrun::devices {

// One session per Activity element; laps, trackpoints and the creating device.
Activity ReadTcx(std::string_view bytes);
// One session per track; heart rate from the common extensions; distance along the points
// when the file gives none.
Activity ReadGpx(std::string_view bytes);

}  // namespace kivrun::devices
