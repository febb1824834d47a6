#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::sql {

// Lexical classes of Oracle SQL as far as the engine's rewriters need them.
enum class TTokenKind {
    Word,       // unquoted name or keyword: a letter or _ then letters, digits, _, $, #
    QuotedName, // "name" ("" inside stands for one quote)
    String,     // 'text' ('' inside stands for one quote)
    Number,     // 12, 1.5, .5, 1e-3
    Parameter,  // :NAME, :0, ?
    Symbol,     // operators and punctuation; ||, <=, >=, <>, !=, :=, => are one token
    Comment,    // -- to the end of the line (line break excluded) or /* ... */, hints included
    Whitespace
};

// One token; Text views into the tokenised statement, Position is its byte offset there.
struct TToken {
    TTokenKind Kind;
    std::string_view Text;
    size_t Position;
};

// Splits a statement into tokens whose texts, joined, give the statement back exactly.
// Never throws on odd input: unterminated quotes and comments run to the end.
std::vector<TToken> Tokenize(std::string_view sql);

// Neither whitespace nor a comment.
bool IsSignificant(const TToken& token);

// The token is an unquoted word equal to keyword, ignoring case (keyword in upper case).
bool IsKeyword(const TToken& token, std::string_view keyword);

// The token is the one-character or operator symbol given.
bool IsSymbol(const TToken& token, std::string_view symbol);

// ASCII upper case; other bytes are kept.
std::string ToUpper(std::string_view text);

// The name a Word or QuotedName stands for: unquoted words fold to upper case, quoted names
// lose their quotes (and "" becomes "). Other tokens give their text unchanged.
std::string NameOf(const TToken& token);

} // namespace quorvex::sql
