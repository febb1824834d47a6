#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE SEQUENCE [schema.]name [START WITH n] [INCREMENT BY n] [MINVALUE n|NOMINVALUE]
// [MAXVALUE n|NOMAXVALUE] [CYCLE|NOCYCLE] [CACHE n|NOCACHE] [ORDER|NOORDER], in any order:
// an OBJ$ and a SEQ$ row. SEQ$ keeps the next value as its high-water mark (START WITH, else
// the first value of the direction) and NULL for every NO... option; CACHE is 20 when not
// given, as Oracle's. Oracle's messages for a zero increment and inconsistent limits.
void EmulateCreateSequence(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
