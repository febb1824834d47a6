#pragma once

namespace quorvex {

// Registers the persistence classes and every item and list class of the schema model, so
// snapshot files can create them by name.
void RegisterModelClasses();

} // namespace quorvex
