#pragma once

#include <string_view>

namespace quorvex::sql {

// What a statement does, judged by its leading keywords.
enum class TStatementKind {
    Select, // SELECT or WITH, also behind opening parentheses
    Insert,
    Update,
    Delete,
    Merge,
    CreateTable, // CREATE [GLOBAL TEMPORARY] TABLE
    CreateView,  // CREATE [OR REPLACE] [NO]FORCE VIEW
    CreateIndex, // CREATE [UNIQUE|BITMAP] INDEX
    CreateOther,
    Alter,
    Drop,
    Explain,
    Call, // BEGIN, DECLARE, CALL, EXEC, EXECUTE
    Commit,
    Rollback,
    Other
};

// Classifies an Oracle statement, skipping leading whitespace, comments and hints;
// keywords are matched ignoring case.
TStatementKind ClassifyStatement(std::string_view sql);

} // namespace quorvex::sql
