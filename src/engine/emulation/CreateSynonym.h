#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE [OR REPLACE] [PUBLIC] SYNONYM [schema.]name FOR [schema.]object[@link]: an OBJ$ row
// (owner PUBLIC for a public one) and a SYN$ row naming the object; an unqualified object
// belongs to the synonym's owner (the login user for a public synonym). OR REPLACE replaces a
// synonym of that name; ORA-00955 when the name is taken otherwise.
void EmulateCreateSynonym(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
