#pragma once

#include "engine/emulation/EmulationContext.h"

#include <string_view>

namespace quorvex::emulation {

// The DDL of schema scripts beyond CREATE TABLE/VIEW/INDEX and DROP: ALTER TABLE, CREATE
// SEQUENCE, CREATE [PUBLIC] SYNONYM and COMMENT ON run against the dictionary. Statements
// for things the schema model has no kind for (CREATE MATERIALIZED VIEW, DIMENSION, TYPE,
// ROLE ..., GRANT, REVOKE, AUDIT, ALTER SESSION ...) succeed and change nothing: a schema
// script runs through them. True when the statement was one of these; false leaves it to
// SQLite.
bool EmulateSchemaStatement(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
