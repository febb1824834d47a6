#include "engine/emulation/AlterTable.h"

#include "engine/emulation/AlterColumns.h"
#include "engine/emulation/TableConstraints.h"
#include "persistence/Exceptions.h"

#include <algorithm>

namespace quorvex::emulation {

namespace {

using namespace constraint_types;

// Where a clause written without parentheses ends: at the next ADD, MODIFY, DROP or RENAME
// outside parentheses.
size_t ClauseEnd(const TStatementTokens& t, size_t k)
{
    for (; k < t.Size(); ++k) {
        if (t.IsSymbol(k, "("))
            k = t.Closing(k);
        else if (t.IsAnyKeyword(k, {"ADD", "MODIFY", "DROP", "RENAME"}))
            break;
    }
    return std::min(k, t.Size());
}

// The [first, last) items of a clause: the list in parentheses at `k`, or one item up to the
// clause's end. Returns where the clause ends.
size_t ClauseItems(const TStatementTokens& t, size_t k,
                   std::vector<std::pair<size_t, size_t>>& items)
{
    if (t.IsSymbol(k, "(")) {
        items = ListItems(t, k);
        return t.Closing(k) + 1;
    }
    const size_t end = ClauseEnd(t, k);
    if (k < end)
        items = {{k, end}};
    return end;
}

// The unique key on exactly the columns of the list that opens at `open`; nothing when there is
// none (Oracle allows one key a column list).
std::optional<TTableConstraint> UniqueKeyOn(sqlite3* db, const TTableRef& table,
                                            const TStatementTokens& t, size_t open)
{
    std::vector<std::int64_t> colNos;
    for (const std::string& name : ReadNameList(t, open))
        colNos.push_back(ColumnNo(db, table.ObjNo, name));
    for (const TTableConstraint& key : TableConstraints(db, table.ObjNo, kUnique))
        if (ConstraintColumns(db, key.ConNo) == colNos)
            return key;
    return std::nullopt;
}

size_t Add(const TEmulationContext& context, const TTableRef& table, const TStatementTokens& t,
           size_t k)
{
    std::vector<std::pair<size_t, size_t>> items;
    const size_t end = ClauseItems(t, k, items);
    std::vector<TConstraintDecl> constraints;
    for (const auto& [first, last] : items) {
        if (StartsOutOfLineConstraint(t, first)) {
            constraints.push_back(ReadOutOfLineConstraint(t, first, last));
            continue;
        }
        // ADD COLUMN, as other databases write it, reads as ADD.
        const bool word = t.IsKeyword(first, "COLUMN") && t.IsName(first + 1) && first + 2 < last;
        const TColumnDecl column = ReadColumnDecl(t, word ? first + 1 : first, last);
        AddColumn(context, table, column);
        constraints.insert(constraints.end(), column.Constraints.begin(), column.Constraints.end());
    }
    AddTableConstraints(context, table, constraints);
    return end;
}

// ENABLE|DISABLE [VALIDATE|NOVALIDATE] CONSTRAINT n | PRIMARY KEY | UNIQUE (columns), then
// USING INDEX, EXCEPTIONS INTO, CASCADE, KEEP|DROP INDEX.
size_t EnableOrDisable(const TEmulationContext& context, const TTableRef& table,
                       const TStatementTokens& t, size_t k, bool enable)
{
    sqlite3* db = context.Db();
    if (t.IsAnyKeyword(k, {"VALIDATE", "NOVALIDATE"}))
        ++k;
    if (t.IsKeyword(k, "ALL") && t.IsKeyword(k + 1, "TRIGGERS")) {
        RunStatement(db, R"(UPDATE SYS."TRIGGER$" SET "ENABLED" = ? WHERE "BASEOBJECT" = ?)",
                     {std::int64_t{enable ? 1 : 0}, table.ObjNo});
        return k + 2;
    }
    if (t.IsAnyKeyword(k, {"TABLE", "ROW"}))
        return k + 2; // TABLE LOCK, ROW MOVEMENT
    const std::string verb = enable ? "enable" : "disable";
    const std::string missing =
        std::string(enable ? "ORA-02430" : "ORA-02431") + ": cannot " + verb + " constraint (";
    TTableConstraint constraint;
    if (t.IsKeyword(k, "CONSTRAINT")) {
        const std::string name = sql::NameOf(t[k + 1]);
        constraint =
            FindTableConstraint(db, table, name, missing + name + ") - no such constraint");
        k += 2;
    } else if (t.IsKeyword(k, "PRIMARY") && t.IsKeyword(k + 1, "KEY")) {
        const auto keys = TableConstraints(db, table.ObjNo, kPrimaryKey);
        if (keys.empty())
            throw Exception("ORA-02432: cannot " + verb +
                            " primary key - primary key not defined "
                            "for table");
        constraint = keys.front();
        k += 2;
    } else if (t.IsKeyword(k, "UNIQUE") && t.IsSymbol(k + 1, "(")) {
        const auto key = UniqueKeyOn(db, table, t, k + 1);
        if (!key)
            throw Exception("ORA-02442: Cannot drop nonexistent unique key");
        constraint = *key;
        k = t.Closing(k + 1) + 1;
    } else {
        throw Exception("ORA-01735: invalid ALTER TABLE option");
    }
    bool cascade = false;
    while (k < t.Size() &&
           !t.IsAnyKeyword(k, {"ADD", "MODIFY", "DROP", "RENAME", "ENABLE", "DISABLE"})) {
        cascade = cascade || t.IsKeyword(k, "CASCADE");
        k = t.IsSymbol(k, "(") ? t.Closing(k) + 1 : k + 1;
    }
    if (t.IsKeyword(k, "DROP") && t.IsKeyword(k + 1, "INDEX"))
        k += 2;
    SetConstraintEnabled(context, table, constraint, enable, cascade);
    return k;
}

size_t Modify(const TEmulationContext& context, const TTableRef& table, const TStatementTokens& t,
              size_t k)
{
    if (t.IsKeyword(k, "CONSTRAINT")) {
        size_t state = k + 2;
        const bool validation = t.IsAnyKeyword(state, {"VALIDATE", "NOVALIDATE", "RELY", "NORELY"});
        if (validation)
            ++state;
        if (!t.IsKeyword(state, "ENABLE") && !t.IsKeyword(state, "DISABLE"))
            return ClauseEnd(t, state); // only the validation or deferral changes
        // MODIFY CONSTRAINT n ENABLE reads as ENABLE CONSTRAINT n.
        const std::string name = sql::NameOf(t[k + 1]);
        const bool enable = t.IsKeyword(state, "ENABLE");
        const auto constraint = FindTableConstraint(
            context.Db(), table, name,
            std::string(enable ? "ORA-02430: cannot enable" : "ORA-02431: cannot disable") +
                " constraint (" + name + ") - no such constraint");
        SetConstraintEnabled(context, table, constraint, enable, false);
        return ClauseEnd(t, state + 1);
    }
    std::vector<std::pair<size_t, size_t>> items;
    const size_t end = ClauseItems(t, k, items);
    for (const auto& [first, last] : items)
        ModifyColumn(context, table, ReadColumnDecl(t, first, last));
    return end;
}

size_t Drop(const TEmulationContext& context, const TTableRef& table, const TStatementTokens& t,
            size_t k)
{
    sqlite3* db = context.Db();
    std::vector<std::string> columns;
    std::optional<TTableConstraint> constraint;
    if (t.IsKeyword(k, "COLUMN")) {
        columns = {sql::NameOf(t[k + 1])};
        k += 2;
    } else if (t.IsSymbol(k, "(")) {
        columns = ReadNameList(t, k);
        k = t.Closing(k) + 1;
    } else if (t.IsKeyword(k, "CONSTRAINT")) {
        constraint =
            FindTableConstraint(db, table, sql::NameOf(t[k + 1]),
                                "ORA-02443: Cannot drop constraint  - nonexistent constraint");
        k += 2;
    } else if (t.IsKeyword(k, "PRIMARY") && t.IsKeyword(k + 1, "KEY")) {
        const auto keys = TableConstraints(db, table.ObjNo, kPrimaryKey);
        if (keys.empty())
            throw Exception("ORA-02441: Cannot drop nonexistent primary key");
        constraint = keys.front();
        k += 2;
    } else if (t.IsKeyword(k, "UNIQUE") && t.IsSymbol(k + 1, "(")) {
        constraint = UniqueKeyOn(db, table, t, k + 1);
        if (!constraint)
            throw Exception("ORA-02442: Cannot drop nonexistent unique key");
        k = t.Closing(k + 1) + 1;
    } else {
        throw Exception("ORA-01735: invalid ALTER TABLE option");
    }
    bool cascade = false;
    while (t.IsAnyKeyword(k, {"CASCADE", "CONSTRAINTS", "INVALIDATE", "KEEP", "ONLINE"}) ||
           (t.IsKeyword(k, "DROP") && t.IsKeyword(k + 1, "INDEX"))) {
        cascade = cascade || t.IsKeyword(k, "CASCADE");
        k += t.IsAnyKeyword(k, {"KEEP", "DROP"}) ? 2 : 1;
    }
    for (const std::string& column : columns)
        DropColumn(context, table, column, cascade);
    if (constraint)
        DropTableConstraint(context, table, *constraint, cascade);
    return k;
}

size_t Rename(const TEmulationContext& context, TTableRef& table, const TStatementTokens& t,
              size_t k)
{
    sqlite3* db = context.Db();
    if (t.IsKeyword(k, "TO")) {
        const std::string name = sql::NameOf(t[k + 1]);
        if (context.Dictionary.NameUsed(table.OwnerNo, name, object_types::kTable))
            throw Exception("ORA-00955: name is already used by an existing object");
        RunStatement(db, R"(UPDATE SYS."OBJ$" SET "NAME" = ? WHERE "OBJ#" = ?)",
                     {name, table.ObjNo});
        RunStatement(db, "ALTER TABLE " + table.Target() + " RENAME TO " + QuotedName(name));
        table.Name = name;
        return k + 2;
    }
    if (!t.IsKeyword(k + 2, "TO") || !t.IsName(k + 3))
        throw Exception("ORA-00946: missing TO keyword");
    const std::string from = sql::NameOf(t[k + 1]);
    const std::string to = sql::NameOf(t[k + 3]);
    if (t.IsKeyword(k, "CONSTRAINT")) {
        const auto constraint =
            FindTableConstraint(db, table, from, "ORA-23292: The constraint does not exist");
        if (QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."CON$" WHERE "OWNER#" = ? AND "NAME" = ?)",
                         {table.OwnerNo, to})
                .value_or(0) > 0)
            throw Exception("ORA-02264: name already used by an existing constraint");
        RunStatement(db, R"(UPDATE SYS."CON$" SET "NAME" = ? WHERE "CON#" = ?)",
                     {to, constraint.ConNo});
        return k + 4;
    }
    if (!t.IsKeyword(k, "COLUMN"))
        throw Exception("ORA-01735: invalid ALTER TABLE option");
    const std::int64_t colNo = ColumnNo(db, table.ObjNo, from);
    if (TableColumns(db, table.ObjNo).contains(to))
        throw Exception("ORA-00957: duplicate column name");
    RunStatement(db, R"(UPDATE SYS."COL$" SET "NAME" = ? WHERE "OBJ#" = ? AND "COL#" = ?)",
                 {to, table.ObjNo, colNo});
    const std::string condition = QuotedName(to) + " IS NOT NULL";
    for (const TTableConstraint& constraint : ConstraintsOnColumn(db, table.ObjNo, colNo))
        if (constraint.Type == kNotNull)
            RunStatement(
                db,
                R"(UPDATE SYS."CDEF$" SET "CONDITION" = ?, "CONDLENGTH" = ?
                             WHERE "CON#" = ?)",
                {condition, static_cast<std::int64_t>(condition.size()), constraint.ConNo});
    RunStatement(db, "ALTER TABLE " + table.Target() + " RENAME COLUMN " + QuotedName(from) +
                         " TO " + QuotedName(to));
    return k + 4;
}

