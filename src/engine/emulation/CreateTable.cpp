#include "engine/emulation/CreateTable.h"

#include "engine/emulation/TableConstraints.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <set>

namespace quorvex::emulation {

namespace {

using namespace constraint_types;

// The column list as written: the columns, and every constraint in the order written, those
// on a column carrying its name.
struct TTableBody {
    std::vector<TColumnDecl> Columns;
    std::vector<TConstraintDecl> Constraints;
};

TTableBody ReadBody(const TStatementTokens& t, size_t open)
{
    TTableBody body;
    std::set<std::string> names;
    for (const auto& [first, last] : ListItems(t, open)) {
        if (StartsOutOfLineConstraint(t, first)) {
            body.Constraints.push_back(ReadOutOfLineConstraint(t, first, last));
            continue;
        }
        if (!t.IsName(first))
            throw Exception("ORA-00904: : invalid identifier");
        TColumnDecl column = ReadColumnDecl(t, first, last);
        if (!names.insert(column.Name).second)
            throw Exception("ORA-00957: duplicate column name");
        const bool notNull = std::any_of(column.Constraints.begin(), column.Constraints.end(),
                                         [](const auto& c) { return c.Type == kNotNull; });
        // Oracle makes an identity column mandatory with a constraint of its own.
        if (column.Identity && !notNull) {
            TConstraintDecl mandatory;
            mandatory.Type = kNotNull;
            mandatory.Columns = {column.Name};
            column.Constraints.push_back(std::move(mandatory));
        }
        for (const TConstraintDecl& constraint : column.Constraints)
            body.Constraints.push_back(constraint);
        body.Columns.push_back(std::move(column));
    }
    return body;
}

// SQLite's table: the columns, NOT NULL where an enabled NOT NULL or primary key says so, and
// as far as `full` goes the enabled checks and the defaults. Keys get their indexes from the
// dictionary side; foreign keys are the dictionary's only.
std::string SqliteCreate(const std::string& target, const TTableBody& body, bool full)
{
    std::set<std::string> mandatory;
    std::string checks;
    for (const TConstraintDecl& constraint : body.Constraints) {
        if (!constraint.Enabled)
            continue;
        if (constraint.Type == kNotNull || constraint.Type == kPrimaryKey)
            mandatory.insert(constraint.Columns.begin(), constraint.Columns.end());
        // A named check's name is what SQLite reports when a row breaks it.
        if (constraint.Type == kCheck && full)
            checks +=
                (constraint.Name.empty() ? ", " : ", CONSTRAINT " + QuotedName(constraint.Name)) +
                " CHECK (" + constraint.Condition + ")";
    }
    std::string columns;
    for (TColumnDecl column : body.Columns) {
        column.HasDefault = column.HasDefault && full;
        columns += (columns.empty() ? "" : ", ") + SqliteColumn(column) +
                   (mandatory.contains(column.Name) ? " NOT NULL" : "");
    }
    return "CREATE TABLE " + target + " (" + columns + checks + ")";
}

// The AS of a query, not of LOB (...) STORE AS (...).
bool StartsQuery(const TStatementTokens& t, size_t k)
{
    return t.IsKeyword(k, "AS") && !t.IsKeyword(k - 1, "STORE") &&
           (t.IsKeyword(k + 1, "SELECT") || t.IsKeyword(k + 1, "WITH") || t.IsSymbol(k + 1, "("));
}

// CREATE TABLE ... AS query: the columns as SQLite made them.
void EnterQueriedColumns(sqlite3* db, const TTableRef& table)
{
    std::int64_t colNo = 0;
    for (const TRow& row : QueryRows(db, "SELECT name, type FROM pragma_table_xinfo(?, ?)",
                                     {table.Name, table.Owner})) {
        TColumnDecl column;
        column.Name = sql::ToUpper(row[0].AsText());
        column.Type = row[1].AsText();
        AddColumnRow(db, table.ObjNo, ++colNo, column);
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
    TTableRef table;
    table.Owner = dictionary.OwnerOf(*name);
    table.Name = name->Name;
    dictionary.Attach(table.Owner);
    table.OwnerNo = dictionary.UserNo(table.Owner);
    if (dictionary.NameUsed(table.OwnerNo, table.Name, object_types::kTable))
        throw Exception("ORA-00955: name is already used by an existing object");

    TTableBody body;
    size_t query = at; // the AS of CREATE TABLE ... AS query
    if (t.IsSymbol(at, "(")) {
        body = ReadBody(t, at);
        if (body.Columns.empty())
            throw Exception("ORA-00904: : invalid identifier");
        // What follows the list (storage, organisation, partitions, LOB storage ...) has no
        // meaning here, but for a query.
        for (query = t.Closing(at) + 1; query < t.Size() && !StartsQuery(t, query);)
            query = t.IsSymbol(query, "(") ? t.Closing(query) + 1 : query + 1;
    } else if (!t.IsKeyword(at, "AS")) {
        throw Exception("ORA-00906: missing left parenthesis");
    }
    const bool queried = StartsQuery(t, query);
    if (queried && std::any_of(body.Columns.begin(), body.Columns.end(),
                               [](const TColumnDecl& c) { return !c.Type.empty(); }))
        throw Exception("ORA-01773: may not specify column datatypes in this CREATE TABLE");

    sqlite3* db = context.Db();
    TSavepoint savepoint(db);
    if (queried) {
        RunStatement(db, context.Preparer.Prepare("CREATE TABLE " + table.Target() + " AS " +
                                                  std::string(t.Text(query + 1, t.Size()))));
        // The names of the list stand for the query's columns in order.
        const auto made =
            QueryRows(db, "SELECT name FROM pragma_table_info(?, ?)", {table.Name, table.Owner});
        if (!body.Columns.empty() && made.size() != body.Columns.size())
            throw Exception("ORA-01730: invalid number of column names specified");
        for (size_t k = 0; k < body.Columns.size(); ++k)
            RunStatement(db, "ALTER TABLE " + table.Target() + " RENAME COLUMN " +
                                 QuotedName(made[k][0].AsText()) + " TO " +
                                 QuotedName(body.Columns[k].Name));
    } else {
        try {
            RunStatement(db, context.Preparer.Prepare(SqliteCreate(table.Target(), body, true)));
        } catch (const Exception&) {
            // A check or default SQLite cannot take (USER, SYS_GUID() ...) is kept by the
            // dictionary only.
            RunStatement(db, context.Preparer.Prepare(SqliteCreate(table.Target(), body, false)));
        }
    }
    table.ObjNo = dictionary.AddObject(table.OwnerNo, table.Name, object_types::kTable, 1);
    if (queried)
        EnterQueriedColumns(db, table);
    else
        for (size_t k = 0; k < body.Columns.size(); ++k)
            AddColumnRow(db, table.ObjNo, static_cast<std::int64_t>(k) + 1, body.Columns[k]);
    AddTableConstraints(context, table, body.Constraints);
    savepoint.Release();
}

} // namespace quorvex::emulation
