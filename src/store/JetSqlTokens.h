#pragma once

// The tokeniser of the log's SQL dialect, shared by the translator's files.

#include <string>
#include <string_view>
#include <vector>

namespace kivrun::jetsql::detail {

enum class Kind { Space, Word, Number, Ident, Param, String, Punct };

struct Piece {
    Kind kind;
    std::string text;  // SQLite text of the piece
};

struct RawToken {
    Kind kind;
    std::string text;  // Ident: the bare name; String: the unescaped value
    bool date = false;
};

bool IEquals(std::string_view a, std::string_view b);
[[noreturn]] void Fail(const std::string& what, std::string_view text);
// "name" with its quotes doubled: an identifier SQLite reads as written.
std::string QuoteIdent(std::string_view name);
// Splits a statement or expression; #M/D/Y# literals become serial numbers.
std::vector<RawToken> Tokenize(std::string_view text);

}  // namespace kivrun::jetsql::detail
