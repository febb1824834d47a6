#include "engine/emulation/TableConstraints.h"

#include "persistence/Exceptions.h"

#include <algorithm>

namespace quorvex::emulation {

namespace {

using namespace constraint_types;

// CDEF$."DEFER" bits, as Oracle sets them.
constexpr std::int64_t kDeferrable = 1;
constexpr std::int64_t kInitiallyDeferred = 2;

bool IsKey(int type)
{
    return type == kPrimaryKey || type == kUnique;
}

std::vector<std::int64_t> Numbers(sqlite3* db, std::string_view sql, std::int64_t key)
{
    std::vector<std::int64_t> numbers;
    for (const TRow& row : QueryRows(db, sql, {key}))
        numbers.push_back(row[0].AsInteger());
    return numbers;
}

// An index of the table whose key is these columns in this order.
std::optional<std::int64_t> IndexOnColumns(sqlite3* db, std::int64_t objNo,
                                           const std::vector<std::int64_t>& colNos)
{
    for (const std::int64_t indexNo :
         Numbers(db, R"(SELECT "OBJ#" FROM SYS."IND$" WHERE "BO#" = ?)", objNo))
        if (Numbers(db, R"(SELECT "COL#" FROM SYS."ICOL$" WHERE "OBJ#" = ? ORDER BY "POS#")",
                    indexNo) == colNos)
            return indexNo;
    return std::nullopt;
}

void CreateKeyIndex(const TEmulationContext& context, const TTableRef& table,
                    const std::string& name, const std::vector<std::int64_t>& colNos,
                    const std::string& constraint, int type)
{
    TDictionary& dictionary = context.Dictionary;
    sqlite3* db = context.Db();
    if (dictionary.NameUsed(table.OwnerNo, name, object_types::kIndex))
        throw Exception("ORA-00955: name is already used by an existing object");
    const std::int64_t indexNo = dictionary.AddObject(table.OwnerNo, name, object_types::kIndex, 1);
    RunStatement(db,
                 R"(INSERT INTO SYS."IND$" ("OBJ#", "DATAOBJ#", "BO#", "PROPERTY", "COLS")
                    VALUES (?, ?, ?, 1, ?))",
                 {indexNo, indexNo, table.ObjNo, static_cast<std::int64_t>(colNos.size())});
    std::string keys;
    for (size_t k = 0; k < colNos.size(); ++k) {
        RunStatement(db,
                     R"(INSERT INTO SYS."ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "SEGCOL#",
                            "INTCOL#")
                        SELECT ?, "OBJ#", "COL#", ?, "SEGCOL#", "INTCOL#" FROM SYS."COL$"
                         WHERE "OBJ#" = ? AND "COL#" = ?)",
                     {indexNo, static_cast<std::int64_t>(k + 1), table.ObjNo, colNos[k]});
        keys += (keys.empty() ? "" : ", ") + QuotedName(QueryText(db,
                                                                  R"(SELECT "NAME" FROM SYS."COL$"
                                         WHERE "OBJ#" = ? AND "COL#" = ?)",
                                                                  {table.ObjNo, colNos[k]})
                                                            .value_or(""));
    }
    try {
        RunStatement(db, "CREATE UNIQUE INDEX " + QuotedName(table.Owner) + "." + QuotedName(name) +
                             " ON " + QuotedName(table.Name) + " (" + keys + ")");
    } catch (const Exception&) {
        const std::string which = "(" + table.Owner + "." + constraint + ")";
        if (type == kPrimaryKey)
            throw Exception("ORA-02437: cannot validate " + which + " - primary key violated");
        throw Exception("ORA-02299: cannot validate " + which + " - duplicate keys found");
    }
}

