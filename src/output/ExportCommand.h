#pragma once

#include <optional>
#include <string>

namespace kivrun {

class CTamselDoc;

enum class ExportFormat { Html, Text, Xls, Xlsx };

// The Save dialog's choices, in the dialog's filter form.
extern const char kExportFilter[];

// The extension of a path's file name, from its last "."; empty when the name has none.
std::string FileExtension(const std::string& path);
// ".htm", ".txt", ".xls" and ".xlsx", compared exactly; anything else is no format.
std::optional<ExportFormat> ExportFormatOf(const std::string& extension);

struct ExportOutcome {
    enum Result { Written, Unsupported, Failed };
    Result result = Failed;
    std::string path;  // the file written or tried: a name without extension gets ".txt"
};

// Writes the filtered log to path in the format its extension names (a name without one is
// written as text). The file appears only when complete, replacing any file there; an
// existing file is kept when the export fails. Failures and unsupported extensions are told
// through the document's UserInterface.
ExportOutcome ExportToPath(CTamselDoc& doc, const std::string& path);

// File > Export: asks where, exports, and says "File Export Complete!!" when done.
void ExportLog(CTamselDoc& doc);

}  // namespace kivrun
