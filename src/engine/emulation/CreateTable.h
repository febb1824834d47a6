#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE [GLOBAL TEMPORARY] TABLE [schema.]name (columns and constraints) [physical clauses]
// or ... AS query: creates the SQLite table in the owner's schema file (the login user's
// when unqualified; the file is created when the user has none) and enters it into the
// dictionary: a new OBJ$ row, COL$ rows with Oracle's type numbers and defaults (a virtual
// column's expression as its default, an identity column as its type, mandatory), and every
// constraint, inline or out of line, named or not (TableConstraints). Unquoted names are
// folded to upper case as Oracle does; physical clauses after the column list are ignored.
// ORA-00955 when the owner already has an object of that name.
void EmulateCreateTable(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
