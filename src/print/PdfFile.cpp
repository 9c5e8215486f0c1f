#include "print/PdfFile.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <optional>

namespace kivrun::pdf {
namespace {

// Fast enough for thousands of pages, and most of what a higher level would save.
constexpr int kCompression = Z_BEST_SPEED;

std::uint16_t U16(std::string_view data, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(data[at]) << 8 |
                                      static_cast<unsigned char>(data[at + 1]));
}
std::int16_t I16(std::string_view data, std::size_t at) {
    return static_cast<std::int16_t>(U16(data, at));
}
std::uint32_t U32(std::string_view data, std::size_t at) {
    return static_cast<std::uint32_t>(U16(data, at)) << 16 | U16(data, at + 2);
}
void PutU16(std::string& out, std::uint16_t v) {
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v & 0xFF);
}
void PutU32(std::string& out, std::uint32_t v) {
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
    PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
}

// A number as short as it reads: at most three decimals, no trailing zeros.
void AppendNumber(std::string& out, double value) {
    char buffer[32];
    const double rounded = std::round(value * 1000) / 1000;
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, rounded == 0 ? 0.0 : rounded,
                                   std::chars_format::fixed, 3);
    if (ec != std::errc()) {
        out += '0';
        return;
    }
    char* last = end;
    while (last[-1] == '0')
        --last;
    if (last[-1] == '.') --last;
    out.append(buffer, last);
}
void AppendInt(std::string& out, long value) {
    char buffer[24];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? end : buffer);
}
void AppendHex4(std::string& out, unsigned value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[(value >> 12) & 15];
    out += kDigits[(value >> 8) & 15];
    out += kDigits[(value >> 4) & 15];
    out += kDigits[value & 15];
}

std::string Deflate(std::string_view data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::string out(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(out.data()), &size,
                  reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()),
                  kCompression) != Z_OK)
        return {};
    out.resize(size);
    return out;
}

// An operator with its operands: "1 0 0 -1 20 30 Tm".
void AppendOperation(std::string& out, std::initializer_list<double> operands, const char* op) {
    for (double v : operands) {
        AppendNumber(out, v);
        out += ' ';
    }
    out += op;
    out += '\n';
}

void AppendColour(std::string& out, Rgb c, const char* op) {
    AppendOperation(out, {c.r / 255.0, c.g / 255.0, c.b / 255.0}, op);
}

// The measures of a TrueType font a PDF states beside it.
struct Metrics {
    int unitsPerEm = 0;
    int xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    int ascent = 0, descent = 0;
    int glyphCount = 0;
    std::vector<std::uint16_t> advances;  // every glyph's
};

const std::string* Table(const std::map<std::string, std::string>& tables, const char* tag) {
    const auto it = tables.find(tag);
    return it == tables.end() ? nullptr : &it->second;
}

std::optional<Metrics> ReadMetrics(const std::map<std::string, std::string>& tables) {
    const std::string* head = Table(tables, "head");
    const std::string* hhea = Table(tables, "hhea");
    const std::string* maxp = Table(tables, "maxp");
    const std::string* hmtx = Table(tables, "hmtx");
    if (!head || !hhea || !maxp || !hmtx || head->size() < 54 || hhea->size() < 36 ||
        maxp->size() < 6)
        return std::nullopt;
    Metrics m;
    m.unitsPerEm = U16(*head, 18);
    m.xMin = I16(*head, 36);
    m.yMin = I16(*head, 38);
    m.xMax = I16(*head, 40);
    m.yMax = I16(*head, 42);
    m.ascent = I16(*hhea, 4);
    m.descent = I16(*hhea, 6);
    m.glyphCount = U16(*maxp, 4);
    const int longMetrics = U16(*hhea, 34);
    if (m.unitsPerEm < 16 || longMetrics < 1 || longMetrics > m.glyphCount ||
        hmtx->size() < static_cast<std::size_t>(longMetrics) * 4)
        return std::nullopt;
    m.advances.resize(static_cast<std::size_t>(m.glyphCount));
    for (int g = 0; g < m.glyphCount; ++g)
        m.advances[static_cast<std::size_t>(g)] =
            U16(*hmtx, static_cast<std::size_t>(std::min(g, longMetrics - 1)) * 4);
    return m;
}

