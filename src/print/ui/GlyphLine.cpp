#include "print/ui/GlyphLine.h"

#include <QPainter>

namespace kivrun {

GlyphLine::GlyphLine(const QFont& font) : raw_(QRawFont::fromFont(font)) {}

bool GlyphLine::SideBySide(char16_t c) {
    if (QChar::isSurrogate(c)) return false;
    const QChar ch(c);
    if (ch.isMark()) return false;
    switch (ch.direction()) {
        case QChar::DirR:
        case QChar::DirAL:
        case QChar::DirRLE:
        case QChar::DirRLO:
        case QChar::DirRLI:
        case QChar::DirNSM:
            return false;
        default:
            break;
    }
    switch (ch.script()) {
        case QChar::Script_Common:
        case QChar::Script_Latin:
        case QChar::Script_Greek:
        case QChar::Script_Cyrillic:
            return true;
        default:
            return false;
    }
}

const GlyphLine::Glyph* GlyphLine::Find(char16_t c) {
    auto it = known_.find(c);
    if (it == known_.end()) {
        Glyph glyph;
        // Half a surrogate pair has no glyph of its own: the piece goes as text.
        if (raw_.isValid() && SideBySide(c)) {
            const QList<quint32> indexes = raw_.glyphIndexesForString(QString(QChar(c)));
            if (indexes.size() == 1 && indexes.front() != 0) {
                glyph.index = indexes.front();
                glyph.advance = raw_.advancesForGlyphIndexes(indexes).front().x();
            }
        }
        it = known_.emplace(c, glyph).first;
    }
    return it->second.index != 0 ? &it->second : nullptr;
}

bool GlyphLine::Add(qreal x, std::u16string_view text) {
    const qsizetype mark = glyphs_.size();
    for (char16_t c : text) {
        const Glyph* glyph = Find(c);
        if (!glyph) {
            glyphs_.resize(mark);
            positions_.resize(mark);
            return false;
        }
        glyphs_.push_back(glyph->index);
        positions_.push_back(QPointF(x, 0));
        x += glyph->advance;
    }
    return true;
}

void GlyphLine::Draw(QPainter& painter, qreal y) {
    if (glyphs_.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(glyphs_);
    run.setPositions(positions_);
    painter.drawGlyphRun(QPointF(0, y), run);
    glyphs_.clear();
    positions_.clear();
}

}  // namespace kivrun
