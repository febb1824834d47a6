#include "ObjectState.h"

namespace quorvex {

int MarkState(std::string_view mark) noexcept
{
    if (mark == Marks::Removed)
        return ObjectStates::Removed;
    if (mark == Marks::Added)
        return ObjectStates::Added;
    return ObjectStates::Normal;
}

} // namespace quorvex
