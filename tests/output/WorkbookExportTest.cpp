#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "output/BiffWorkbook.h"
#include "output/CompoundFile.h"
#include "output/PythonCheck.h"
#include "output/WorkbookContent.h"
#include "output/XlsxWorkbook.h"
#include "store/Database.h"
#include "store/EventsSet.h"
#include "support/DocFixture.h"
#include "views/LogListCells.h"

namespace kivrun {
namespace {

using test::Entry;

// Follows the records xlrd skips: every record within the size limit, each sheet's
// position on its BOF, INDEX on its DBCELLs, each DBCELL back to its ROWs and on to each
// row's first cell, and EXTSST on the strings it names.
const char* kBiffStructure = R"PY(
import os, struct, sys, xlrd
from xlrd import compdoc
mem = open(sys.argv[1], 'rb').read()
stream = compdoc.CompDoc(mem, logfile=open(os.devnull, 'w')).get_named_stream('Workbook')
book = xlrd.open_workbook(sys.argv[1], on_demand=True)  # keeps the shared strings
errors = []
records, pos = {}, 0
while pos + 4 <= len(stream):
    rtype, size = struct.unpack_from('<HH', stream, pos)
    if size > 8224: errors.append('record %04x at %d has %d bytes' % (rtype, pos, size))
    records[pos] = (rtype, stream[pos + 4:pos + 4 + size])
    pos += 4 + size
    if rtype == 0 and size == 0: break  # padding after the last sheet
kind = lambda at: records.get(at, (None,))[0]
for at, (rtype, data) in list(records.items()):
    if rtype == 0x0085:
        if kind(struct.unpack_from('<I', data)[0]) != 0x0809: errors.append('sheet not at a BOF')
    if rtype == 0x020B:
        first, end, defcol = struct.unpack_from('<III', data, 4)
        if kind(defcol) != 0x0055: errors.append('INDEX misses DEFCOLWIDTH')
        for (cell,) in struct.iter_unpack('<I', data[16:]):
            if kind(cell) != 0x00D7: errors.append('INDEX entry not at a DBCELL'); continue
            dbdata = records[cell][1]
            row_at = cell - struct.unpack_from('<I', dbdata)[0]
            rows, p = [], row_at
            while kind(p) == 0x0208:
                rows.append(struct.unpack_from('<H', records[p][1])[0])
                p += 4 + len(records[p][1])
            at_cell = row_at + 4 + 16
            for n, (offset,) in enumerate(struct.iter_unpack('<H', dbdata[4:])):
                at_cell += offset
                if kind(at_cell) not in (0x0203, 0x00FD):
                    errors.append('DBCELL offset not at a cell'); break
                if struct.unpack_from('<H', records[at_cell][1])[0] != rows[n]:
                    errors.append('DBCELL cell in the wrong row')
    if rtype == 0x00FF:
        per = struct.unpack_from('<H', data)[0]
        for n, (ib, cb, _) in enumerate(struct.iter_unpack('<IHH', data[2:])):
            if ib - cb not in records or kind(ib - cb) not in (0x00FC, 0x003C):
                errors.append('EXTSST not in SST'); continue
            if struct.unpack_from('<H', stream, ib)[0] != len(book._sharedstrings[n * per]):
                errors.append('EXTSST names the wrong string')
print('\n'.join(errors[:5]) or 'ok')
)PY";

const char* kXlsxDump = R"PY(
import sys, datetime, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
limit = int(sys.argv[2]) if len(sys.argv) > 2 else None
def cell(c):
    v = c.value
    if v is None: return 'B:'
    if isinstance(v, str): return 'T:' + v
    if isinstance(v, datetime.datetime) and c.number_format == 'm/dd/yyyy':
        return 'D:' + v.strftime('%Y-%m-%d')
    # A duration past a day may come back as a date of early 1900 (day 1 is 1900-01-01).
    if isinstance(v, datetime.datetime): s = (v - datetime.datetime(1899, 12, 31)).total_seconds()
    elif isinstance(v, datetime.timedelta): s = v.total_seconds()
    elif isinstance(v, datetime.time): s = v.hour * 3600 + v.minute * 60 + v.second
    elif isinstance(v, (int, float)) and c.number_format == 'General': return 'N:' + repr(v)
    else: return '?:' + repr(v) + ' ' + c.number_format
    return '%s=%d' % (c.number_format, round(s))
out = []
for s in book.worksheets:
    rows = list(s.iter_rows())
    out.append('== %s %d x %d' % (s.title, len(rows), s.max_column))
    if limit is not None and len(rows) > limit: rows = rows[:limit] + rows[-1:]
    for r in rows:
        out.append(' | '.join(cell(c) for c in r))
sys.stdout.buffer.write(('\n'.join(out) + '\n').encode('utf-8'))
)PY";

