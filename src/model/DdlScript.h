#pragma once

#include <cstdint>
#include <optional>

namespace quorvex {

class TByteSink;
class TObjectList;
class TOwnerList;

// Writes a schema model as a SQL*Plus script that builds the schema again, on Oracle or on the
// embedded engine: sequences; tables with their columns; primary and unique keys; the other
// indexes; check constraints; foreign keys once every table exists; comments; views, each
// after the views it uses; stored code and triggers, each ended by a "/" line; synonyms.
// With `ownerNo`, only that owner's objects are written and names go unqualified, so the
// script builds the schema of whoever runs it; without, every object, qualified by its owner.
// Throws quorvex::Exception for what no statement can express (a key without columns, a
// column type it does not know), naming the item.
void WriteDdlScript(const TObjectList& objects, const TOwnerList& owners,
                    std::optional<std::int32_t> ownerNo, TByteSink& sink);

} // namespace quorvex
