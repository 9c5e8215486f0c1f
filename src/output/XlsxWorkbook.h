#pragma once

#include <cstddef>
#include <string>

#include "output/WorkbookContent.h"

namespace kivrun {

// An Excel workbook (.xlsx) at path, written through libxlsxwriter. Throws
// std::runtime_error with the library's reason when it cannot be written, and
// std::length_error when a sheet has more rows than the format holds.
void WriteXlsx(const WorkbookContent& content, const std::string& path);

constexpr std::size_t kXlsxMaxRows = 1048576;  // the field names included

}  // namespace kivrun
