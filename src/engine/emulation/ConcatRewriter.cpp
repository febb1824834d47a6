#include "engine/emulation/ConcatRewriter.h"

#include "engine/emulation/StatementTokens.h"

#include <array>
#include <vector>

namespace quorvex::emulation {

namespace {

// Words that may stand before "(" without naming a function.
bool IsClauseWord(const sql::TToken& token)
{
    constexpr std::array<std::string_view, 26> kWords = {
        "SELECT", "FROM", "WHERE", "AND",     "OR",       "NOT",    "IN",     "EXISTS", "ON",
        "WHEN",   "THEN", "ELSE",  "AS",      "BY",       "VALUES", "HAVING", "ALL",    "ANY",
        "SOME",   "IS",   "LIKE",  "BETWEEN", "DISTINCT", "UNION",  "SET",    "RETURN"};
    for (std::string_view word : kWords)
        if (sql::IsKeyword(token, word))
            return true;
    return false;
}

bool IsValue(const sql::TToken& token)
{
    return token.Kind == sql::TTokenKind::String || token.Kind == sql::TTokenKind::Number ||
           token.Kind == sql::TTokenKind::Parameter;
}

// Reads operands of || chains in both directions, never crossing `m_floor` (the end of the
// chain rewritten before) going back.
class TOperandReader {
public:
    TOperandReader(const TStatementTokens& tokens, size_t floor)
        : m_t(tokens)
        , m_floor(floor)
    {
    }

    // The first token of the operand that ends at `last`; last + 1 when there is none.
    size_t Backward(size_t last) const
    {
        size_t first = PrimaryBackward(last);
        while (first != last + 1 && first >= m_floor + 2 &&
               (m_t.IsSymbol(first - 1, "*") || m_t.IsSymbol(first - 1, "/"))) {
            const size_t before = PrimaryBackward(first - 2);
            if (before == first - 1)
                break;
            first = before;
        }
        // A sign directly after an operator or at the start is unary and part of the operand.
        if (first != last + 1 && first > m_floor &&
            (m_t.IsSymbol(first - 1, "-") || m_t.IsSymbol(first - 1, "+")) &&
            (first - 1 == m_floor || !EndsOperand(first - 2)))
            --first;
        return first;
    }

    // The token after the operand that starts at `first`; `first` when there is none.
    size_t Forward(size_t first) const
    {
        size_t at = first;
        if (m_t.IsSymbol(at, "-") || m_t.IsSymbol(at, "+"))
            ++at;
        size_t end = PrimaryForward(at);
        if (end == at)
            return first;
        while (m_t.IsSymbol(end, "*") || m_t.IsSymbol(end, "/")) {
            const size_t next = PrimaryForward(end + 1);
            if (next == end + 1)
                break;
            end = next;
        }
        return end;
    }

private:
    bool EndsOperand(size_t index) const
    {
        const sql::TToken& token = m_t[index];
        return IsValue(token) || m_t.IsSymbol(index, ")") ||
               token.Kind == sql::TTokenKind::QuotedName ||
               (token.Kind == sql::TTokenKind::Word && !IsClauseWord(token));
    }

    // Extends a name at `first` back over "schema." or "table." qualifiers.
    size_t QualifiersBackward(size_t first) const
    {
        while (first >= m_floor + 2 && m_t.IsSymbol(first - 1, ".") && m_t.IsName(first - 2))
            first -= 2;
        return first;
    }

    size_t PrimaryBackward(size_t last) const
    {
        if (last < m_floor || last >= m_t.Size())
            return last + 1;
        if (m_t.IsSymbol(last, ")")) {
            const size_t open = m_t.Opening(last);
            if (open >= m_t.Size() || open < m_floor)
                return last + 1;
            if (open > m_floor && m_t.IsName(open - 1) && !IsClauseWord(m_t[open - 1]))
                return QualifiersBackward(open - 1);
            return open;
        }
        if (m_t.IsKeyword(last, "END")) {
            int depth = 0;
            for (size_t k = last + 1; k-- > m_floor;) {
                if (m_t.IsKeyword(k, "END"))
                    ++depth;
                else if (m_t.IsKeyword(k, "CASE") && --depth == 0)
                    return k;
            }
            return last + 1;
        }
        if (IsValue(m_t[last]))
            return last;
        if (m_t.IsName(last) && !IsClauseWord(m_t[last]))
            return QualifiersBackward(last);
        return last + 1;
    }