// The offsets of every glyph in the glyph table, one more than there are glyphs; empty
// when they do not fit the table.
std::vector<std::uint32_t> GlyphOffsets(const std::map<std::string, std::string>& tables,
                                        int glyphCount) {
    const std::string* head = Table(tables, "head");
    const std::string* loca = Table(tables, "loca");
    const std::string* glyf = Table(tables, "glyf");
    if (!head || !loca || !glyf || head->size() < 54) return {};
    const bool longOffsets = I16(*head, 50) == 1;
    const std::size_t count = static_cast<std::size_t>(glyphCount) + 1;
    if (loca->size() < count * (longOffsets ? 4 : 2)) return {};
    std::vector<std::uint32_t> offsets(count);
    for (std::size_t i = 0; i < count; ++i) {
        offsets[i] = longOffsets ? U32(*loca, i * 4) : 2u * U16(*loca, i * 2);
        if (offsets[i] > glyf->size() || (i > 0 && offsets[i] < offsets[i - 1])) return {};
    }
    return offsets;
}

// The glyphs a composite glyph is made of.
std::vector<std::uint16_t> Components(std::string_view glyph) {
    std::vector<std::uint16_t> parts;
    if (glyph.size() < 10 || I16(glyph, 0) >= 0) return parts;
    constexpr std::uint16_t kWords = 0x0001, kScale = 0x0008, kMore = 0x0020, kXYScale = 0x0040,
                            kTwoByTwo = 0x0080;
    std::size_t at = 10;
    for (;;) {
        if (at + 4 > glyph.size()) break;
        const std::uint16_t flags = U16(glyph, at);
        parts.push_back(U16(glyph, at + 2));
        at += 4 + ((flags & kWords) ? 4 : 2);
        if (flags & kScale)
            at += 2;
        else if (flags & kXYScale)
            at += 4;
        else if (flags & kTwoByTwo)
            at += 8;
        if (!(flags & kMore)) break;
    }
    return parts;
}

std::uint32_t Checksum(std::string_view table) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < table.size(); i += 4) {
        std::uint32_t word = 0;
        for (std::size_t k = 0; k < 4; ++k)
            word =
                word << 8 | (i + k < table.size() ? static_cast<unsigned char>(table[i + k]) : 0);
        sum += word;
    }
    return sum;
}

// Tables into one font file, as the TrueType format lays them out.
std::string Sfnt(const std::map<std::string, std::string>& tables) {
    const auto count = static_cast<std::uint16_t>(tables.size());
    std::uint16_t power = 1, log2 = 0;
    while (power * 2 <= count) {
        power = static_cast<std::uint16_t>(power * 2);
        ++log2;
    }
    std::string out;
    PutU32(out, 0x00010000);
    PutU16(out, count);
    PutU16(out, static_cast<std::uint16_t>(power * 16));
    PutU16(out, log2);
    PutU16(out, static_cast<std::uint16_t>(count * 16 - power * 16));
    std::uint32_t offset = 12 + 16u * count;
    for (const auto& [tag, data] : tables) {
        out.append(tag.data(), 4);
        PutU32(out, Checksum(data));
        PutU32(out, offset);
        PutU32(out, static_cast<std::uint32_t>(data.size()));
        offset += static_cast<std::uint32_t>((data.size() + 3) & ~std::size_t{3});
    }
    for (const auto& entry : tables) {
        out += entry.second;
        out.append((4 - entry.second.size() % 4) % 4, '\0');
    }
    return out;
}

