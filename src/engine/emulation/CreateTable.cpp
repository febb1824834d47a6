#include "engine/emulation/CreateTable.h"

#include "engine/emulation/OracleTypes.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <array>
#include <map>

namespace quorvex::emulation {

namespace {

constexpr const char* kNameUsed = "ORA-00955: name is already used by an existing object";

// One column as written in the statement.
struct TColumnDecl {
    std::string Name;
    std::string Default; // the default expression as written, empty when none
    std::string NotNullName;
    std::string PrimaryKeyName;
    bool PrimaryKey = false;
};

// The column list as written: columns, the name of the primary key constraint, and the edits
// that make the text SQLite's (names folded, defaults in parentheses).
struct TTableBody {
    std::vector<TColumnDecl> Columns;
    std::string PrimaryKeyName;
    std::map<size_t, std::pair<size_t, std::string>> Edits; // offset -> (length, new text)
};

bool StartsConstraintClause(const TStatementTokens& t, size_t k)
{
    constexpr std::array<std::string_view, 8> kWords = {
        "CONSTRAINT", "NOT", "NULL", "PRIMARY", "UNIQUE", "CHECK", "REFERENCES", "ENABLE"};
    for (std::string_view word : kWords)
        if (t.IsKeyword(k, word))
            return true;
    return false;
}

void ReadColumn(const TStatementTokens& t, size_t first, size_t last, TTableBody& body)
{
    TColumnDecl column;
    column.Name = sql::NameOf(t[first]);
    body.Edits[t[first].Position] = {t[first].Text.size(), QuotedName(column.Name)};
    std::string pendingName;
    for (size_t k = first + 1; k < last; ++k) {
        if (t.IsSymbol(k, "(")) {
            k = std::min(t.Closing(k), last);
            continue;
        }
        if (t.IsKeyword(k, "CONSTRAINT") && k + 1 < last) {
            pendingName = sql::NameOf(t[++k]);
        } else if (t.IsKeyword(k, "NOT") && t.IsKeyword(k + 1, "NULL")) {
            column.NotNullName = pendingName;
            pendingName.clear();
            ++k;
        } else if (t.IsKeyword(k, "PRIMARY") && t.IsKeyword(k + 1, "KEY")) {
            column.PrimaryKey = true;
            column.PrimaryKeyName = pendingName;
            pendingName.clear();
            ++k;
        } else if (t.IsKeyword(k, "UNIQUE") || t.IsKeyword(k, "CHECK") ||
                   t.IsKeyword(k, "REFERENCES")) {
            pendingName.clear();
        } else if (t.IsKeyword(k, "DEFAULT") && k + 1 < last) {
            size_t end = k + 1;
            while (end < last && !StartsConstraintClause(t, end)) {
                if (t.IsSymbol(end, "("))
                    end = std::min(t.Closing(end), last - 1);
                ++end;
            }
            column.Default = std::string(t.Text(k + 1, end));
            // SQLite takes any expression as a default only in parentheses.
            body.Edits[t[k + 1].Position] = {0, "("};
            const sql::TToken& lastToken = t[end - 1];
            body.Edits[lastToken.Position + lastToken.Text.size()] = {0, ")"};
            k = end - 1;
        }
    }
    body.Columns.push_back(std::move(column));
}

void ReadTableConstraint(const TStatementTokens& t, size_t first, size_t last, TTableBody& body)
{
    size_t k = first;
    std::string name;
    if (t.IsKeyword(k, "CONSTRAINT") && k + 1 < last) {
        name = sql::NameOf(t[k + 1]);
        k += 2;
    }
    if (!t.IsKeyword(k, "PRIMARY") || !t.IsSymbol(k + 2, "("))
        return;
    body.PrimaryKeyName = name;
    for (size_t c = k + 3; c < last && !t.IsSymbol(c, ")"); ++c)
        if (t.IsName(c))
            body.Edits[t[c].Position] = {t[c].Text.size(), QuotedName(sql::NameOf(t[c]))};
}

TTableBody ReadBody(const TStatementTokens& t, size_t open, size_t close)
{
    TTableBody body;
    size_t itemStart = open + 1;
    for (size_t k = open + 1; k <= close; ++k) {
        if (t.IsSymbol(k, "(") && k < close) {
            k = t.Closing(k);
            continue;
        }
        if (k != close && !t.IsSymbol(k, ","))
            continue;
        if (itemStart < k) {
            if (t.IsKeyword(itemStart, "CONSTRAINT") || t.IsKeyword(itemStart, "PRIMARY") ||
                t.IsKeyword(itemStart, "UNIQUE") || t.IsKeyword(itemStart, "CHECK") ||
                t.IsKeyword(itemStart, "FOREIGN"))
                ReadTableConstraint(t, itemStart, k, body);
            else if (t.IsName(itemStart))
                ReadColumn(t, itemStart, k, body);
        }
        itemStart = k + 1;
    }
    return body;
}

std::string Edited(std::string_view sql, size_t from, size_t to, const TTableBody& body)
{
    std::string text;
    size_t at = from;
    for (const auto& [offset, edit] : body.Edits) {
        if (offset < at || offset > to)
            continue;
        text.append(sql.substr(at, offset - at)).append(edit.second);
        at = offset + edit.first;
    }
    return text.append(sql.substr(at, to - at));
}

// A column of the created table as SQLite reports it.
struct TCreatedColumn {
    std::string Name;
    std::string Type;
    bool NotNull = false;
    std::string Default;
    int KeyPosition = 0;
};

std::vector<TCreatedColumn> CreatedColumns(sqlite3* db, const std::string& owner,
                                           const std::string& table)
{
    std::vector<TCreatedColumn> columns;
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT name, type, "notnull", dflt_value, pk
                                          FROM pragma_table_xinfo(?, ?) WHERE hidden = 0)",
                                     {table, owner}))
        columns.push_back({row[0].AsText(), row[1].AsText(), row[2].AsInteger() != 0,
                           row[3].AsText(), static_cast<int>(row[4].AsInteger())});
    return columns;
}

