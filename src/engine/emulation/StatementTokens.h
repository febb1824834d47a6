#pragma once

#include "engine/sql/SqlTokenizer.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::emulation {

// The significant tokens of one statement (blanks and comments left out), with the text they
// view, for the small parsers of the emulated statements. Indexes past the end are allowed in
// every test and read as no token.
class TStatementTokens {
public:
    explicit TStatementTokens(std::string_view sql);

    size_t Size() const { return m_tokens.size(); }
    const sql::TToken& operator[](size_t index) const { return m_tokens[index]; }
    std::string_view Sql() const { return m_sql; }

    bool IsKeyword(size_t index, std::string_view keyword) const;
    // Any of the keywords.
    bool IsAnyKeyword(size_t index, std::initializer_list<std::string_view> keywords) const;
    bool IsSymbol(size_t index, std::string_view symbol) const;
    // A word or a quoted name.
    bool IsName(size_t index) const;
    // The closing parenthesis of the one at `open`; Size() when there is none.
    size_t Closing(size_t open) const;
    // The opening parenthesis of the one at `close`; Size() when there is none.
    size_t Opening(size_t close) const;
    // The statement's text from token `first` up to token `last` (Size(): the end), as written,
    // without surrounding blanks.
    std::string_view Text(size_t first, size_t last) const;

private:
    std::string_view m_sql;
    std::vector<sql::TToken> m_tokens;
};

// A name as Oracle reads it: unquoted parts folded to upper case. Schema is empty when the
// name is not qualified.
struct TObjectName {
    std::string Schema;
    std::string Name;
};

// Reads [schema.]name at `index` and moves past it; nothing when no name is there.
std::optional<TObjectName> ReadObjectName(const TStatementTokens& tokens, size_t& index);

// "name" with inner quotes doubled, for SQLite.
std::string QuotedName(std::string_view name);
// 'text' with inner quotes doubled.
std::string QuotedText(std::string_view text);

} // namespace quorvex::emulation
