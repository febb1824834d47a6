#pragma once

#include <string_view>

namespace quorvex::fuzz {

// Reads `bytes` as a layout file into an empty diagram (no database: tables have no rows) and
// as an ini file. True when the layout loaded whole, false when it was refused with a
// quorvex::Exception. A loaded layout whose lines end on anything but tables, or that does not
// save and load back to the same text, escapes as another exception and counts as a finding.
bool LoadLayoutBytes(std::string_view bytes);

} // namespace quorvex::fuzz