void AddColumn(sqlite3* db, std::int64_t objNo, int colNo, const std::string& name,
               const TCreatedColumn& created, const std::string& defaultText)
{
    const TOracleColumnType type = OracleColumnType(created.Type);
    const auto optional = [](const std::optional<int>& value) {
        return value ? TParamValue(std::int64_t{*value}) : TParamValue();
    };
    RunStatement(db,
                 R"(INSERT INTO SYS."COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME",
                        "TYPE#", "LENGTH", "PRECISION#", "SCALE", "NULL$", "DEFLENGTH",
                        "DEFAULT$", "CHARSETFORM")
                    VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?))",
                 {objNo, std::int64_t{colNo}, std::int64_t{colNo}, std::int64_t{colNo}, name,
                  std::int64_t{type.TypeNo}, std::int64_t{type.Length}, optional(type.Precision),
                  optional(type.Scale),
                  std::int64_t{created.NotNull || created.KeyPosition > 0 ? 1 : 0},
                  defaultText.empty() ? TParamValue()
                                      : TParamValue(static_cast<std::int64_t>(defaultText.size())),
                  defaultText.empty() ? TParamValue() : TParamValue(defaultText),
                  std::int64_t{type.CharsetForm}});
}

// The primary key as a constraint and the unique index Oracle keeps for it.
void AddPrimaryKey(TDictionary& dictionary, std::int64_t ownerNo, std::int64_t objNo,
                   const std::string& name, const std::vector<std::int64_t>& colNos)
{
    const int count = static_cast<int>(colNos.size());
    const auto constraint =
        dictionary.AddConstraint(ownerNo, name, objNo, constraint_types::kPrimaryKey, count, {});
    if (dictionary.NameUsed(ownerNo, constraint.Name, object_types::kIndex))
        throw Exception(kNameUsed);
    const std::int64_t indexNo =
        dictionary.AddObject(ownerNo, constraint.Name, object_types::kIndex, 1);
    RunStatement(dictionary.Db(),
                 R"(INSERT INTO SYS."IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS")
                    VALUES (?, ?, ?, 1, ?))",
                 {indexNo, indexNo, objNo, std::int64_t{count}});
    for (int k = 0; k < count; ++k) {
        dictionary.AddConstraintColumn(constraint.ConNo, objNo, colNos[static_cast<size_t>(k)],
                                       k + 1);
        RunStatement(dictionary.Db(),
                     R"(INSERT INTO SYS."ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#",
                            "INTCOL#")
                        SELECT ?, "OBJ#", "COL#", ?, "SEGCOL#", "INTCOL#" FROM SYS."COL$"
                         WHERE "OBJ#" = ? AND "COL#" = ?)",
                     {indexNo, std::int64_t{k + 1}, objNo, colNos[static_cast<size_t>(k)]});
    }
}

} // namespace

