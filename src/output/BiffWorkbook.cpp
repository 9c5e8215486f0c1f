#include "output/BiffWorkbook.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <ostream>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "output/CompoundFile.h"
#include "output/LittleEndian.h"
#include "values/TextEncoding.h"

// Record layouts follow the published BIFF8 file format.
namespace kivrun {
namespace {

// Record types.
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kDefColWidth = 0x0055;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint16_t kWindow2 = 0x023E;

// The most data one record carries; longer data goes on in CONTINUE records.
constexpr std::size_t kMaxRecordData = 8224;
constexpr std::size_t kRowsPerBlock = 32;
constexpr std::size_t kRowRecordSize = 4 + 16;

constexpr std::uint16_t kCellXf = 15;  // the first cell format after the 15 style formats
constexpr std::uint16_t kDateXf = 16;
constexpr std::uint16_t kDateFormat = 164;  // the first number format id free for our own
constexpr char16_t kDateFormatText[] = u"m/dd/yyyy";

using little_endian::Put16;
using little_endian::Put32;
using little_endian::Put8;
void PutDouble(std::string& b, double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    Put32(b, static_cast<std::uint32_t>(bits));
    Put32(b, static_cast<std::uint32_t>(bits >> 32));
}
void Patch32(std::string& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

void Record(std::string& stream, std::uint16_t type, const std::string& data) {
    Put16(stream, type);
    Put16(stream, static_cast<unsigned>(data.size()));
    stream += data;
}

// Text is stored with one byte per character when every character fits in one.
bool Compressible(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c <= 0xFF; });
}

void PutChars(std::string& b, const std::u16string& text, std::size_t from, std::size_t count,
              bool compressed) {
    for (std::size_t i = from; i < from + count; ++i) {
        if (compressed)
            Put8(b, text[i]);
        else
            Put16(b, text[i]);
    }
}

// A string with a one-byte length (sheet and font names).
void PutShortString(std::string& b, const std::u16string& text) {
    const bool compressed = Compressible(text);
    Put8(b, static_cast<unsigned>(text.size()));
    Put8(b, compressed ? 0 : 1);
    PutChars(b, text, 0, text.size(), compressed);
}

// Every distinct cell text once, in the order first used.
class SharedStrings {
  public:
    std::uint32_t Add(const std::string& utf8) {
        ++uses_;
        const auto [it, added] =
            index_.try_emplace(utf8, static_cast<std::uint32_t>(texts_.size()));
        if (added) texts_.push_back(Utf8ToUtf16(utf8));
        return it->second;
    }
    // SST, with CONTINUE records as needed, then EXTSST. The globals start the stream, so
    // positions in `stream` are stream positions.
    void Write(std::string& stream) const;

  private:
    std::unordered_map<std::string, std::uint32_t> index_;
    std::vector<std::u16string> texts_;
    std::uint32_t uses_ = 0;
};

void SharedStrings::Write(std::string& stream) const {
    const std::size_t perBucket = std::max<std::size_t>(8, texts_.size() / 128 + 1);
    std::string extsst;
    Put16(extsst, static_cast<unsigned>(perBucket));

    std::string data;
    std::uint16_t type = kSst;
    Put32(data, uses_);
    Put32(data, static_cast<std::uint32_t>(texts_.size()));
    auto flush = [&] {
        Record(stream, type, data);
        data.clear();
        type = kContinue;
    };
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        const std::u16string& text = texts_[i];
        const bool compressed = Compressible(text);
        const std::size_t charSize = compressed ? 1 : 2;
        // A string's header and its first character never part.
        if (data.size() + 3 + (text.empty() ? 0 : charSize) > kMaxRecordData) flush();
        if (i % perBucket == 0) {
            Put32(extsst, static_cast<std::uint32_t>(stream.size() + 4 + data.size()));
            Put16(extsst, static_cast<unsigned>(4 + data.size()));
            Put16(extsst, 0);
        }
        Put16(data, static_cast<unsigned>(text.size()));
        Put8(data, compressed ? 0 : 1);
        std::size_t done = 0;
        for (;;) {
            const std::size_t room = (kMaxRecordData - data.size()) / charSize;
            const std::size_t take = std::min(room, text.size() - done);
            PutChars(data, text, done, take, compressed);
            done += take;
            if (done == text.size()) break;
            // The rest goes on in a CONTINUE record that restates the character width.
            flush();
            Put8(data, compressed ? 0 : 1);
        }
    }
    flush();
    Record(stream, kExtSst, extsst);
}

