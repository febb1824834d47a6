#pragma once

#include "engine/emulation/EmulationContext.h"

#include <functional>
#include <string_view>

namespace quorvex::emulation {

// Runs one SQL statement as the engine runs any statement it is given.
using TRunStatement = std::function<void(std::string_view statement)>;

// The message of a block holding more than SQL statements.
inline constexpr const char* kOnlySqlInBlocks =
    "PLS-00103: only SQL statements can run inside an anonymous block on the embedded engine";

// [DECLARE ...] BEGIN statement; ... [EXCEPTION WHEN OTHERS THEN NULL;] END [label];
// whose statements are INSERT, UPDATE, DELETE, MERGE, COMMIT, ROLLBACK, NULL and EXECUTE
// IMMEDIATE 'text' (DBMS_OUTPUT calls are passed over): they run in order through `run`, the block
// all or nothing up to its COMMITs and ROLLBACKs. With WHEN OTHERS THEN NULL a failing statement
// ends the block quietly, what ran before it kept. Anything else, or a statement naming a declared
// variable, fails the whole block with kOnlySqlInBlocks before any of it runs. False, doing
// nothing, when the text is no block (no END closes it, as in SQLite's BEGIN TRANSACTION).
bool EmulateBlock(const TEmulationContext& context, std::string_view sql, const TRunStatement& run);

} // namespace quorvex::emulation
