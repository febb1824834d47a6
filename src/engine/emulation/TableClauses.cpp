#include "engine/emulation/TableClauses.h"

#include "engine/emulation/Dictionary.h"
#include "persistence/Exceptions.h"

#include <algorithm>

namespace quorvex::emulation {

namespace {

// Words after which a column's type has ended.
bool EndsType(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"DEFAULT", "CONSTRAINT", "NOT", "NULL", "PRIMARY", "UNIQUE", "CHECK",
                              "REFERENCES", "GENERATED", "AS", "VISIBLE", "INVISIBLE", "SORT",
                              "ENCRYPT", "COLLATE", "ENABLE", "DISABLE"});
}

// Words that end a DEFAULT expression (never its first token).
bool EndsDefault(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"CONSTRAINT", "NOT", "NULL", "PRIMARY", "UNIQUE", "CHECK",
                              "REFERENCES", "ENABLE", "DISABLE", "VISIBLE", "INVISIBLE"});
}

// Storage words of a USING INDEX clause, which are not an index name.
bool IsIndexAttribute(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(
        k, {"TABLESPACE", "PCTFREE", "PCTUSED",  "INITRANS",   "MAXTRANS", "STORAGE",   "LOGGING",
            "NOLOGGING",  "COMPUTE", "COMPRESS", "NOCOMPRESS", "LOCAL",    "GLOBAL",    "REVERSE",
            "SORT",       "NOSORT",  "PARALLEL", "NOPARALLEL", "VISIBLE",  "INVISIBLE", "ONLINE"});
}

bool IsStateWord(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"DEFERRABLE", "INITIALLY", "ENABLE", "DISABLE", "VALIDATE",
                              "NOVALIDATE", "RELY", "NORELY", "USING", "EXCEPTIONS"}) ||
           (t.IsKeyword(k, "NOT") && t.IsKeyword(k + 1, "DEFERRABLE"));
}

bool StartsInlineConstraint(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"PRIMARY", "UNIQUE", "CHECK", "REFERENCES", "FOREIGN"}) ||
           (t.IsKeyword(k, "NOT") && t.IsKeyword(k + 1, "NULL"));
}

size_t PastParentheses(const TStatementTokens& t, size_t open, size_t last)
{
    return std::min(t.Closing(open), last) + 1;
}

// USING INDEX name | (CREATE INDEX name ...) | storage words: the index the key uses.
size_t ReadUsingIndex(const TStatementTokens& t, size_t k, size_t last, TConstraintDecl& decl)
{
    if (t.IsSymbol(k, "(")) {
        size_t at = k + 1;
        if (t.IsKeyword(at, "CREATE")) {
            at += t.IsKeyword(at + 1, "UNIQUE") ? 3 : 2;
            decl.UsingIndex = ReadObjectName(t, at);
        }
        return PastParentheses(t, k, last);
    }
    if (t.IsName(k) && !IsIndexAttribute(t, k) && !IsStateWord(t, k))
        decl.UsingIndex = ReadObjectName(t, k);
    while (k < last && !IsStateWord(t, k) && !StartsInlineConstraint(t, k) &&
           !t.IsKeyword(k, "CONSTRAINT"))
        k = t.IsSymbol(k, "(") ? PastParentheses(t, k, last) : k + 1;
    return k;
}

