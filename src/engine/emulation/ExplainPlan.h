#pragma once

#include "engine/emulation/EmulationContext.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex::emulation {

// EXPLAIN PLAN [SET STATEMENT_ID = 'id'] [INTO [schema.]table] FOR statement.
struct TExplainStatement {
    std::optional<std::string> StatementId;
    TObjectName Table{{}, "PLAN_TABLE"};
    std::string Statement;
};

// Raises quorvex::Exception with Oracle's message for a malformed statement.
TExplainStatement ParseExplainPlan(std::string_view sql);

// One row of SQLite's EXPLAIN QUERY PLAN: its id, its parent's id (0 at the top) and the
// detail text such as "SCAN e" or "SEARCH d USING INDEX PK_DEPT (DEPTNO=?)".
struct TQueryPlanStep {
    int Id = 0;
    int Parent = 0;
    std::string Detail;
};

// One row of an Oracle plan table.
struct TPlanRow {
    int Id = 0;
    std::optional<int> ParentId;
    std::optional<int> Position; // among the parent's children, from 1
    std::string Operation;
    std::string Options;
    std::string ObjectName; // as SQLite names it: a table, its alias in the query, or an index
    std::string ObjectType; // "TABLE", "INDEX" or "VIEW" when there is an object
    std::string ObjectOwner;

    bool operator==(const TPlanRow&) const = default;
};

// Oracle's form of SQLite's plan: a root step (ID 0, `rootOperation` such as
// "SELECT STATEMENT") over the steps in depth-first order. A full scan becomes TABLE ACCESS
// FULL, a search by index TABLE ACCESS BY INDEX ROWID over INDEX RANGE SCAN (INDEX ... alone
// for a covering index), a rowid search TABLE ACCESS BY USER ROWID; successive row sources of
// one query are joined by NESTED LOOPS; a temporary B-tree is a SORT (ORDER BY, GROUP BY or
// UNIQUE) over what it sorts; compounds are UNION-ALL, SORT UNIQUE over UNION-ALL, MINUS or
// INTERSECTION; subqueries are VIEW; other steps keep SQLite's text as their operation.
std::vector<TPlanRow> PlanRows(const std::vector<TQueryPlanStep>& steps,
                               std::string_view rootOperation);

// Runs EXPLAIN QUERY PLAN on the translated statement and inserts its plan into the plan table
// (an unqualified one in the login user's schema) with the statement id, the time, the owners and
// names of the tables and indexes (aliases and SQLite's own index names resolved through the query
// and the dictionary).
void EmulateExplainPlan(const TEmulationContext& context, std::string_view sql);

} // namespace quorvex::emulation
