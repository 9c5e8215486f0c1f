#include "print/ui/CharWidths.h"

#include <QString>
#include <cmath>

namespace kivrun {

CharWidths::CharWidths(const QFont& font) : metrics_(font) {}

qreal CharWidths::Advance(char32_t c, std::u16string_view text, std::size_t at) {
    if (c > 0xFFFF) {
        auto it = others_.find(c);
        if (it == others_.end())
            it =
                others_
                    .emplace(c, metrics_.horizontalAdvance(QString::fromUtf16(text.data() + at, 2)))
                    .first;
        return it->second;
    }
    auto& block = blocks_[c >> 8];
    if (!block) {
        block = std::make_unique<std::array<float, 256>>();
        block->fill(-1);
    }
    float& w = (*block)[c & 0xFF];
    if (w < 0) w = static_cast<float>(metrics_.horizontalAdvance(QChar(static_cast<char16_t>(c))));
    return w;
}

qreal CharWidths::WidthF(std::u16string_view text) {
    qreal width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1])) {
            width += Advance(QChar::surrogateToUcs4(c, text[i + 1]), text, i);
            ++i;
        } else {
            width += Advance(c, text, i);
        }
    }
    return width;
}

int CharWidths::Width(std::u16string_view text) {
    return static_cast<int>(std::ceil(WidthF(text)));
}

controls::TextWidth CharWidths::Measure() {
    return [this](std::u16string_view text) { return Width(text); };
}

}  // namespace kivrun
