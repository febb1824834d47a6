#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace quorvex {

class TByteSink;
class TObjectList;
class TOwnerList;

// What a synonym stands for: owner.name[@link], as the dictionary holds it.
struct TSynonymTarget {
    std::string Owner;
    std::string Name;
    std::string Link; // empty for a local object
};
// Keyed by the synonym's owner number and name.
using TSynonymTargets = std::map<std::pair<std::int32_t, std::string>, TSynonymTarget>;

// Writes a schema model as a SQL*Plus script that builds the schema again, on Oracle or on the
// embedded engine: sequences; tables with their columns; primary and unique keys; the other
// indexes; check constraints; foreign keys once every table exists; comments; views, each
// after the views it uses; stored code and triggers, each ended by a "/" line; synonyms.
// With `ownerNo`, only that owner's objects are written and names go unqualified, so the
// script builds the schema of whoever runs it; without, every object, qualified by its owner.
// The model keeps no synonym's target: a synonym found in `synonyms` is created for its target,
// any other is written as a comment. Throws quorvex::Exception for what no statement can
// express (a key without columns, a column type it does not know), naming the item.
void WriteDdlScript(const TObjectList& objects, const TOwnerList& owners,
                    std::optional<std::int32_t> ownerNo, TByteSink& sink,
                    const TSynonymTargets& synonyms = {});

} // namespace quorvex
