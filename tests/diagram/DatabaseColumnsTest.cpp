// Rows of tables read from the connected database: the demo database's USER_ views as SCOTT
// and as HR.
#include "DiagramTestSupport.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

struct TDemoTable {
    const char* User;
    const char* Password;
    const char* Table;
    const char* Rows;
    const char* Hint;
};

class DatabaseColumns : public ::testing::TestWithParam<TDemoTable> {
protected:
    void Login(const char* user, const char* password)
    {
        m_login = std::make_unique<TDemoLogin>(user, password);
    }

    // A table without a model object: its rows come from the database.
    TGDBTable& Open(const std::string& name)
    {
        TGDBTable& table = m_document.NewTable();
        table.DiagramQuery = &m_login->Query();
        table.SetTableName(name);
        return table;
    }

    std::unique_ptr<TDemoLogin> m_login;
    TDiagramDocument m_document;
};

TEST_P(DatabaseColumns, RowsShowTypeNullityDefaultKeyAndComment)
{
    const TDemoTable& demo = GetParam();
    Login(demo.User, demo.Password);
    const TGDBTable& table = Open(demo.Table);
    EXPECT_EQ(RowsText(table), demo.Rows);
    EXPECT_EQ(table.TitleHint(), demo.Hint);
}

INSTANTIATE_TEST_SUITE_P(
    Demo, DatabaseColumns,
    ::testing::Values(
        TDemoTable{"SCOTT", "tiger", "EMP",
                   "EMPNO=number(4,0) NOT NULL,KEY\n"
                   "ENAME=varchar2(10)\n"
                   "JOB=varchar2(9)\n"
                   "MGR=number(4,0)\n"
                   "HIREDATE=date\n"
                   "SAL=number(7,2)+\n"
                   "COMM=number(7,2)+\n"
                   "DEPTNO=number(2,0)\n",
                   "EMP (Primary Key = EMPNO)\r\nEmployees with their jobs, managers and salaries"},
        TDemoTable{"HR", "hr", "JOBS",
                   "JOB_ID=varchar2(10) NOT NULL,KEY\n"
                   "JOB_TITLE=varchar2(35) NOT NULL\n"
                   "MIN_SALARY=number(6,0) <0>+\n"
                   "MAX_SALARY=number(6,0)+\n",
                   "JOBS (Primary Key = JOB_ID)\r\nJob titles with their salary ranges"},
        // A number without precision shows its length.
        TDemoTable{
            "HR", "hr", "REGIONS",
            "REGION_ID=number(22) NOT NULL,KEY+\n"
            "REGION_NAME=varchar2(25)\n",
            "REGIONS (Primary Key = REGION_ID)\r\nRegions of the world the company works in"},
        TDemoTable{"HR", "hr", "JOB_HISTORY_NOTES",
                   "EMPLOYEE_ID=number(6,0) NOT NULL,KEY\n"
                   "START_DATE=date NOT NULL,KEY\n"
                   "NOTE_NO=number(3,0) NOT NULL,KEY\n"
                   "NOTE_TEXT=varchar2(200)\n"
                   "CREATED=date <SYSDATE>\n",
                   "JOB_HISTORY_NOTES (Primary Key = EMPLOYEE_ID,START_DATE,NOTE_NO)\r\n"
                   "Notes on a job history entry"},
        // Unknown to the database: no rows, no key, no hint.
        TDemoTable{"SCOTT", "tiger", "NO_SUCH_TABLE", "", ""}),
    [](const auto& info) { return std::string(info.param.User) + "_" + info.param.Table; });

TEST_F(DatabaseColumns, QuoteInATableNameCannotChangeTheStatement)
{
    Login("SCOTT", "tiger");
    // Were the quotes not doubled, this would read the columns of every table.
    const TGDBTable& table = Open("X' OR 'A'='A");
    EXPECT_TRUE(table.ColumnLines.empty());
    EXPECT_EQ(table.PrimaryKeyText, "");
    EXPECT_EQ(m_login->Query().SQLText(),
              "SELECT * FROM USER_TAB_COMMENTS WHERE TABLE_NAME = 'X'' OR ''A''=''A'\r\n");
    EXPECT_TRUE(Open("O'BRIEN").ColumnLines.empty());
}

} // namespace
} // namespace quorvex::test
