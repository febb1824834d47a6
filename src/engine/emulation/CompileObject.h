#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// ALTER VIEW|PROCEDURE|FUNCTION|PACKAGE|TRIGGER [schema.]name COMPILE [PACKAGE|BODY] [...]. Returns
// false, doing nothing, for any other ALTER statement. Stored code cannot be compiled here: its
// text is checked again for missing tables (RecheckReferences) and the object becomes valid
// (OBJ$."STATUS" 1) when ERROR$ then holds no error for it; otherwise it stays
// invalid with its errors and the statement fails with ORA-24344, the warning Oracle returns for
// "altered with compilation errors". A view is rebuilt in SQLite from its query in VIEW$ and its
// columns in COL$, and is valid when that query runs; when it does not, the SQLite view is left as
// it was, the view is marked invalid with SQLite's message in ERROR$, and the statement fails with
// ORA-24344. A package without a keyword, or with PACKAGE, compiles the package and its body; BODY
// compiles the body only. ORA-04043 when there is no such object.
bool EmulateCompile(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
