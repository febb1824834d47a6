#pragma once

#include "engine/emulation/TableConstraints.h"

#include <string>

namespace quorvex::emulation {

// The column clauses of ALTER TABLE, each changing the dictionary and the SQLite table
// together.

// ADD: a new last column; SQLite's column takes a literal default, other defaults fill the
// rows there are. The column's constraints are the caller's. ORA-01430 when it exists.
void AddColumn(const TEmulationContext& context, const TTableRef& table, const TColumnDecl& column);
// MODIFY: the type, the default, NOT NULL (ORA-01442 when already) or NULL (ORA-01451 when not
// NOT NULL), and constraints written on the column. SQLite's table stays as it is.
void ModifyColumn(const TEmulationContext& context, const TTableRef& table,
                  const TColumnDecl& column);
// DROP COLUMN: the constraints and indexes on the column go with it (a constraint on further
// columns or a referenced key only with CASCADE CONSTRAINTS), the later columns move up.
void DropColumn(const TEmulationContext& context, const TTableRef& table, const std::string& name,
                bool cascade);

} // namespace quorvex::emulation
