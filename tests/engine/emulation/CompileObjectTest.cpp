// ALTER ... COMPILE on the demo: stored code with errors stays invalid and lists them, an
// invalid view whose query runs becomes valid, and a view whose query fails is marked.
#include "EmulationTestSupport.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

constexpr const char* kStatus = R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = )";

// The Errors pane's lines, read the way the main window reads them.
std::vector<std::string> ErrorLines(DemoSession& session, const std::string& name)
{
    auto query = session.Session().CreateQuery();
    query->SetSQL(R"(SELECT "LINE","POSITION","TEXT" FROM "USER_ERRORS" WHERE "NAME" = :0 )"
                  R"(ORDER BY "NAME","SEQUENCE")");
    query->SetParam(0, name);
    query->Open();
    std::vector<std::string> lines;
    for (; !query->Eof(); query->Next())
        lines.push_back("(" + std::to_string(query->AsInteger(0)) + "," +
                        std::to_string(query->AsInteger(1)) + "):" + query->AsText(2));
    return lines;
}

TEST(CompileObject, ProcedureWithErrorsStaysInvalidAndListsThem)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE"),
              "ORA-24344: success with compilation error");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52043"), 5);
    EXPECT_EQ(
        ErrorLines(hr, "PURGE_OLD_HISTORY"),
        (std::vector<std::string>{"(5,5):PL/SQL: Statement ignored",
                                  "(5,16):PLS-00201: identifier 'X' must be declared",
                                  "(6,5):PL/SQL: Statement ignored",
                                  "(6,61):PLS-00201: identifier 'HIST_TABLE' must be declared"}));
}

TEST(CompileObject, CodeWithoutErrorsBecomesValid)
{
    DemoSession hr("hr", "hr");
    hr.Execute("UPDATE SYS.\"OBJ$\" SET \"STATUS\" = 5 WHERE \"OBJ#\" IN (52042, 52046, 52047)");
    hr.Execute("ALTER PROCEDURE \"RAISE_SALARY\" COMPILE");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52042"), 1);
    hr.Execute("ALTER PACKAGE \"EMP_MGMT\" COMPILE BODY");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52047"), 1);
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52046"), 5); // the body only
    hr.Execute("alter package emp_mgmt compile package");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52046"), 1);
}

TEST(CompileObject, ErrorsClearedFromErrorTableMakeTheProcedureValid)
{
    DemoSession hr("hr", "hr");
    hr.Execute("DELETE FROM SYS.\"ERROR$\" WHERE \"OBJ#\" = 52043");
    hr.Execute("ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52043"), 1);
    EXPECT_TRUE(ErrorLines(hr, "PURGE_OLD_HISTORY").empty());
}

TEST(CompileObject, InvalidViewWhoseQueryRunsBecomesValid)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52032"), 5);
    hr.Execute("ALTER VIEW \"DEPT_SALARY_VIEW\" COMPILE");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52032"), 1);
    EXPECT_GT(hr.Count("SELECT COUNT(*) FROM DEPT_SALARY_VIEW"), 0);
    EXPECT_EQ(hr.Rows("SELECT * FROM DEPT_SALARY_VIEW WHERE DEPARTMENT_ID = 10")[0].size(), 4u);
}

TEST(CompileObject, ViewWhoseQueryFailsIsMarkedInvalidWithItsError)
{
    DemoSession hr("hr", "hr");
    hr.Execute("UPDATE SYS.\"VIEW$\" SET \"TEXT\" = 'SELECT NO_SUCH_COLUMN FROM EMPLOYEES' "
               "WHERE \"OBJ#\" = 52031");
    EXPECT_EQ(hr.ErrorOf("ALTER VIEW EMP_DEPT50_VIEW COMPILE"),
              "ORA-24344: success with compilation error");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52031"), 5);
    const auto errors = ErrorLines(hr, "EMP_DEPT50_VIEW");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("NO_SUCH_COLUMN"), std::string::npos) << errors[0];
    // The SQLite view is left as it was.
    EXPECT_GT(hr.Count("SELECT COUNT(*) FROM EMP_DEPT50_VIEW"), 0);
}

TEST(CompileObject, MissingObjectAndOtherAlterStatements)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE \"NOPE\" COMPILE"),
              "ORA-04043: object NOPE does not exist");
    EXPECT_EQ(hr.ErrorOf("ALTER FUNCTION \"RAISE_SALARY\" COMPILE"),
              "ORA-04043: object RAISE_SALARY does not exist");
    // Other ALTER statements go to SQLite as they are.
    hr.Execute("ALTER TABLE REGIONS ADD COLUMN NOTE TEXT");
    EXPECT_EQ(hr.Count("SELECT COUNT(NOTE) FROM REGIONS"), 0);
}

} // namespace
} // namespace quorvex::test