// The index a key uses: the one USING INDEX names, else one of the table on the key's
// columns, else a new unique index of the constraint's name.
void EnsureKeyIndex(const TEmulationContext& context, const TTableRef& table,
                    const std::string& constraint, int type,
                    const std::vector<std::int64_t>& colNos,
                    const std::optional<TObjectName>& usingIndex)
{
    TDictionary& dictionary = context.Dictionary;
    std::string name = constraint;
    if (usingIndex) {
        const std::string owner = usingIndex->Schema.empty() ? table.Owner : usingIndex->Schema;
        if (dictionary.Find(dictionary.UserNo(owner), usingIndex->Name, {object_types::kIndex}))
            return;
        name = usingIndex->Name;
    } else if (IndexOnColumns(context.Db(), table.ObjNo, colNos)) {
        return;
    }
    CreateKeyIndex(context, table, name, colNos, constraint, type);
}

// Drops the index a key made for itself: the table's index of the constraint's name.
void DropOwnIndex(const TEmulationContext& context, const TTableRef& table,
                  const std::string& constraint)
{
    sqlite3* db = context.Db();
    const auto index = context.Dictionary.Find(table.OwnerNo, constraint, {object_types::kIndex});
    if (!index || QueryInteger(db, R"(SELECT "BO#" FROM SYS."IND$" WHERE "OBJ#" = ?)",
                               {index->ObjNo}) != table.ObjNo)
        return;
    context.Dictionary.Purge(index->ObjNo);
    RunStatement(db,
                 "DROP INDEX IF EXISTS " + QuotedName(table.Owner) + "." + QuotedName(constraint));
}

// After a key or NOT NULL constraint went away: a column stays mandatory while an enabled
// NOT NULL constraint or primary key covers it.
void RecomputeMandatory(sqlite3* db, std::int64_t objNo, const std::vector<std::int64_t>& colNos)
{
    for (const std::int64_t colNo : colNos)
        SetMandatory(db, objNo, colNo,
                     QueryInteger(db,
                                  R"(SELECT COUNT(*) FROM SYS."CCOL$" c
                                       JOIN SYS."CDEF$" d ON d."CON#" = c."CON#"
                                      WHERE c."OBJ#" = ? AND c."COL#" = ? AND d."TYPE#" IN (2, 7)
                                        AND d."ENABLED" IS NOT NULL)",
                                  {objNo, colNo})
                             .value_or(0) > 0);
}

// The referenced table's key a foreign key points at, and its table's number.
std::pair<std::int64_t, std::int64_t> ReferencedKey(const TEmulationContext& context,
                                                    const TConstraintDecl& decl, size_t count)
{
    sqlite3* db = context.Db();
    // An unqualified referenced table is the login user's, as Oracle reads it.
    const TTableRef ref = FindTable(context.Dictionary, *decl.RefTable);
    std::vector<std::int64_t> wanted;
    for (const std::string& column : decl.RefColumns)
        wanted.push_back(ColumnNo(db, ref.ObjNo, column));
    std::sort(wanted.begin(), wanted.end());
    for (const TTableConstraint& key : TableConstraints(db, ref.ObjNo)) {
        if (!IsKey(key.Type) || (decl.RefColumns.empty() && key.Type != kPrimaryKey))
            continue;
        auto columns = ConstraintColumns(db, key.ConNo);
        if (decl.RefColumns.empty() && columns.size() != count)
            throw Exception("ORA-02256: number of referencing columns must match referenced "
                            "columns");
        std::sort(columns.begin(), columns.end());
        if (decl.RefColumns.empty() || columns == wanted) {
            if (columns.size() != count)
                throw Exception("ORA-02256: number of referencing columns must match "
                                "referenced columns");
            return {ref.ObjNo, key.ConNo};
        }
    }
    if (decl.RefColumns.empty())
        throw Exception("ORA-02268: referenced table does not have a primary key");
    throw Exception("ORA-02270: no matching unique or primary key for this column-list");
}

} // namespace

std::vector<TTableConstraint> TableConstraints(sqlite3* db, std::int64_t objNo,
                                               std::optional<int> type)
{
    std::vector<TTableConstraint> constraints;
    for (const TRow& row : QueryRows(db,
                                     R"(SELECT n."CON#", n."NAME", d."TYPE#", d."ENABLED"
                                          FROM SYS."CON$" n JOIN SYS."CDEF$" d
                                            ON d."CON#" = n."CON#"
                                         WHERE d."OBJ#" = ? ORDER BY n."CON#")",
                                     {objNo})) {
        const int rowType = static_cast<int>(row[2].AsInteger());
        if (!type || *type == rowType)
            constraints.push_back({row[0].AsInteger(), row[1].AsText(), rowType, !row[3].IsNull()});
    }
    return constraints;
}

