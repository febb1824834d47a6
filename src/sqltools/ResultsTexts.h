#pragma once

#include <QString>
#include <cstdint>

namespace quorvex {

// The texts of the SQL Results window: its caption and the statements of an explain. Kept
// apart from the window so they can be checked without one.

// The caption before any query ran.
inline constexpr const char* kResultsCaption = "SQL Results";

// "SQL Results in 1.23 seconds" for 1234 milliseconds.
QString ResultsCaption(std::int64_t milliseconds);

// The plan table the window creates in the connected user's schema on first use.
extern const char* const kPlanTableSql;
// Run before every explain when the plan table exists; only statement id A is ever cleared.
extern const char* const kDeletePlanASql;

// Counts tables named QUORVEX_PLAN_TABLE owned by `userName` (the connected user), so a plan
// table in another schema does not hide the missing one of this user.
QString PlanTableExistsSql(const QString& userName);
// Clears rows left under `statementId` by an earlier run, so a plan never mixes two explains.
QString DeletePlanRowsSql(const QString& statementId);
QString ExplainPlanSql(const QString& statementId, const QString& sqlText);
// The hierarchical query the plan window runs: rows estimate, bytes and the indented step.
QString PlanDisplaySql(const QString& statementId);

// Statement ids of explains: the decimal text of the millisecond tick counter, unless that
// equals (or, the counter being monotonic, precedes) the id given last, in which case it is one
// more than that, so two explains within one millisecond stay apart.
class TStatementIds {
public:
    QString Next(std::uint32_t tick);

private:
    bool m_given = false;
    std::uint32_t m_last = 0;
};

// The next id of this process's explains (user-interface thread only).
QString NextStatementId(std::uint32_t tick);
// The millisecond tick counter: milliseconds since the system started, as 32 bits.
std::uint32_t TickCount();

} // namespace quorvex
