#include "engine/sql/OuterJoinRewriter.h"

#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <vector>

namespace quorvex::sql {

namespace {

[[noreturn]] void Fail(const std::string& reason)
{
    throw Exception("Cannot translate the outer join (+): " + reason);
}

bool IsName(const TToken& token)
{
    return token.Kind == TTokenKind::Word || token.Kind == TTokenKind::QuotedName;
}

// Half-open range of token indices.
struct TRange {
    size_t Begin = 0;
    size_t End = 0;
};

struct TTable {
    std::string Key; // alias, else table name, as Oracle resolves it
    TRange Text;
    bool Optional = false;
    std::vector<size_t> OnConditions; // indices into m_conditions
    std::set<std::string> DependsOn;
};

struct TCondition {
    TRange Text;
    bool Marked = false;
};

class TOuterJoinRewriter {
public:
    explicit TOuterJoinRewriter(std::string_view sql)
        : m_sql(sql)
        , m_tokens(Tokenize(sql))
    {
    }

    std::string Rewrite()
    {
        FindMarkers();
        if (m_markerEnd.empty()) {
            return std::string(m_sql);
        }
        FindClauses();
        ReadTables();
        ReadConditions();
        return Compose(JoinOrder());
    }

private:
    // Index of the next significant token at or after i, or the token count.
    size_t NextSignificant(size_t i) const
    {
        while (i < m_tokens.size() && !IsSignificant(m_tokens[i])) {
            ++i;
        }
        return i;
    }

    // Index of the previous significant token before i inside [floor, i), or npos.
    size_t PrevSignificant(size_t i, size_t floor) const
    {
        while (i > floor) {
            --i;
            if (IsSignificant(m_tokens[i])) {
                return i;
            }
        }
        return std::string_view::npos;
    }

    bool IsMarkerStart(size_t i) const { return m_markerEnd.count(i) != 0; }

    // A (+) is "(", "+", ")" with nothing but blanks between.
    void FindMarkers()
    {
        auto nextNonBlank = [this](size_t i) {
            while (i < m_tokens.size() && m_tokens[i].Kind == TTokenKind::Whitespace) {
                ++i;
            }
            return i;
        };
        for (size_t i = 0; i < m_tokens.size(); ++i) {
            if (!IsSymbol(m_tokens[i], "(")) {
                continue;
            }
            const size_t plus = nextNonBlank(i + 1);
            if (plus >= m_tokens.size() || !IsSymbol(m_tokens[plus], "+")) {
                continue;
            }
            const size_t close = nextNonBlank(plus + 1);
            if (close < m_tokens.size() && IsSymbol(m_tokens[close], ")")) {
                m_markerEnd.emplace(i, close + 1);
            }
        }
    }

    size_t MarkerEnd(size_t start) const { return m_markerEnd.at(start); }

    static bool IsClauseEnd(const TToken& token)
    {
        constexpr std::array<std::string_view, 13> kEnds = {
            "GROUP",   "ORDER", "HAVING", "UNION", "INTERSECT", "MINUS", "EXCEPT",
            "CONNECT", "START", "FOR",    "FETCH", "OFFSET",    "LIMIT"};
        if (IsSymbol(token, ";") || IsSymbol(token, ")")) {
            return true;
        }
        return std::any_of(kEnds.begin(), kEnds.end(),
                           [&token](std::string_view end) { return IsKeyword(token, end); });
    }

    // Locates FROM, WHERE and the end of the WHERE clause of the outermost query and checks
    // that every (+) lies in that WHERE clause.
    void FindClauses()
    {
        const size_t first = NextSignificant(0);
        if (first >= m_tokens.size() || !IsKeyword(m_tokens[first], "SELECT")) {
            Fail("only a plain SELECT statement can use it");
        }
        size_t depth = 0;
        size_t from = std::string_view::npos;
        size_t where = std::string_view::npos;
        size_t whereEnd = m_tokens.size();
        for (size_t i = first + 1; i < m_tokens.size(); ++i) {
            if (IsMarkerStart(i)) {
                i = MarkerEnd(i) - 1;
                continue;
            }
            const TToken& token = m_tokens[i];
            if (IsSymbol(token, "(")) {
                ++depth;
                continue;
            }
            if (IsSymbol(token, ")") && depth > 0) {
                --depth;
                continue;
            }
            if (depth != 0) {
                continue;
            }
            if (from == std::string_view::npos) {
                if (IsKeyword(token, "FROM")) {
                    from = i;
                }
            } else if (where == std::string_view::npos) {
                if (IsKeyword(token, "WHERE")) {
                    where = i;
                } else if (IsClauseEnd(token)) {
                    break;
                }
            } else if (IsClauseEnd(token)) {
                whereEnd = i;
                break;
            }
        }
        if (from == std::string_view::npos || where == std::string_view::npos) {
            Fail("it must stand in the WHERE clause of the outermost SELECT");
        }
        for (const auto& [begin, end] : m_markerEnd) {
            if (begin < where || end > whereEnd) {
                Fail("it must stand in the WHERE clause of the outermost SELECT");
            }
        }
        m_from = from;
        m_where = where;
        m_whereEnd = whereEnd;
    }

