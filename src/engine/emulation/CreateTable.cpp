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

// SQLite's table: the columns with their defaults, NOT NULL where an enabled NOT NULL or
// primary key says so, and the enabled checks when `withChecks`. Keys get their indexes from
// the dictionary side; foreign keys are the dictionary's only.
std::string SqliteCreate(const std::string& target, const TTableBody& body, bool withChecks)
{
    std::set<std::string> mandatory;
    std::string checks;
    for (const TConstraintDecl& constraint : body.Constraints) {
        if (!constraint.Enabled)
            continue;
        if (constraint.Type == kNotNull || constraint.Type == kPrimaryKey)
            mandatory.insert(constraint.Columns.begin(), constraint.Columns.end());
        if (constraint.Type == kCheck && withChecks)
            checks += ", CHECK (" + constraint.Condition + ")";
    }
    std::string columns;
    for (const TColumnDecl& column : body.Columns)
        columns += (columns.empty() ? "" : ", ") + SqliteColumn(column) +
                   (mandatory.contains(column.Name) ? " NOT NULL" : "");
    return "CREATE TABLE " + target + " (" + columns + checks + ")";
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
    if (t.IsSymbol(at, "(")) {
        body = ReadBody(t, at);
        if (body.Columns.empty())
            throw Exception("ORA-00904: : invalid identifier");
        // What follows the list (storage, organisation, partitions, LOB storage ...) has no
        // meaning here.
    } else if (!t.IsKeyword(at, "AS")) {
        throw Exception("ORA-00906: missing left parenthesis");
    }

    sqlite3* db = context.Db();
    TSavepoint savepoint(db);
    if (body.Columns.empty()) {
        RunStatement(db, context.Preparer.Prepare("CREATE TABLE " + table.Target() + " AS " +
                                                  std::string(t.Text(at + 1, t.Size()))));
    } else {
        try {
            RunStatement(db, context.Preparer.Prepare(SqliteCreate(table.Target(), body, true)));
        } catch (const Exception&) {
            // A check SQLite cannot read is kept by the dictionary only.
            RunStatement(db, context.Preparer.Prepare(SqliteCreate(table.Target(), body, false)));
        }
    }
    table.ObjNo = dictionary.AddObject(table.OwnerNo, table.Name, object_types::kTable, 1);
    if (body.Columns.empty())
        EnterQueriedColumns(db, table);
    for (size_t k = 0; k < body.Columns.size(); ++k)
        AddColumnRow(db, table.ObjNo, static_cast<std::int64_t>(k) + 1, body.Columns[k]);
    // Keys before foreign keys, which may reference them on the same table.
    for (const bool foreign : {false, true})
        for (const TConstraintDecl& constraint : body.Constraints)
            if ((constraint.Type == kForeignKey) == foreign)
                AddTableConstraint(context, table, constraint);
    savepoint.Release();
}

} // namespace quorvex::emulation
