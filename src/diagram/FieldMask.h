#pragma once

#include "persistence/Exceptions.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace quorvex {

// A mask that does not fit the six column arguments.
class EFormatError : public Exception {
public:
    using Exception::Exception;
};

// The six arguments of a field display mask: the column number, then its name, default value,
// type text, key mark ("[Key]" or empty) and comment.
struct TFieldMaskArgs {
    std::int64_t No = 0;
    std::array<std::string_view, 5> Texts; // indexes 1 to 5
};

// Formats the mask as the classic Format function does: "%[index:][-][width][.precision]type"
// with type d for the number (index 0) and s for the texts (1 to 5), "%%" for a percent sign,
// and a directive without an index taking the argument after the previous one. Throws
// EFormatError "Format '<mask>' invalid or incompatible with argument" on a conversion that
// does not fit its argument, an index above 5 or a directive cut short.
std::string FormatFieldMask(std::string_view mask, const TFieldMaskArgs& args);

} // namespace quorvex
