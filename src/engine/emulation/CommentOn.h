#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// COMMENT ON TABLE [schema.]table IS 'text' and COMMENT ON COLUMN [schema.]table.column IS
// 'text' (tables and views): the COM$ row of the object ("COL#" NULL) or of the column,
// replaced; an empty text removes it, as Oracle's NULL comment. Comments on other kinds
// (materialized views, operators ...) change nothing. ORA-00942 for an unknown table, ORA-00904
// for an unknown column.
void EmulateComment(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
