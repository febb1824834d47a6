// DROP on the demo: the object, everything the dictionary holds for it and its SQLite object
// disappear; Oracle's refusals.
#include "EmulationTestSupport.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// Rows any dictionary table holds under one of the object numbers, named by table.
std::vector<std::string> Leftovers(DemoSession& session, const std::string& numbers)
{
    std::vector<std::string> found;
    for (const char* table : {"OBJ$", "COL$", "COM$", "IND$", "ICOL$", "CCOL$", "CDEF$", "SEQ$",
                              "VIEW$", "SOURCE$", "TRIGGER$", "ERROR$", "SYN$"})
        if (session.Count(std::string("SELECT COUNT(*) FROM SYS.\"") + table +
                          "\" WHERE \"OBJ#\" IN (" + numbers + ")") > 0)
            found.push_back(table);
    if (session.Count(R"(SELECT COUNT(*) FROM SYS."CDEF$" WHERE "ROBJ#" IN ()" + numbers + ")") > 0)
        found.push_back("CDEF$ references");
    return found;
}

TEST(DropObject, DroppedTableLeavesNothingBehind)
{
    DemoSession scott("scott", "tiger");
    // EMP 51003 with PK_EMP 51004, EMP_DEPT_SAL_IX 51007, constraints PK_EMP and FK_DEPTNO.
    ASSERT_EQ(Leftovers(scott, "51003, 51004, 51007").size(), 7u);
    scott.Execute("DROP TABLE \"EMP\"");
    EXPECT_EQ(Leftovers(scott, "51003, 51004, 51007"), std::vector<std::string>{});
    EXPECT_EQ(scott.Count(R"(SELECT COUNT(*) FROM SYS."CON$" WHERE "NAME" IN ('PK_EMP',
                                                                             'FK_DEPTNO'))"),
              0);
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE tbl_name = 'EMP'"), 0);
    EXPECT_THROW(scott.Rows("SELECT * FROM EMP"), std::exception);
    // Other tables are untouched.
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM DEPT"), 4);
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM USER_CONSTRAINTS"), 1);
}

TEST(DropObject, ReferencedTableNeedsCascadeConstraints)
{
    DemoSession scott("scott", "tiger");
    EXPECT_EQ(scott.ErrorOf("DROP TABLE DEPT"),
              "ORA-02449: unique/primary keys in table referenced by foreign keys");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM DEPT"), 4);
    scott.Execute("DROP TABLE DEPT CASCADE CONSTRAINTS");
    EXPECT_EQ(Leftovers(scott, "51001, 51002"), std::vector<std::string>{});
    EXPECT_EQ(scott.Column("SELECT CONSTRAINT_NAME FROM USER_CONSTRAINTS"),
              (std::vector<std::string>{"PK_EMP"}));
}

struct DropCase {
    const char* Statement;
    const char* Gone;   // object numbers that must have left the dictionary
    const char* Stays;  // object numbers that must still be there
    const char* Sqlite; // the SQLite object that must be gone, or ""
};

class DropHrObject : public ::testing::TestWithParam<DropCase> {};

TEST_P(DropHrObject, RemovesTheObjectOnly)
{
    DemoSession hr("hr", "hr");
    hr.Execute(GetParam().Statement);
    EXPECT_EQ(Leftovers(hr, GetParam().Gone), std::vector<std::string>{}) << GetParam().Statement;
    EXPECT_EQ(
        hr.Count(std::string(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" IN ()") +
                 GetParam().Stays + ")"),
        static_cast<long long>(
            std::count(GetParam().Stays, GetParam().Stays + std::strlen(GetParam().Stays), ',') +
            1))
        << GetParam().Statement;
    if (*GetParam().Sqlite != '\0') {
        EXPECT_EQ(hr.Count(std::string("SELECT COUNT(*) FROM HR.sqlite_master WHERE name = '") +
                           GetParam().Sqlite + "'"),
                  0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DropHrObject,
    ::testing::Values(
        DropCase{"DROP VIEW \"EMP_DETAILS_VIEW\"", "52030", "52013", "EMP_DETAILS_VIEW"},
        DropCase{"DROP INDEX \"EMP_NAME_IX\"", "52019", "52013", "EMP_NAME_IX"},
        DropCase{"DROP SEQUENCE \"TICKET_SEQ\"", "52038", "52037", ""},
        DropCase{"DROP SYNONYM \"STAFF\"", "52050", "52013", ""},
        DropCase{"DROP PROCEDURE \"PURGE_OLD_HISTORY\"", "52043", "52042", ""},
        DropCase{"DROP FUNCTION \"YEARS_OF_SERVICE\"", "52045", "52044", ""},
        DropCase{"DROP PACKAGE \"EMP_MGMT\"", "52046, 52047", "52045", ""},
        DropCase{"DROP PACKAGE BODY \"EMP_MGMT\"", "52047", "52046", ""},
        DropCase{"DROP TRIGGER \"SECURE_EMPLOYEES\"", "52049", "52048, 52013", ""},
        DropCase{"DROP TABLE \"JOB_HISTORY_NOTES\"", "52026, 52027", "52021, 52022",
                 "JOB_HISTORY_NOTES"},
        DropCase{"DROP TABLE JOB_HISTORY CASCADE CONSTRAINTS PURGE",
                 "52021, 52022, 52023, 52024, 52025", "52026, 52027", "JOB_HISTORY"}));

TEST(DropObject, DroppingATableInvalidatesTheViewsOnIt)
{
    DemoSession hr("hr", "hr");
    hr.Execute("DROP TABLE REGIONS CASCADE CONSTRAINTS");
    EXPECT_EQ(hr.Count(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = 52030)"), 5);
    EXPECT_EQ(hr.Count(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = 52031)"), 1);
}

TEST(DropObject, OracleRefusals)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.ErrorOf("DROP TABLE NOPE"), "ORA-00942: table or view does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP TABLE EMP_DETAILS_VIEW"), "ORA-00942: table or view does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP VIEW NOPE"), "ORA-00942: table or view does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP INDEX NOPE"), "ORA-01418: specified index does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP SEQUENCE NOPE"), "ORA-02289: sequence does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP SYNONYM NOPE"),
              "ORA-01434: private synonym to be dropped does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP PUBLIC SYNONYM NOPE"),
              "ORA-01432: public synonym to be dropped does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP PROCEDURE NOPE"), "ORA-04043: object NOPE does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP PACKAGE BODY ADD_JOB_HISTORY"),
              "ORA-04043: object ADD_JOB_HISTORY does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP TRIGGER NOPE"), "ORA-04080: trigger 'NOPE' does not exist");
    EXPECT_EQ(hr.ErrorOf("DROP INDEX EMP_EMP_ID_PK"),
              "ORA-02429: cannot drop index used for enforcement of unique/primary key");
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" = 52014)"), 1);
    EXPECT_EQ(hr.ErrorOf("DROP TABLE IF EXISTS NOPE"), "");
}

TEST(DropObject, PublicSynonymAndAnObjectOnlySqliteKnows)
{
    DemoSession system("system", "manager");
    system.Execute("DROP PUBLIC SYNONYM DUAL");
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" = 259)"), 0);
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."SYN$")"), 1);
    system.Execute("CREATE TABLE T (A INTEGER)");
    system.Execute(R"(DELETE FROM SYS."OBJ$" WHERE "NAME" = 'T')");
    system.Execute("DROP TABLE T");
    EXPECT_EQ(system.Count("SELECT COUNT(*) FROM SYSTEM.sqlite_master WHERE name = 'T'"), 0);
}

} // namespace
} // namespace quorvex::test
