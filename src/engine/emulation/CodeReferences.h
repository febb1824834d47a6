#pragma once

#include "engine/emulation/EmulationContext.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::emulation {

// One compiler message of stored code, as ERROR$ keeps it.
struct TCodeError {
    int Line = 0;
    int Position = 0;
    std::string Text;
    int Number = 0;
};

// The messages for the tables and views a PL/SQL text names that its owner cannot see: the
// names after FROM, JOIN, INSERT INTO, UPDATE and DELETE, and the prefixes of %TYPE and
// %ROWTYPE. Cursors and WITH names of the text itself are not looked up. A light check in
// place of a compiler: what the text does with the names is not examined.
std::vector<TCodeError> MissingReferences(const TDictionary& dictionary, const std::string& owner,
                                          std::string_view text);

// Replaces the object's ERROR$ rows by the messages, in order.
void RecordCodeErrors(sqlite3* db, std::int64_t objNo, const std::vector<TCodeError>& errors);

// Checks the stored text of code or a trigger again (ALTER ... COMPILE): the messages of an
// earlier check are replaced by the new ones; messages of other origin, such as the demo's
// compiler messages, stay.
void RecheckReferences(const TDictionary& dictionary, const std::string& owner, std::int64_t objNo);

// After a table, view or synonym of that name went: the valid code and triggers whose text
// names it and no longer finds it become invalid, as Oracle marks the dependants of a dropped
// object; their messages come with their next compilation.
void InvalidateCodeNaming(TDictionary& dictionary, const std::string& name);

} // namespace quorvex::emulation
