#include "store/JetSql.h"

#include <sqlite3.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "entries/Calendar.h"
#include "store/Database.h"

namespace kivrun::jetsql {
namespace {

enum class Kind { Space, Word, Number, Ident, Param, String, Punct };

struct Piece {
    Kind kind;
    std::string text;  // SQLite text of the piece
};

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

class Translator {
  public:
    explicit Translator(std::string_view text) : text_(text) {}

    Translation Statement() {
        Tokenize();
        Translation t;
        size_t i = SkipSpace(0);
        if (i < raw_.size() && raw_[i].kind == Kind::Word && IEquals(raw_[i].text, "PARAMETERS"))
            i = ReadParameters(i + 1, t.parameters);
        params_ = &t.parameters;
        i = SkipSpace(i);
        std::vector<Piece> out;
        if (i < raw_.size() && raw_[i].kind == Kind::Word && IEquals(raw_[i].text, "DELETE")) {
            // DELETE [T].*, [T].Field FROM [T] ... deletes rows; the column list means nothing.
            size_t j = i + 1;
            int depth = 0;
            for (; j < raw_.size(); ++j) {
                if (raw_[j].kind == Kind::Punct && raw_[j].text == "(") ++depth;
                if (raw_[j].kind == Kind::Punct && raw_[j].text == ")") --depth;
                if (depth == 0 && raw_[j].kind == Kind::Word && IEquals(raw_[j].text, "FROM"))
                    break;
            }
            if (j == raw_.size()) Fail("DELETE without FROM", text_);
            out.push_back({Kind::Word, "DELETE"});
            out.push_back({Kind::Space, " "});
            i = j;
        }
        Convert(i, out);
        t.sql = Join(RewriteRightJoin(RewriteLike(RewriteBetween(out))));
        return t;
    }

    std::string Expression() {
        Tokenize();
        std::vector<Piece> out;
        Convert(0, out);
        return Join(RewriteLike(RewriteBetween(out)));
    }

  private:
    struct RawToken {
        Kind kind;
        std::string text;  // Ident: the bare name; String: the unescaped value
        bool date = false;
    };

