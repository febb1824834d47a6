#pragma once

#include <string>

namespace quorvex {

class TFieldItem;

namespace ddl {

// A column's data type as CREATE TABLE takes it back to the same dictionary entry: NUMBER
// without precision stays NUMBER, FLOAT keeps its binary precision, RAW its length. The type
// alone, without DEFAULT or NOT NULL. Throws quorvex::Exception for a type number it cannot
// write, naming the column: a script with a made-up type would fail later, out of sight.
std::string ColumnTypeText(const TFieldItem& field);

} // namespace ddl
} // namespace quorvex
