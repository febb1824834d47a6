#pragma once

#include "Streamed.h"

#include <cstdint>

namespace quorvex {

// An item of an owning list, found in its list by OID.
class TCleanItem : public TStreamed {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    // Copies OID; a source that is not an item aborts silently and leaves this item as it was.
    void Assign(const TStreamed& source) override;

    std::int32_t OID = 0;
};

// Item comparison functions for TCleanList::Sort; either item may be absent.
using TItemCompare = int (*)(const TCleanItem*, const TCleanItem*);

// The order of absent items shared by every comparison function: both absent 0, first
// absent -1, second absent 1. Call it only when at least one is absent.
inline int CompareAbsent(const TCleanItem* a, const TCleanItem* b)
{
    if (a == nullptr && b == nullptr)
        return 0;
    return a == nullptr ? -1 : 1;
}

// Ascending OID; computed without overflow, so every pair of OIDs is ordered.
int CompareOIDs(const TCleanItem* a, const TCleanItem* b);

} // namespace quorvex
