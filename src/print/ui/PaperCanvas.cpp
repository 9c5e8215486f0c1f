#include "print/ui/PaperCanvas.h"

#include <QPainter>

#include "print/ui/GPrintout.h"
#include "print/ui/GlyphLine.h"

namespace kivrun {
namespace {

pdf::Rgb Rgb(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace

pdf::FontTables PdfFontTables(const QRawFont& raw) {
    pdf::FontTables font;
    font.postscriptName = (raw.familyName() + QLatin1Char('-') + raw.styleName()).toStdString();
    for (const char* tag :
         {"head", "hhea", "hmtx", "maxp", "loca", "glyf", "cvt ", "fpgm", "prep"}) {
        const QByteArray table = raw.fontTable(tag);
        if (!table.isEmpty()) font.tables[tag] = table.toStdString();
    }
    return font;
}

PainterCanvas::PainterCanvas(QPainter& painter, const std::vector<QFont>& fonts)
    : painter_(painter), fonts_(fonts) {
    if (painter.device() && painter.device()->devType() == QInternal::Printer)
        for (const QFont& font : fonts)
            lines_.push_back(std::make_unique<GlyphLine>(font));
}

PainterCanvas::~PainterCanvas() {
    EndLine();
}

void PainterCanvas::SetPen(const QColor& colour) {
    if (painter_.pen().color() == colour && painter_.pen().style() == Qt::SolidLine) return;
    EndLine();
    painter_.setPen(colour);
}

void PainterCanvas::Fill(const QRect& box, const QColor& colour) {
    EndLine();
    painter_.fillRect(box, colour);
}

void PainterCanvas::HorizontalRule(int x1, int x2, int y, int width) {
    EndLine();
    painter_.setPen(QPen(Qt::black, width));
    painter_.drawLine(x1, y, x2, y);
}

void PainterCanvas::Text(int font, qreal x, qreal y, std::u16string_view text,
                         const QColor& colour) {
    if (font < 0 || font >= static_cast<int>(fonts_.size())) return;
    if (pending_ && y != y_) EndLine();
    SetPen(colour);
    if (font != font_) {
        painter_.setFont(fonts_[static_cast<std::size_t>(font)]);
        font_ = font;
    }
    // A character the font lacks goes as text, which finds another font for it.
    if (!lines_.empty() && lines_[static_cast<std::size_t>(font)]->Add(x, text)) {
        pending_ = true;
        y_ = y;
        return;
    }
    painter_.drawText(QPointF(x, y), PaperString(text));
}

void PainterCanvas::EndLine() {
    if (!pending_) return;
    for (const auto& line : lines_)
        line->Draw(painter_, y_);
    pending_ = false;
}

void PainterCanvas::Picture(const QRect& box,
                            const std::function<void(QPainter&, const QRect&)>& draw) {
    EndLine();
    draw(painter_, box);
}

PdfCanvas::PdfCanvas(const QString& title, const std::vector<QFont>& fonts,
                     pdf::PageGeometry geometry)
    : file_(title.toStdU16String(), geometry) {
    for (const QFont& font : fonts) {
        Face face;
        face.raw = QRawFont::fromFont(font);
        face.size = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF();
        face.number = face.raw.isValid() ? file_.AddFont(PdfFontTables(face.raw)) : -1;
        failed_ = failed_ || face.number < 0;
        face.glyphs.assign(0x10000, -1);
        faces_.push_back(std::move(face));
    }
}

PdfCanvas::~PdfCanvas() = default;

std::uint16_t PdfCanvas::Glyph(Face& face, char16_t c) {
    std::int32_t& glyph = face.glyphs[c];
    if (glyph < 0) {
        glyph = 0;
        if (GlyphLine::SideBySide(c)) {
            const QList<quint32> indexes = face.raw.glyphIndexesForString(QString(QChar(c)));
            if (indexes.size() == 1 && indexes.front() <= 0xFFFF)
                glyph = static_cast<std::int32_t>(indexes.front());
        }
    }
    return static_cast<std::uint16_t>(glyph);
}

void PdfCanvas::Fill(const QRect& box, const QColor& colour) {
    file_.Fill(box.x(), box.y(), box.width(), box.height(), Rgb(colour));
}

void PdfCanvas::HorizontalRule(int x1, int x2, int y, int width) {
    file_.HorizontalRule(x1, x2, y, width, Rgb(Qt::black));
}

void PdfCanvas::Text(int font, qreal x, qreal y, std::u16string_view text, const QColor& colour) {
    if (failed_ || font < 0 || font >= static_cast<int>(faces_.size()) || text.empty()) return;
    Face& face = faces_[static_cast<std::size_t>(font)];
    run_.clear();
    for (char16_t c : text) {
        const std::uint16_t glyph = Glyph(face, c);
        if (glyph == 0) {
            failed_ = true;
            return;
        }
        run_.push_back(glyph);
    }
    file_.Text(face.number, face.size, x, y, run_, text, Rgb(colour));
}

void PdfCanvas::Picture(const QRect&, const std::function<void(QPainter&, const QRect&)>&) {
    failed_ = true;
}

std::string PdfCanvas::Finish() {
    return failed_ ? std::string() : file_.Finish();
}

}  // namespace kivrun
