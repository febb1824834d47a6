#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE [UNIQUE|BITMAP] INDEX [schema.]name ON [schema.]table (columns [ASC|DESC], ...)
// [storage clauses]: creates the SQLite index beside its table (in the table's schema file)
// and enters it into the dictionary when the table is there: OBJ$, IND$ (unique or not) and
// ICOL$ for its column keys, with the descending-key bit on COL$ as the demo keeps it.
// Storage clauses are dropped; a bitmap index is an ordinary one. ORA-00955 when the owner
// already has an index of that name.
void EmulateCreateIndex(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
