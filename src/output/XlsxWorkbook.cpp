#include "output/XlsxWorkbook.h"

#include <xlsxwriter.h>

#include <memory>
#include <stdexcept>

namespace kivrun {
namespace {

struct WorkbookCloser {
    void operator()(lxw_workbook* workbook) const { workbook_close(workbook); }
};

void Check(lxw_error error) {
    if (error != LXW_NO_ERROR) throw std::runtime_error(lxw_strerror(error));
}

}  // namespace

void WriteXlsx(const WorkbookContent& content, const std::string& path) {
    for (const WorkbookSheet& sheet : content.sheets) {
        if (sheet.RowCount() + 1 > kXlsxMaxRows)
            throw std::length_error("An Excel Workbook holds at most " +
                                    std::to_string(kXlsxMaxRows - 1) + " rows in a sheet; \"" +
                                    sheet.name + "\" has " + std::to_string(sheet.RowCount()));
    }
    // Rows go out as they are written (constant memory), so a large log is never held in
    // memory by the library either. Closed on every path; a workbook abandoned by an
    // exception leaves a file the caller throws away.
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    std::unique_ptr<lxw_workbook, WorkbookCloser> workbook(
        workbook_new_opt(path.c_str(), &options));
    if (!workbook) throw std::runtime_error("could not start the workbook");
    lxw_format* dates = workbook_add_format(workbook.get());
    if (!dates) throw std::runtime_error("could not make the date format");
    format_set_num_format(dates, "m/dd/yyyy");

    for (const WorkbookSheet& sheet : content.sheets) {
        lxw_worksheet* ws = workbook_add_worksheet(workbook.get(), sheet.name.c_str());
        if (!ws) throw std::runtime_error("could not add the sheet " + sheet.name);
        for (size_t c = 0; c < sheet.columns.size(); ++c) {
            const auto column = static_cast<lxw_col_t>(c);
            Check(worksheet_set_column(ws, column, column, sheet.columns[c].width, nullptr));
            if (!sheet.columns[c].name.empty()) {
                const WorkbookCell name = WorkbookCell::Text(sheet.columns[c].name);
                Check(worksheet_write_string(ws, 0, column, name.text.c_str(), nullptr));
            }
        }
        lxw_row_t row = 0;
        sheet.ForEachRow([&](const WorkbookRow& cells) {
            ++row;
            for (size_t c = 0; c < cells.size() && c < sheet.columns.size(); ++c) {
                const auto column = static_cast<lxw_col_t>(c);
                const WorkbookCell& cell = cells[c];
                switch (cell.kind) {
                    case CellKind::Empty:
                        break;
                    case CellKind::Number:
                        Check(worksheet_write_number(ws, row, column, cell.number, nullptr));
                        break;
                    case CellKind::Date:
                        Check(worksheet_write_number(ws, row, column, cell.number, dates));
                        break;
                    case CellKind::Text:
                        Check(worksheet_write_string(ws, row, column, cell.text.c_str(), nullptr));
                        break;
                }
            }
        });
    }
    Check(workbook_close(workbook.release()));
}

}  // namespace kivrun
