#include "document/OldLogFile.h"

#include <cctype>
#include <string>
#include <vector>

#include "values/TextEncoding.h"

namespace kivrun {
namespace {

constexpr std::size_t kSniffBytes = 64 * 1024;

// UTF-16 code units from a byte stream, given out as UTF-8.
class Utf16Decoder : public std::streambuf {
  public:
    Utf16Decoder(std::istream& in, bool bigEndian) : in_(in), bigEndian_(bigEndian) {}

  protected:
    int_type underflow() override {
        std::u16string units = std::move(held_);
        held_.clear();
        while (units.size() < 4096) {
            const int a = in_.get(), b = in_.get();
            if (a == traits_type::eof() || b == traits_type::eof()) break;
            units += static_cast<char16_t>(bigEndian_ ? (a << 8) | b : (b << 8) | a);
        }
        // The first half of a pair waits for its second.
        if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF && in_) {
            held_ = units.back();
            units.pop_back();
        }
        out_ = Utf16ToUtf8(units);
        if (out_.empty()) return traits_type::eof();
        setg(out_.data(), out_.data(), out_.data() + out_.size());
        return traits_type::to_int_type(out_[0]);
    }

  private:
    std::istream& in_;
    bool bigEndian_;
    std::u16string held_;
    std::string out_;
};

// "1/2/98", perhaps in quotes: a workout line's first field, valid or not.
bool DateShaped(std::string field) {
    if (field.size() > 1 && field.front() == '"' && field.back() == '"')
        field = field.substr(1, field.size() - 2);
    int parts = 1, digits = 0;
    for (char c : field) {
        if (std::isdigit(static_cast<unsigned char>(c))) {
            if (++digits > 4) return false;
        } else if (c == '/' && digits > 0 && parts < 3) {
            ++parts;
            digits = 0;
        } else {
            return false;
        }
    }
    return parts == 3 && digits > 0;
}

// The start of the file, as characters (what lies beyond ASCII counts as a letter).
bool LooksLikeText(const std::string& text) {
    std::size_t chars = 0, controls = 0;
    std::string firstLine;
    bool lineDone = false;
    for (char ch : text) {
        const unsigned char c = static_cast<unsigned char>(ch);
        if (c == 0) continue;  // the old reader drops them
        ++chars;
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != '\v' && c != 0x1A)
            ++controls;
        if (lineDone) continue;
        if (c == '\n' || c == '\r') {
            if (firstLine.find_first_not_of(" \t\f\v") != std::string::npos)
                lineDone = true;
            else
                firstLine.clear();
        } else {
            firstLine += ch;
        }
    }
    // Text has next to no control characters; random bytes have one in eight.
    if (chars == 0 || controls * 100 > chars) return false;
    const std::size_t start = firstLine.find_first_not_of(" \t\f\v");
    if (start == std::string::npos) return false;
    if (firstLine[start] == '[') return true;
    return DateShaped(firstLine.substr(start, firstLine.find('\t', start) - start));
}

}  // namespace

OldLogFile::OldLogFile(const std::string& path) : file_(path, std::ios::binary) {
    if (!file_) return;
    std::vector<char> head(kSniffBytes);
    file_.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(file_.gcount()));
    file_.clear();
    file_.seekg(0);
    const auto byte = [&](std::size_t i) {
        return i < head.size() ? static_cast<unsigned char>(head[i]) : 0x100u;
    };
    const bool le = byte(0) == 0xFF && byte(1) == 0xFE;
    const bool be = byte(0) == 0xFE && byte(1) == 0xFF;
    std::string text;
    if (le || be) {
        // Only the ASCII of each unit matters for the look of it.
        for (std::size_t i = 2; i + 1 < head.size(); i += 2) {
            const unsigned unit = le ? byte(i) | byte(i + 1) << 8 : byte(i) << 8 | byte(i + 1);
            text += unit < 0x80 ? static_cast<char>(unit) : 'x';
        }
        file_.seekg(2);
        decoder_ = std::make_unique<Utf16Decoder>(file_, be);
        decoded_ = std::make_unique<std::istream>(decoder_.get());
    } else {
        const bool utf8Mark = byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF;
        text.assign(head.begin() + (utf8Mark ? 3 : 0), head.end());
    }
    isOldLog_ = LooksLikeText(text);
}

OldLogFile::~OldLogFile() = default;

std::istream& OldLogFile::Stream() {
    return decoded_ ? *decoded_ : static_cast<std::istream&>(file_);
}

bool LooksLikeOldLog(const std::string& path) {
    return OldLogFile(path).IsOldLog();
}

}  // namespace kivrun
