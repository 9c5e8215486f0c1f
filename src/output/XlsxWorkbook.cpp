#include "output/XlsxWorkbook.h"

#include <zlib.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

#include "output/ZipArchive.h"

namespace kivrun {
namespace {

constexpr const char* kXmlHead = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
                                 "\n";
constexpr const char* kMain = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
constexpr const char* kRelations =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// Texts up to this length are kept once in the shared strings (sport, class and unit names,
// routes); longer ones (notes), and any once the table is full, are written in their cells.
// Both bounds keep the memory the export needs flat, whatever the size of the log.
constexpr std::size_t kSharedTextLength = 64;
constexpr std::size_t kSharedTexts = 16384;

// XML text: the markup characters as entities, and the control characters XML cannot hold
// in the form spreadsheets read them back from (_x0001_). A text that itself reads like that
// form ("_x0041_") has its underscore written so (_x005F_), or it would come back as "A".
void Escape(std::string& out, std::string_view text, bool attribute = false) {
    static const char* hex = "0123456789ABCDEF";
    const auto escapeForm = [&](std::size_t at) {
        if (attribute || at + 7 > text.size() || text[at + 1] != 'x' || text[at + 6] != '_')
            return false;
        for (std::size_t k = at + 2; k < at + 6; ++k)
            if (!std::isxdigit(static_cast<unsigned char>(text[k]))) return false;
        return true;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += attribute ? "&quot;" : "\"";
                break;
            case '_':
                out += escapeForm(i) ? "_x005F_" : "_";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
                    out += "_x00";
                    out += hex[(c >> 4) & 0xF];
                    out += hex[c & 0xF];
                    out += '_';
                } else {
                    out += c;
                }
        }
    }
}

// <t> keeps blanks at either end only when told to.
void TextElement(std::string& out, std::string_view text) {
    const bool blankEnds = !text.empty() && (text.front() == ' ' || text.back() == ' ' ||
                                             text.front() == '\n' || text.back() == '\n');
    out += blankEnds ? "<t xml:space=\"preserve\">" : "<t>";
    Escape(out, text);
    out += "</t>";
}

void ColumnName(std::string& out, std::size_t column) {
    char letters[4];
    int n = 0;
    for (std::size_t c = column + 1; c > 0; c = (c - 1) / 26)
        letters[n++] = static_cast<char>('A' + (c - 1) % 26);
    while (n > 0)
        out += letters[--n];
}