// The state after a constraint: deferral, ENABLE/DISABLE, validation, its index.
size_t ReadConstraintState(const TStatementTokens& t, size_t k, size_t last, TConstraintDecl& decl)
{
    while (k < last) {
        if (t.IsKeyword(k, "NOT") && t.IsKeyword(k + 1, "DEFERRABLE")) {
            k += 2;
        } else if (t.IsKeyword(k, "DEFERRABLE")) {
            decl.Deferrable = true;
            ++k;
        } else if (t.IsKeyword(k, "INITIALLY")) {
            decl.InitiallyDeferred = t.IsKeyword(k + 1, "DEFERRED");
            k += 2;
        } else if (t.IsKeyword(k, "ENABLE") || t.IsKeyword(k, "DISABLE")) {
            decl.Enabled = t.IsKeyword(k, "ENABLE");
            ++k;
        } else if (t.IsAnyKeyword(k, {"VALIDATE", "NOVALIDATE", "RELY", "NORELY"})) {
            ++k;
        } else if (t.IsKeyword(k, "USING") && t.IsKeyword(k + 1, "INDEX")) {
            k = ReadUsingIndex(t, k + 2, last, decl);
        } else if (t.IsKeyword(k, "EXCEPTIONS") && t.IsKeyword(k + 1, "INTO")) {
            k += 2;
            ReadObjectName(t, k);
        } else {
            break;
        }
    }
    return k;
}

// The constraint's kind and what belongs to it, from its first keyword on.
size_t ReadConstraintBody(const TStatementTokens& t, size_t k, size_t last, TConstraintDecl& decl)
{
    if (t.IsKeyword(k, "NOT") && t.IsKeyword(k + 1, "NULL")) {
        decl.Type = constraint_types::kNotNull;
        k += 2;
    } else if (t.IsKeyword(k, "PRIMARY") || t.IsKeyword(k, "UNIQUE")) {
        decl.Type =
            t.IsKeyword(k, "PRIMARY") ? constraint_types::kPrimaryKey : constraint_types::kUnique;
        k += t.IsKeyword(k, "PRIMARY") ? 2 : 1;
        if (t.IsSymbol(k, "(")) {
            decl.Columns = ReadNameList(t, k);
            k = PastParentheses(t, k, last);
        }
    } else if (t.IsKeyword(k, "CHECK") && t.IsSymbol(k + 1, "(")) {
        decl.Type = constraint_types::kCheck;
        const size_t close = std::min(t.Closing(k + 1), last);
        decl.Condition = std::string(t.Text(k + 2, close));
        k = close + 1;
    } else if (t.IsKeyword(k, "FOREIGN") || t.IsKeyword(k, "REFERENCES")) {
        decl.Type = constraint_types::kForeignKey;
        if (t.IsKeyword(k, "FOREIGN")) {
            if (!t.IsSymbol(k + 2, "("))
                throw Exception("ORA-00906: missing left parenthesis");
            decl.Columns = ReadNameList(t, k + 2);
            k = PastParentheses(t, k + 2, last);
        }
        if (!t.IsKeyword(k++, "REFERENCES"))
            throw Exception("ORA-00905: missing keyword");
        decl.RefTable = ReadObjectName(t, k);
        if (!decl.RefTable)
            throw Exception("ORA-00903: invalid table name");
        if (t.IsSymbol(k, "(")) {
            decl.RefColumns = ReadNameList(t, k);
            k = PastParentheses(t, k, last);
        }
        if (t.IsKeyword(k, "ON") && t.IsKeyword(k + 1, "DELETE")) {
            decl.OnDelete = t.IsKeyword(k + 2, "CASCADE") ? 1 : 2;
            k += t.IsKeyword(k + 2, "CASCADE") ? 3 : 4;
        }
    } else {
        throw Exception("ORA-00902: invalid datatype");
    }
    return ReadConstraintState(t, k, last, decl);
}

} // namespace

std::vector<std::pair<size_t, size_t>> ListItems(const TStatementTokens& t, size_t open)
{
    std::vector<std::pair<size_t, size_t>> items;
    const size_t close = t.Closing(open);
    if (close >= t.Size())
        throw Exception("ORA-00907: missing right parenthesis");
    size_t first = open + 1;
    for (size_t k = open + 1; k <= close; ++k) {
        if (t.IsSymbol(k, "(") && k < close) {
            k = t.Closing(k);
            continue;
        }
        if (k != close && !t.IsSymbol(k, ","))
            continue;
        if (first < k)
            items.emplace_back(first, k);
        first = k + 1;
    }
    return items;
}

