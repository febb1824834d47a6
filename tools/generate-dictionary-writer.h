#pragma once

#include <map>
#include <string>

namespace quorvex::tools {

// How much a generated embedded dictionary holds. Counts are totals over all owners; the
// generator spreads them evenly over the owners and tables.
struct DictionarySize {
    long long owners = 4;
    long long tables = 100;
    long long columnsPerTable = 10;
    long long constraints = 400; // primary, foreign, NOT NULL, check and unique keys
    long long indexes = 200;     // the first of a table's indexes backs its primary key
    long long triggers = 50;
    long long views = 20;
    long long sequences = 10;
    long long code = 20;          // procedures, functions, packages and package bodies
    long long sourceLines = 1000; // spread over the stored code
    long long comments = -1;      // table and column comments; -1: two per table
};

// The 100k preset: 100,000 objects, 1,000,000 columns, 150,000 constraints, 50,000 indexes,
// 20,000 triggers, 250,000 source lines.
DictionarySize Scale100k();

// Rows written per dictionary table ("OBJ$", "COL$", ...), and objects per type ("TYPE 2").
using DictionaryCounts = std::map<std::string, long long>;

// Writes an embedded database folder (SYS.sqlite only; no user data files) of the given size.
// The folder must not exist or be empty. Throws quorvex::Exception on failure.
DictionaryCounts GenerateDictionary(const std::string& folder, const DictionarySize& size);

} // namespace quorvex::tools
