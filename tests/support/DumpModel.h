#pragma once

#include <string>

namespace quorvex {
class TStreamed;
}

namespace quorvex::test {

// An object tree as one readable text, so a scenario is checked against one expected text:
// one line per schema item, "Class key [state]", indented by depth, followed by its creating
// text line by line behind "| " (its comparison text behind "~ " when it has one). Nested
// lists show as "Name:" lines; empty lists and absent objects are left out.
std::string DumpModel(const TStreamed& root);

} // namespace quorvex::test
