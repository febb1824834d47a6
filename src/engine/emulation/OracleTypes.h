#pragma once

#include <optional>
#include <string_view>

namespace quorvex::emulation {

// A column type as the dictionary keeps it in COL$.
struct TOracleColumnType {
    int TypeNo = 1;    // COL$."TYPE#": 1 VARCHAR2, 2 NUMBER, 8 LONG, 12 DATE, 96 CHAR ...
    int Length = 4000; // COL$."LENGTH", in bytes
    std::optional<int> Precision;
    std::optional<int> Scale;
    int CharsetForm = 0; // 2 for the national character types

    bool operator==(const TOracleColumnType&) const = default;
};

// The dictionary's form of a declared column type such as "VARCHAR2(30)", "NUMBER(7,2)",
// "DATE" or "CHAR" (case and blanks do not matter). SQLite's own type names (TEXT, INTEGER,
// REAL, BLOB, NUM) map to their nearest Oracle type; an empty or unknown name reads as
// VARCHAR2(4000).
TOracleColumnType OracleColumnType(std::string_view declared);

} // namespace quorvex::emulation
