#pragma once

#include "engine/StatementParams.h"
#include "engine/emulation/EmulationContext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::emulation {

// The parameters, upper case and in Oracle's order, of a stored procedure the embedded engine
// runs itself: SYS.DBMS_UTILITY.ANALYZE_SCHEMA (SCHEMA, METHOD, ESTIMATE_ROWS,
// ESTIMATE_PERCENT, METHOD_OPT) and SYS.DBMS_UTILITY.ANALYZE_DATABASE (the same without
// SCHEMA); "SYS." may be left out. Nothing for any other name.
std::optional<std::vector<std::string>> EmulatedProcedureParams(std::string_view name);

// A call such as "BEGIN name(A => ?, B => 'x'); END;", "CALL name(...)" or "EXEC name(...)",
// with `values` for its "?" in order. Returns false, doing nothing, when the text is no call
// of that shape. Calls of DBMS_OUTPUT do nothing. A call of an unknown procedure fails with
// PLS-00201; wrong arguments with PLS-00306. The analyses run SQLite's ANALYZE on the schema's
// file, or on every file for ANALYZE_DATABASE; METHOD is COMPUTE, ESTIMATE (ESTIMATE_ROWS then
// limits the rows read; one of the estimates must be above 0, else ORA-01493) or DELETE, which
// removes the statistics.
bool EmulateCall(const TEmulationContext& context, std::string_view sql,
                 const std::vector<TParamValue>& values);

} // namespace quorvex::emulation