    void Tokenize() {
        const std::string_view s = text_;
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
                if (j == std::string_view::npos) Fail("Unclosed [", text_);
                raw_.push_back({Kind::Ident, std::string(s.substr(i + 1, j - i - 1))});
                i = j + 1;
            } else if (c == '\'' || c == '"') {
                std::string value;
                size_t j = i + 1;
                for (;;) {
                    if (j >= s.size()) Fail("Unterminated string", text_);
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
                if (j == std::string_view::npos) Fail("Unclosed date", text_);
                RawToken t{Kind::Number,
                           SerialLiteral(ParseDateLiteral(s.substr(i + 1, j - i - 1), text_))};
                t.date = true;
                raw_.push_back(t);
                i = j + 1;
            } else if (std::isdigit(c) || (c == '.' && i + 1 < s.size() &&
                                           std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
                size_t j = i;
                while (j < s.size() &&
                       (std::isdigit(static_cast<unsigned char>(s[j])) || s[j] == '.'))
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
    }

    size_t SkipSpace(size_t i) const {
        while (i < raw_.size() && raw_[i].kind == Kind::Space)
            ++i;
        return i;
    }

    size_t ReadParameters(size_t i, std::vector<Parameter>& params) {
        for (;;) {
            i = SkipSpace(i);
            if (i >= raw_.size()) Fail("PARAMETERS without ;", text_);
            const RawToken& name = raw_[i];
            if (name.kind != Kind::Word && name.kind != Kind::Ident)
                Fail("Bad parameter name", text_);
            i = SkipSpace(i + 1);
            std::string type;
            while (i < raw_.size() && raw_[i].kind == Kind::Word) {
                if (!type.empty()) type += ' ';
                type += raw_[i].text;
                i = SkipSpace(i + 1);
            }
            params.push_back({name.text, type});
            if (i < raw_.size() && raw_[i].kind == Kind::Punct && raw_[i].text == ",") {
                ++i;
                continue;
            }
            if (i < raw_.size() && raw_[i].kind == Kind::Punct && raw_[i].text == ";") return i + 1;
            Fail("Bad PARAMETERS declaration", text_);
        }
    }

    bool IsParameter(const std::string& name) const {
        if (!params_) return false;
        for (const auto& p : *params_)
            if (IEquals(p.name, name)) return true;
        return false;
    }

    void Convert(size_t i, std::vector<Piece>& out) {
        // A trailing ";" ends the statement; SQLite wants none.
        size_t end = raw_.size();
        while (end > i && raw_[end - 1].kind == Kind::Space)
            --end;
        if (end > i && raw_[end - 1].kind == Kind::Punct && raw_[end - 1].text == ";") --end;
        for (; i < end; ++i) {
            const RawToken& t = raw_[i];
            const bool afterDot =
                !out.empty() && out.back().kind == Kind::Punct && out.back().text == ".";
            switch (t.kind) {
                case Kind::Space:
                    out.push_back({Kind::Space, " "});
                    break;
                case Kind::Ident:
                    if (!afterDot && IsParameter(t.text))
                        out.push_back({Kind::Param, ":" + t.text});
                    else
                        out.push_back({Kind::Ident, QuoteIdent(t.text)});
                    break;
                case Kind::String:
                    out.push_back({Kind::String, Quote(t.text)});
                    break;
                case Kind::Number:
                    out.push_back({Kind::Number, t.text});
                    break;
                case Kind::Word:
                    if (afterDot) {
                        // Table.Field: the field may be a word SQLite reserves (Order).
                        out.push_back({Kind::Ident, QuoteIdent(t.text)});
                    } else if (IEquals(t.text, "True")) {
                        out.push_back({Kind::Number, "-1"});
                    } else if (IEquals(t.text, "False")) {
                        out.push_back({Kind::Number, "0"});
                    } else if (IEquals(t.text, "Mod")) {
                        out.push_back({Kind::Punct, "%"});
                    } else if (IsParameter(t.text)) {
                        out.push_back({Kind::Param, ":" + t.text});
                    } else {
                        out.push_back({Kind::Word, t.text});
                    }
                    break;
                case Kind::Punct:
                    if (t.text == "&")
                        out.push_back({Kind::Punct, "||"});
                    else if (t.text == ";")
                        Fail("Characters found after end of SQL statement", text_);
                    else
                        out.push_back({Kind::Punct, t.text});
                    break;
                case Kind::Param:
                    break;
            }
        }
    }

    static size_t Skip(const std::vector<Piece>& p, size_t i) {
        while (i < p.size() && p[i].kind == Kind::Space)
            ++i;
        return i;
    }

    // One operand of Between: a literal, a name chain, a parameter, a parenthesised group or a
    // function call, with an optional sign. Returns the index just past it.
    size_t Term(const std::vector<Piece>& p, size_t i) const {
        i = Skip(p, i);
        if (i >= p.size()) Fail("Missing operand of Between", text_);
        if (p[i].kind == Kind::Punct && (p[i].text == "-" || p[i].text == "+"))
            return Term(p, i + 1);
        if (p[i].kind == Kind::Punct && p[i].text == "(") return Close(p, i);
        if (p[i].kind == Kind::Word) {
            size_t j = Skip(p, i + 1);
            if (j < p.size() && p[j].kind == Kind::Punct && p[j].text == "(") return Close(p, j);
        }
        if (p[i].kind == Kind::Punct) Fail("Bad operand of Between", text_);
        size_t j = i + 1;
        while (j + 1 < p.size() && p[j].kind == Kind::Punct && p[j].text == "." &&
               (p[j + 1].kind == Kind::Ident || p[j + 1].kind == Kind::Word))
            j += 2;
        return j;
    }

    size_t Close(const std::vector<Piece>& p, size_t open) const {
        int depth = 0;
        for (size_t i = open; i < p.size(); ++i) {
            if (p[i].kind != Kind::Punct) continue;
            if (p[i].text == "(") ++depth;
            if (p[i].text == ")" && --depth == 0) return i + 1;
        }
        Fail("Missing )", text_);
    }

    // x Between a And b holds whichever of a and b is the larger, as the log's callers expect
    // (a newest-first range comes in backwards).
    std::vector<Piece> RewriteBetween(const std::vector<Piece>& in) const {
        std::vector<Piece> out;
        for (size_t i = 0; i < in.size(); ++i) {
            if (!(in[i].kind == Kind::Word && IEquals(in[i].text, "Between"))) {
                out.push_back(in[i]);
                continue;
            }
            size_t aBegin = Skip(in, i + 1);
            size_t aEnd = Term(in, aBegin);
            size_t andAt = Skip(in, aEnd);
            if (andAt >= in.size() ||
                !(in[andAt].kind == Kind::Word && IEquals(in[andAt].text, "And")))
                Fail("Between without And", text_);
            size_t bBegin = Skip(in, andAt + 1);
            size_t bEnd = Term(in, bBegin);
            std::string a =
                Join(RewriteBetween({in.begin() + long(aBegin), in.begin() + long(aEnd)}));
            std::string b =
                Join(RewriteBetween({in.begin() + long(bBegin), in.begin() + long(bEnd)}));
            out.push_back(
                {Kind::Word, "BETWEEN min(" + a + ", " + b + ") AND max(" + a + ", " + b + ")"});
            i = bEnd - 1;
        }
        return out;
    }

    // x Like 'pattern' becomes SQLite's LIKE with the pattern translated, so the stored view
    // reads the same in any SQLite client. Patterns SQLite cannot express (# or a set) go to
    // jet_like(pattern, x) instead.
    std::vector<Piece> RewriteLike(const std::vector<Piece>& in) const {
        std::vector<Piece> out;
        for (size_t i = 0; i < in.size(); ++i) {
            if (!(in[i].kind == Kind::Word && IEquals(in[i].text, "Like"))) {
                out.push_back(in[i]);
                continue;
            }
            size_t pBegin = Skip(in, i + 1);
            size_t pEnd = Term(in, pBegin);
            std::string native;
            if (pEnd == pBegin + 1 && in[pBegin].kind == Kind::String &&
                ToNativeLike(Unquote(in[pBegin].text), native)) {
                out.push_back({Kind::Word, "LIKE " + Quote(native) + " ESCAPE '\\'"});
                i = pEnd - 1;
                continue;
            }
            // Take the left operand back off the output.
            bool negate = false;
            size_t end = out.size();
            while (end > 0 && out[end - 1].kind == Kind::Space)
                --end;
            if (end > 0 && out[end - 1].kind == Kind::Word && IEquals(out[end - 1].text, "Not")) {
                negate = true;
                --end;
                while (end > 0 && out[end - 1].kind == Kind::Space)
                    --end;
            }
            size_t begin = TermBack(out, end);
            std::string left = Join({out.begin() + long(begin), out.begin() + long(end)});
            std::string pattern = Join({in.begin() + long(pBegin), in.begin() + long(pEnd)});
            out.resize(begin);
            out.push_back({Kind::Word, std::string(negate ? "NOT " : "") + "jet_like(" + pattern +
                                           ", " + left + ")"});
            i = pEnd - 1;
        }
        return out;
    }

    static bool IsWord(const Piece& p, const char* word) {
        return p.kind == Kind::Word && IEquals(p.text, word);
    }

    // "A RIGHT JOIN (X) ON c" at the head of a FROM clause becomes "(X) LEFT JOIN A ON c":
    // the same rows, but SQLite plans it as a lookup per row of X instead of a scan of X per
    // row of A. Anything more involved is left to SQLite as it stands.
    std::vector<Piece> RewriteRightJoin(const std::vector<Piece>& in) const {
        for (size_t i = 0; i < in.size(); ++i) {
            if (!IsWord(in[i], "RIGHT")) continue;
            size_t j = Skip(in, i + 1);
            if (j < in.size() && IsWord(in[j], "OUTER")) j = Skip(in, j + 1);
            if (j >= in.size() || !IsWord(in[j], "JOIN")) continue;
            size_t leftEnd = i;
            while (leftEnd > 0 && in[leftEnd - 1].kind == Kind::Space)
                --leftEnd;
            if (leftEnd == 0) continue;
            const size_t leftBegin = TermBack(in, leftEnd);
            size_t before = leftBegin;
            while (before > 0 && in[before - 1].kind == Kind::Space)
                --before;
            if (before == 0 ||
                !(IsWord(in[before - 1], "FROM") ||
                  (in[before - 1].kind == Kind::Punct && in[before - 1].text == "(")))
                continue;
            const size_t rightBegin = Skip(in, j + 1);
            const size_t rightEnd = Term(in, rightBegin);
            const size_t on = Skip(in, rightEnd);
            if (on >= in.size() || !IsWord(in[on], "ON")) continue;
            // The condition runs to the end of the enclosing group or the next clause.
            size_t end = on + 1;
            int depth = 0;
            for (; end < in.size(); ++end) {
                const Piece& p = in[end];
                if (p.kind == Kind::Punct && p.text == "(") ++depth;
                if (p.kind == Kind::Punct && p.text == ")" && depth-- == 0) break;
                if (depth == 0 && p.kind == Kind::Word &&
                    (IsWord(p, "WHERE") || IsWord(p, "GROUP") || IsWord(p, "ORDER") ||
                     IsWord(p, "HAVING") || IsWord(p, "JOIN") || IsWord(p, "LEFT") ||
                     IsWord(p, "RIGHT") || IsWord(p, "INNER") || IsWord(p, "UNION")))
                    break;
            }
            size_t condEnd = end;
            while (condEnd > on + 1 && in[condEnd - 1].kind == Kind::Space)
                --condEnd;
            auto slice = [&in](size_t a, size_t b) {
                return std::vector<Piece>(in.begin() + long(a), in.begin() + long(b));
            };
            std::vector<Piece> out = slice(0, leftBegin);
            const auto right = slice(rightBegin, rightEnd);
            const auto left = slice(leftBegin, leftEnd);
            out.insert(out.end(), right.begin(), right.end());
            out.push_back({Kind::Word, " LEFT JOIN "});
            out.insert(out.end(), left.begin(), left.end());
            out.push_back({Kind::Word, " ON"});
            const auto cond = slice(on + 1, condEnd);
            out.insert(out.end(), cond.begin(), cond.end());
            const auto rest = slice(condEnd, in.size());
            out.insert(out.end(), rest.begin(), rest.end());
            return RewriteRightJoin(out);
        }
        return in;
    }

    // Start of the operand that ends just before end.
    size_t TermBack(const std::vector<Piece>& p, size_t end) const {
        if (end == 0) Fail("Missing operand of Like", text_);
        size_t i = end - 1;
        if (p[i].kind == Kind::Punct && p[i].text == ")") {
            int depth = 0;
            for (;; --i) {
                if (p[i].kind == Kind::Punct && p[i].text == ")") ++depth;
                if (p[i].kind == Kind::Punct && p[i].text == "(" && --depth == 0) break;
                if (i == 0) Fail("Missing (", text_);
            }
            size_t j = i;
            while (j > 0 && p[j - 1].kind == Kind::Space)
                --j;
            if (j > 0 && p[j - 1].kind == Kind::Word) return j - 1;
            return i;
        }
        if (p[i].kind == Kind::Punct) Fail("Bad operand of Like", text_);
        while (i >= 2 && p[i - 1].kind == Kind::Punct && p[i - 1].text == "." &&
               (p[i - 2].kind == Kind::Ident || p[i - 2].kind == Kind::Word))
            i -= 2;
        return i;
    }

    static std::string Unquote(const std::string& sqlString) {
        std::string v;
        for (size_t i = 1; i + 1 < sqlString.size(); ++i) {
            v += sqlString[i];
            if (sqlString[i] == '\'' && sqlString[i + 1] == '\'') ++i;
        }
        return v;
    }

    static bool ToNativeLike(const std::string& jet, std::string& native) {
        auto literal = [&native](char c) {
            if (c == '%' || c == '_' || c == '\\') native += '\\';
            native += c;
        };
        for (size_t i = 0; i < jet.size(); ++i) {
            char c = jet[i];
            if (c == '*') {
                native += '%';
            } else if (c == '?') {
                native += '_';
            } else if (c == '#') {
                return false;
            } else if (c == '[') {
                // Only a one-character set such as [*] (a quoted wildcard) is expressible.
                if (i + 2 < jet.size() && jet[i + 2] == ']' && jet[i + 1] != '!' &&
                    static_cast<unsigned char>(jet[i + 1]) < 0x80) {
                    literal(jet[i + 1]);
                    i += 2;
                } else {
                    return false;
                }
            } else {
                literal(c);
            }
        }
        return true;
    }

    static std::string Join(const std::vector<Piece>& pieces) {
        std::string s;
        for (const auto& p : pieces)
            s += p.text;
        return s;
    }

    std::string_view text_;
    std::vector<RawToken> raw_;
    const std::vector<Parameter>* params_ = nullptr;
};

// UTF-8 code point at s[i], advancing i.
char32_t NextCodePoint(std::string_view s, size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c < 0x80) return c;
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    char32_t cp = c & (0x3F >> extra);
    for (int k = 0; k < extra && i < s.size(); ++k) {
        unsigned char d = static_cast<unsigned char>(s[i]);
        if ((d & 0xC0) != 0x80) break;
        cp = (cp << 6) | (d & 0x3F);
        ++i;
    }
    return cp;
}

char32_t Fold(char32_t c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

struct PatternItem {
    enum Type { Any, One, Digit, Char, Set } type = Any;
    char32_t ch = 0;
    bool negate = false;
    std::vector<std::pair<char32_t, char32_t>> ranges;

    static PatternItem Of(Type t, char32_t c = 0) {
        PatternItem item;
        item.type = t;
        item.ch = c;
        return item;
    }

    bool Matches(char32_t c) const {
        switch (type) {
            case One:
                return true;
            case Digit:
                return c >= '0' && c <= '9';
            case Char:
                return Fold(c) == Fold(ch);
            case Set: {
                bool in = false;
                for (auto [lo, hi] : ranges)
                    if ((Fold(c) >= Fold(lo) && Fold(c) <= Fold(hi)) || (c >= lo && c <= hi))
                        in = true;
                return in != negate;
            }
            case Any:
                break;
        }
        return false;
    }
};

std::vector<PatternItem> CompilePattern(std::string_view pattern) {
    std::vector<PatternItem> items;
    size_t i = 0;
    while (i < pattern.size()) {
        char32_t c = NextCodePoint(pattern, i);
        if (c == '*') {
            if (items.empty() || items.back().type != PatternItem::Any)
                items.push_back(PatternItem::Of(PatternItem::Any));
        } else if (c == '?') {
            items.push_back(PatternItem::Of(PatternItem::One));
        } else if (c == '#') {
            items.push_back(PatternItem::Of(PatternItem::Digit));
        } else if (c == '[' && pattern.find(']', i + 1) != std::string_view::npos) {
            PatternItem set = PatternItem::Of(PatternItem::Set);
            size_t j = i;
            if (j < pattern.size() && pattern[j] == '!') {
                set.negate = true;
                ++j;
            }
            // A ']' right after '[' or '[!' is an ordinary member.
            bool first = true;
            while (j < pattern.size() && (pattern[j] != ']' || first)) {
                first = false;
                char32_t lo = NextCodePoint(pattern, j);
                char32_t hi = lo;
                if (j + 1 < pattern.size() && pattern[j] == '-' && pattern[j + 1] != ']') {
                    ++j;
                    hi = NextCodePoint(pattern, j);
                }
                set.ranges.push_back({lo, hi});
            }
            i = j + 1;
            items.push_back(set);
        } else {
            items.push_back(PatternItem::Of(PatternItem::Char, c));
        }
    }
    return items;
}

void JetLikeFunction(sqlite3_context* ctx, int, sqlite3_value** argv) {
    // jet_like(pattern, value), in the order of SQLite's own like().
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    auto text = [](sqlite3_value* v) {
        const unsigned char* t = sqlite3_value_text(v);
        return std::string_view(reinterpret_cast<const char*>(t),
                                static_cast<size_t>(sqlite3_value_bytes(v)));
    };
    sqlite3_result_int(ctx, LikeMatch(text(argv[1]), text(argv[0])) ? 1 : 0);
}

enum class Interval { Year, Quarter, Month, DayOfYear, Day, Weekday, Week };

std::optional<Interval> ParseInterval(std::string_view iv) {
    static constexpr std::pair<std::string_view, Interval> kKnown[] = {
        {"yyyy", Interval::Year},   {"q", Interval::Quarter}, {"m", Interval::Month},
        {"y", Interval::DayOfYear}, {"d", Interval::Day},     {"w", Interval::Weekday},
        {"ww", Interval::Week}};
    for (const auto& [name, interval] : kKnown)
        if (IEquals(iv, name)) return interval;
    return std::nullopt;
}

int DatePartOf(Interval interval, double serial, int firstDay) {
    const calendar::Ymd d = calendar::FromSerial(serial);
    auto dayOfYear = [&] {
        return static_cast<int>(calendar::ToSerial(d.year, d.month, d.day) -
                                calendar::ToSerial(d.year, 1, 1)) +
               1;
    };
    switch (interval) {
        case Interval::Year:
            return d.year;
        case Interval::Quarter:
            return (d.month - 1) / 3 + 1;
        case Interval::Month:
            return d.month;
        case Interval::DayOfYear:
            return dayOfYear();
        case Interval::Day:
            return d.day;
        case Interval::Weekday:
            return (calendar::Weekday(d.year, d.month, d.day) - firstDay + 7) % 7 + 1;
        case Interval::Week: {
            const int jan1 = calendar::Weekday(d.year, 1, 1);
            const int offset = (jan1 - firstDay + 7) % 7;  // days from the week's start to 1 Jan
            return (dayOfYear() - 1 + offset) / 7 + 1;
        }
    }
    return 0;
}

void DatePartFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    int firstDay = 1;
    if (argc > 2 && sqlite3_value_type(argv[2]) != SQLITE_NULL) {
        firstDay = sqlite3_value_int(argv[2]);
        if (firstDay == 0) firstDay = 1;  // "system default" means Sunday here
    }
    // The interval is a constant of the query: read once, kept with the statement.
    auto* interval = static_cast<Interval*>(sqlite3_get_auxdata(ctx, 0));
    if (!interval) {
        const unsigned char* text = sqlite3_value_text(argv[0]);
        const std::optional<Interval> parsed =
            text ? ParseInterval(reinterpret_cast<const char*>(text)) : std::nullopt;
        if (!parsed || firstDay < 1 || firstDay > 7) {
            sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
            return;
        }
        interval = new Interval(*parsed);
        sqlite3_set_auxdata(ctx, 0, interval, [](void* p) { delete static_cast<Interval*>(p); });
        // SQLite may drop it at once when the argument is not a constant.
        interval = static_cast<Interval*>(sqlite3_get_auxdata(ctx, 0));
        if (!interval) {
            sqlite3_result_int(ctx, DatePartOf(*parsed, sqlite3_value_double(argv[1]), firstDay));
            return;
        }
    }
    if (firstDay < 1 || firstDay > 7) {
        sqlite3_result_error(ctx, "Invalid procedure call or argument", -1);
        return;
    }
    sqlite3_result_int(ctx, DatePartOf(*interval, sqlite3_value_double(argv[1]), firstDay));
}

}  // namespace

Translation Translate(std::string_view jet) {
    return Translator(jet).Statement();
}

std::string TranslateExpression(std::string_view jet) {
    return Translator(jet).Expression();
}

void RegisterFunctions(sqlite3* db) {
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    sqlite3_create_function(db, "jet_like", 2, flags, nullptr, JetLikeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "DatePart", 2, flags, nullptr, DatePartFunction, nullptr, nullptr);
    sqlite3_create_function(db, "DatePart", 3, flags, nullptr, DatePartFunction, nullptr, nullptr);
}

int DatePart(std::string_view interval, double serial, int firstDay) {
    const std::optional<Interval> parsed = ParseInterval(interval);
    return parsed ? DatePartOf(*parsed, serial, firstDay) : 0;
}

bool LikeMatch(std::string_view value, std::string_view pattern) {
    const std::vector<PatternItem> items = CompilePattern(pattern);
    std::vector<char32_t> text;
    for (size_t i = 0; i < value.size();)
        text.push_back(NextCodePoint(value, i));
    // Greedy match with backtracking to the last '*': every other item takes one character.
    size_t t = 0, p = 0, starP = SIZE_MAX, starT = 0;
    while (t < text.size()) {
        if (p < items.size() && items[p].type == PatternItem::Any) {
            starP = p++;
            starT = t;
        } else if (p < items.size() && items[p].Matches(text[t])) {
            ++p;
            ++t;
        } else if (starP != SIZE_MAX) {
            p = starP + 1;
            t = ++starT;
        } else {
            return false;
        }
    }
    while (p < items.size() && items[p].type == PatternItem::Any)
        ++p;
    return p == items.size();
}

std::string Quote(std::string_view text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'') out += '\'';
        out += c;
    }
    return out + "'";
}

std::string DoubleQuote(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string LikeEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '*' || c == '?' || c == '#' || c == '[') {
            out += '[';
            out += c;
            out += ']';
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace kivrun::jetsql
