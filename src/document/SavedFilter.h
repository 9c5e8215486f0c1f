#pragma once

#include <string>

namespace kivrun {

class CTamselDoc;

// Applies a saved filter text as the Update button does after Show All is unticked. Used
// where a filter comes from a command line rather than the filter bar.
void ApplyFilterText(CTamselDoc& doc, const std::string& state);

}  // namespace kivrun