    // Splits [range) at commas (or at AND for conditions) outside parentheses.
    std::vector<TRange> Split(TRange range, bool atAnd) const
    {
        std::vector<TRange> parts;
        size_t depth = 0;
        size_t start = range.Begin;
        bool between = false;
        for (size_t i = range.Begin; i < range.End; ++i) {
            if (IsMarkerStart(i)) {
                i = MarkerEnd(i) - 1;
                continue;
            }
            const TToken& token = m_tokens[i];
            if (IsSymbol(token, "(")) {
                ++depth;
            } else if (IsSymbol(token, ")") && depth > 0) {
                --depth;
            } else if (depth == 0 && atAnd && IsKeyword(token, "BETWEEN")) {
                between = true;
            } else if (depth == 0 && atAnd && IsKeyword(token, "AND")) {
                if (between) {
                    between = false; // x BETWEEN a AND b is one condition
                } else {
                    parts.push_back({start, i});
                    start = i + 1;
                }
            } else if (depth == 0 && !atAnd && IsSymbol(token, ",")) {
                parts.push_back({start, i});
                start = i + 1;
            }
        }
        parts.push_back({start, range.End});
        return parts;
    }

    // Narrows a range to its content without surrounding blanks (comments are kept).
    TRange Trim(TRange range) const
    {
        while (range.Begin < range.End && m_tokens[range.Begin].Kind == TTokenKind::Whitespace) {
            ++range.Begin;
        }
        while (range.End > range.Begin && m_tokens[range.End - 1].Kind == TTokenKind::Whitespace) {
            --range.End;
        }
        return range;
    }

    std::vector<size_t> SignificantIn(TRange range) const
    {
        std::vector<size_t> result;
        for (size_t i = range.Begin; i < range.End; ++i) {
            if (IsSignificant(m_tokens[i])) {
                result.push_back(i);
            }
        }
        return result;
    }

    // FROM items: [schema.]table [alias], nothing else.
    void ReadTables()
    {
        for (TRange part : Split({m_from + 1, m_where}, false)) {
            const std::vector<size_t> s = SignificantIn(part);
            const auto name = [&](size_t k) { return k < s.size() && IsName(m_tokens[s[k]]); };
            const auto dot = [&](size_t k) {
                return k < s.size() && IsSymbol(m_tokens[s[k]], ".");
            };
            size_t nameIndex = 0;
            if (s.size() >= 3 && name(0) && dot(1) && name(2)) {
                nameIndex = 2;
            } else if (!name(0)) {
                Fail("the FROM clause may only list tables, without subqueries or ANSI joins");
            }
            const size_t count = s.size();
            if (count != nameIndex + 1 && !(count == nameIndex + 2 && name(nameIndex + 1))) {
                Fail("the FROM clause may only list tables, without subqueries or ANSI joins");
            }
            TTable table;
            table.Key = NameOf(m_tokens[s[count - 1]]);
            table.Text = Trim(part);
            for (const TTable& other : m_tables) {
                if (other.Key == table.Key) {
                    Fail("two tables in the FROM clause are both known as " + table.Key);
                }
            }
            m_tables.push_back(table);
        }
    }

    TTable* FindTable(const std::string& key)
    {
        for (TTable& table : m_tables) {
            if (table.Key == key) {
                return &table;
            }
        }
        return nullptr;
    }

    // The table keys a condition refers to through qualified names (q.col or s.q.col).
    std::set<std::string> ReferencedTables(TRange range)
    {
        std::set<std::string> keys;
        const std::vector<size_t> s = SignificantIn(range);
        for (size_t k = 0; k + 2 < s.size(); ++k) {
            const bool head = k == 0 || !IsSymbol(m_tokens[s[k - 1]], ".");
            if (!head || !IsName(m_tokens[s[k]]) || !IsSymbol(m_tokens[s[k + 1]], ".") ||
                !IsName(m_tokens[s[k + 2]])) {
                continue;
            }
            size_t qualifier = k;
            if (k + 4 < s.size() && IsSymbol(m_tokens[s[k + 3]], ".") &&
                IsName(m_tokens[s[k + 4]])) {
                qualifier = k + 2; // schema.table.column
            }
            const std::string key = NameOf(m_tokens[s[qualifier]]);
            if (FindTable(key) != nullptr) {
                keys.insert(key);
            }
        }
        return keys;
    }

    // The table whose column carries the (+) starting at token index marker.
    std::string MarkedTable(size_t marker, TRange condition)
    {
        const size_t column = PrevSignificant(marker, condition.Begin);
        const size_t dot =
            column == std::string_view::npos ? column : PrevSignificant(column, condition.Begin);
        const size_t qualifier =
            dot == std::string_view::npos ? dot : PrevSignificant(dot, condition.Begin);
        if (qualifier == std::string_view::npos || !IsName(m_tokens[column]) ||
            !IsSymbol(m_tokens[dot], ".") || !IsName(m_tokens[qualifier])) {
            Fail("it must follow a column qualified by its table or alias");
        }
        const std::string key = NameOf(m_tokens[qualifier]);
        if (FindTable(key) == nullptr) {
            Fail("no table of the FROM clause is known as " + key);
        }
        return key;
    }