std::vector<std::int64_t> ConstraintColumns(sqlite3* db, std::int64_t conNo)
{
    return Numbers(db, R"(SELECT "COL#" FROM SYS."CCOL$" WHERE "CON#" = ? ORDER BY "POS#")", conNo);
}

TTableConstraint FindTableConstraint(sqlite3* db, const TTableRef& table, const std::string& name,
                                     const std::string& missing)
{
    for (const TTableConstraint& constraint : TableConstraints(db, table.ObjNo))
        if (constraint.Name == name)
            return constraint;
    throw Exception(missing);
}

bool IsReferenced(sqlite3* db, std::int64_t conNo)
{
    return QueryInteger(db, R"(SELECT COUNT(*) FROM SYS."CDEF$" WHERE "RCON#" = ?)", {conNo})
               .value_or(0) > 0;
}

std::vector<TTableConstraint> ConstraintsOnColumn(sqlite3* db, std::int64_t objNo,
                                                  std::int64_t colNo)
{
    std::vector<TTableConstraint> result;
    const auto numbers = Numbers(db,
                                 R"(SELECT "CON#" FROM SYS."CCOL$"
                                     WHERE "OBJ#" = ? AND "COL#" = )" +
                                     std::to_string(colNo),
                                 objNo);
    for (const TTableConstraint& constraint : TableConstraints(db, objNo))
        if (std::find(numbers.begin(), numbers.end(), constraint.ConNo) != numbers.end())
            result.push_back(constraint);
    return result;
}

void AddTableConstraint(const TEmulationContext& context, const TTableRef& table,
                        const TConstraintDecl& decl)
{
    sqlite3* db = context.Db();
    std::vector<std::int64_t> colNos;
    std::optional<std::string> condition;
    if (decl.Type == kCheck) {
        // The columns the condition names, each once; function names are not columns.
        const auto columns = TableColumns(db, table.ObjNo);
        const TStatementTokens c(decl.Condition);
        for (size_t k = 0; k < c.Size(); ++k) {
            if (!c.IsName(k) || c.IsSymbol(k + 1, "("))
                continue;
            const auto column = columns.find(sql::NameOf(c[k]));
            if (column != columns.end() &&
                std::find(colNos.begin(), colNos.end(), column->second) == colNos.end())
                colNos.push_back(column->second);
        }
        condition = decl.Condition;
    } else {
        for (const std::string& column : decl.Columns)
            colNos.push_back(ColumnNo(db, table.ObjNo, column));
        if (decl.Type == kNotNull)
            condition = QuotedName(decl.Columns.front()) + " IS NOT NULL";
    }
    if (decl.Type == kPrimaryKey && !TableConstraints(db, table.ObjNo, kPrimaryKey).empty())
        throw Exception("ORA-02260: table can have only one primary key");
    if (IsKey(decl.Type))
        for (const TTableConstraint& key : TableConstraints(db, table.ObjNo))
            if (IsKey(key.Type) && ConstraintColumns(db, key.ConNo) == colNos)
                throw Exception("ORA-02261: such unique or primary key already exists in the "
                                "table");
    TParamValue refObject;
    TParamValue refConstraint;
    TParamValue refAction;
    if (decl.Type == kForeignKey) {
        const auto [refObjNo, refConNo] = ReferencedKey(context, decl, colNos.size());
        refObject = refObjNo;
        refConstraint = refConNo;
        if (decl.OnDelete)
            refAction = std::int64_t{*decl.OnDelete};
    }

    const auto constraint =
        context.Dictionary.AddConstraint(table.OwnerNo, decl.Name, table.ObjNo, decl.Type,
                                         static_cast<int>(colNos.size()), condition);
    for (size_t k = 0; k < colNos.size(); ++k)
        context.Dictionary.AddConstraintColumn(
            constraint.ConNo, table.ObjNo, colNos[k],
            decl.Type == kCheck ? std::nullopt : std::optional<int>(static_cast<int>(k) + 1));
    TParamValue enabled;
    if (decl.Enabled)
        enabled = std::int64_t{1};
    const std::int64_t defer =
        (decl.Deferrable ? kDeferrable : 0) | (decl.InitiallyDeferred ? kInitiallyDeferred : 0);
    RunStatement(db,
                 R"(UPDATE SYS."CDEF$" SET "ENABLED" = ?, "DEFER" = ?, "ROBJ#" = ?, "RCON#" = ?,
                        "REFACT" = ? WHERE "CON#" = ?)",
                 {enabled, defer, refObject, refConstraint, refAction, constraint.ConNo});
    if (decl.Type == kNotNull || decl.Type == kPrimaryKey)
        RecomputeMandatory(db, table.ObjNo, colNos);
    if (IsKey(decl.Type) && decl.Enabled)
        EnsureKeyIndex(context, table, constraint.Name, decl.Type, colNos, decl.UsingIndex);
}

