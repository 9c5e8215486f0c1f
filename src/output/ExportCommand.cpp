#include "output/ExportCommand.h"

#include <cerrno>
#include <fstream>
#include <functional>
#include <system_error>

#include "document/TamselDoc.h"
#include "output/BiffWorkbook.h"
#include "output/HtmlExport.h"
#include "output/TextExport.h"
#include "output/WorkbookContent.h"
#include "output/WorkbookEquipment.h"
#include "output/XlsxWorkbook.h"
#include "store/ReplacementFile.h"
#include "views/LogListCells.h"

namespace kivrun {

const char kExportFilter[] =
    "HTML File (*.htm)|*.htm|Tab Delimited Text File (*.txt)|*.txt|Excel Spreadsheet "
    "(*.xls)|*.xls|Excel Workbook (*.xlsx)|*.xlsx||";

namespace {

// Writes through a stream that stops at the first failed write, with the system's reason.
void WriteStream(const std::string& path, const std::function<void(std::ostream&)>& write) {
    std::ofstream out;
    try {
        out.exceptions(std::ios::badbit | std::ios::failbit);
        out.open(path, std::ios::binary | std::ios::trunc);
        write(out);
        out.close();
    } catch (const std::ios_base::failure&) {
        const int error = errno;
        throw std::system_error(error ? error : EIO, std::generic_category(), path);
    }
}

void WriteFormat(CTamselDoc& doc, ExportFormat format, const std::string& path) {
    switch (format) {
        case ExportFormat::Html:
            WriteStream(path, [&](std::ostream& out) { ExportHTML(doc, out); });
            break;
        case ExportFormat::Text:
            WriteStream(path, [&](std::ostream& out) { ExportText(doc, out); });
            break;
        case ExportFormat::Xls: {
            LogListCells cells;
            cells.Refresh(doc.GetCatalog());
            const WorkbookContent content = BuildWorkbookContent(doc, cells);
            WriteStream(path, [&](std::ostream& out) { WriteXls(content, out); });
            break;
        }
        case ExportFormat::Xlsx: {
            LogListCells cells;
            cells.Refresh(doc.GetCatalog());
            WorkbookContent content = BuildWorkbookContent(doc, cells, WorkbookFlavour::Typed);
            AddEquipmentField(content, doc);
            WriteStream(path, [&](std::ostream& out) { WriteXlsx(content, out); });
            break;
        }
    }
}

}  // namespace

std::string FileExtension(const std::string& path) {
    // A "." in a folder's name is not the file's extension.
    const size_t slash = path.find_last_of('/');
    const size_t name = slash == std::string::npos ? 0 : slash + 1;
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < name) return {};
    return path.substr(dot);
}

std::optional<ExportFormat> ExportFormatOf(const std::string& extension) {
    if (extension == ".htm") return ExportFormat::Html;
    if (extension == ".txt") return ExportFormat::Text;
    if (extension == ".xls") return ExportFormat::Xls;
    if (extension == ".xlsx") return ExportFormat::Xlsx;
    return std::nullopt;
}

ExportOutcome ExportToPath(CTamselDoc& doc, const std::string& path) {
    ExportOutcome outcome{ExportOutcome::Failed, path};
    if (path.empty() || path.back() == '/') {
        outcome.result = ExportOutcome::Unsupported;
        doc.ui().ShowMessage("Nothing was exported: \"" + path + "\" names no file.");
        return outcome;
    }
    std::string extension = FileExtension(path);
    if (extension.empty()) {
        extension = ".txt";
        outcome.path += extension;
    }
    const std::optional<ExportFormat> format = ExportFormatOf(extension);
    if (!format) {
        outcome.result = ExportOutcome::Unsupported;
        doc.ui().ShowMessage("Nothing was exported: \"" + extension +
                             "\" is not a type of export.\n\nChoose a file ending in .htm, "
                             ".txt, .xls or .xlsx.");
        return outcome;
    }
    std::string error;
    {
        WaitCursor wait(doc.ui());
        try {
            ReplacementFile file(outcome.path);
            WriteFormat(doc, *format, file.TempPath());
            file.Commit();
            outcome.result = ExportOutcome::Written;
        } catch (const std::exception& e) {
            error = e.what();
        }
    }
    // Told once the wait cursor is gone.
    if (!error.empty())
        doc.ui().ShowMessage("Couldn't export the training log--Exception: " + error);
    return outcome;
}

void ExportLog(CTamselDoc& doc) {
    FileDialogRequest request;
    request.defaultExtension = ".txt";
    request.filter = kExportFilter;
    request.overwritePrompt = true;
    const std::optional<std::string> path = doc.ui().ChooseSaveFile(request);
    if (!path) return;
    if (ExportToPath(doc, *path).result == ExportOutcome::Written)
        doc.ui().ShowMessage("File Export Complete!!", MessageKind::Information);
}

}  // namespace kivrun
