#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <array>
#include <memory>
#include <string_view>
#include <unordered_map>

#include "controls/ShortenText.h"

namespace kivrun {

// Widths of texts in one font, added up from the widths of their characters: each character
// is measured once, so measuring a text shapes nothing and costs what its length does. The
// kerning between two characters is left out; on paper that is a fraction of a unit.
class CharWidths {
  public:
    explicit CharWidths(const QFont& font);

    qreal WidthF(std::u16string_view text);
    // Rounded up, as the layouts count.
    int Width(std::u16string_view text);
    // This object as the core's measure; it must outlive the function.
    controls::TextWidth Measure();

  private:
    qreal Advance(char32_t c, std::u16string_view text, std::size_t at);

    QFontMetricsF metrics_;
    // The characters of the first plane in blocks of 256, made when first used.
    std::array<std::unique_ptr<std::array<float, 256>>, 256> blocks_;
    std::unordered_map<char32_t, qreal> others_;
};

}  // namespace kivrun
