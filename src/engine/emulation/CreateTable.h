#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE [GLOBAL TEMPORARY] TABLE [schema.]name (columns and constraints) [storage clauses]
// or ... AS query: creates the SQLite table in the owner's schema file (the login user's
// when unqualified; the file is created when the user has none) and enters it into the
// dictionary: a new OBJ$ row, COL$ rows with Oracle's type numbers, NOT NULL constraints, and
// the primary key with its index. Unquoted names are folded to upper case as Oracle does;
// storage clauses after the column list are dropped; a DEFAULT may be any expression (SYSDATE
// included). Unique, check and foreign-key constraints run in SQLite but are not entered into
// the dictionary. ORA-00955 when the owner already has an object of that name.
void EmulateCreateTable(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
