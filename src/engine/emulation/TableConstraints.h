#pragma once

#include "engine/emulation/EmulationContext.h"
#include "engine/emulation/TableClauses.h"
#include "engine/emulation/TableColumns.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::emulation {

// Enters a constraint of the table into the dictionary (CON$, CDEF$, CCOL$) as Oracle keeps
// it: unnamed ones get SYS_Cnnnnnn, NOT NULL marks its column mandatory, a check counts the
// columns its condition names, a foreign key points at the referenced table's matching key.
// An enabled primary or unique key adopts an index of the table on its columns or gets a
// unique index of its own name (SQLite's index enforces it). Oracle's messages for a second
// primary key, a key already there, unknown columns and a missing referenced key.
void AddTableConstraint(const TEmulationContext& context, const TTableRef& table,
                        const TConstraintDecl& decl);

// Adds the constraints, keys and checks before foreign keys, which may reference them.
void AddTableConstraints(const TEmulationContext& context, const TTableRef& table,
                         const std::vector<TConstraintDecl>& constraints);

// One constraint of the table as the dictionary holds it.
struct TTableConstraint {
    std::int64_t ConNo = 0;
    std::string Name;
    int Type = 0;
    bool Enabled = true;
};

// The table's constraints, in number order; of one type when `type` is given.
std::vector<TTableConstraint> TableConstraints(sqlite3* db, std::int64_t objNo,
                                               std::optional<int> type = {});
// The table's constraint of that name; `missing` is the message when there is none.
TTableConstraint FindTableConstraint(sqlite3* db, const TTableRef& table, const std::string& name,
                                     const std::string& missing);
// Whether foreign keys reference the key.
bool IsReferenced(sqlite3* db, std::int64_t conNo);
// The columns of a constraint, by position.
std::vector<std::int64_t> ConstraintColumns(sqlite3* db, std::int64_t conNo);
// The constraints whose columns include the column.
std::vector<TTableConstraint> ConstraintsOnColumn(sqlite3* db, std::int64_t objNo,
                                                  std::int64_t colNo);

// Removes a constraint. A key referenced by foreign keys goes only with CASCADE, which drops
// them too (ORA-02273 otherwise); the index a key made for itself goes with it.
void DropTableConstraint(const TEmulationContext& context, const TTableRef& table,
                         const TTableConstraint& constraint, bool cascade);
// ENABLE or DISABLE CONSTRAINT: CDEF$."ENABLED" 1 or NULL. Disabling a key drops the index it
// made for itself (enabling makes it again) and needs CASCADE when enabled foreign keys
// reference it (ORA-02297).
void SetConstraintEnabled(const TEmulationContext& context, const TTableRef& table,
                          const TTableConstraint& constraint, bool enabled, bool cascade);

} // namespace quorvex::emulation
