#pragma once

#include "engine/emulation/EmulationContext.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex::emulation {

// CREATE [OR REPLACE] [EDITIONABLE | NONEDITIONABLE] PROCEDURE | FUNCTION | PACKAGE [BODY] |
// TYPE [BODY] | TRIGGER: stores the unit as Oracle does. Code gets its OBJ$ row and its text
// from the kind word on (the schema left out of the name) line by line in SOURCE$; a trigger
// is handed to EmulateCreateTrigger. OR REPLACE keeps the object number; without it, or when
// the name belongs to an object of another kind, ORA-00955. The unit is valid unless it names
// tables or views its owner cannot see (MissingReferences), or is a body without its package or
// type header: it is then stored invalid with its ERROR$ rows and the statement fails with
// ORA-24344. False, doing nothing, for any other statement.
bool EmulateCreateStoredCode(const TEmulationContext& context, std::string_view sql);

// The lines of a text as SOURCE$ keeps them: each with its line feed, the last one too.
void StoreSourceLines(sqlite3* db, std::int64_t objNo, std::string_view text);

// A name as DDL writes it: plain when it is an ordinary upper-case name, else quoted.
std::string WrittenName(const std::string& name);

} // namespace quorvex::emulation
