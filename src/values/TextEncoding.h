#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Conversions between the log's UTF-8 text and the UTF-16 that workbooks store, and the
// checks that keep every stored text valid UTF-8.
namespace kivrun {

// Bytes that are not valid UTF-8 each become U+FFFD, so a damaged text still exports.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

bool IsValidUtf8(std::string_view text);
// The text as valid UTF-8: a byte that does not start a valid sequence is read as
// Windows-1252, the code page old logs were written in. Valid text comes back as it is.
std::string Utf8OrWindows1252(std::string_view text);
// One Windows-1252 byte as UTF-8.
void AppendWindows1252(std::string& out, unsigned char byte);

// Cuts to at most `units` UTF-16 code units without splitting a surrogate pair.
void TruncateUtf16(std::u16string& text, std::size_t units);

}  // namespace kivrun
