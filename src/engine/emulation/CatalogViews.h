#pragma once

#include <cstdint>
#include <string>

struct sqlite3;

namespace quorvex::emulation {

// The text creating Oracle's catalogue views for one user as temporary views of the
// connection: USER_CONSTRAINTS, USER_CONS_COLUMNS, USER_TAB_COLUMNS, USER_TAB_COMMENTS,
// USER_COL_COMMENTS and USER_ERRORS, read from the dictionary tables attached as SYS with
// Oracle's column names. Temporary objects come first in SQLite's name lookup, so the
// unqualified names find them.
std::string CatalogViewsSql(std::int64_t userNo);

// Creates the views for the user on the connection.
void CreateCatalogViews(sqlite3* db, std::int64_t userNo);

} // namespace quorvex::emulation