    void ReadConditions()
    {
        for (TRange part : Split({m_where + 1, m_whereEnd}, true)) {
            TCondition condition{Trim(part), false};
            if (condition.Text.Begin == condition.Text.End) {
                Fail("the WHERE clause has an empty condition");
            }
            std::string marked;
            bool hasOr = false;
            bool hasSelect = false;
            for (size_t i = condition.Text.Begin; i < condition.Text.End; ++i) {
                hasOr = hasOr || IsKeyword(m_tokens[i], "OR");
                hasSelect = hasSelect || IsKeyword(m_tokens[i], "SELECT");
                if (!IsMarkerStart(i)) {
                    continue;
                }
                const std::string key = MarkedTable(i, condition.Text);
                if (!marked.empty() && marked != key) {
                    Fail("one condition marks columns of two tables");
                }
                marked = key;
            }
            if (!marked.empty()) {
                if (hasOr) {
                    Fail("it cannot stand in a condition with OR");
                }
                if (hasSelect) {
                    Fail("it cannot stand in a condition with a subquery");
                }
                condition.Marked = true;
                TTable& table = *FindTable(marked);
                table.Optional = true;
                table.OnConditions.push_back(m_conditions.size());
                for (const std::string& key : ReferencedTables(condition.Text)) {
                    if (key != marked) {
                        table.DependsOn.insert(key);
                    }
                }
            }
            m_conditions.push_back(condition);
        }
    }

    // The required tables in FROM order, then each optional table once all it depends on
    // has been placed.
    std::vector<const TTable*> JoinOrder() const
    {
        std::vector<const TTable*> order;
        std::set<std::string> placed;
        for (const TTable& table : m_tables) {
            if (!table.Optional) {
                order.push_back(&table);
                placed.insert(table.Key);
            }
        }
        if (order.empty()) {
            Fail("every table is outer-joined; at least one must not be");
        }
        while (order.size() < m_tables.size()) {
            const TTable* next = nullptr;
            for (const TTable& table : m_tables) {
                if (placed.count(table.Key) != 0) {
                    continue;
                }
                if (std::includes(placed.begin(), placed.end(), table.DependsOn.begin(),
                                  table.DependsOn.end())) {
                    next = &table;
                    break;
                }
            }
            if (next == nullptr) {
                Fail("the outer joins form a cycle");
            }
            order.push_back(next);
            placed.insert(next->Key);
        }
        return order;
    }

    // The text of a token range, without the (+) marks when asked; a trailing line comment
    // keeps its line break so that nothing appended after it is commented out.
    std::string Text(TRange range, bool dropMarkers = false) const
    {
        std::string text;
        for (size_t i = range.Begin; i < range.End; ++i) {
            if (dropMarkers && IsMarkerStart(i)) {
                i = MarkerEnd(i) - 1;
                continue;
            }
            if (dropMarkers && m_tokens[i].Kind == TTokenKind::Whitespace && i + 1 < range.End &&
                IsMarkerStart(i + 1)) {
                continue; // the blank of "b.id (+)"
            }
            text += m_tokens[i].Text;
        }
        if (range.End > range.Begin) {
            const TToken& last = m_tokens[range.End - 1];
            if (last.Kind == TTokenKind::Comment && last.Text.substr(0, 2) == "--") {
                text += '\n';
            }
        }
        return text;
    }

    std::string Compose(const std::vector<const TTable*>& order) const
    {
        std::string result = Text({0, m_from + 1});
        std::string separator = " ";
        for (const TTable* table : order) {
            if (!table->Optional) {
                result += separator + Text(table->Text);
                separator = ",";
                continue;
            }
            result += " LEFT JOIN " + Text(table->Text) + " ON ";
            for (size_t k = 0; k < table->OnConditions.size(); ++k) {
                result +=
                    (k == 0 ? "" : " AND ") + Text(m_conditions[table->OnConditions[k]].Text, true);
            }
        }
        separator = " " + std::string(m_tokens[m_where].Text) + " ";
        for (const TCondition& condition : m_conditions) {
            if (!condition.Marked) {
                result += separator + Text(condition.Text);
                separator = " AND ";
            }
        }
        const TRange rest = {Trim({m_where + 1, m_whereEnd}).End, m_tokens.size()};
        if (rest.Begin < rest.End && (m_tokens[rest.Begin].Kind == TTokenKind::Word ||
                                      m_tokens[rest.Begin].Kind == TTokenKind::QuotedName)) {
            result += ' ';
        }
        return result + Text(rest);
    }

    std::string_view m_sql;
    std::vector<TToken> m_tokens;
    std::map<size_t, size_t> m_markerEnd; // token index of "(" -> index after ")"
    size_t m_from = 0;
    size_t m_where = 0;
    size_t m_whereEnd = 0;
    std::vector<TTable> m_tables;
    std::vector<TCondition> m_conditions;
};

} // namespace

std::string RewriteOuterJoins(std::string_view sql)
{
    return TOuterJoinRewriter(sql).Rewrite();
}

} // namespace quorvex::sql