void AddTableConstraints(const TEmulationContext& context, const TTableRef& table,
                         const std::vector<TConstraintDecl>& constraints)
{
    for (const bool foreign : {false, true})
        for (const TConstraintDecl& constraint : constraints)
            if ((constraint.Type == kForeignKey) == foreign)
                AddTableConstraint(context, table, constraint);
}

void DropTableConstraint(const TEmulationContext& context, const TTableRef& table,
                         const TTableConstraint& constraint, bool cascade)
{
    sqlite3* db = context.Db();
    const auto columns = ConstraintColumns(db, constraint.ConNo);
    if (IsKey(constraint.Type)) {
        const auto foreignKeys =
            Numbers(db, R"(SELECT "CON#" FROM SYS."CDEF$" WHERE "RCON#" = ?)", constraint.ConNo);
        if (!foreignKeys.empty() && !cascade)
            throw Exception("ORA-02273: this unique/primary key is referenced by some foreign "
                            "keys");
        for (const std::int64_t conNo : foreignKeys)
            context.Dictionary.PurgeConstraint(conNo);
        DropOwnIndex(context, table, constraint.Name);
    }
    context.Dictionary.PurgeConstraint(constraint.ConNo);
    RecomputeMandatory(db, table.ObjNo, columns);
}

void SetConstraintEnabled(const TEmulationContext& context, const TTableRef& table,
                          const TTableConstraint& constraint, bool enabled, bool cascade)
{
    sqlite3* db = context.Db();
    if (!enabled && IsKey(constraint.Type)) {
        const auto foreignKeys = Numbers(db,
                                         R"(SELECT "CON#" FROM SYS."CDEF$"
                                             WHERE "RCON#" = ? AND "ENABLED" IS NOT NULL)",
                                         constraint.ConNo);
        if (!foreignKeys.empty() && !cascade)
            throw Exception("ORA-02297: cannot disable constraint (" + table.Owner + "." +
                            constraint.Name + ") - dependencies exist");
        for (const std::int64_t conNo : foreignKeys)
            RunStatement(db, R"(UPDATE SYS."CDEF$" SET "ENABLED" = NULL WHERE "CON#" = ?)",
                         {conNo});
    }
    TParamValue value;
    if (enabled)
        value = std::int64_t{1};
    RunStatement(db, R"(UPDATE SYS."CDEF$" SET "ENABLED" = ? WHERE "CON#" = ?)",
                 {value, constraint.ConNo});
    const auto columns = ConstraintColumns(db, constraint.ConNo);
    if (IsKey(constraint.Type) && enabled && !constraint.Enabled)
        EnsureKeyIndex(context, table, constraint.Name, constraint.Type, columns, {});
    else if (IsKey(constraint.Type) && !enabled)
        DropOwnIndex(context, table, constraint.Name);
    RecomputeMandatory(db, table.ObjNo, columns);
}

} // namespace quorvex::emulation
