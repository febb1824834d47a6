#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// CREATE USER name IDENTIFIED BY password [options], ALTER USER name IDENTIFIED BY password
// and DROP USER name [CASCADE], for SYS and SYSTEM only (ORA-01031 for others). A new user
// gets a USER$ row with the password's hash and an empty schema file; ORA-01920 when the name
// is taken by a user or role. DROP removes the user's objects with everything the dictionary
// holds for them, the foreign keys and triggers of others that depend on them, the USER$ row
// and the schema file, leaving others' views and code that used them invalid; ORA-01922 when the
// user owns objects and CASCADE is missing, ORA-01918 for an unknown user, ORA-01940 for the login
// user and ORA-28014 for SYS and SYSTEM. Options of CREATE USER (tablespaces, quotas, profile,
// account) are accepted and not kept. False, doing nothing, for any other statement.
bool EmulateUserStatement(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
