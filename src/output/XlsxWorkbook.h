#pragma once

#include <cstddef>
#include <ostream>

#include "output/WorkbookContent.h"

namespace kivrun {

// An Excel workbook (.xlsx) written to out as it is read from the content: the rows stream
// through compression into the package, so memory stays flat however long the log. Short
// texts are shared, longer ones written in their cells. Throws std::length_error, before
// writing anything, when a sheet has more rows than the format holds, and std::runtime_error
// or the stream's own exception when writing fails.
void WriteXlsx(const WorkbookContent& content, std::ostream& out);

constexpr std::size_t kXlsxMaxRows = 1048576;  // the field names included

}  // namespace kivrun
