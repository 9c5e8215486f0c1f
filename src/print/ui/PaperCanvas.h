#pragma once

#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "print/PdfFile.h"

class QPainter;

namespace kivrun {

class GlyphLine;

// The tables of a font that a PDF embeds it with.
pdf::FontTables PdfFontTables(const QRawFont& font);

// What a printout of text, rules and fills draws its pages on, in print units: a painter
// (the preview, a printer), or a PDF written directly. Fonts go by their number in the list
// the canvas was made with.
class PaperCanvas {
  public:
    virtual ~PaperCanvas() = default;
    virtual void Fill(const QRect& box, const QColor& colour) = 0;
    virtual void HorizontalRule(int x1, int x2, int y, int width) = 0;
    // A piece of text with its left end at x on the base line y.
    virtual void Text(int font, qreal x, qreal y, std::u16string_view text,
                      const QColor& colour) = 0;
    // The end of a printed line: what was gathered for it goes out.
    virtual void EndLine() {}
    // A picture a painter draws into the box.
    virtual void Picture(const QRect& box,
                         const std::function<void(QPainter&, const QRect&)>& draw) = 0;
};

// A canvas over a painter already set to print units. On a printer (and so in Qt's PDF) a
// line's pieces in one font go as one run of glyphs; elsewhere text is drawn as text.
class PainterCanvas : public PaperCanvas {
  public:
    PainterCanvas(QPainter& painter, const std::vector<QFont>& fonts);
    ~PainterCanvas() override;
    void Fill(const QRect& box, const QColor& colour) override;
    void HorizontalRule(int x1, int x2, int y, int width) override;
    void Text(int font, qreal x, qreal y, std::u16string_view text, const QColor& colour) override;
    void EndLine() override;
    void Picture(const QRect& box,
                 const std::function<void(QPainter&, const QRect&)>& draw) override;

  private:
    void SetPen(const QColor& colour);

    QPainter& painter_;
    const std::vector<QFont>& fonts_;
    std::vector<std::unique_ptr<GlyphLine>> lines_;  // none when text is drawn as text
    int font_ = -1;
    qreal y_ = 0;
    bool pending_ = false;
};

// A canvas that writes a PDF itself. It fails, and the printout goes through the painter
// instead, when a font is not one it can embed, a character is not in its font, or there
// is a picture.
class PdfCanvas : public PaperCanvas {
  public:
    PdfCanvas(const QString& title, const std::vector<QFont>& fonts, pdf::PageGeometry geometry);
    ~PdfCanvas() override;
    void BeginPage() { file_.BeginPage(); }
    void EndPage() { file_.EndPage(); }
    bool Failed() const { return failed_; }
    // The whole file; empty when it failed.
    std::string Finish();

    void Fill(const QRect& box, const QColor& colour) override;
    void HorizontalRule(int x1, int x2, int y, int width) override;
    void Text(int font, qreal x, qreal y, std::u16string_view text, const QColor& colour) override;
    void Picture(const QRect& box,
                 const std::function<void(QPainter&, const QRect&)>& draw) override;

  private:
    struct Face {
        QRawFont raw;
        int number = -1;                   // in the file
        double size = 0;                   // print units
        std::vector<std::int32_t> glyphs;  // of the first plane's characters, -1 unknown, 0 none
    };
    std::uint16_t Glyph(Face& face, char16_t c);

    pdf::File file_;
    std::vector<Face> faces_;
    std::vector<std::uint16_t> run_;
    bool failed_ = false;
};

}  // namespace kivrun