// Physical and housekeeping clauses, which have no meaning here.
bool IsPhysical(const TStatementTokens& t, size_t k)
{
    return t.IsAnyKeyword(
        k, {"LOGGING",      "NOLOGGING",  "PARALLEL",  "NOPARALLEL", "CACHE",    "NOCACHE",
            "MOVE",         "PCTFREE",    "PCTUSED",   "INITRANS",   "MAXTRANS", "STORAGE",
            "COMPRESS",     "NOCOMPRESS", "ALLOCATE",  "DEALLOCATE", "SHRINK",   "MONITORING",
            "NOMONITORING", "READ",       "TRUNCATE",  "SPLIT",      "MERGE",    "EXCHANGE",
            "COALESCE",     "UPGRADE",    "FLASHBACK", "NO",         "ROW",      "RESULT_CACHE",
            "SET"});
}

} // namespace

void EmulateAlterTable(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t k = 2;
    const auto name = ReadObjectName(t, k);
    if (!name)
        throw Exception("ORA-00903: invalid table name");
    TTableRef table = FindTable(context.Dictionary, *name);
    context.Dictionary.Attach(table.Owner); // outside the savepoint: SQLite attaches no sooner
    if (k >= t.Size())
        throw Exception("ORA-01735: invalid ALTER TABLE option");

    TSavepoint savepoint(context.Db());
    while (k < t.Size()) {
        if (t.IsKeyword(k, "ADD"))
            k = Add(context, table, t, k + 1);
        else if (t.IsKeyword(k, "MODIFY"))
            k = Modify(context, table, t, k + 1);
        else if (t.IsKeyword(k, "DROP"))
            k = Drop(context, table, t, k + 1);
        else if (t.IsKeyword(k, "RENAME"))
            k = Rename(context, table, t, k + 1);
        else if (t.IsKeyword(k, "ENABLE") || t.IsKeyword(k, "DISABLE"))
            k = EnableOrDisable(context, table, t, k + 1, t.IsKeyword(k, "ENABLE"));
        else if (IsPhysical(t, k))
            break;
        else
            throw Exception("ORA-01735: invalid ALTER TABLE option");
    }
    savepoint.Release();
}

} // namespace quorvex::emulation
