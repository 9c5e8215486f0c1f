#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace kivrun::controls {

// Width in pixels of a text in the font it is drawn with.
using TextWidth = std::function<int(std::u16string_view)>;

// A cell text made to fit its column: unchanged when its width plus the margin fits, else
// cut at the end and followed by "..." so that the whole, margin included, fits. At least
// one character is kept, so a very narrow column still shows where a text begins.
std::u16string ShortenToFit(std::u16string_view text, int columnWidth, const TextWidth& width,
                            int margin = 4);

}  // namespace kivrun::controls
