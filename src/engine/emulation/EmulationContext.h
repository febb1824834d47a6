#pragma once

#include "engine/SqliteStatementPreparer.h"
#include "engine/emulation/Dictionary.h"

#include <string>
#include <vector>

namespace quorvex::emulation {

// What an emulated statement works with: the dictionary of the connection and the translation
// of the Oracle queries it contains.
struct TEmulationContext {
    TDictionary& Dictionary;
    const TSqliteStatementPreparer& Preparer;
    // What a statement accepted without carrying it out, for the session's notices.
    std::vector<std::string>& Notices;

    sqlite3* Db() const { return Dictionary.Db(); }
};

} // namespace quorvex::emulation