// Where two long texts first differ, without printing them whole.
::testing::AssertionResult SameText(const std::string& got, const std::string& want) {
    if (got == want) return ::testing::AssertionSuccess();
    const size_t at =
        std::mismatch(got.begin(), got.end(), want.begin(), want.end()).first - got.begin();
    const size_t from = at < 40 ? 0 : at - 40;
    return ::testing::AssertionFailure()
           << "differs at byte " << at << " of " << got.size() << " (expected " << want.size()
           << ")\n got: ..." << got.substr(from, 120) << "\nwant: ..." << want.substr(from, 120);
}

std::string Repeat(const std::string& s, int times) {
    std::string out;
    while (times-- > 0)
        out += s;
    return out;
}

const std::string kLogHeader =
    "T:Date | T:Sport | T:Class | T:Distance | T:Time | T:Pace | T:AHR | T:Weight | T:Route | "
    "T:Notes\n";

const std::string kXlsxLogHeader =
    "T:Date | T:Sport | T:Class | T:Distance | T:Unit | T:Time | T:Pace | T:AHR | T:Weight | "
    "T:Route | T:Notes\n";

class WorkbookExportTest : public test::DocFixture {
  protected:
    // Writes the document's workbook in the format of the extension.
    std::string Export(const std::string& extension) {
        const std::string file = dir.File("book" + extension);
        LogListCells cells;
        cells.Refresh(doc->GetCatalog());
        const bool xlsx = extension == ".xlsx";
        const WorkbookContent content =
            BuildWorkbookContent(*doc, cells, xlsx ? WorkbookFlavour::Typed : WorkbookFlavour::Xls);
        std::ofstream out(file, std::ios::binary);
        if (xlsx)
            WriteXlsx(content, out);
        else
            WriteXls(content, out);
        return file;
    }
    // The workbook read back (an .xls with xlrd, an .xlsx with openpyxl), its first rows and
    // its last; in the .xlsx a duration is its number format and its seconds
    // ("[h]:mm:ss=4500"), so a sum over the column is the total time.
    std::string Dump(const std::string& file, int rows = -1) {
        const bool xlsx = file.ends_with(".xlsx");
        const auto r =
            test::RunPython(xlsx ? kXlsxDump : test::kWorkbookDump,
                            test::ShellQuote(file) + (rows >= 0 ? " " + std::to_string(rows) : ""),
                            dir.path().string());
        EXPECT_EQ(r.status, 0) << r.out;
        return r.out;
    }
};

