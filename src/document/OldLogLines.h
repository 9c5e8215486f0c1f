#pragma once

#include <cstddef>
#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivrun {

// The lines of a text log written by the previous version of the program.
//
// Those files come from another platform and may have been edited by hand, so any bytes are
// accepted: LF, CR LF and CR line ends, a last line without one, NUL bytes (dropped) and text
// that is not UTF-8. A byte that does not start a valid UTF-8 sequence is read as
// Windows-1252, the code page the old program wrote in, so every line comes out as valid
// UTF-8. A line holds at most kMaxLineChars characters; a longer one goes on as the next
// line, as the old program read it. Memory stays bounded whatever the file holds.
class OldLogLines {
  public:
    static constexpr std::size_t kMaxLineChars = 499;

    explicit OldLogLines(std::istream& in);
    OldLogLines(const OldLogLines&) = delete;
    OldLogLines& operator=(const OldLogLines&) = delete;

    // Takes the next line; false at the end of the file.
    bool Next(std::string& line);
    // The line Next would give, left in place; null at the end of the file.
    const std::string* Peek();

  private:
    bool ReadLine(std::string& line);
    // The byte `ahead` places on, or -1 past the end of the file.
    int PeekByte(std::size_t ahead);
    void Skip(std::size_t count) { pos_ += count; }
    // Length of the valid UTF-8 sequence at the read position, or 0.
    std::size_t Utf8SequenceLength();

    std::istream& in_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool inputDone_ = false;
    std::optional<std::string> peeked_;
};

// The next tab-separated field of a line, taken off its front. A field wrapped in double
// quotes loses them; a line with no tab left is one last field; past the end, empty.
std::string NextField(std::string& rest);

// A whole number at the start of a field (leading blanks and a sign allowed, what follows
// the digits ignored); nothing when the field holds no digits there.
std::optional<long> WholeNumber(std::string_view field);

// Characters (not bytes) of a UTF-8 text.
std::size_t CharCount(std::string_view utf8);
// The first `chars` characters of a UTF-8 text.
std::string_view FirstChars(std::string_view utf8, std::size_t chars);

// Trailing blanks, tabs and line-end characters removed.
std::string_view TrimRight(std::string_view text);

}  // namespace kivrun