std::string HexUtf16(std::u16string_view text) {
    std::string out = "<FEFF";
    for (char16_t c : text)
        AppendHex4(out, c);
    return out + ">";
}

}  // namespace

std::string SubsetTrueType(const std::map<std::string, std::string>& tables,
                           const std::vector<bool>& used) {
    const std::optional<Metrics> metrics = ReadMetrics(tables);
    if (!metrics) return {};
    const std::vector<std::uint32_t> offsets = GlyphOffsets(tables, metrics->glyphCount);
    if (offsets.empty()) return {};
    const std::string& glyf = *Table(tables, "glyf");
    const auto glyph = [&](std::size_t g) {
        return std::string_view(glyf).substr(offsets[g], offsets[g + 1] - offsets[g]);
    };

    const std::size_t count = static_cast<std::size_t>(metrics->glyphCount);
    std::vector<bool> keep(count, false);
    std::vector<std::size_t> todo{0};  // the missing-character glyph always stays
    for (std::size_t g = 0; g < std::min(count, used.size()); ++g)
        if (used[g]) todo.push_back(g);
    while (!todo.empty()) {
        const std::size_t g = todo.back();
        todo.pop_back();
        if (g >= count || keep[g]) continue;
        keep[g] = true;
        for (std::uint16_t part : Components(glyph(g)))
            todo.push_back(part);
    }

    std::map<std::string, std::string> out;
    std::string& newGlyf = out["glyf"];
    std::string& newLoca = out["loca"];
    for (std::size_t g = 0; g < count; ++g) {
        PutU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
        if (!keep[g]) continue;
        newGlyf += glyph(g);
        newGlyf.append((4 - newGlyf.size() % 4) % 4, '\0');
    }
    PutU32(newLoca, static_cast<std::uint32_t>(newGlyf.size()));
    std::string head = *Table(tables, "head");
    head.replace(8, 4, 4, '\0');  // the whole-file checksum, which readers do not need
    head[50] = 0;
    head[51] = 1;  // long glyph offsets
    out["head"] = head;
    for (const char* tag : {"hhea", "hmtx", "maxp", "cvt ", "fpgm", "prep"})
        if (const std::string* table = Table(tables, tag)) out[tag] = *table;
    return Sfnt(out);
}

struct File::Font {
    std::string name;
    std::map<std::string, std::string> tables;
    Metrics metrics;
    std::vector<bool> used;
    std::vector<char16_t> text;  // what each used glyph reads as
};

File::File(std::u16string title, PageGeometry geometry)
    : title_(std::move(title)), geometry_(geometry) {}

File::~File() = default;

int File::AddFont(const FontTables& font) {
    std::optional<Metrics> metrics = ReadMetrics(font.tables);
    if (!metrics || GlyphOffsets(font.tables, metrics->glyphCount).empty()) return -1;
    Font f;
    for (char c : font.postscriptName)
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')
            f.name += c;
    if (f.name.empty()) f.name = "Font";
    f.tables = font.tables;
    f.used.assign(metrics->advances.size(), false);
    f.text.assign(metrics->advances.size(), 0);
    f.metrics = std::move(*metrics);
    fonts_.push_back(std::move(f));
    return static_cast<int>(fonts_.size()) - 1;
}

void File::BeginPage() {
    content_.clear();
    inText_ = false;
    textFont_ = -1;
    fillSet_ = false;
    // Units to points, y turned to run down the page.
    content_ += "q ";
    AppendOperation(content_,
                    {geometry_.scaleX, 0, 0, -geometry_.scaleY, geometry_.left,
                     geometry_.heightPoints - geometry_.top},
                    "cm");
}

void File::CloseText() {
    if (!inText_) return;
    content_ += "ET\n";
    inText_ = false;
}

void File::SetFillColour(Rgb colour) {
    if (fillSet_ && colour == fill_) return;
    AppendColour(content_, colour, "rg");
    fill_ = colour;
    fillSet_ = true;
}

