#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// ALTER TABLE [schema.]name followed by one or more of: ADD a column, a constraint or a
// parenthesised list of them; MODIFY columns (type, default, NULL / NOT NULL) or MODIFY
// CONSTRAINT n ENABLE|DISABLE; DROP COLUMN c, DROP (c1, c2), DROP CONSTRAINT n, DROP PRIMARY
// KEY, DROP UNIQUE (cols); ENABLE|DISABLE CONSTRAINT n, PRIMARY KEY or UNIQUE (cols); RENAME
// COLUMN a TO b, RENAME CONSTRAINT a TO b, RENAME TO new. The dictionary changes as Oracle's
// would; the SQLite table gains, loses and renames columns along, and keys keep their unique
// indexes there. Physical changes (MOVE, LOGGING, PARALLEL, STORAGE ...) change nothing. All
// or nothing: a failing clause undoes the clauses before it.
void EmulateAlterTable(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
