#pragma once

#include <string_view>

#include "devices/Activity.h"

namespace kivrun::devices {

// Reads a FIT activity file held in memory, in one pass up to the data size its header
// declares. Damaged files are salvaged as far as they can be; nothing is read outside `bytes`.
Activity ReadFit(std::string_view bytes);

}  // namespace kivrun::devices
