#pragma once

struct sqlite3;

namespace quorvex::emulation {

// Registers Oracle's DECODE, NVL, LPAD and RPAD on an SQLite connection. As in Oracle, an empty
// text counts as null in their arguments and an empty result is null:
// - DECODE(expr, search1, result1, ..., [default]): the result of the first search equal to
//   expr (null equals null; a number and a text holding that number are equal), else default
//   or null;
// - NVL(a, b): a unless it is null, else b;
// - LPAD(text, width [, pad]) / RPAD: text padded on the left (right) with pad (a blank by
//   default) or cut to width characters; null for a width below 1.
// The conversion functions come with them (RegisterConversionFunctions). Raises
// quorvex::Exception with SQLite's message when SQLite refuses a registration.
void RegisterOracleFunctions(sqlite3* db);

} // namespace quorvex::emulation