void EmulateCreateTable(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t at = 1;
    if (t.IsKeyword(at, "GLOBAL") && t.IsKeyword(at + 1, "TEMPORARY"))
        at += 2;
    if (!t.IsKeyword(at, "TABLE"))
        throw Exception("ORA-00901: invalid CREATE command");
    ++at;
    const auto name = ReadObjectName(t, at);
    if (!name)
        throw Exception("ORA-00903: invalid table name");
    TDictionary& dictionary = context.Dictionary;
    const std::string owner = dictionary.OwnerOf(*name);
    dictionary.Attach(owner);
    const std::int64_t ownerNo = dictionary.UserNo(owner);
    if (dictionary.NameUsed(ownerNo, name->Name, object_types::kTable))
        throw Exception(kNameUsed);

    const std::string target = QuotedName(owner) + "." + QuotedName(name->Name);
    std::string create;
    TTableBody body;
    if (t.IsSymbol(at, "(")) {
        const size_t close = t.Closing(at);
        if (close >= t.Size())
            throw Exception("ORA-00907: missing right parenthesis");
        body = ReadBody(t, at, close);
        const size_t from = t[at].Position + 1;
        create = "CREATE TABLE " + target + " (" + Edited(sql, from, t[close].Position, body) + ")";
        // Storage clauses have no meaning here; an AS query after the columns goes to SQLite,
        // which refuses it with its own message.
        if (t.IsKeyword(close + 1, "AS"))
            create += " " + std::string(t.Text(close + 1, t.Size()));
    } else if (t.IsKeyword(at, "AS")) {
        create = "CREATE TABLE " + target + " AS " + std::string(t.Text(at + 1, t.Size()));
    } else {
        throw Exception("ORA-00906: missing left parenthesis");
    }

    TSavepoint savepoint(context.Db());
    RunStatement(context.Db(), context.Preparer.Prepare(create));
    const auto created = CreatedColumns(context.Db(), owner, name->Name);
    const bool declared = body.Columns.size() == created.size();
    const std::int64_t objNo = dictionary.AddObject(ownerNo, name->Name, object_types::kTable, 1);
    std::vector<std::int64_t> keyColumns(created.size(), 0);
    std::string keyName = body.PrimaryKeyName;
    for (size_t k = 0; k < created.size(); ++k) {
        const TColumnDecl* decl = declared ? &body.Columns[k] : nullptr;
        const std::string columnName = decl ? decl->Name : sql::ToUpper(created[k].Name);
        const int colNo = static_cast<int>(k) + 1;
        AddColumn(context.Db(), objNo, colNo, columnName, created[k],
                  decl ? decl->Default : created[k].Default);
        if (created[k].NotNull) {
            const auto constraint = dictionary.AddConstraint(
                ownerNo, decl ? decl->NotNullName : std::string(), objNo,
                constraint_types::kNotNull, 1, QuotedName(columnName) + " IS NOT NULL");
            dictionary.AddConstraintColumn(constraint.ConNo, objNo, colNo, 1);
        }
        if (created[k].KeyPosition > 0 &&
            static_cast<size_t>(created[k].KeyPosition) <= keyColumns.size())
            keyColumns[static_cast<size_t>(created[k].KeyPosition) - 1] = colNo;
        if (decl && decl->PrimaryKey && keyName.empty())
            keyName = decl->PrimaryKeyName;
    }
    std::erase(keyColumns, 0);
    if (!keyColumns.empty())
        AddPrimaryKey(dictionary, ownerNo, objNo, keyName, keyColumns);
    savepoint.Release();
}

} // namespace quorvex::emulation
