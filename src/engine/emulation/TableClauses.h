#pragma once

#include "engine/emulation/StatementTokens.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvex::emulation {

// One constraint as a CREATE or ALTER TABLE writes it, inline on a column or on its own.
struct TConstraintDecl {
    std::string Name; // empty: the dictionary gives it a system name
    int Type = 0;     // constraint_types
    std::vector<std::string> Columns;
    std::string Condition; // of a check, as written
    std::optional<TObjectName> RefTable;
    std::vector<std::string> RefColumns; // empty: the referenced table's primary key
    std::optional<int> OnDelete;         // CDEF$."REFACT": 1 cascade, 2 set null
    bool Enabled = true;
    bool Deferrable = false;
    bool InitiallyDeferred = false;
    std::optional<TObjectName> UsingIndex;
};

// One column as a CREATE TABLE, ALTER TABLE ADD or MODIFY writes it. Constraints written on it
// carry the column's name; NOT NULL is one of them.
struct TColumnDecl {
    std::string Name;
    std::string Type;    // "VARCHAR2(30)": the type's words and its first parentheses
    std::string Default; // the expression as written; empty when none
    bool HasDefault = false;
    std::string Virtual; // the expression of a virtual column
    bool Identity = false;
    bool Null = false; // a NULL clause: MODIFY drops the NOT NULL constraint
    std::vector<TConstraintDecl> Constraints;
};

// The items of the list in parentheses at `open`: [first, last) token ranges between the
// commas outside nested parentheses.
std::vector<std::pair<size_t, size_t>> ListItems(const TStatementTokens& t, size_t open);

// An item of a column list that is a constraint of its own: CONSTRAINT, PRIMARY KEY, UNIQUE,
// CHECK or FOREIGN KEY comes first.
bool StartsOutOfLineConstraint(const TStatementTokens& t, size_t k);

TConstraintDecl ReadOutOfLineConstraint(const TStatementTokens& t, size_t first, size_t last);
TColumnDecl ReadColumnDecl(const TStatementTokens& t, size_t first, size_t last);

// The names of a parenthesised column list at `open`, unquoted names folded.
std::vector<std::string> ReadNameList(const TStatementTokens& t, size_t open);

} // namespace quorvex::emulation