    size_t PrimaryForward(size_t first) const
    {
        if (first >= m_t.Size())
            return first;
        if (m_t.IsSymbol(first, "(")) {
            const size_t close = m_t.Closing(first);
            return close < m_t.Size() ? close + 1 : first;
        }
        if (m_t.IsKeyword(first, "CASE")) {
            int depth = 0;
            for (size_t k = first; k < m_t.Size(); ++k) {
                if (m_t.IsKeyword(k, "CASE"))
                    ++depth;
                else if (m_t.IsKeyword(k, "END") && --depth == 0)
                    return k + 1;
            }
            return first;
        }
        if (IsValue(m_t[first]))
            return first + 1;
        if (!m_t.IsName(first) || IsClauseWord(m_t[first]))
            return first;
        size_t end = first + 1;
        while (m_t.IsSymbol(end, ".") && m_t.IsName(end + 1))
            end += 2;
        if (m_t.IsSymbol(end, "(")) {
            const size_t close = m_t.Closing(end);
            if (close < m_t.Size())
                end = close + 1;
        }
        return end;
    }

    const TStatementTokens& m_t;
    size_t m_floor;
};

std::string Operand(std::string_view text)
{
    return "COALESCE(" + RewriteConcatenation(text) + ",'')";
}

// Text without || outside parentheses: the chains inside its parenthesised groups.
std::string RewriteGroups(std::string_view text)
{
    if (text.find("||") == std::string_view::npos)
        return std::string(text);
    const TStatementTokens tokens(text);
    std::string result;
    size_t copied = 0;
    for (size_t k = 0; k < tokens.Size(); ++k) {
        if (!tokens.IsSymbol(k, "("))
            continue;
        const size_t close = tokens.Closing(k);
        if (close >= tokens.Size())
            break;
        const size_t from = tokens[k].Position + 1;
        const size_t to = tokens[close].Position;
        result.append(text.substr(copied, from - copied))
            .append(RewriteConcatenation(text.substr(from, to - from)));
        copied = to;
        k = close;
    }
    return result.append(text.substr(copied));
}

} // namespace

std::string RewriteConcatenation(std::string_view sql)
{
    if (sql.find("||") == std::string_view::npos)
        return std::string(sql);
    const TStatementTokens tokens(sql);
    // Chains outside parentheses first; their operands and the groups between them are
    // rewritten on their own, so a chain inside an operand never hides the one around it.
    std::vector<int> depth(tokens.Size(), 0);
    for (size_t k = 0, level = 0; k < tokens.Size(); ++k) {
        if (tokens.IsSymbol(k, ")") && level > 0)
            --level;
        depth[k] = static_cast<int>(level);
        if (tokens.IsSymbol(k, "("))
            ++level;
    }
    std::string result;
    size_t copied = 0; // bytes of sql already in result
    size_t floor = 0;  // first token not yet part of a rewritten chain
    for (size_t k = 0; k < tokens.Size(); ++k) {
        if (!tokens.IsSymbol(k, "||") || depth[k] != 0 || k == 0)
            continue;
        const TOperandReader reader(tokens, floor);
        const size_t first = reader.Backward(k - 1);
        if (first >= k)
            continue; // no operand before it: leave the text to SQLite's judgement
        std::vector<std::string_view> operands{tokens.Text(first, k)};
        size_t end = k;
        while (tokens.IsSymbol(end, "||")) {
            const size_t next = reader.Forward(end + 1);
            if (next == end + 1)
                break;
            operands.push_back(tokens.Text(end + 1, next));
            end = next;
        }
        if (operands.size() < 2)
            continue;
        std::string chain = "NULLIF(";
        for (size_t i = 0; i < operands.size(); ++i)
            chain += (i > 0 ? " || " : "") + Operand(operands[i]);
        chain += ",'')";
        const size_t from = tokens[first].Position;
        result.append(RewriteGroups(sql.substr(copied, from - copied))).append(chain);
        const sql::TToken& last = tokens[end - 1];
        copied = last.Position + last.Text.size();
        floor = end;
        k = end - 1;
    }
    return result.append(RewriteGroups(sql.substr(copied)));
}

} // namespace quorvex::emulation
