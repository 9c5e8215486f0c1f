#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>

#include "output/WorkbookContent.h"

namespace kivrun {

// An Excel 97-2003 workbook: BIFF8 records in a compound file. Rows and columns beyond
// what the format holds throw std::length_error before anything is written.
void WriteXls(const WorkbookContent& content, std::ostream& out);

// The "Workbook" stream alone: globals, shared strings and one substream per sheet.
std::string BiffWorkbookStream(const WorkbookContent& content);

constexpr std::size_t kXlsMaxRows = 65536;  // the field names included
constexpr std::size_t kXlsMaxColumns = 256;

}  // namespace kivrun