// A sheet's records with the stream positions inside them counted from the sheet's start;
// `absolute` lists where such positions are, to be moved once the sheet's place is known.
struct SheetStream {
    std::string bytes;
    std::vector<std::size_t> absolute;
};

std::string Bof(unsigned kind) {
    std::string d;
    Put16(d, 0x0600);  // BIFF8
    Put16(d, kind);
    Put16(d, 0x0DBB);  // build
    Put16(d, 0x07CC);  // year
    Put32(d, 0);
    Put32(d, 0x06);  // the lowest BIFF version that reads it
    return d;
}

std::string CellHead(std::size_t row, std::size_t column, std::uint16_t xf) {
    std::string d;
    Put16(d, static_cast<unsigned>(row));
    Put16(d, static_cast<unsigned>(column));
    Put16(d, xf);
    return d;
}

// The cell record of one cell; empty for an empty cell.
std::string CellRecord(const WorkbookCell& cell, std::size_t row, std::size_t column,
                       SharedStrings& strings) {
    std::string record;
    switch (cell.kind) {
        case CellKind::Empty:
            break;
        case CellKind::Number:
        case CellKind::Duration:
        case CellKind::PaceDuration:
        case CellKind::Date: {
            std::string d = CellHead(row, column, cell.kind == CellKind::Date ? kDateXf : kCellXf);
            PutDouble(d, cell.number);
            Record(record, kNumber, d);
            break;
        }
        case CellKind::Text: {
            std::string d = CellHead(row, column, kCellXf);
            Put32(d, strings.Add(cell.text));
            Record(record, kLabelSst, d);
            break;
        }
    }
    return record;
}

