// DBMS_UTILITY.ANALYZE_SCHEMA and ANALYZE_DATABASE on the embedded engine, called the way the
// maintenance commands call them.
#include "engine/emulation/StoredProcedures.h"

#include "EmulationTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

long long Statistics(DemoSession& session, const std::string& schema)
{
    if (session.Count("SELECT COUNT(*) FROM " + schema +
                      ".sqlite_master WHERE name = 'sqlite_stat1'") == 0)
        return 0;
    return session.Count("SELECT COUNT(*) FROM " + schema + ".sqlite_stat1");
}

TEST(StoredProcedures, ParameterListsAreOracles)
{
    using emulation::EmulatedProcedureParams;
    EXPECT_EQ(EmulatedProcedureParams("SYS.DBMS_UTILITY.ANALYZE_SCHEMA"),
              (std::vector<std::string>{"SCHEMA", "METHOD", "ESTIMATE_ROWS", "ESTIMATE_PERCENT",
                                        "METHOD_OPT"}));
    EXPECT_EQ(
        EmulatedProcedureParams("dbms_utility.analyze_database"),
        (std::vector<std::string>{"METHOD", "ESTIMATE_ROWS", "ESTIMATE_PERCENT", "METHOD_OPT"}));
    EXPECT_FALSE(EmulatedProcedureParams("SYS.DBMS_STATS.GATHER_SCHEMA_STATS"));
}

TEST(StoredProcedures, AnalyseSchemaAsTheMainWindowDoes)
{
    DemoSession scott("scott", "tiger");
    EXPECT_EQ(Statistics(scott, "SCOTT"), 0);
    auto proc = scott.Session().CreateStoredProc("SYS.DBMS_UTILITY.ANALYZE_SCHEMA");
    proc->Prepare();
    ASSERT_EQ(proc->ParamNames().size(), 5u);
    proc->SetParam("schema", scott.Session().UserName());
    proc->SetParam("method", "COMPUTE");
    proc->SetParam("estimate_rows", std::int64_t{0});
    proc->SetParam("estimate_percent", std::int64_t{0});
    proc->SetParam("method_opt", "");
    proc->Execute();
    proc->Unprepare();
    EXPECT_GT(Statistics(scott, "SCOTT"), 0);
    EXPECT_EQ(Statistics(scott, "HR"), 0);
    // Unknown parameters are refused before anything runs.
    proc->Prepare();
    EXPECT_THROW(proc->SetParam("tablespace", "USERS"), Exception);
}

TEST(StoredProcedures, AnalyseDatabaseCoversEverySchemaAndDeleteRemoves)
{
    DemoSession system("system", "manager");
    auto proc = system.Session().CreateStoredProc("SYS.DBMS_UTILITY.ANALYZE_DATABASE");
    proc->Prepare();
    EXPECT_EQ(proc->ParamNames(), (std::vector<std::string>{"METHOD", "ESTIMATE_ROWS",
                                                            "ESTIMATE_PERCENT", "METHOD_OPT"}));
    proc->SetParam("method", "COMPUTE");
    proc->SetParam("estimate_rows", std::int64_t{0});
    proc->SetParam("estimate_percent", std::int64_t{0});
    proc->SetParam("method_opt", "");
    proc->Execute();
    for (const char* schema : {"SCOTT", "HR", "SYSTEM"})
        EXPECT_GT(Statistics(system, schema), 0) << schema;
    system.Execute("BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA('HR', 'DELETE'); END;");
    EXPECT_EQ(Statistics(system, "HR"), 0);
    EXPECT_GT(Statistics(system, "SCOTT"), 0);
}

TEST(StoredProcedures, CallErrorsAreOracles)
{
    DemoSession scott("scott", "tiger");
    EXPECT_EQ(scott.ErrorOf("BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA(SCHEMA => 'NOBODY', "
                            "METHOD => 'COMPUTE'); END;"),
              "ORA-01435: user does not exist");
    EXPECT_EQ(scott.ErrorOf("BEGIN DBMS_UTILITY.ANALYZE_SCHEMA('SCOTT', 'ESTIMATE', 0, 0); END;"),
              "ORA-01493: invalid SAMPLE size specified");
    EXPECT_EQ(scott.ErrorOf("CALL DBMS_UTILITY.ANALYZE_SCHEMA('SCOTT')"),
              "PLS-00306: wrong number or types of arguments in call to 'ANALYZE_SCHEMA'");
    EXPECT_EQ(scott.ErrorOf("BEGIN DBMS_OUTPUT.PUT_LINE('x'); END;"),
              "PLS-00201: identifier 'DBMS_OUTPUT.PUT_LINE' must be declared");
    scott.Execute("EXEC DBMS_UTILITY.ANALYZE_SCHEMA('scott', 'ESTIMATE', 5)");
    EXPECT_GT(Statistics(scott, "SCOTT"), 0);
    // Other procedures cannot be prepared.
    auto other = scott.Session().CreateStoredProc("SYS.DBMS_STATS.GATHER_SCHEMA_STATS");
    EXPECT_THROW(other->Prepare(), Exception);
}

} // namespace
} // namespace quorvex::test
