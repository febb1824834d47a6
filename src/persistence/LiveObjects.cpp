#include "LiveObjects.h"

#include <atomic>

namespace quorvex {

namespace {
std::atomic<std::int64_t> g_liveObjects{0};
}

std::int64_t LiveObjectCount() noexcept
{
    return g_liveObjects.load(std::memory_order_relaxed);
}

std::optional<std::string> ObjectsNotFreedMessage()
{
    const auto count = LiveObjectCount();
    if (count == 0)
        return std::nullopt;
    return "Objects not freed : " + std::to_string(count);
}

namespace detail {
void AddLiveObject() noexcept
{
    g_liveObjects.fetch_add(1, std::memory_order_relaxed);
}
void RemoveLiveObject() noexcept
{
    g_liveObjects.fetch_sub(1, std::memory_order_relaxed);
}
} // namespace detail

} // namespace quorvex
