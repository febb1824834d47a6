#include "engine/emulation/HierarchicalQuery.h"

#include "engine/emulation/StatementTokens.h"
#include "persistence/Exceptions.h"

#include <array>

namespace quorvex::emulation {

namespace {

constexpr const char* kUnsupported =
    "Hierarchical queries are supported by the embedded engine only as a single SELECT on one "
    "table";

// The top-level clauses of the SELECT, as token indexes (Size() when absent).
struct TClauses {
    size_t From, Where, Start, Connect, GroupBy, Having, OrderBy, End;
    bool Siblings = false;
    bool NoCycle = false;
};

// Words of a condition that are neither columns nor functions.
bool IsConditionWord(const sql::TToken& token)
{
    constexpr std::array<std::string_view, 22> kWords = {"AND",          "OR",
                                                         "NOT",          "NULL",
                                                         "IS",           "IN",
                                                         "LIKE",         "BETWEEN",
                                                         "ESCAPE",       "CASE",
                                                         "WHEN",         "THEN",
                                                         "ELSE",         "END",
                                                         "TRUE",         "FALSE",
                                                         "GLOB",         "REGEXP",
                                                         "COLLATE",      "CURRENT_DATE",
                                                         "CURRENT_TIME", "CURRENT_TIMESTAMP"};
    for (std::string_view word : kWords)
        if (sql::IsKeyword(token, word))
            return true;
    return false;
}

TClauses FindClauses(const TStatementTokens& t)
{
    const size_t n = t.Size();
    TClauses c{n, n, n, n, n, n, n, n};
    int depth = 0;
    for (size_t k = 0; k < n; ++k) {
        if (t.IsSymbol(k, "(")) {
            ++depth;
            continue;
        }
        if (t.IsSymbol(k, ")")) {
            --depth;
            continue;
        }
        if (depth != 0)
            continue;
        if (t.IsKeyword(k, "UNION") || t.IsKeyword(k, "INTERSECT") || t.IsKeyword(k, "EXCEPT") ||
            t.IsKeyword(k, "MINUS"))
            throw Exception(kUnsupported);
        if (t.IsKeyword(k, "FROM") && c.From == n)
            c.From = k;
        else if (t.IsKeyword(k, "WHERE") && c.Where == n)
            c.Where = k;
        else if (t.IsKeyword(k, "START") && t.IsKeyword(k + 1, "WITH"))
            c.Start = k;
        else if (t.IsKeyword(k, "CONNECT") && t.IsKeyword(k + 1, "BY"))
            c.Connect = k;
        else if (t.IsKeyword(k, "GROUP") && t.IsKeyword(k + 1, "BY"))
            c.GroupBy = k;
        else if (t.IsKeyword(k, "HAVING"))
            c.Having = k;
        else if (t.IsKeyword(k, "ORDER") && t.IsKeyword(k + 1, "SIBLINGS") &&
                 t.IsKeyword(k + 2, "BY")) {
            c.OrderBy = k;
            c.Siblings = true;
        } else if (t.IsKeyword(k, "ORDER") && t.IsKeyword(k + 1, "BY"))
            c.OrderBy = k;
        else if (t.IsSymbol(k, ";") && c.End == n)
            c.End = k;
    }
    return c;
}

// The index of the clause that follows `at` (the end when none does).
size_t NextClause(const TClauses& c, size_t at)
{
    size_t next = c.End;
    for (const size_t other : {c.From, c.Where, c.Start, c.Connect, c.GroupBy, c.Having, c.OrderBy})
        if (other > at && other < next)
            next = other;
    return next;
}

bool HasSubquery(const TStatementTokens& t, size_t first, size_t last)
{
    for (size_t k = first; k < last; ++k)
        if (t.IsKeyword(k, "SELECT"))
            return true;
    return false;
}

// The CONNECT BY condition with every column named through its row: PRIOR's operand through
// the parent "__P", the rest through the child "__C". `table` is the alias (or the table name)
// that qualified names may use.
std::string QualifyConnectCondition(const TStatementTokens& t, size_t first, size_t last,
                                    const std::string& table)
{
    std::string out;
    size_t copied = t[first].Position;
    const auto copyUpTo = [&](size_t index) {
        out.append(t.Sql().substr(copied, t[index].Position - copied));
        copied = t[index].Position;
    };
    const auto skip = [&](size_t index) { copied = t[index].Position + t[index].Text.size(); };

    size_t priorEnd = first; // tokens before this index belong to a PRIOR operand
    for (size_t k = first; k < last; ++k) {
        const bool parent = k < priorEnd;
        const std::string row = parent ? "\"__P\"" : "\"__C\"";
        if (t.IsKeyword(k, "PRIOR")) {
            copyUpTo(k);
            skip(k);
            // PRIOR takes the next operand: a parenthesised expression or one column.
            priorEnd = t.IsSymbol(k + 1, "(") ? t.Closing(k + 1) + 1 : k + 2;
            while (t.IsSymbol(priorEnd, ".") && t.IsName(priorEnd + 1))
                priorEnd += 2;
            continue;
        }
        if (!t.IsName(k) || IsConditionWord(t[k]) || t.IsSymbol(k + 1, "("))
            continue;
        if (k > first && t.IsSymbol(k - 1, "."))
            continue; // the column of a qualified name, its qualifier already replaced
        if (k > first && t.IsKeyword(k - 1, "AS"))
            continue; // a type in CAST(... AS type)
        copyUpTo(k);
        if (t.IsSymbol(k + 1, ".") && t.IsName(k + 2)) {
            if (sql::NameOf(t[k]) != table)
                continue; // someone else's qualifier: left alone
            out += row;
            skip(k);
            continue;
        }
        if (sql::IsKeyword(t[k], "LEVEL")) {
            out += parent ? "\"__P\".\"LEVEL\"" : "(\"__P\".\"LEVEL\" + 1)";
        } else {
            out += row + "." + std::string(t[k].Text);
        }
        skip(k);
    }
    const sql::TToken& end = t[last - 1];
    out.append(t.Sql().substr(copied, end.Position + end.Text.size() - copied));
    return out;
}

} // namespace

std::string RewriteHierarchicalQuery(std::string_view sql)
{
    const TStatementTokens t(sql);
    const size_t n = t.Size();
    bool connects = false;
    for (size_t k = 0; k + 1 < n && !connects; ++k)
        connects = t.IsKeyword(k, "CONNECT") && t.IsKeyword(k + 1, "BY");
    if (!connects)
        return std::string(sql);

    const TClauses c = FindClauses(t);
    if (c.Connect == n || !t.IsKeyword(0, "SELECT") || c.From == n || c.From > c.Connect)
        throw Exception(kUnsupported);

    // FROM [schema.]table [[AS] alias]
    size_t at = c.From + 1;
    const size_t fromEnd = NextClause(c, c.From);
    const auto name = ReadObjectName(t, at);
    if (!name)
        throw Exception(kUnsupported);
    const size_t tableEnd = at;
    std::string alias = name->Name;
    std::string aliasText = QuotedName(name->Name);
    if (t.IsKeyword(at, "AS"))
        ++at;
    if (at < fromEnd && t.IsName(at)) {
        alias = sql::NameOf(t[at]);
        aliasText = std::string(t[at].Text);
        ++at;
    }
    if (at != fromEnd)
        throw Exception(kUnsupported);

    size_t connectFirst = c.Connect + 2;
    const bool noCycle = t.IsKeyword(connectFirst, "NOCYCLE");
    if (noCycle)
        ++connectFirst;
    const size_t connectEnd = NextClause(c, c.Connect);
    if (connectFirst >= connectEnd || HasSubquery(t, connectFirst, connectEnd))
        throw Exception(kUnsupported);

    const std::string table(t.Text(c.From + 1, tableEnd));
    std::string siblings;
    if (c.Siblings)
        siblings = "ORDER BY " + std::string(t.Text(c.OrderBy + 3, NextClause(c, c.OrderBy)));
    const std::string step = "printf('%010d', \"__C\".\"__ROW\") || '/'";

    std::string out = "WITH RECURSIVE \"__SOURCE\" AS (SELECT *, row_number() OVER (" + siblings +
                      ") AS \"__ROW\" FROM " + table + "), ";
    out += "\"__TREE\" AS (SELECT " + aliasText + ".*, 1 AS \"LEVEL\", '/' || printf('%010d', " +
           aliasText + ".\"__ROW\") || '/' AS \"__PATH\" FROM \"__SOURCE\" AS " + aliasText;
    if (c.Start != n)
        out += " WHERE " + std::string(t.Text(c.Start + 2, NextClause(c, c.Start)));
    out += " UNION ALL SELECT \"__C\".*, \"__P\".\"LEVEL\" + 1, \"__P\".\"__PATH\" || " + step +
           " FROM \"__SOURCE\" AS \"__C\" JOIN \"__TREE\" AS \"__P\" ON (" +
           QualifyConnectCondition(t, connectFirst, connectEnd, alias) +
           ") AND instr(\"__P\".\"__PATH\", '/' || " + step + ") = 0) ";
    out += std::string(t.Text(0, c.From)) + " FROM \"__TREE\" AS " + aliasText;
    if (c.Where != n)
        out += " " + std::string(t.Text(c.Where, NextClause(c, c.Where)));
    if (c.GroupBy != n)
        out += " " + std::string(t.Text(c.GroupBy, NextClause(c, c.GroupBy)));
    if (c.Having != n)
        out += " " + std::string(t.Text(c.Having, NextClause(c, c.Having)));
    if (c.OrderBy != n && !c.Siblings)
        out += " " + std::string(t.Text(c.OrderBy, NextClause(c, c.OrderBy)));
    else if (c.GroupBy == n)
        out += " ORDER BY \"__PATH\"";
    if (c.End != n)
        out += std::string(t.Sql().substr(t[c.End].Position));
    return out;
}

} // namespace quorvex::emulation
