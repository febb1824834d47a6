#include "engine/emulation/ConstraintErrors.h"

#include <algorithm>
#include <vector>

namespace quorvex::emulation {

namespace {

constexpr std::string_view kUnique = "UNIQUE constraint failed: ";
constexpr std::string_view kNotNull = "NOT NULL constraint failed: ";
constexpr std::string_view kCheck = "CHECK constraint failed: ";

struct TFailedColumns {
    std::string Table;
    std::vector<std::string> Columns;
};

// "T.A, T.B" as SQLite lists the columns of the index or column that refused the row.
std::optional<TFailedColumns> ReadColumns(std::string_view list)
{
    TFailedColumns failed;
    while (!list.empty()) {
        const size_t comma = list.find(", ");
        const std::string_view item = list.substr(0, comma);
        const size_t dot = item.find('.');
        if (dot == std::string_view::npos)
            return std::nullopt; // an index on expressions names the index only
        const std::string table(item.substr(0, dot));
        if (!failed.Table.empty() && failed.Table != table)
            return std::nullopt;
        failed.Table = table;
        failed.Columns.emplace_back(item.substr(dot + 1));
        list = comma == std::string_view::npos ? std::string_view() : list.substr(comma + 2);
    }
    if (failed.Columns.empty())
        return std::nullopt;
    std::sort(failed.Columns.begin(), failed.Columns.end());
    return failed;
}

struct TTable {
    std::int64_t ObjNo = 0;
    std::string Owner;
};

std::vector<TTable> TablesNamed(const TDictionary& dictionary, const std::string& name)
{
    std::vector<TTable> tables;
    for (const TRow& row : QueryRows(dictionary.Db(),
                                     R"(SELECT o."OBJ#", u."NAME" FROM SYS."OBJ$" o
                                          JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
                                         WHERE o."NAME" = ? AND o."TYPE#" = 2
                                         ORDER BY u."NAME" = ? DESC, u."NAME")",
                                     {name, dictionary.LoginUser()}))
        tables.push_back({row[0].AsInteger(), row[1].AsText()});
    return tables;
}

// The sorted column names of each row's key: (owner, name, key number) rows, and a query of the
// column names of one key.
std::optional<std::string> Matching(sqlite3* db, const std::vector<TRow>& keys,
                                    std::string_view columnsOf,
                                    const std::vector<std::string>& wanted)
{
    for (const TRow& key : keys) {
        std::vector<std::string> columns;
        for (const TRow& row : QueryRows(db, columnsOf, {key[2].AsInteger()}))
            columns.push_back(row[0].AsText());
        std::sort(columns.begin(), columns.end());
        if (columns == wanted)
            return key[0].AsText() + "." + key[1].AsText();
    }
    return std::nullopt;
}

// The key constraint of the table on exactly these columns, else its unique index on them.
std::optional<std::string> UniqueKeyName(sqlite3* db, std::int64_t table,
                                         const std::vector<std::string>& columns)
{
    const auto constraints = QueryRows(db,
                                       R"(SELECT u."NAME", c."NAME", c."CON#"
                                            FROM SYS."CDEF$" d
                                            JOIN SYS."CON$" c ON c."CON#" = d."CON#"
                                            JOIN SYS."USER$" u ON u."USER#" = c."OWNER#"
                                           WHERE d."OBJ#" = ? AND d."TYPE#" IN (2, 3))",
                                       {table});
    if (auto name = Matching(db, constraints,
                             R"(SELECT l."NAME" FROM SYS."CCOL$" k
                                  JOIN SYS."COL$" l ON l."OBJ#" = k."OBJ#"
                                                   AND l."INTCOL#" = k."INTCOL#"
                                 WHERE k."CON#" = ?)",
                             columns))
        return name;
    const auto indexes = QueryRows(db,
                                   R"(SELECT u."NAME", o."NAME", i."OBJ#" FROM SYS."IND$" i
                                        JOIN SYS."OBJ$" o ON o."OBJ#" = i."OBJ#"
                                        JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
                                       WHERE i."BO#" = ? AND (i."PROPERTY" & 1) = 1)",
                                   {table});
    return Matching(db, indexes,
                    R"(SELECT l."NAME" FROM SYS."ICOL$" k
                         JOIN SYS."COL$" l ON l."OBJ#" = k."BO#" AND l."INTCOL#" = k."INTCOL#"
                        WHERE k."OBJ#" = ?)",
                    columns);
}

// A condition as compared: blanks collapsed and letters in upper case outside quoted text.
std::string Normalized(std::string_view text)
{
    std::string normal;
    char quote = 0;
    for (const char c : text) {
        if (quote == 0 && (c == ' ' || c == '\t' || c == '\n' || c == '\r')) {
            if (!normal.empty() && normal.back() != ' ')
                normal += ' ';
            continue;
        }
        if (c == '\'' || c == '"')
            quote = quote == 0 ? c : quote == c ? 0 : quote;
        normal += static_cast<char>(quote == 0 && c >= 'a' && c <= 'z' ? c - 32 : c);
    }
    if (!normal.empty() && normal.back() == ' ')
        normal.pop_back();
    return normal;
}

// SQLite names the check broken by its constraint name, or by its condition when it has none:
// the dictionary's check of that name, else the first whose condition reads the same, the login
// user's first.
std::optional<std::string> CheckName(const TDictionary& dictionary, std::string_view reported)
{
    const auto checks = QueryRows(dictionary.Db(),
                                  R"(SELECT u."NAME", c."NAME", d."CONDITION" FROM SYS."CDEF$" d
                                       JOIN SYS."CON$" c ON c."CON#" = d."CON#"
                                       JOIN SYS."USER$" u ON u."USER#" = c."OWNER#"
                                      WHERE d."TYPE#" = 1
                                      ORDER BY u."NAME" = ? DESC, u."NAME", c."CON#")",
                                  {dictionary.LoginUser()});
    for (const TRow& check : checks) {
        if (check[1].AsText() == reported)
            return check[0].AsText() + "." + check[1].AsText();
    }
    const std::string condition = Normalized(reported);
    for (const TRow& check : checks) {
        if (Normalized(check[2].AsText()) == condition)
            return check[0].AsText() + "." + check[1].AsText();
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> OracleConstraintMessage(const TDictionary& dictionary,
                                                   std::string_view sqliteMessage, bool update)
{
    if (sqliteMessage.starts_with(kCheck)) {
        const auto name = CheckName(dictionary, sqliteMessage.substr(kCheck.size()));
        if (!name)
            return std::nullopt;
        return "ORA-02290: check constraint (" + *name + ") violated";
    }
    const bool unique = sqliteMessage.starts_with(kUnique);
    if (!unique && !sqliteMessage.starts_with(kNotNull))
        return std::nullopt;
    const auto failed = ReadColumns(sqliteMessage.substr((unique ? kUnique : kNotNull).size()));
    if (!failed)
        return std::nullopt;
    const auto tables = TablesNamed(dictionary, failed->Table);
    if (tables.empty())
        return std::nullopt;
    if (!unique) {
        const std::string column = QuotedName(tables[0].Owner) + "." + QuotedName(failed->Table) +
                                   "." + QuotedName(failed->Columns[0]);
        return update ? "ORA-01407: cannot update (" + column + ") to NULL"
                      : "ORA-01400: cannot insert NULL into (" + column + ")";
    }
    for (const TTable& table : tables) {
        if (const auto name = UniqueKeyName(dictionary.Db(), table.ObjNo, failed->Columns))
            return "ORA-00001: unique constraint (" + *name + ") violated";
    }
    return std::nullopt;
}

} // namespace quorvex::emulation
