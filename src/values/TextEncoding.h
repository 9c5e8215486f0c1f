#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between the log's UTF-8 text and the UTF-16 that workbooks store.
namespace kivrun {

// Bytes that are not valid UTF-8 each become U+FFFD, so a damaged text still exports.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

// Cuts to at most `units` UTF-16 code units without splitting a surrogate pair.
void TruncateUtf16(std::u16string& text, std::size_t units);

}  // namespace kivrun
