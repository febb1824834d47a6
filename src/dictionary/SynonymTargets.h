#pragma once

#include "model/DdlScript.h"

#include <cstdint>
#include <optional>

namespace quorvex {

class TQuery;

// What the synonyms of one owner (every owner without `ownerNo`) stand for, from SYN$: the
// schema model keeps a synonym's name only, so a DDL script made from a live database asks the
// dictionary. Failures pass on as the query's Exceptions.
TSynonymTargets ReadSynonymTargets(TQuery& query, std::optional<std::int32_t> ownerNo);

} // namespace quorvex
