#pragma once

#include "engine/StatementParams.h"
#include "engine/emulation/Dictionary.h"
#include "engine/emulation/OracleTypes.h"
#include "engine/emulation/TableClauses.h"

#include <cstdint>
#include <map>
#include <string>

namespace quorvex::emulation {

// A table as the DDL emulations find it in the dictionary.
struct TTableRef {
    std::string Owner;
    std::int64_t OwnerNo = 0;
    std::string Name;
    std::int64_t ObjNo = 0;

    // "OWNER"."NAME", for SQLite.
    std::string Target() const;
};

// The table a name stands for; ORA-00942 when the owner has none.
TTableRef FindTable(const TDictionary& dictionary, const TObjectName& name);

// The table's columns by name, with their COL$."COL#".
std::map<std::string, std::int64_t> TableColumns(sqlite3* db, std::int64_t objNo);
// COL$."COL#" of a column; ORA-00904 when the table has none of that name.
std::int64_t ColumnNo(sqlite3* db, std::int64_t objNo, const std::string& column);

// COL$."PRECISION#" and "SCALE" of a column type, null where the type has none.
struct TPrecisionScale {
    TParamValue Precision;
    TParamValue Scale;
};
TPrecisionScale PrecisionScale(const TOracleColumnType& type);

// The COL$ row of a declared column, NULL$ 0: NOT NULL comes with its constraint.
void AddColumnRow(sqlite3* db, std::int64_t objNo, std::int64_t colNo, const TColumnDecl& column);
// Sets COL$."NULL$" of a column.
void SetMandatory(sqlite3* db, std::int64_t objNo, std::int64_t colNo, bool mandatory);
// Removes a column's rows and closes the gap in the numbers of the columns after it.
void RemoveColumnRows(sqlite3* db, std::int64_t objNo, std::int64_t colNo);

// The column as SQLite declares it: name, a type SQLite parses, default and virtual expression.
// NOT NULL is left to the caller.
std::string SqliteColumn(const TColumnDecl& column);

} // namespace quorvex::emulation