// In the .xlsx a sum or an average over a column is right: times and time paces are durations,
// a speed a number, a value of 0 an empty cell, the class by name, the unit in its own column.
TEST_F(WorkbookExportTest, BothWorkbooksHoldTheLogAndItsEvents) {
    WorkingEntry run = Entry(1, 5, 2026, "R", 4500, "G", 10);
    run.pace = 450;
    run.optionalOne = 150;
    run.route = "Côte d'Azur – 東京";
    doc->AddEntry(run, nullptr);
    WorkingEntry ride = Entry(1, 6, 2026, "B", 45 * 3600 + 59, "R", 45);  // past a day
    ride.pace = 30;
    ride.optionalTwo = 71.5;
    doc->AddEntry(ride, nullptr);
    WorkingEntry lift = Entry(1, 7, 2026, "W", 2700, "R", 0);
    lift.notes = "Tom & Jerry <b> _x0041_";  // not the escape form of "A"
    doc->AddEntry(lift, nullptr);
    doc->Database().sql().Exec(
        "INSERT INTO \"Calendar Events\" (SptAbbrev, Date, EventName, EventDetails, "
        "EventAffiliation) VALUES ('B', " +
        std::to_string(CDate(6, 1, 2026).ToSerial()) + ", 'Century', '', ''), ('R', " +
        std::to_string(CDate(4, 12, 2026).ToSerial()) +
        ", 'Spring 10K', 'Start 9am' || char(13, 10) || 'Bring chip', 'Club <A>')");
    doc->EventsSet().Requery();
    const std::string events =
        "== Events 3 x 5\n"
        "T:Date | T:Sport | T:Affiliation | T:Event | T:Details\n"
        "D:2026-04-12 | T:Running | T:Club <A> | T:Spring 10K | T:Start 9am.  Bring chip\n"
        "D:2026-06-01 | T:Road | B: | T:Century | B:\n";
    const std::string rows =
        "D:2026-01-07 | T:Weights | T:R | N:0.0 | T:0:45:00 | B: | N:0.0 | N:0.0 | B: | "
        "T:Tom & Jerry <b> _x0041_\n"
        "D:2026-01-06 | T:Road | T:R | N:45.0 | T:45:00:59 | T:30.0 | N:0.0 | N:71.5 | B: | B:\n"
        "D:2026-01-05 | T:Running | T:G | N:10.0 | T:1:15:00 | T:7:30 | N:150.0 | N:0.0 | "
        "T:Côte d'Azur – 東京 | B:\n";
    EXPECT_EQ(Dump(Export(".xls")), "== Training_Log 4 x 10\n" + kLogHeader + rows + events);
    EXPECT_EQ(Dump(Export(".xlsx")),
              "== Training_Log 4 x 11\n" + kXlsxLogHeader +
                  "D:2026-01-07 | T:Weights | T:Racing | B: | B: | [h]:mm:ss=2700 | B: | B: | B: | "
                  "B: | T:Tom & Jerry <b> _x0041_\n"
                  "D:2026-01-06 | T:Road | T:Racing | N:45 | T:km | [h]:mm:ss=162059 | N:30 | B: | "
                  "N:71.5 | B: | B:\n"
                  "D:2026-01-05 | T:Running | T:General | N:10 | T:miles | [h]:mm:ss=4500 | "
                  "[m]:ss=450 | N:150 | B: | T:Côte d'Azur – 東京 | B:\n" +
                  events);
    // With the filter showing nothing, the log sheet keeps its field names; events stay.
    doc->Database().sql().Exec("DELETE FROM \"Log Entry\"");
    doc->ReapplyFilter();
    EXPECT_EQ(Dump(Export(".xls")), "== Training_Log 1 x 10\n" + kLogHeader + events);
    EXPECT_EQ(Dump(Export(".xlsx")), "== Training_Log 1 x 11\n" + kXlsxLogHeader + events);
}

