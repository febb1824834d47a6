#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex {

// One column value of the current row as a cursor delivers it; Text views into the cursor and
// stays valid until the cursor moves or is asked for another value.
struct TFieldValue {
    enum class TKind { Null, Integer, Real, Text, DateTime };

    TKind Kind = TKind::Null;
    std::int64_t Integer = 0;
    double Real = 0; // also the day number of a DateTime
    std::string_view Text;
};

} // namespace quorvex
