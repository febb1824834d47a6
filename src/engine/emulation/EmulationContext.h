#pragma once

#include "engine/SqliteStatementPreparer.h"
#include "engine/emulation/Dictionary.h"

namespace quorvex::emulation {

// What an emulated statement works with: the dictionary of the connection and the translation
// of the Oracle queries it contains.
struct TEmulationContext {
    TDictionary& Dictionary;
    const TSqliteStatementPreparer& Preparer;

    sqlite3* Db() const { return Dictionary.Db(); }
};

} // namespace quorvex::emulation
