#pragma once

struct sqlite3;

namespace quorvex::emulation {

// Registers Oracle's conversion functions on a connection: TO_DATE(text[, format]) giving the
// stored date text 'YYYY-MM-DD HH:MM:SS', TO_CHAR(date | number | text[, format]) and
// TO_NUMBER(text[, format]); see DateFormat.h for the date models. Number models know 9, 0,
// the decimal point (. or D), group separators (, or G), a leading $ and FM. Null gives null;
// a text that does not convert fails with Oracle's message (ORA-01722 invalid number, ...).
void RegisterConversionFunctions(sqlite3* db);

} // namespace quorvex::emulation