SheetStream BuildSheet(const WorkbookSheet& sheet, bool first, SharedStrings& strings) {
    if (sheet.RowCount() + 1 > kXlsMaxRows)
        throw std::length_error("The Excel 97-2003 workbook holds at most " +
                                std::to_string(kXlsMaxRows - 1) + " rows in a sheet; \"" +
                                sheet.name + "\" has " + std::to_string(sheet.RowCount()) +
                                ". An Excel Workbook (.xlsx) holds them all.");
    if (sheet.columns.size() > kXlsMaxColumns)
        throw std::length_error("Too many columns for an Excel 97-2003 workbook");

    // The cells of every row that has any, with the columns they cover.
    struct Row {
        std::size_t index;
        std::size_t firstColumn;
        std::size_t endColumn;
        std::string cells;
    };
    std::vector<Row> rows;
    auto addRow = [&](std::size_t index, const std::vector<WorkbookCell>& cells) {
        Row row{index, 0, 0, {}};
        bool any = false;
        for (std::size_t c = 0; c < cells.size() && c < sheet.columns.size(); ++c) {
            const std::string record = CellRecord(cells[c], index, c, strings);
            if (record.empty()) continue;
            if (!any) row.firstColumn = c;
            row.endColumn = c + 1;
            any = true;
            row.cells += record;
        }
        if (any) rows.push_back(std::move(row));
    };
    std::vector<WorkbookCell> names;
    for (const WorkbookColumn& column : sheet.columns)
        names.push_back(WorkbookCell::Text(column.name));
    addRow(0, names);
    std::size_t r = 0;
    sheet.ForEachRow([&](const WorkbookRow& cells) { addRow(++r, cells); });

    // Rows go in blocks of 32 row numbers, each followed by a DBCELL.
    std::vector<std::vector<const Row*>> blocks;
    for (const Row& row : rows) {
        if (blocks.empty() ||
            row.index / kRowsPerBlock != blocks.back().front()->index / kRowsPerBlock)
            blocks.emplace_back();
        blocks.back().push_back(&row);
    }

    SheetStream s;
    Record(s.bytes, kBof, Bof(0x0010));
    const std::size_t firstRow = rows.empty() ? 0 : rows.front().index;
    const std::size_t endRow = rows.empty() ? 0 : rows.back().index + 1;
    std::string index;
    Put32(index, 0);
    Put32(index, static_cast<std::uint32_t>(firstRow));
    Put32(index, static_cast<std::uint32_t>(endRow));
    Put32(index, 0);  // DEFCOLWIDTH's position, set below
    for (std::size_t b = 0; b < blocks.size(); ++b)
        Put32(index, 0);  // each DBCELL's position, set below
    const std::size_t indexData = s.bytes.size() + 4;
    Record(s.bytes, kIndex, index);

    Patch32(s.bytes, indexData + 12, static_cast<std::uint32_t>(s.bytes.size()));
    s.absolute.push_back(indexData + 12);
    std::string width;
    Put16(width, 8);
    Record(s.bytes, kDefColWidth, width);
    for (std::size_t c = 0; c < sheet.columns.size(); ++c) {
        std::string info;
        Put16(info, static_cast<unsigned>(c));
        Put16(info, static_cast<unsigned>(c));
        Put16(info, static_cast<unsigned>(std::clamp(sheet.columns[c].width, 1.0, 255.0) * 256));
        Put16(info, kCellXf);
        Put16(info, 0);
        Put16(info, 0);
        Record(s.bytes, kColInfo, info);
    }

    std::size_t firstColumn = rows.empty() ? 0 : kXlsMaxColumns;
    std::size_t endColumn = 0;
    for (const Row& row : rows) {
        firstColumn = std::min(firstColumn, row.firstColumn);
        endColumn = std::max(endColumn, row.endColumn);
    }
    std::string dimensions;
    Put32(dimensions, static_cast<std::uint32_t>(firstRow));
    Put32(dimensions, static_cast<std::uint32_t>(endRow));
    Put16(dimensions, static_cast<unsigned>(firstColumn));
    Put16(dimensions, static_cast<unsigned>(endColumn));
    Put16(dimensions, 0);
    Record(s.bytes, kDimensions, dimensions);

    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::size_t firstRowRecord = s.bytes.size();
        for (const Row* row : blocks[b]) {
            std::string d;
            Put16(d, static_cast<unsigned>(row->index));
            Put16(d, static_cast<unsigned>(row->firstColumn));
            Put16(d, static_cast<unsigned>(row->endColumn));
            Put16(d, 0x00FF);  // default height
            Put16(d, 0);
            Put16(d, 0);
            Put32(d, 0x000F0100);
            Record(s.bytes, kRow, d);
        }
        // DBCELL: back to the first ROW, then from cells to cells, row by row.
        std::string dbcell;
        Put32(dbcell, 0);
        std::size_t previous = firstRowRecord + kRowRecordSize;
        for (const Row* row : blocks[b]) {
            Put16(dbcell, static_cast<unsigned>(s.bytes.size() - previous));
            previous = s.bytes.size();
            s.bytes += row->cells;
        }
        Patch32(dbcell, 0, static_cast<std::uint32_t>(s.bytes.size() - firstRowRecord));
        Patch32(s.bytes, indexData + 16 + 4 * b, static_cast<std::uint32_t>(s.bytes.size()));
        s.absolute.push_back(indexData + 16 + 4 * b);
        Record(s.bytes, kDbCell, dbcell);
    }

    std::string window;
    Put16(window, first ? 0x06B6 : 0x00B6);  // grid, headers, zeros; the first sheet selected
    Put16(window, 0);
    Put16(window, 0);
    Put16(window, 64);  // header colour: automatic
    Put16(window, 0);
    Put16(window, 0);
    Put16(window, 0);
    Put16(window, 0);
    Put16(window, 0);
    Record(s.bytes, kWindow2, window);
    Record(s.bytes, kEof, {});
    return s;
}

std::string Xf(unsigned format, unsigned protection, unsigned used) {
    std::string d;
    Put16(d, 0);  // font
    Put16(d, format);
    Put16(d, protection);
    Put8(d, 0x20);  // bottom aligned
    Put8(d, 0);
    Put8(d, 0);
    Put8(d, used);
    Put32(d, 0);  // no borders
    Put32(d, 0);
    Put16(d, 0x20C0);  // automatic pattern colours
    return d;
}

