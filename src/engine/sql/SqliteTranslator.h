#pragma once

#include <string>
#include <string_view>

namespace quorvex::sql {

// Makes an Oracle statement acceptable to SQLite where the two differ for the engine:
// - (+) outer joins become LEFT JOINs (RewriteOuterJoins, which may raise quorvex::Exception);
// - unquoted names with $ or # (OBJ$, USER#) are quoted in upper case, as Oracle folds them;
// - a bare SYSDATE becomes datetime('now','localtime'), a date literal DATE 'YYYY-MM-DD' the
//   stored date text 'YYYY-MM-DD 00:00:00'.
// Everything else, including texts in quotes, literals, comments, hints and parameters
// (:USER_NO, :0), is passed through unchanged.
std::string TranslateForSqlite(std::string_view oracleSql);

} // namespace quorvex::sql
