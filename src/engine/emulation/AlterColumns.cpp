#include "engine/emulation/AlterColumns.h"

#include "engine/emulation/OracleTypes.h"
#include "persistence/Exceptions.h"

namespace quorvex::emulation {

namespace {

using namespace constraint_types;

bool IsLiteral(const TStatementTokens& t)
{
    return t.Size() == 1 && (t[0].Kind == sql::TTokenKind::Number ||
                             t[0].Kind == sql::TTokenKind::String || t.IsKeyword(0, "NULL"));
}

void DropIndexesOn(const TEmulationContext& context, const TTableRef& table, std::int64_t colNo)
{
    sqlite3* db = context.Db();
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT DISTINCT i."OBJ#", o."NAME" FROM SYS."ICOL$" i
                                          JOIN SYS."OBJ$" o ON o."OBJ#" = i."OBJ#"
                                         WHERE i."BO#" = ? AND i."COL#" = ?)",
                                     {table.ObjNo, colNo})) {
        context.Dictionary.Purge(row[0].AsInteger());
        RunStatement(db, "DROP INDEX IF EXISTS " + QuotedName(table.Owner) + "." +
                             QuotedName(row[1].AsText()));
    }
}

} // namespace

void AddColumn(const TEmulationContext& context, const TTableRef& table, const TColumnDecl& column)
{
    sqlite3* db = context.Db();
    if (TableColumns(db, table.ObjNo).contains(column.Name))
        throw Exception("ORA-01430: column being added already exists in table");
    const std::int64_t colNo =
        QueryInteger(db, R"(SELECT COALESCE(MAX("COL#"), 0) + 1 FROM SYS."COL$" WHERE "OBJ#" = ?)",
                     {table.ObjNo})
            .value_or(1);
    // SQLite adds a column with a literal default only; other defaults fill the rows there are.
    TColumnDecl sqliteColumn = column;
    const bool literal = IsLiteral(TStatementTokens(column.Default));
    sqliteColumn.HasDefault = column.HasDefault && literal;
    std::string add = SqliteColumn(sqliteColumn);
    if (sqliteColumn.HasDefault)
        add = add.substr(0, add.rfind(" DEFAULT (")) + " DEFAULT " + column.Default;
    RunStatement(db,
                 context.Preparer.Prepare("ALTER TABLE " + table.Target() + " ADD COLUMN " + add));
    if (column.HasDefault && !literal && column.Virtual.empty())
        RunStatement(db, context.Preparer.Prepare("UPDATE " + table.Target() + " SET " +
                                                  QuotedName(column.Name) + " = (" +
                                                  column.Default + ")"));
    AddColumnRow(db, table.ObjNo, colNo, column);
}

void ModifyColumn(const TEmulationContext& context, const TTableRef& table,
                  const TColumnDecl& column)
{
    sqlite3* db = context.Db();
    const std::int64_t colNo = ColumnNo(db, table.ObjNo, column.Name);
    if (!column.Type.empty()) {
        const TOracleColumnType type = OracleColumnType(column.Type);
        const auto [precision, scale] = PrecisionScale(type);
        RunStatement(db,
                     R"(UPDATE SYS."COL$" SET "TYPE#" = ?, "LENGTH" = ?, "PRECISION#" = ?,
                            "SCALE" = ?, "CHARSETFORM" = ? WHERE "OBJ#" = ? AND "COL#" = ?)",
                     {std::int64_t{type.TypeNo}, std::int64_t{type.Length}, precision, scale,
                      std::int64_t{type.CharsetForm}, table.ObjNo, colNo});
    }
    if (column.HasDefault)
        RunStatement(
            db,
            R"(UPDATE SYS."COL$" SET "DEFAULT$" = ?, "DEFLENGTH" = ?
                         WHERE "OBJ#" = ? AND "COL#" = ?)",
            {column.Default, static_cast<std::int64_t>(column.Default.size()), table.ObjNo, colNo});
    std::vector<TTableConstraint> notNull;
    for (const TTableConstraint& constraint : ConstraintsOnColumn(db, table.ObjNo, colNo))
        if (constraint.Type == kNotNull)
            notNull.push_back(constraint);
    for (const TConstraintDecl& constraint : column.Constraints)
        if (constraint.Type == kNotNull && !notNull.empty())
            throw Exception("ORA-01442: column to be modified to NOT NULL is already NOT NULL");
    if (column.Null) {
        if (notNull.empty())
            throw Exception("ORA-01451: column to be modified to NULL cannot be modified to NULL");
        for (const TTableConstraint& constraint : notNull)
            DropTableConstraint(context, table, constraint, false);
    }
    AddTableConstraints(context, table, column.Constraints);
}

void DropColumn(const TEmulationContext& context, const TTableRef& table, const std::string& name,
                bool cascade)
{
    sqlite3* db = context.Db();
    const std::int64_t colNo = ColumnNo(db, table.ObjNo, name);
    if (TableColumns(db, table.ObjNo).size() == 1)
        throw Exception("ORA-12983: cannot drop all columns in a table");
    for (const TTableConstraint& constraint : ConstraintsOnColumn(db, table.ObjNo, colNo)) {
        if (!cascade && ConstraintColumns(db, constraint.ConNo).size() > 1)
            throw Exception("ORA-12991: column is referenced in a multi-column constraint");
        if (!cascade && IsReferenced(db, constraint.ConNo))
            throw Exception("ORA-12992: cannot drop parent key column");
        DropTableConstraint(context, table, constraint, true);
    }
    DropIndexesOn(context, table, colNo);
    RemoveColumnRows(db, table.ObjNo, colNo);
    try {
        RunStatement(db, "ALTER TABLE " + table.Target() + " DROP COLUMN " + QuotedName(name));
    } catch (const Exception&) {
        // SQLite keeps a column its own checks name; the dictionary has let it go, and queries
        // naming it by name no longer find it there.
    }
}

} // namespace quorvex::emulation