void File::Fill(double x, double y, double width, double height, Rgb colour) {
    CloseText();
    SetFillColour(colour);
    AppendOperation(content_, {x, y, width, height}, "re f");
}

void File::HorizontalRule(double x1, double x2, double y, double width, Rgb colour) {
    CloseText();
    AppendColour(content_, colour, "RG");
    AppendOperation(content_, {width}, "w");
    AppendOperation(content_, {x1, y}, "m");
    AppendOperation(content_, {x2, y}, "l S");
}

void File::Text(int font, double size, double x, double y, const std::vector<std::uint16_t>& glyphs,
                std::u16string_view text, Rgb colour) {
    if (glyphs.empty() || font < 0 || font >= static_cast<int>(fonts_.size())) return;
    Font& f = fonts_[static_cast<std::size_t>(font)];
    if (!inText_) {
        content_ += "BT\n";
        inText_ = true;
        textFont_ = -1;
    }
    SetFillColour(colour);
    if (font != textFont_ || size != textSize_) {
        content_ += "/F";
        AppendInt(content_, font);
        content_ += ' ';
        AppendOperation(content_, {size}, "Tf");
        textFont_ = font;
        textSize_ = size;
    }
    // Upright again in the page's downward units.
    content_ += "1 0 0 -1 ";  // written out: this runs for every cell of a printout
    AppendOperation(content_, {x, y}, "Tm");
    content_ += '<';
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const std::uint16_t g = glyphs[i];
        if (g >= f.used.size()) continue;
        AppendHex4(content_, g);
        if (!f.used[g]) {
            f.used[g] = true;
            f.text[g] = i < text.size() ? text[i] : 0;
        }
    }
    content_ += ">Tj\n";
}

void File::EndPage() {
    CloseText();
    content_ += "Q\n";
    pages_.push_back(Deflate(content_));
    content_.clear();
}

