#pragma once

#include <string>
#include <string_view>

struct sqlite3;

namespace quorvex {

// Lower-case hex SHA-256 of a password, as SYS."USER$"."PASSWORD" stores it.
std::string PasswordHash(std::string_view password);

// Checks a login against SYS."USER$" of an embedded database: the user (upper-cased) must be a
// user (TYPE# 1) whose PASSWORD is empty or the hash of the password. Passwords compare
// without regard to case, as in Oracle before 11g: the password as typed, in lower case or
// in upper case may match. Raises ORA-01017 otherwise.
void CheckEmbeddedLogin(sqlite3* db, std::string_view user, std::string_view password);

} // namespace quorvex