TEST_F(WorkbookExportTest, ThousandsOfRowsAndTextOfAnyLength) {
    doc->Database().sql().Exec(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999) "
        "INSERT INTO \"Log Entry\" (Date, SptAbbrev, TrainingTypeAbbrev, Distance, Time, Pace, "
        "Notes) SELECT " +
        std::to_string(CDate(1, 1, 2015).ToSerial()) +
        " + i, 'R', 'G', i / 4.0, 3600, 0, 'day ' || i FROM n");
    const std::string latin = Repeat("é", 9000);  // one byte a character, over several records
    const std::string notes[] = {
        Repeat("東a", 20000),  // beyond what a cell holds: 32767 UTF-16 units
        std::string(32766, 'x') + "\xF0\x9F\x98\x80",  // the cut would fall inside the pair
        latin};
    for (int i = 0; i < 3; ++i) {
        WorkingEntry e = Entry(1, 10 + i, 2026, "R", 600, "G");
        e.notes = notes[i];
        doc->AddEntry(e, nullptr);
    }
    // The .xls keeps the log's own texts; the .xlsx its typed cells.
    struct Layout {
        std::string format, head, run, last, first;
    };
    const Layout layouts[] = {
        {".xls", "== Training_Log 3004 x 10\n" + kLogHeader,
         " | T:Running | T:G | N:5.0 | T:0:10:00 | T:0:00 | N:0.0 | N:0.0 | B: | T:",
         "D:2023-03-19 | T:Running | T:G | N:749.75 | T:1:00:00 | T:0:00 | N:0.0 | N:0.0 | B: | "
         "T:day 2999\n",
         "\nD:2015-01-01 | T:Running | T:G | N:0.0 | T:1:00:00 | T:0:00 | N:0.0 | N:0.0 | B: | "
         "T:day 0\n== Events 1 x 5\n"},
        {".xlsx", "== Training_Log 3004 x 11\n" + kXlsxLogHeader,
         " | T:Running | T:General | N:5 | T:miles | [h]:mm:ss=600 | B: | B: | B: | B: | T:",
         "D:2023-03-19 | T:Running | T:General | N:749.75 | T:miles | [h]:mm:ss=3600 | B: | B: | "
         "B: | B: | T:day 2999\n",
         "\nD:2015-01-01 | T:Running | T:General | B: | B: | [h]:mm:ss=3600 | B: | B: | B: | B: | "
         "T:day 0\n== Events 1 x 5\n"},
    };
    for (const Layout& l : layouts) {
        const std::string expected = l.head + "D:2026-01-12" + l.run + latin + "\n" +
                                     "D:2026-01-11" + l.run + std::string(32766, 'x') + "\n" +
                                     "D:2026-01-10" + l.run + Repeat("東a", 16383) + "東\n" +
                                     l.last;
        const std::string file = Export(l.format);
        const std::string dump = Dump(file, 5);
        EXPECT_TRUE(SameText(dump.substr(0, expected.size()), expected)) << l.format;
        EXPECT_NE(dump.find(l.first), std::string::npos) << l.format;
        if (l.format == ".xls") {
            EXPECT_EQ(
                test::RunPython(kBiffStructure, test::ShellQuote(file), dir.path().string()).out,
                "ok\n");
        }
    }
}

TEST(WorkbookLimits, MoreRowsThanTheFormatHoldsAreRefusedBeforeWriting) {
    test::TempDir dir;
    WorkbookContent content;
    WorkbookSheet& sheet = content.sheets.emplace_back();
    sheet.name = "Training_Log";
    sheet.columns = {{"Date", CellKind::Date, 11}};
    sheet.rows.assign(kXlsMaxRows - 1, {WorkbookCell::Date(46000)});
    EXPECT_NO_THROW(BiffWorkbookStream(content));
    sheet.rows.push_back({WorkbookCell::Date(46001)});
    EXPECT_THROW(BiffWorkbookStream(content), std::length_error);
    sheet.rows.resize(kXlsxMaxRows);  // one too many with the field names
    std::ostringstream xlsx;
    EXPECT_THROW(WriteXlsx(content, xlsx), std::length_error);
    EXPECT_TRUE(xlsx.str().empty());
}

TEST(CompoundFile, StreamsOfEverySizeReadBack) {
    test::TempDir dir;
    const char* check = R"PY(
import os, sys
from xlrd import compdoc
mem = open(sys.argv[1], 'rb').read()
expected = open(sys.argv[2], 'rb').read()
got = compdoc.CompDoc(mem, logfile=open(os.devnull, 'w')).get_named_stream('Workbook')
ok = (len(mem) % 512 == 0 and got[:len(expected)] == expected and
      len(got) == max(len(expected), 4096) and not any(got[len(expected):]))
print('ok' if ok else 'differs: %d bytes read, %d written' % (len(got), len(expected)))
)PY";
    std::mt19937 random(7);
    // Up to past 109 FAT sectors, where the header's list of them runs out.
    for (size_t size : {size_t{0}, size_t{100}, size_t{4096}, size_t{4097}, size_t{8'000'000}}) {
        std::string stream(size, '\0');
        for (char& c : stream)
            c = static_cast<char>(random());
        const std::string file = dir.File("doc.bin");
        const std::string plain = dir.File("stream.bin");
        {
            std::ofstream out(file, std::ios::binary);
            WriteCompoundFile(out, "Workbook", stream);
        }
        test::WriteBytes(plain, stream);
        const auto r = test::RunPython(
            check, test::ShellQuote(file) + " " + test::ShellQuote(plain), dir.path().string());
        EXPECT_EQ(r.out, "ok\n") << size;
    }
}

}  // namespace
}  // namespace kivrun
