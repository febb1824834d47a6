// The whole demo database read as SCOTT (his schema only) and as SYSTEM with the system schema,
// with spot checks of the model.
#include "ReaderHarness.h"
#include "model/ObjectState.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class DemoReaderTest : public ::testing::Test {
protected:
    TReaderHarness m_harness{DemoScripts()};
};

TObjectItem* Find(const TDBNewOracle& root, std::string_view name, int type)
{
    return FindObject(root, name, type);
}

TEST_F(DemoReaderTest, ScottsSchema)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    m_harness.LoadSource();
    EXPECT_EQ(root.UserNo, "59");
    ASSERT_EQ(root.Owners().Count(), 1);
    EXPECT_EQ(root.Owners().Items(0)->OwnerName, "SCOTT");
    // Tables and the sequence; the indexes went under their tables.
    EXPECT_EQ(ObjectNames(root.Objects()),
              (std::vector<std::string>{"DEPT", "EMP", "BONUS", "SALGRADE", "EMPNO_SEQ"}));

    TObjectItem* emp = Find(root, "EMP", 2);
    ASSERT_NE(emp, nullptr);
    EXPECT_EQ(emp->GetCreatingText(), "CREATE TABLE EMP (\r\n"
                                      " EMPNO NUMBER(4,0) NOT NULL\r\n"
                                      ",ENAME VARCHAR2(10)\r\n"
                                      ",JOB VARCHAR2(9)\r\n"
                                      ",MGR NUMBER(4,0)\r\n"
                                      ",HIREDATE DATE\r\n"
                                      ",SAL NUMBER(7,2)\r\n"
                                      ",COMM NUMBER(7,2)\r\n"
                                      ",DEPTNO NUMBER(2,0));");
    EXPECT_EQ(emp->CommentText, "Employees with their jobs, managers and salaries");
    EXPECT_EQ(emp->ObjectFields().Items(5)->CommentText, "Monthly salary");

    const TConstraintList& constraints = emp->ObjectConstraints();
    ASSERT_EQ(constraints.Count(), 2);
    EXPECT_EQ(constraints.Items(0)->ObjectName, "FK_DEPTNO");
    EXPECT_EQ(constraints.Items(0)->GetCreatingText(),
              "ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO REFERENCES DEPT (DEPTNO);");
    EXPECT_EQ(constraints.Items(1)->ObjectName, "PK_EMP");
    EXPECT_EQ(constraints.Items(1)->GetCreatingText(),
              "ALTER TABLE EMP ADD CONSTRAINT PK_EMP PRIMARY KEY;");

    const TIndexList& indexes = emp->ObjectIndexes();
    ASSERT_EQ(indexes.Count(), 2);
    EXPECT_EQ(indexes.Items(0)->ObjectText, "CREATE INDEX PK_EMP ON EMP (EMPNO)");
    EXPECT_EQ(indexes.Items(1)->ObjectText,
              "CREATE INDEX EMP_DEPT_SAL_IX ON EMP (DEPTNO,SAL DESC)");
    TObjectItem* dept = Find(root, "DEPT", 2);
    ASSERT_NE(dept, nullptr);
    ASSERT_EQ(dept->ObjectIndexes().Count(), 1);
    EXPECT_EQ(dept->ObjectIndexes().Items(0)->ObjectText, "CREATE INDEX PK_DEPT ON DEPT (DEPTNO)");

    TObjectItem* sequence = Find(root, "EMPNO_SEQ", 6);
    ASSERT_NE(sequence, nullptr);
    EXPECT_EQ(sequence->ObjectText, "CREATE SEQUENCE \"EMPNO_SEQ\"\r\n START WITH 7935\r\n"
                                    " INCREMENT BY 1\r\n NOMINVALUE\r\n MAXVALUE 9999\r\n"
                                    " NOCYCLE\r\n CACHE 20\r\n NOORDER;");
    EXPECT_GT(root.SchemaLoaded, 0);
    EXPECT_GT(root.SourceLoaded, 0);
}

TEST_F(DemoReaderTest, EveryOwnerAsSystem)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoginAs("system", "manager");
    root.IncludeSys = true;
    m_harness.LoadSchema();
    m_harness.LoadSource();
    EXPECT_EQ(root.UserName, "SYSTEM");
    EXPECT_EQ(root.UserNo, "");
    std::vector<std::string> owners;
    for (int i = 0; i < root.Owners().Count(); ++i)
        owners.push_back(root.Owners().Items(i)->OwnerName);
    EXPECT_EQ(owners, (std::vector<std::string>{"SYS", "SYSTEM", "HR", "SCOTT"}));

    // No index or trigger is left in the object list: each has its table.
    for (int i = 0; i < root.Objects().Count(); ++i) {
        const TObjectItem* object = root.Objects().Items(i);
        EXPECT_NE(object->ObjectType, 1) << object->ObjectName;
        EXPECT_NE(object->ObjectType, 12) << object->ObjectName;
    }

    TObjectItem* view = Find(root, "DEPT_SALARY_VIEW", 4);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->ObjectState, ObjectStates::Invalid);
    EXPECT_TRUE(view->ObjectText.starts_with(
        "CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS SELECT d.DEPARTMENT_ID,"))
        << view->ObjectText;
    EXPECT_EQ(Find(root, "EMP_DETAILS_VIEW", 4)->ObjectState, ObjectStates::Normal);

    TObjectItem* body = Find(root, "EMP_MGMT", 11);
    ASSERT_NE(body, nullptr);
    EXPECT_TRUE(body->ObjectText.starts_with("CREATE OR REPLACE PACKAGE BODY")) << body->ObjectText;
    EXPECT_TRUE(body->ObjectText.ends_with("\n")) << body->ObjectText;
    TObjectItem* header = Find(root, "EMP_MGMT", 9);
    ASSERT_NE(header, nullptr);
    EXPECT_TRUE(header->ObjectText.starts_with("CREATE OR REPLACE PACKAGE ")) << header->ObjectText;
    EXPECT_EQ(Find(root, "PURGE_OLD_HISTORY", 7)->ObjectState, ObjectStates::Invalid);

    TObjectItem* employees = Find(root, "EMPLOYEES", 2);
    ASSERT_NE(employees, nullptr);
    ASSERT_EQ(employees->ObjectTriggers().Count(), 2);
    EXPECT_EQ(employees->ObjectTriggers().Items(0)->ObjectName, "UPDATE_JOB_HISTORY");
    EXPECT_EQ(employees->ObjectTriggers().Items(1)->ObjectName, "SECURE_EMPLOYEES");
    EXPECT_TRUE(employees->ObjectTriggers().Items(1)->ObjectText.starts_with(
        "HR.SECURE_EMPLOYEES BEFORE INSERT OR UPDATE OR DELETE ON HR.EMPLOYEES\nBEGIN"));
    EXPECT_GE(employees->ObjectIndexes().Count(), 6);

    // SCOTT's schema reads the same inside the whole database.
    TObjectItem* emp = Find(root, "EMP", 2);
    ASSERT_NE(emp, nullptr);
    EXPECT_EQ(emp->ObjectIndexes().Count(), 2);
    EXPECT_EQ(emp->ObjectConstraints().Count(), 2);
    EXPECT_EQ(emp->ObjectFields().Count(), 8);
    EXPECT_NE(root.Objects().FindByOID(258), nullptr); // SYS's DUAL
}

} // namespace
} // namespace quorvex::test
