#pragma once

#include <string>

namespace quorvex::test {

// The embedded demo database, built once per test program in a temporary folder. Tests that
// change it work on their own copy.
const std::string& DemoTemplate();

// Copies the demo database into `folder` (which must not exist yet).
void CopyDemoDatabase(const std::string& folder);

} // namespace quorvex::test
