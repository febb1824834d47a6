// Stored procedures: the call text for Oracle and the embedded engine's refusal.
#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "engine/SessionStoredProc.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(StoredProcTest, CallTextNamesEveryParameter)
{
    EXPECT_EQ(StoredProcCallText("SYS.DBMS_UTILITY.ANALYZE_SCHEMA", {"SCHEMA", "METHOD"}),
              "BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA(SCHEMA => :SCHEMA, METHOD => :METHOD); END;");
    EXPECT_EQ(StoredProcCallText("P", {}), "BEGIN P(); END;");
}

TEST(StoredProcTest, EmbeddedEngineRefusesStoredProcedures)
{
    TempDir dir;
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(EmbeddedAliases(dir, BuildTestDatabase(dir)), "TEST", login);
    // The analyses are emulated (tests/engine/emulation); any other procedure is refused.
    auto proc = session->CreateStoredProc("SYS.DBMS_STATS.GATHER_SCHEMA_STATS");
    try {
        proc->Prepare();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Stored procedure SYS.DBMS_STATS.GATHER_SCHEMA_STATS is not "
                               "supported by the embedded engine");
    }
    EXPECT_EQ(login.Calls, 1); // preparing opened the connection
    EXPECT_TRUE(proc->ParamNames().empty());
    proc->SetParam("ownname", "SCOTT");
    EXPECT_THROW(proc->Execute(), Exception);
    proc->Unprepare();
}

} // namespace
} // namespace quorvex::test
