#pragma once

#include <string_view>

namespace quorvex::fuzz {

enum class SnapshotOutcome { Loaded, Rejected };

// Reads `bytes` as a snapshot of a whole model. A quorvex::Exception from the reader means the
// input was rejected; any other exception, or a loaded model that does not come back the same
// after being written and read again, escapes as an exception and counts as a finding.
SnapshotOutcome LoadSnapshotBytes(std::string_view bytes);

} // namespace quorvex::fuzz