bool StartsOutOfLineConstraint(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(k, {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN"});
}

std::vector<std::string> ReadNameList(const TStatementTokens& t, size_t open)
{
    std::vector<std::string> names;
    for (const auto& [first, last] : ListItems(t, open))
        names.push_back(sql::NameOf(t[first]));
    return names;
}

TConstraintDecl ReadOutOfLineConstraint(const TStatementTokens& t, size_t first, size_t last)
{
    TConstraintDecl decl;
    size_t k = first;
    if (t.IsKeyword(k, "CONSTRAINT")) {
        decl.Name = sql::NameOf(t[k + 1]);
        k += 2;
    }
    k = ReadConstraintBody(t, k, last, decl);
    if (k < last)
        throw Exception("ORA-00907: missing right parenthesis");
    return decl;
}

TColumnDecl ReadColumnDecl(const TStatementTokens& t, size_t first, size_t last)
{
    TColumnDecl column;
    column.Name = sql::NameOf(t[first]);
    size_t k = first + 1;
    std::string words;
    std::string arguments;
    while (k < last && !EndsType(t, k)) {
        if (t.IsSymbol(k, "(")) {
            const size_t close = std::min(t.Closing(k), last);
            if (arguments.empty())
                arguments = "(" + std::string(t.Text(k + 1, close)) + ")";
            k = close + 1;
            continue;
        }
        words += (words.empty() ? "" : " ") + sql::ToUpper(t[k++].Text);
    }
    column.Type = words + arguments;
    std::string pendingName;
    while (k < last) {
        if (t.IsKeyword(k, "CONSTRAINT") && k + 1 < last) {
            pendingName = sql::NameOf(t[k + 1]);
            k += 2;
        } else if (StartsInlineConstraint(t, k)) {
            TConstraintDecl decl;
            decl.Name = std::exchange(pendingName, {});
            k = ReadConstraintBody(t, k, last, decl);
            if (decl.Type != constraint_types::kCheck && decl.Columns.empty())
                decl.Columns = {column.Name};
            column.Constraints.push_back(std::move(decl));
        } else if (t.IsKeyword(k, "NULL")) {
            column.Null = true;
            TConstraintDecl ignored;
            k = ReadConstraintState(t, k + 1, last, ignored);
        } else if (t.IsKeyword(k, "DEFAULT")) {
            if (k + 1 >= last)
                throw Exception("ORA-00936: missing expression");
            k += t.IsKeyword(k + 1, "ON") && t.IsKeyword(k + 2, "NULL") ? 3 : 1;
            size_t end = k;
            while (end < last && (end == k || !EndsDefault(t, end)))
                end = t.IsSymbol(end, "(") ? PastParentheses(t, end, last) : end + 1;
            column.Default = std::string(t.Text(k, end));
            column.HasDefault = true;
            k = end;
        } else if (t.IsKeyword(k, "GENERATED") || t.IsKeyword(k, "AS")) {
            while (k < last && !t.IsKeyword(k, "AS"))
                ++k; // ALWAYS, BY DEFAULT [ON NULL]
            if (t.IsKeyword(k + 1, "IDENTITY")) {
                column.Identity = true;
                k += 2;
                if (t.IsSymbol(k, "("))
                    k = PastParentheses(t, k, last);
            } else if (t.IsSymbol(k + 1, "(")) {
                const size_t close = std::min(t.Closing(k + 1), last);
                column.Virtual = std::string(t.Text(k + 2, close));
                k = close + 1;
            } else {
                throw Exception("ORA-00906: missing left parenthesis");
            }
        } else if (t.IsSymbol(k, "(")) {
            k = PastParentheses(t, k, last);
        } else {
            ++k; // VIRTUAL, VISIBLE, SORT, ENCRYPT ... change nothing the dictionary keeps
        }
    }
    return column;
}

} // namespace quorvex::emulation
