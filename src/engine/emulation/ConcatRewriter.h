#pragma once

#include <string>
#include <string_view>

namespace quorvex::emulation {

// Gives || Oracle's meaning on SQLite: a null operand counts as an empty text, and an empty
// result is null (Oracle does not tell the two apart). Each chain a || b || c becomes
// NULLIF(COALESCE(a,'') || COALESCE(b,'') || COALESCE(c,''),''), its operands taken with
// Oracle's precedence (* and / bind tighter than ||, + and - do not). Built-in functions
// only, so the text runs on any SQLite. Text without || comes back unchanged.
std::string RewriteConcatenation(std::string_view sql);

} // namespace quorvex::emulation
