#include "engine/emulation/StatementTokens.h"

#include <algorithm>

namespace quorvex::emulation {

TStatementTokens::TStatementTokens(std::string_view sql)
    : m_sql(sql)
{
    for (const sql::TToken& token : sql::Tokenize(sql))
        if (sql::IsSignificant(token))
            m_tokens.push_back(token);
}

bool TStatementTokens::IsKeyword(size_t index, std::string_view keyword) const
{
    return index < m_tokens.size() && sql::IsKeyword(m_tokens[index], keyword);
}

bool TStatementTokens::IsAnyKeyword(size_t index,
                                    std::initializer_list<std::string_view> keywords) const
{
    return std::any_of(keywords.begin(), keywords.end(),
                       [&](std::string_view keyword) { return IsKeyword(index, keyword); });
}

bool TStatementTokens::IsSymbol(size_t index, std::string_view symbol) const
{
    return index < m_tokens.size() && sql::IsSymbol(m_tokens[index], symbol);
}

bool TStatementTokens::IsName(size_t index) const
{
    return index < m_tokens.size() && (m_tokens[index].Kind == sql::TTokenKind::Word ||
                                       m_tokens[index].Kind == sql::TTokenKind::QuotedName);
}

size_t TStatementTokens::Closing(size_t open) const
{
    int depth = 0;
    for (size_t k = open; k < m_tokens.size(); ++k) {
        if (IsSymbol(k, "("))
            ++depth;
        else if (IsSymbol(k, ")") && --depth == 0)
            return k;
    }
    return m_tokens.size();
}

size_t TStatementTokens::Opening(size_t close) const
{
    int depth = 0;
    for (size_t k = close + 1; k-- > 0;) {
        if (IsSymbol(k, ")"))
            ++depth;
        else if (IsSymbol(k, "(") && --depth == 0)
            return k;
    }
    return m_tokens.size();
}

std::string_view TStatementTokens::Text(size_t first, size_t last) const
{
    if (first >= m_tokens.size() || first >= last)
        return {};
    const size_t begin = m_tokens[first].Position;
    const sql::TToken& end = m_tokens[std::min(last, m_tokens.size()) - 1];
    return m_sql.substr(begin, end.Position + end.Text.size() - begin);
}

std::optional<TObjectName> ReadObjectName(const TStatementTokens& tokens, size_t& index)
{
    if (!tokens.IsName(index))
        return std::nullopt;
    TObjectName name{{}, sql::NameOf(tokens[index])};
    ++index;
    if (tokens.IsSymbol(index, ".") && tokens.IsName(index + 1)) {
        name.Schema = std::move(name.Name);
        name.Name = sql::NameOf(tokens[index + 1]);
        index += 2;
    }
    return name;
}

std::string QuotedName(std::string_view name)
{
    std::string quoted = "\"";
    for (const char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + '"';
}

std::string QuotedText(std::string_view text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + '\'';
}

} // namespace quorvex::emulation
