#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// DROP TABLE|VIEW|INDEX|SEQUENCE|[PUBLIC] SYNONYM|PROCEDURE|FUNCTION|PACKAGE [BODY]|TRIGGER|
// TYPE [BODY] [IF EXISTS] [schema.]name [CASCADE CONSTRAINTS] [PURGE]. Returns false, doing
// nothing, for other DROP statements. The object and everything the dictionary holds for it go: its
// OBJ$ row, columns, comments, constraints, source, errors, view text, sequence or synonym row;
// with a table also its indexes and triggers; with a package also its body. Its SQLite table, view,
// index or trigger goes too, the owner's views that no longer run are marked invalid, and so is the
// code naming a dropped table, view or synonym it no longer finds (InvalidateCodeNaming). Oracle's
// errors where it would refuse: ORA-00942, ORA-01418, ORA-02289, ORA-01432/ORA-01434,
// ORA-04043 and ORA-04080 for a missing object; ORA-02449 for a table whose key other tables
// reference (unless CASCADE CONSTRAINTS, which drops those foreign keys); ORA-02429 for the
// index of a primary or unique key. An object only SQLite knows is dropped there.
bool EmulateDrop(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
