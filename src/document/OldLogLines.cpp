#include "document/OldLogLines.h"

#include <cstdint>
#include <cstring>

#include "values/NumberFormat.h"
#include "values/TextEncoding.h"

namespace kivrun {
namespace {

constexpr std::size_t kChunk = 64 * 1024;

bool IsContinuation(int byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

OldLogLines::OldLogLines(std::istream& in) : in_(in) {
    // A byte-order mark is not part of the first line.
    if (PeekByte(0) == 0xEF && PeekByte(1) == 0xBB && PeekByte(2) == 0xBF) Skip(3);
}

int OldLogLines::PeekByte(std::size_t ahead) {
    while (pos_ + ahead >= end_) {
        if (inputDone_) return -1;
        if (pos_ > 0) {
            // Keep only what is still unread, then fill up behind it.
            std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
            end_ -= pos_;
            pos_ = 0;
        }
        buffer_.resize(end_ + kChunk);
        in_.read(buffer_.data() + end_, static_cast<std::streamsize>(kChunk));
        const std::streamsize got = in_.gcount();
        end_ += static_cast<std::size_t>(got > 0 ? got : 0);
        buffer_.resize(end_);
        if (got <= 0 || !in_) inputDone_ = true;
    }
    return static_cast<unsigned char>(buffer_[pos_ + ahead]);
}

std::size_t OldLogLines::Utf8SequenceLength() {
    const int lead = PeekByte(0);
    std::size_t length = 0;
    int low = 0x80, high = 0xBF;  // range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;   // no overlong forms
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
    } else {
        return 0;
    }
    const int second = PeekByte(1);
    if (second < low || second > high) return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(PeekByte(i))) return 0;
    return length;
}

bool OldLogLines::ReadLine(std::string& line) {
    line.clear();
    if (PeekByte(0) < 0) return false;
    std::size_t chars = 0;
    while (chars < kMaxLineChars) {
        const int byte = PeekByte(0);
        if (byte < 0) return true;
        if (byte == '\n') {
            Skip(1);
            return true;
        }
        if (byte == '\r') {
            Skip(PeekByte(1) == '\n' ? 2 : 1);
            return true;
        }
        if (byte == 0) {
            Skip(1);
            continue;
        }
        if (byte < 0x80) {
            line += static_cast<char>(byte);
            Skip(1);
        } else if (const std::size_t length = Utf8SequenceLength()) {
            line.append(buffer_.data() + pos_, length);
            Skip(length);
        } else {
            AppendWindows1252(line, static_cast<unsigned char>(byte));
            Skip(1);
        }
        ++chars;
    }
    // A full line that ends right here is one line, not a line and an empty one.
    if (PeekByte(0) == '\n') {
        Skip(1);
    } else if (PeekByte(0) == '\r') {
        Skip(PeekByte(1) == '\n' ? 2 : 1);
    }
    return true;
}

bool OldLogLines::Next(std::string& line) {
    if (peeked_) {
        line = std::move(*peeked_);
        peeked_.reset();
        return true;
    }
    return ReadLine(line);
}

const std::string* OldLogLines::Peek() {
    if (!peeked_) {
        std::string line;
        if (!ReadLine(line)) return nullptr;
        peeked_ = std::move(line);
    }
    return &*peeked_;
}

std::string NextField(std::string& rest) {
    return NextToken(rest, '\t');
}

std::optional<long> WholeNumber(std::string_view field) {
    std::size_t i = 0;
    while (i < field.size() && IsBlank(field[i]))
        ++i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    if (i >= field.size() || field[i] < '0' || field[i] > '9') return std::nullopt;
    return TextToLong(field);
}

std::size_t CharCount(std::string_view utf8) {
    std::size_t n = 0;
    for (const char c : utf8)
        if (!IsContinuation(static_cast<unsigned char>(c))) ++n;
    return n;
}

std::string_view FirstChars(std::string_view utf8, std::size_t chars) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (IsContinuation(static_cast<unsigned char>(utf8[i]))) continue;
        if (n == chars) return utf8.substr(0, i);
        ++n;
    }
    return utf8;
}

std::string_view TrimRight(std::string_view text) {
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace kivrun
