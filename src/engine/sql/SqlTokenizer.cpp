#include "engine/sql/SqlTokenizer.h"

#include "persistence/AsciiText.h"

#include <array>

namespace quorvex::sql {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Bytes of multi-byte UTF-8 characters count as letters, as Oracle accepts them in names.
bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool IsNamePart(char c)
{
    return IsNameStart(c) || IsDigit(c) || c == '$' || c == '#';
}

// Scans a quoted run starting at the opening quote; a doubled quote does not end it.
size_t QuotedEnd(std::string_view sql, size_t start, char quote)
{
    size_t i = start + 1;
    while (i < sql.size()) {
        if (sql[i] == quote) {
            if (i + 1 < sql.size() && sql[i + 1] == quote) {
                i += 2;
                continue;
            }
            return i + 1;
        }
        ++i;
    }
    return sql.size();
}

size_t NumberEnd(std::string_view sql, size_t start)
{
    size_t i = start;
    while (i < sql.size() && IsDigit(sql[i])) {
        ++i;
    }
    if (i < sql.size() && sql[i] == '.' && !(i + 1 < sql.size() && sql[i + 1] == '.')) {
        ++i;
        while (i < sql.size() && IsDigit(sql[i])) {
            ++i;
        }
    }
    if (i < sql.size() && (sql[i] == 'e' || sql[i] == 'E')) {
        size_t j = i + 1;
        if (j < sql.size() && (sql[j] == '+' || sql[j] == '-')) {
            ++j;
        }
        if (j < sql.size() && IsDigit(sql[j])) {
            i = j;
            while (i < sql.size() && IsDigit(sql[i])) {
                ++i;
            }
        }
    }
    return i;
}

constexpr std::array<std::string_view, 7> kTwoCharSymbols = {"||", "<=", ">=", "<>",
                                                             "!=", ":=", "=>"};

} // namespace

std::vector<TToken> Tokenize(std::string_view sql)
{
    std::vector<TToken> tokens;
    size_t i = 0;
    while (i < sql.size()) {
        const size_t start = i;
        const char c = sql[i];
        const char next = i + 1 < sql.size() ? sql[i + 1] : '\0';
        TTokenKind kind = TTokenKind::Symbol;
        if (IsSpace(c)) {
            kind = TTokenKind::Whitespace;
            while (i < sql.size() && IsSpace(sql[i])) {
                ++i;
            }
        } else if (c == '-' && next == '-') {
            kind = TTokenKind::Comment;
            const size_t end = sql.find('\n', i);
            i = end == std::string_view::npos ? sql.size() : end;
            // A CR before the line break belongs to the line break, not to the comment.
            if (i > start + 2 && i < sql.size() && sql[i - 1] == '\r') {
                --i;
            }
        } else if (c == '/' && next == '*') {
            kind = TTokenKind::Comment;
            const size_t end = sql.find("*/", i + 2);
            i = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (c == '"') {
            kind = TTokenKind::QuotedName;
            i = QuotedEnd(sql, i, '"');
        } else if (c == '\'') {
            kind = TTokenKind::String;
            i = QuotedEnd(sql, i, '\'');
        } else if (IsDigit(c) || (c == '.' && IsDigit(next))) {
            kind = TTokenKind::Number;
            i = NumberEnd(sql, i);
        } else if (IsNameStart(c)) {
            kind = TTokenKind::Word;
            while (i < sql.size() && IsNamePart(sql[i])) {
                ++i;
            }
        } else if (c == ':' && (IsNamePart(next))) {
            kind = TTokenKind::Parameter;
            ++i;
            while (i < sql.size() && IsNamePart(sql[i])) {
                ++i;
            }
        } else if (c == '?') {
            kind = TTokenKind::Parameter;
            ++i;
        } else {
            i += 1;
            for (std::string_view symbol : kTwoCharSymbols) {
                if (sql.substr(start, 2) == symbol) {
                    i = start + 2;
                    break;
                }
            }
        }
        tokens.push_back(TToken{kind, sql.substr(start, i - start), start});
    }
    return tokens;
}

bool IsSignificant(const TToken& token)
{
    return token.Kind != TTokenKind::Whitespace && token.Kind != TTokenKind::Comment;
}

bool IsKeyword(const TToken& token, std::string_view keyword)
{
    if (token.Kind != TTokenKind::Word || token.Text.size() != keyword.size()) {
        return false;
    }
    for (size_t i = 0; i < keyword.size(); ++i) {
        if (UpperAscii(token.Text[i]) != keyword[i]) {
            return false;
        }
    }
    return true;
}

bool IsSymbol(const TToken& token, std::string_view symbol)
{
    return token.Kind == TTokenKind::Symbol && token.Text == symbol;
}

std::string ToUpper(std::string_view text)
{
    return UpperAsciiText(text);
}

std::string NameOf(const TToken& token)
{
    if (token.Kind == TTokenKind::Word) {
        return ToUpper(token.Text);
    }
    if (token.Kind != TTokenKind::QuotedName) {
        return std::string(token.Text);
    }
    std::string_view inner = token.Text.substr(1);
    if (inner.size() >= 1 && inner.back() == '"') {
        inner.remove_suffix(1);
    }
    std::string name;
    for (size_t i = 0; i < inner.size(); ++i) {
        name += inner[i];
        if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') {
            ++i;
        }
    }
    return name;
}

} // namespace quorvex::sql
