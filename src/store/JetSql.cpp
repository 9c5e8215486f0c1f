#include "store/JetSql.h"

#include "store/JetSqlTokens.h"

namespace kivrun::jetsql {
namespace {

using namespace detail;

class Translator {
  public:
    explicit Translator(std::string_view text) : text_(text) {}

    Translation Statement() {
        raw_ = Tokenize(text_);
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
        raw_ = Tokenize(text_);
        std::vector<Piece> out;
        Convert(0, out);
        return Join(RewriteLike(RewriteBetween(out)));
    }

  private:
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

}  // namespace

Translation Translate(std::string_view jet) {
    return Translator(jet).Statement();
}

std::string TranslateExpression(std::string_view jet) {
    return Translator(jet).Expression();
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