std::string File::Finish() {
    // Objects: 1 catalogue, 2 page tree, 3 document information, then five a font (font,
    // descendant, descriptor, program, text map), then two a page (page, content).
    std::string out = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> at(4 + 5 * fonts_.size() + 2 * pages_.size(), 0);
    int next = 1;
    const auto begin = [&](int object) {
        at[static_cast<std::size_t>(object)] = out.size();
        AppendInt(out, object);
        out += " 0 obj\n";
    };
    const auto stream = [&](const std::string& dict, const std::string& data) {
        out += dict;
        out += "/Filter /FlateDecode /Length ";
        AppendInt(out, static_cast<long>(data.size()));
        out += ">>\nstream\n";
        out += data;
        out += "\nendstream\nendobj\n";
    };
    const auto ref = [](int object) { return std::to_string(object) + " 0 R"; };

    const int catalog = next++, tree = next++, info = next++;
    const int firstFont = next;
    next += static_cast<int>(5 * fonts_.size());
    const int firstPage = next;

    begin(catalog);
    out += "<</Type /Catalog /Pages " + ref(tree) + ">>\nendobj\n";
    begin(tree);
    out += "<</Type /Pages /Count " + std::to_string(pages_.size()) + " /Kids [";
    for (std::size_t p = 0; p < pages_.size(); ++p)
        out += ref(firstPage + 2 * static_cast<int>(p)) + " ";
    out += "]>>\nendobj\n";
    begin(info);
    out += "<</Title " + HexUtf16(title_) + " /Producer " + HexUtf16(u"Kivrun") + ">>\nendobj\n";

    std::string resources = "<</Font <<";
    for (std::size_t i = 0; i < fonts_.size(); ++i) {
        const Font& f = fonts_[i];
        const int o = firstFont + 5 * static_cast<int>(i);
        const std::string name =
            std::string("KIVRA") + static_cast<char>('A' + i % 26) + "+" + f.name;
        const Metrics& m = f.metrics;
        const auto em = [&](int v) {
            return std::to_string(std::lround(v * 1000.0 / m.unitsPerEm));
        };
        resources += "/F" + std::to_string(i) + " " + ref(o) + " ";

        begin(o);
        out += "<</Type /Font /Subtype /Type0 /BaseFont /" + name +
               " /Encoding /Identity-H /DescendantFonts [" + ref(o + 1) + "] /ToUnicode " +
               ref(o + 4) + ">>\nendobj\n";
        begin(o + 1);
        out += "<</Type /Font /Subtype /CIDFontType2 /BaseFont /" + name +
               " /CIDSystemInfo <</Registry (Adobe) /Ordering (Identity) /Supplement 0>>"
               " /FontDescriptor " +
               ref(o + 2) + " /CIDToGIDMap /Identity /W [";
        for (std::size_t g = 0; g < f.used.size(); ++g) {
            if (!f.used[g]) continue;
            out += std::to_string(g) + " [";
            for (; g < f.used.size() && f.used[g]; ++g)
                out += em(m.advances[g]) + " ";
            out += "] ";
        }
        out += "]>>\nendobj\n";
        begin(o + 2);
        out += "<</Type /FontDescriptor /FontName /" + name + " /Flags 32 /FontBBox [" +
               em(m.xMin) + " " + em(m.yMin) + " " + em(m.xMax) + " " + em(m.yMax) +
               "] /ItalicAngle 0 /Ascent " + em(m.ascent) + " /Descent " + em(m.descent) +
               " /CapHeight " + em(m.ascent) + " /StemV 80 /FontFile2 " + ref(o + 3) +
               ">>\nendobj\n";
        const std::string program = SubsetTrueType(f.tables, f.used);
        if (program.empty()) return {};
        begin(o + 3);
        stream("<</Length1 " + std::to_string(program.size()) + " ", Deflate(program));

        std::string map =
            "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
            "/CIDSystemInfo <</Registry (Adobe) /Ordering (UCS) /Supplement 0>> def\n"
            "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
            "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
        std::vector<std::size_t> mapped;
        for (std::size_t g = 0; g < f.used.size(); ++g)
            if (f.used[g] && f.text[g] != 0) mapped.push_back(g);
        for (std::size_t i = 0; i < mapped.size(); i += 100) {
            const std::size_t n = std::min<std::size_t>(100, mapped.size() - i);
            map += std::to_string(n) + " beginbfchar\n";
            for (std::size_t k = i; k < i + n; ++k) {
                map += '<';
                AppendHex4(map, static_cast<unsigned>(mapped[k]));
                map += "> <";
                AppendHex4(map, f.text[mapped[k]]);
                map += ">\n";
            }
            map += "endbfchar\n";
        }
        map += "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
        begin(o + 4);
        stream("<<", Deflate(map));
    }
    resources += ">> >>";

    std::string box = "[0 0 ";
    AppendNumber(box, geometry_.widthPoints);
    box += ' ';
    AppendNumber(box, geometry_.heightPoints);
    box += ']';
    for (std::size_t p = 0; p < pages_.size(); ++p) {
        const int o = firstPage + 2 * static_cast<int>(p);
        begin(o);
        out += "<</Type /Page /Parent " + ref(tree) + " /MediaBox " + box + " /Resources " +
               resources + " /Contents " + ref(o + 1) + ">>\nendobj\n";
        begin(o + 1);
        stream("<<", pages_[p]);
    }

    const std::size_t xref = out.size();
    out += "xref\n0 " + std::to_string(at.size()) + "\n0000000000 65535 f \n";
    char line[24];
    for (std::size_t o = 1; o < at.size(); ++o) {
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", at[o]);
        out += line;
    }
    out += "trailer\n<</Size " + std::to_string(at.size()) + " /Root " + ref(catalog) + " /Info " +
           ref(info) + ">>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

}  // namespace kivrun::pdf
