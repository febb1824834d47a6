#pragma once

#include "FieldValue.h"

#include <cstdint>
#include <string>

namespace quorvex {

// How a column value reads as each type. A null reads as 0 and as empty text. Numbers read as
// text are FormatNumber texts; numbers read as integers round to nearest. Texts read as
// numbers or date-times convert when they hold one (an empty text reads as 0); any other text
// raises an Exception. Date-times are day numbers counted from 30 December 1899; as text they
// read "YYYY-MM-DD HH:MM:SS".
std::string FieldAsText(const TFieldValue& value);
std::int64_t FieldAsInteger(const TFieldValue& value);
double FieldAsFloat(const TFieldValue& value);
double FieldAsDateTime(const TFieldValue& value);

} // namespace quorvex
