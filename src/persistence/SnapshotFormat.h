#pragma once

#include <cstdint>
#include <string_view>

namespace quorvex::snapshot {

// Value tags of the snapshot format.
enum Tag : std::uint8_t {
    kNull = 0x00, // end of a record or of an item block
    kList = 0x01, // item block start
    kInt8 = 0x02,
    kInt16 = 0x03,
    kInt32 = 0x04,
    kExtended = 0x05,
    kString = 0x06,
    kIdent = 0x07, // class name
    kSet = 0x0B,
    kLString = 0x0C,
};

inline constexpr std::string_view kSignature{"TPF0", 4};
inline constexpr std::string_view kItemsName = "Items";
inline constexpr std::string_view kFalse = "False";
inline constexpr std::string_view kTrue = "True";
// Nested objects deeper than this are refused: the model needs five levels.
inline constexpr int kMaxDepth = 32;

} // namespace quorvex::snapshot