void Number(std::string& out, double value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void Whole(std::string& out, std::size_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

class SharedStrings {
  public:
    // The text's index, or -1 when it is written in its cell.
    long IndexOf(const std::string& text) {
        if (text.size() > kSharedTextLength) return -1;
        const auto found = index_.find(text);
        if (found != index_.end()) return found->second;
        if (texts_.size() >= kSharedTexts) return -1;
        index_.emplace(text, static_cast<long>(texts_.size()));
        texts_.push_back(text);
        return static_cast<long>(texts_.size() - 1);
    }
    std::size_t Uses() const { return uses_; }
    void Used() { ++uses_; }
    const std::vector<std::string>& Texts() const { return texts_; }

  private:
    std::unordered_map<std::string, long> index_;
    std::vector<std::string> texts_;
    std::size_t uses_ = 0;
};

class SheetWriter {
  public:
    SheetWriter(ZipArchive& zip, SharedStrings& strings) : zip_(zip), strings_(strings) {
        xml_.reserve(kFlushAt + 4096);
    }

    void Write(const WorkbookSheet& sheet, bool selected) {
        const std::size_t columns = sheet.columns.size();
        xml_ += kXmlHead;
        xml_ += "<worksheet xmlns=\"";
        xml_ += kMain;
        xml_ += "\" xmlns:r=\"";
        xml_ += kRelations;
        xml_ += "\"><dimension ref=\"A1";
        if (columns > 0) {
            xml_ += ':';
            ColumnName(xml_, columns - 1);
            Whole(xml_, sheet.RowCount() + 1);
        }
        xml_ += "\"/><sheetViews><sheetView";
        if (selected) xml_ += " tabSelected=\"1\"";
        xml_ += " workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";
        if (columns > 0) {
            xml_ += "<cols>";
            for (std::size_t c = 0; c < columns; ++c) {
                xml_ += "<col min=\"";
                Whole(xml_, c + 1);
                xml_ += "\" max=\"";
                Whole(xml_, c + 1);
                xml_ += "\" width=\"";
                Number(xml_, sheet.columns[c].width + 0.7109375);  // as Excel pads a width
                xml_ += "\" customWidth=\"1\"/>";
            }
            xml_ += "</cols>";
        }
        xml_ += "<sheetData>";
        WorkbookRow names;
        for (const WorkbookColumn& c : sheet.columns)
            names.push_back(WorkbookCell::Text(c.name));
        Row(names, columns);
        sheet.ForEachRow([&](const WorkbookRow& row) { Row(row, columns); });
        xml_ +=
            "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" "
            "bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/></worksheet>";
        zip_.Write(xml_);
        xml_.clear();
    }

  private:
    static constexpr std::size_t kFlushAt = 1 << 18;

    void Row(const WorkbookRow& cells, std::size_t columns) {
        ++row_;
        xml_ += "<row r=\"";
        Whole(xml_, row_);
        xml_ += "\">";
        for (std::size_t c = 0; c < cells.size() && c < columns; ++c)
            Cell(cells[c], c);
        xml_ += "</row>";
        if (xml_.size() >= kFlushAt) {
            zip_.Write(xml_);
            xml_.clear();
        }
    }

    void CellStart(std::size_t column, const char* attributes) {
        xml_ += "<c r=\"";
        ColumnName(xml_, column);
        Whole(xml_, row_);
        xml_ += '"';
        xml_ += attributes;
        xml_ += '>';
    }

    void Cell(const WorkbookCell& cell, std::size_t column) {
        switch (cell.kind) {
            case CellKind::Empty:
                return;
            case CellKind::Text: {
                const long index = strings_.IndexOf(cell.text);
                if (index >= 0) {
                    strings_.Used();
                    CellStart(column, " t=\"s\"");
                    xml_ += "<v>";
                    Whole(xml_, static_cast<std::size_t>(index));
                    xml_ += "</v></c>";
                } else {
                    CellStart(column, " t=\"inlineStr\"");
                    xml_ += "<is>";
                    TextElement(xml_, cell.text);
                    xml_ += "</is></c>";
                }
                return;
            }
            case CellKind::Number:
            case CellKind::Date:
            case CellKind::Duration:
            case CellKind::PaceDuration: {
                if (!std::isfinite(cell.number)) return;  // a spreadsheet number cannot be
                const char* style = cell.kind == CellKind::Date           ? " s=\"1\""
                                    : cell.kind == CellKind::Duration     ? " s=\"2\""
                                    : cell.kind == CellKind::PaceDuration ? " s=\"3\""
                                                                          : "";
                CellStart(column, style);
                xml_ += "<v>";
                Number(xml_, cell.number);
                xml_ += "</v></c>";
                return;
            }
        }
    }

    ZipArchive& zip_;
    SharedStrings& strings_;
    std::string xml_;
    std::size_t row_ = 0;
};

std::string SharedStringsXml(const SharedStrings& strings) {
    std::string xml = kXmlHead;
    xml += "<sst xmlns=\"";
    xml += kMain;
    xml += "\" count=\"";
    Whole(xml, strings.Uses());
    xml += "\" uniqueCount=\"";
    Whole(xml, strings.Texts().size());
    xml += "\">";
    for (const std::string& text : strings.Texts()) {
        xml += "<si>";
        TextElement(xml, text);
        xml += "</si>";
    }
    return xml + "</sst>";
}

// The four cell formats: general, the log's dates, durations in hours (past 24) and paces in
// minutes (past 60), so that a sum of either reads right.
std::string StylesXml() {
    return std::string(kXmlHead) + "<styleSheet xmlns=\"" + kMain +
           "\"><numFmts count=\"3\"><numFmt numFmtId=\"164\" formatCode=\"m/dd/yyyy\"/>"
           "<numFmt numFmtId=\"165\" formatCode=\"[h]:mm:ss\"/>"
           "<numFmt numFmtId=\"166\" formatCode=\"[m]:ss\"/></numFmts>"
           "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/>"
           "</font></fonts><fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
           "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
           "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border>"
           "</borders><cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" "
           "borderId=\"0\"/></cellStyleXfs><cellXfs count=\"4\">"
           "<xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/>"
           "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"165\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/>"
           "<xf numFmtId=\"166\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\" "
           "applyNumberFormat=\"1\"/></cellXfs><cellStyles count=\"1\">"
           "<cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles></styleSheet>";
}

std::string WorkbookXml(const WorkbookContent& content) {
    std::string xml = std::string(kXmlHead) + "<workbook xmlns=\"" + kMain + "\" xmlns:r=\"" +
                      kRelations + "\"><bookViews><workbookView/></bookViews><sheets>";
    for (std::size_t i = 0; i < content.sheets.size(); ++i) {
        xml += "<sheet name=\"";
        Escape(xml, content.sheets[i].name, true);
        xml += "\" sheetId=\"";
        Whole(xml, i + 1);
        xml += "\" r:id=\"rId";
        Whole(xml, i + 1);
        xml += "\"/>";
    }
    return xml + "</sheets></workbook>";
}

std::string WorkbookRelationsXml(std::size_t sheets) {
    const std::string type = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
    std::string xml = std::string(kXmlHead) +
                      "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
                      "relationships\">";
    const auto relation = [&](std::size_t id, const std::string& kind, const std::string& target) {
        xml += "<Relationship Id=\"rId";
        Whole(xml, id);
        xml += "\" Type=\"" + type + kind + "\" Target=\"" + target + "\"/>";
    };
    for (std::size_t i = 1; i <= sheets; ++i)
        relation(i, "worksheet", "worksheets/sheet" + std::to_string(i) + ".xml");
    relation(sheets + 1, "styles", "styles.xml");
    relation(sheets + 2, "sharedStrings", "sharedStrings.xml");
    return xml + "</Relationships>";
}

std::string ContentTypesXml(std::size_t sheets) {
    const std::string office = "application/vnd.openxmlformats-officedocument.spreadsheetml.";
    std::string xml =
        std::string(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" "
        "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" +
        office + "sheet.main+xml\"/>";
    for (std::size_t i = 1; i <= sheets; ++i)
        xml += "<Override PartName=\"/xl/worksheets/sheet" + std::to_string(i) +
               ".xml\" ContentType=\"" + office + "worksheet+xml\"/>";
    xml += "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + office + "styles+xml\"/>";
    xml += "<Override PartName=\"/xl/sharedStrings.xml\" ContentType=\"" + office +
           "sharedStrings+xml\"/>";
    return xml + "</Types>";
}

}  // namespace

void WriteXlsx(const WorkbookContent& content, std::ostream& out) {
    for (const WorkbookSheet& sheet : content.sheets) {
        if (sheet.RowCount() + 1 > kXlsxMaxRows)
            throw std::length_error("An Excel Workbook holds at most " +
                                    std::to_string(kXlsxMaxRows - 1) + " rows in a sheet; \"" +
                                    sheet.name + "\" has " + std::to_string(sheet.RowCount()));
    }
    // The fastest compression: most of an export's time would go into compressing the
    // sheets' markup, and a spreadsheet opens a slightly larger file just as well.
    ZipArchive zip(out, Z_BEST_SPEED);
    const std::size_t sheets = content.sheets.size();
    zip.Begin("[Content_Types].xml");
    zip.Write(ContentTypesXml(sheets));
    zip.Begin("_rels/.rels");
    zip.Write(std::string(kXmlHead) +
              "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/"
              "relationships\"><Relationship Id=\"rId1\" Type=\"" +
              kRelations + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>");
    zip.Begin("xl/workbook.xml");
    zip.Write(WorkbookXml(content));
    zip.Begin("xl/_rels/workbook.xml.rels");
    zip.Write(WorkbookRelationsXml(sheets));
    zip.Begin("xl/styles.xml");
    zip.Write(StylesXml());
    // The rows stream straight into the archive; the shared texts they name follow them.
    SharedStrings strings;
    for (std::size_t i = 0; i < sheets; ++i) {
        zip.Begin("xl/worksheets/sheet" + std::to_string(i + 1) + ".xml");
        SheetWriter(zip, strings).Write(content.sheets[i], i == 0);
    }
    zip.Begin("xl/sharedStrings.xml");
    zip.Write(SharedStringsXml(strings));
    zip.Finish();
}

}  // namespace kivrun
