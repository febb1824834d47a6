#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorvex {

// Count of streamed objects alive in the process: every TStreamed adds one when it is created
// and takes it away when destroyed. A non-zero count at program end means a leak.
std::int64_t LiveObjectCount() noexcept;

// The message shown at program end when objects were not freed ("Objects not freed : %d"),
// or nothing when every object was freed.
std::optional<std::string> ObjectsNotFreedMessage();

namespace detail {
void AddLiveObject() noexcept;
void RemoveLiveObject() noexcept;
} // namespace detail

} // namespace quorvex
