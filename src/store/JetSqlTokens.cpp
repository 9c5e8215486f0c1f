#include "store/JetSqlTokens.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdio>

#include "store/Database.h"
#include "values/Calendar.h"

namespace kivrun::jetsql::detail {
namespace {

bool IsWordStart(unsigned char c) {
    return std::isalpha(c) || c == '_' || c >= 0x80;
}
bool IsWordChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c >= 0x80;
}

// Reads "M/D/Y[ H:MM[:SS][ AM|PM]]" into a serial date.
double ParseDateLiteral(std::string_view body, std::string_view whole) {
    std::string s(body);
    int month = 0, day = 0, year = 0, consumed = 0;
    if (std::sscanf(s.c_str(), " %d/%d/%d%n", &month, &day, &year, &consumed) != 3)
        Fail("Syntax error in date", whole);
    if (year >= 0 && year < 100) year = calendar::ExpandTwoDigitYear(year);
    if (month < 1 || month > 12 || day < 1 || day > calendar::DaysInGregorianMonth(month, year))
        Fail("Invalid date", whole);
    double serial = calendar::ToSerial(year, month, day);
    std::string rest = s.substr(static_cast<size_t>(consumed));
    int h = 0, m = 0, sec = 0, n = 0;
    if (std::sscanf(rest.c_str(), " %d:%d%n", &h, &m, &n) == 2) {
        std::string tail = rest.substr(static_cast<size_t>(n));
        int n2 = 0;
        if (std::sscanf(tail.c_str(), ":%d%n", &sec, &n2) == 1) tail = tail.substr(size_t(n2));
        size_t p = tail.find_first_not_of(' ');
        if (p != std::string::npos) {
            std::string ampm = tail.substr(p);
            if (IEquals(ampm, "PM") && h < 12)
                h += 12;
            else if (IEquals(ampm, "AM") && h == 12)
                h = 0;
            else if (!IEquals(ampm, "AM") && !IEquals(ampm, "PM"))
                Fail("Syntax error in date", whole);
        }
        serial += (h * 3600 + m * 60 + sec) / 86400.0;
    } else if (rest.find_first_not_of(' ') != std::string::npos) {
        Fail("Syntax error in date", whole);
    }
    return serial;
}

std::string SerialLiteral(double serial) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", serial);
    std::string out = buf;
    if (out.find_first_of(".en") == std::string::npos) out += ".0";
    return out;
}

}  // namespace

bool IEquals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

[[noreturn]] void Fail(const std::string& what, std::string_view text) {
    throw DbError(SQLITE_ERROR, what + " in: " + std::string(text));
}

std::string QuoteIdent(std::string_view name) {
    std::string out = "\"";
    for (char c : name) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::vector<RawToken> Tokenize(std::string_view text) {
    std::vector<RawToken> raw_;
    const std::string_view s = text;
    size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) {
            size_t j = i;
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j])))
                ++j;
            raw_.push_back({Kind::Space, " "});
            i = j;
        } else if (c == '[') {
            size_t j = s.find(']', i + 1);
            if (j == std::string_view::npos) Fail("Unclosed [", text);
            raw_.push_back({Kind::Ident, std::string(s.substr(i + 1, j - i - 1))});
            i = j + 1;
        } else if (c == '\'' || c == '"') {
            std::string value;
            size_t j = i + 1;
            for (;;) {
                if (j >= s.size()) Fail("Unterminated string", text);
                if (s[j] == static_cast<char>(c)) {
                    if (j + 1 < s.size() && s[j + 1] == static_cast<char>(c)) {
                        value += static_cast<char>(c);
                        j += 2;
                        continue;
                    }
                    break;
                }
                value += s[j++];
            }
            raw_.push_back({Kind::String, value});
            i = j + 1;
        } else if (c == '#') {
            size_t j = s.find('#', i + 1);
            if (j == std::string_view::npos) Fail("Unclosed date", text);
            RawToken t{Kind::Number,
                       SerialLiteral(ParseDateLiteral(s.substr(i + 1, j - i - 1), text))};
            t.date = true;
            raw_.push_back(t);
            i = j + 1;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < s.size() &&
                                       std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            size_t j = i;
            while (j < s.size() && (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.'))
                ++j;
            if (j < s.size() && (s[j] == 'e' || s[j] == 'E')) {
                size_t k = j + 1;
                if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
                if (k < s.size() && std::isdigit(static_cast<unsigned char>(s[k]))) {
                    j = k;
                    while (j < s.size() && std::isdigit(static_cast<unsigned char>(s[j])))
                        ++j;
                }
            }
            raw_.push_back({Kind::Number, std::string(s.substr(i, j - i))});
            i = j;
        } else if (IsWordStart(c)) {
            size_t j = i;
            while (j < s.size() && IsWordChar(static_cast<unsigned char>(s[j])))
                ++j;
            raw_.push_back({Kind::Word, std::string(s.substr(i, j - i))});
            i = j;
        } else {
            std::string op(1, static_cast<char>(c));
            if (i + 1 < s.size()) {
                std::string two(s.substr(i, 2));
                if (two == "<>" || two == "<=" || two == ">=" || two == "!=") op = two;
            }
            raw_.push_back({Kind::Punct, op});
            i += op.size();
        }
    }
    return raw_;
}

}  // namespace kivrun::jetsql::detail
