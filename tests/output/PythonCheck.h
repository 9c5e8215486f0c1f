#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string>

#include "support/RunTool.h"

namespace kivrun::test {

// out holds stdout and stderr together.
using PythonResult = test::ToolResult;

// The distribution's interpreter, where python3-xlrd is installed, before any other on PATH.
inline std::string Python() {
    return ::access("/usr/bin/python3", X_OK) == 0 ? "/usr/bin/python3" : "python3";
}

// Runs a Python script (written to scratchDir) with the arguments.
inline PythonResult RunPython(const std::string& script, const std::string& args,
                              const std::string& scratchDir) {
    const std::string file = scratchDir + "/check.py";
    std::ofstream(file, std::ios::binary) << script;
    const std::string cmd = Python() + " " + ShellQuote(file) + " " + args + " 2>&1";
    return test::RunCommand(cmd);
}

// Reads a workbook (.xls or .xlsx) with xlrd and prints every sheet: "== name rows x cols",
// then one line per row, cells separated by " | " as T:text, N:number, D:y-m-d (a date
// cell), B: (blank). With a row limit, only the first rows and the last row are printed.
inline const char* kWorkbookDump = R"PY(
import sys, xlrd
path = sys.argv[1]
limit = int(sys.argv[2]) if len(sys.argv) > 2 else None
book = xlrd.open_workbook(path)
def cell(c):
    if c.ctype == xlrd.XL_CELL_TEXT: return 'T:' + c.value
    if c.ctype == xlrd.XL_CELL_NUMBER: return 'N:' + repr(c.value)
    if c.ctype == xlrd.XL_CELL_DATE:
        y, m, d, hh, mm, ss = xlrd.xldate_as_tuple(c.value, book.datemode)
        return 'D:%d-%02d-%02d' % (y, m, d)
    if c.ctype in (xlrd.XL_CELL_EMPTY, xlrd.XL_CELL_BLANK): return 'B:'
    return '?:' + repr(c.value)
out = []
for s in book.sheets():
    out.append('== %s %d x %d' % (s.name, s.nrows, s.ncols))
    rows = range(s.nrows)
    if limit is not None and s.nrows > limit:
        rows = list(range(limit)) + [s.nrows - 1]
    for r in rows:
        out.append(' | '.join(cell(c) for c in s.row(r)))
sys.stdout.buffer.write(('\n'.join(out) + '\n').encode('utf-8'))
)PY";

}  // namespace kivrun::test
