#pragma once

#include "engine/emulation/EmulationContext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::emulation {

// CREATE [OR REPLACE] [[NO]FORCE] VIEW [schema.]name [(columns)] AS query
// [WITH READ ONLY | WITH CHECK OPTION [CONSTRAINT name]]: (re)creates the SQLite view in the
// owner's schema file from the translated query and keeps the dictionary in step: the OBJ$
// row (its number kept on replace), VIEW$ with the query as written, COL$ for its columns and
// the view's constraint. The view is valid when its query runs. A query that does not run
// fails with SQLite's message and changes nothing, unless FORCE is given: the view is then
// stored invalid, its error in ERROR$, and the statement fails with ORA-24344. ORA-00955 when
// the name belongs to another object, or to a view and OR REPLACE is missing.
void EmulateCreateView(const TEmulationContext& context, std::string_view sql);

// SQLite's message for a view that cannot be read; nothing when it can.
std::optional<std::string> ViewError(sqlite3* db, const std::string& schema,
                                     const std::string& name);

// Replaces the view's rows of ERROR$ by one error text (none for an empty list).
void RecordErrors(sqlite3* db, std::int64_t objNo, const std::vector<std::string>& errors);

// The warning Oracle returns for DDL that stored an object with compilation errors.
inline constexpr const char* kCompiledWithErrors = "ORA-24344: success with compilation error";

} // namespace quorvex::emulation
