#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace kivrun {

class CTamselDoc;

// A field of tab-delimited text: a tab or line break inside it would split its line, so each
// becomes a blank (a CR LF pair one blank; the Unicode line separators too).
std::string OneField(const std::string& text);

// The filtered workouts as tab-delimited text: a header of the log's field names, then one
// line per workout, each line ended by CR LF.
void ExportText(CTamselDoc& doc, std::ostream& out);

// The rows of the log list at these positions of the filtered set, in list order, as
// tab-delimited lines for the clipboard. However many rows, nothing is left out.
std::string ClipboardText(CTamselDoc& doc, std::vector<long> positions);

}  // namespace kivrun
