#pragma once

#include <QFont>
#include <QGlyphRun>
#include <QPointF>
#include <QRawFont>
#include <QVector>
#include <string_view>
#include <unordered_map>

class QPainter;

namespace kivrun {

// Pieces of text on one base line, in one font, drawn as a single run of glyphs. A printed
// list draws tens of cells a line and thousands of lines a printout: a run a line costs the
// printer what a single cell did, and each character is looked up once rather than shaped in
// every cell. Pieces are placed where the caller says, characters side by side at their own
// advances (no kerning, no ligatures: a list's cells are names and numbers).
class GlyphLine {
  public:
    explicit GlyphLine(const QFont& font);
    // Whether a character can go side by side with the others: not one of a script written
    // right to left or whose letters join or stack, nor a mark set over another character.
    // The others go as text, which is laid out as a whole.
    static bool SideBySide(char16_t c);

    // Adds a piece starting at x; false (and nothing added) when the font has no glyph for
    // one of its characters: such a piece is drawn as text, which finds another font for it.
    bool Add(qreal x, std::u16string_view text);
    bool Empty() const { return glyphs_.isEmpty(); }
    // Draws what was added on the base line at y, then starts afresh.
    void Draw(QPainter& painter, qreal y);

  private:
    struct Glyph {
        quint32 index = 0;
        qreal advance = 0;
    };
    const Glyph* Find(char16_t c);

    QRawFont raw_;
    std::unordered_map<char16_t, Glyph> known_;
    QVector<quint32> glyphs_;
    QVector<QPointF> positions_;
};

}  // namespace kivrun
