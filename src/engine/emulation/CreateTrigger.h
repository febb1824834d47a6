#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE [OR REPLACE] TRIGGER [schema.]name {BEFORE | AFTER | INSTEAD OF} event [OR event]...
// ON {[schema.]table | DATABASE | SCHEMA} [REFERENCING ...] [FOR EACH ROW] [ENABLE | DISABLE]
// [WHEN (condition)] body, with the TRIGGER token at `kindAt`: the OBJ$ row and the TRIGGER$
// row as the demo keeps them (timing in TYPE#, the INSERT$/UPDATE$/DELETE$ flags, the table in
// BASEOBJECT, the header in DEFINITION as "OWNER.NAME timing events ON OWNER.TABLE ...", the
// body in ACTION#). ORA-00942 for a missing table, ORA-25001/ORA-25002 when the timing does not
// suit a view or a table, ORA-04081 when the trigger exists and OR REPLACE is missing, ORA-04079
// for a header it cannot read. A body naming tables its owner cannot see leaves the trigger
// invalid and fails with ORA-24344.
void EmulateCreateTrigger(const TEmulationContext& context, const TStatementTokens& t,
                          size_t kindAt, bool orReplace);

// ALTER TRIGGER [schema.]name ENABLE | DISABLE; false, doing nothing, for other statements.
// ORA-04080 when there is no such trigger.
bool EmulateAlterTrigger(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
