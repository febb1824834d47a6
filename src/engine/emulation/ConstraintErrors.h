#pragma once

#include "engine/emulation/Dictionary.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvex::emulation {

// Oracle's message for SQLite's report of a violated key, check or NOT NULL column, naming the
// constraint (or unique index) as the dictionary holds it: "ORA-00001: unique constraint
// (SCOTT.PK_EMP) violated", "ORA-02290: check constraint (SCOTT.SAL_CK) violated",
// "ORA-01400: cannot insert NULL into ("SCOTT"."EMP"."EMPNO")", or ORA-01407 for an UPDATE. Nothing
// for any other message, or when the dictionary has no such table, key or index. A table name held
// by several owners is taken as the login user's first.
std::optional<std::string> OracleConstraintMessage(const TDictionary& dictionary,
                                                   std::string_view sqliteMessage, bool update);

} // namespace quorvex::emulation