// Globals up to the sheet list; `boundSheets` receives where each sheet's position goes.
std::string Globals(const WorkbookContent& content, const SharedStrings& strings,
                    std::vector<std::size_t>& boundSheets) {
    std::string g;
    Record(g, kBof, Bof(0x0005));
    std::string codePage;
    Put16(codePage, 1200);  // UTF-16
    Record(g, kCodePage, codePage);
    std::string window;
    for (unsigned v : {0u, 0u, 0x4000u, 0x2000u, 0x0038u, 0u, 0u, 1u, 0x0258u})
        Put16(window, v);
    Record(g, kWindow1, window);
    std::string dateMode;
    Put16(dateMode, 0);  // dates count from 1900
    Record(g, kDateMode, dateMode);
    // Font 4 is never read, so four fonts cover every reference.
    for (int i = 0; i < 4; ++i) {
        std::string font;
        Put16(font, 200);  // 10 points
        Put16(font, 0);
        Put16(font, 0x7FFF);
        Put16(font, 400);
        Put16(font, 0);
        Put8(font, 0);
        Put8(font, 2);  // swiss
        Put8(font, 0);
        Put8(font, 0);
        PutShortString(font, u"Arial");
        Record(g, kFont, font);
    }
    std::string format;
    Put16(format, kDateFormat);
    const std::u16string pattern = kDateFormatText;
    Put16(format, static_cast<unsigned>(pattern.size()));
    Put8(format, 0);
    PutChars(format, pattern, 0, pattern.size(), true);
    Record(g, kFormat, format);
    Record(g, kXf, Xf(0, 0xFFF5, 0x00));
    for (int i = 1; i < 15; ++i)
        Record(g, kXf, Xf(0, 0xFFF5, 0xF4));
    Record(g, kXf, Xf(0, 0x0001, 0x00));
    Record(g, kXf, Xf(kDateFormat, 0x0001, 0x04));
    std::string style;
    Put16(style, 0x8000);  // built-in "Normal" on the first format
    Put8(style, 0);
    Put8(style, 0xFF);
    Record(g, kStyle, style);
    for (const WorkbookSheet& sheet : content.sheets) {
        std::string bound;
        Put32(bound, 0);
        Put8(bound, 0);  // visible
        Put8(bound, 0);  // worksheet
        std::u16string name = Utf8ToUtf16(sheet.name);
        TruncateUtf16(name, 31);
        PutShortString(bound, name);
        boundSheets.push_back(g.size() + 4);
        Record(g, kBoundSheet, bound);
    }
    strings.Write(g);
    Record(g, kEof, {});
    return g;
}

}  // namespace

std::string BiffWorkbookStream(const WorkbookContent& content) {
    SharedStrings strings;
    std::vector<SheetStream> sheets;
    for (std::size_t i = 0; i < content.sheets.size(); ++i)
        sheets.push_back(BuildSheet(content.sheets[i], i == 0, strings));
    std::vector<std::size_t> boundSheets;
    std::string stream = Globals(content, strings, boundSheets);
    std::size_t total = stream.size();
    for (const SheetStream& sheet : sheets)
        total += sheet.bytes.size();
    // Records point at each other with 32-bit stream positions.
    if (total > 0xFFFFFFFFu) throw std::length_error("The workbook is too large");
    for (std::size_t i = 0; i < sheets.size(); ++i) {
        const std::size_t base = stream.size();
        Patch32(stream, boundSheets[i], static_cast<std::uint32_t>(base));
        for (std::size_t at : sheets[i].absolute) {
            std::uint32_t v = 0;
            for (int k = 3; k >= 0; --k)
                v = (v << 8) | static_cast<unsigned char>(sheets[i].bytes[at + k]);
            Patch32(sheets[i].bytes, at, static_cast<std::uint32_t>(v + base));
        }
        stream += sheets[i].bytes;
    }
    return stream;
}

void WriteXls(const WorkbookContent& content, std::ostream& out) {
    WriteCompoundFile(out, "Workbook", BiffWorkbookStream(content));
}

}  // namespace kivrun
