// Every dictionary query of the reader, with its outer joins written as LEFT JOIN, against the
// demo database: the rows it returns for SCOTT and HR.
#include "DemoTestDatabase.h"

#include <QCryptographicHash>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const char* const kScott = "59";
const char* const kHr = "46";

const char* const kOwners = "SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1";

const char* const kObjectsRestricted =
    "SELECT \"OBJ#\",\"NAME\",\"TYPE#\",\"STATUS\",\"OWNER#\" FROM SYS.\"OBJ$\""
    " WHERE \"OWNER#\" = :USER_NO ORDER BY \"NAME\"";

const char* const kFieldsRestricted =
    "SELECT c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", c.\"PRECISION#\", "
    "c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE "
    "o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 2 AND o.\"OBJ#\" = c.\"OBJ#\"";

const char* const kCommentsRestricted =
    "SELECT c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"OBJ$\" o,SYS.\"COM$\" c WHERE "
    "o.\"OWNER#\" = :USER_NO AND o.\"OBJ#\" = c.\"OBJ#\"";

const char* const kConstraintsRestricted =
    "SELECT d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\",d.\"REFACT\","
    "d.\"OBJ#\",d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\",d.\"MATCH#\",rc.\"NAME\" RCOL,"
    "ro.\"NAME\" ROBJ FROM SYS.\"CON$\" o JOIN SYS.\"CDEF$\" d ON o.\"CON#\" = d.\"CON#\" "
    "LEFT JOIN SYS.\"OBJ$\" ro ON d.\"ROBJ#\" = ro.\"OBJ#\" "
    "LEFT JOIN SYS.\"CCOL$\" c ON d.\"CON#\" = c.\"CON#\" "
    "LEFT JOIN SYS.\"COL$\" rc ON c.\"OBJ#\" = rc.\"OBJ#\" AND c.\"COL#\" = rc.\"COL#\" "
    "WHERE o.\"OWNER#\" = :USER_NO ORDER BY o.\"NAME\",c.\"POS#\"";

const char* const kTriggersRestricted =
    "SELECT s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" FROM SYS.\"OBJ$\" "
    "o,SYS.\"TRIGGER$\" s WHERE o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 12 AND o.\"OBJ#\" = "
    "s.\"OBJ#\"";

const char* const kViewsRestricted =
    "SELECT s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"OBJ$\" o,SYS.\"VIEW$\" s WHERE o.\"OWNER#\" = "
    ":USER_NO AND o.\"TYPE#\" = 4 AND o.\"OBJ#\" = s.\"OBJ#\"";

const char* const kSequences =
    "SELECT \"OBJ#\",\"HIGHWATER\",\"INCREMENT$\",\"MINVALUE\",\"MAXVALUE\",\"CYCLE#\",\"CACHE\","
    "\"ORDER$\" FROM SYS.\"SEQ$\"";

const char* const kIndexesRestricted =
    "SELECT idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM SYS.\"OBJ$\" "
    "idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OWNER#\" = :USER_NO AND idx.\"OBJ#\" = "
    "ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" ORDER BY "
    "idx.\"OBJ#\",ic.\"POS#\"";

const char* const kSourceRestricted =
    "SELECT s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"OBJ$\" o,SYS.\"SOURCE$\" s WHERE "
    "o.\"OWNER#\" = :USER_NO  AND o.\"TYPE#\" IN (7,8,9,11) AND o.\"OBJ#\" = s.\"OBJ#\"";

std::string RefreshObject(const std::string& objectNo)
{
    return "SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\" FROM SYS.\"OBJ$\" o "
           "LEFT JOIN SYS.\"COM$\" c ON o.\"OBJ#\" = c.\"OBJ#\" WHERE o.\"OBJ#\" = " +
           objectNo + " AND ((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))";
}

std::string RefreshSource(const std::string& objectNo)
{
    return "SELECT \"LINE\",\"SOURCE\" FROM SYS.\"SOURCE$\" WHERE \"OBJ#\" = " + objectNo +
           " ORDER BY \"LINE\"";
}

// What USER_ERRORS gives for one object name of one owner.
std::string Errors(const std::string& owner, const std::string& name)
{
    return "SELECT e.\"LINE\",e.\"POSITION#\",e.\"TEXT\" FROM SYS.\"ERROR$\" e "
           "JOIN SYS.\"OBJ$\" o ON o.\"OBJ#\" = e.\"OBJ#\" WHERE o.\"OWNER#\" = " +
           owner + " AND o.\"NAME\" = '" + name + "' ORDER BY e.\"SEQUENCE#\"";
}

Rows Select(const Rows& rows, std::size_t column, const std::string& value)
{
    Rows selected;
    for (const auto& row : rows) {
        if (row[column] == value) {
            selected.push_back(row);
        }
    }
    return selected;
}

class DemoQueries : public ::testing::Test {
protected:
    AttachedDatabase m_db{BuiltDemoFolder(), {"SYSTEM", "SCOTT", "HR"}};
};

TEST_F(DemoQueries, UserListFindsScottAndHr)
{
    const Rows users = m_db.Query("SELECT * FROM SYS.\"USER$\"");
    bool scott = false;
    for (const auto& row : users) {
        if (row[1] == "SCOTT") {
            EXPECT_EQ(row[0], "59");
            scott = true;
        }
    }
    EXPECT_TRUE(scott);
    const Rows owners = m_db.Query(kOwners);
    ASSERT_EQ(owners.size(), 4u); // SYS, SYSTEM, HR, SCOTT; the roles are not owners
    EXPECT_EQ(m_db.Query(std::string(kOwners) + " AND \"USER#\" = 59"), (Rows{{"59", "SCOTT"}}));
}

TEST_F(DemoQueries, PasswordsAreSha256Hex)
{
    for (const auto& [user, password] : std::vector<std::pair<std::string, std::string>>{
             {"SYSTEM", "manager"}, {"SCOTT", "tiger"}, {"HR", "hr"}}) {
        const auto expected = QCryptographicHash::hash(QByteArray::fromStdString(password),
                                                       QCryptographicHash::Sha256)
                                  .toHex()
                                  .toStdString();
        const Rows rows =
            m_db.Query("SELECT \"PASSWORD\" FROM SYS.\"USER$\" WHERE \"NAME\" = '" + user + "'");
        ASSERT_EQ(rows.size(), 1u) << user;
        EXPECT_EQ(rows[0][0], expected) << user;
    }
}

TEST_F(DemoQueries, ScottObjectsByName)
{
    const Rows objects = m_db.Query(kObjectsRestricted, kScott);
    std::vector<std::string> names;
    for (const auto& row : objects) {
        names.push_back(*row[1]);
        EXPECT_EQ(row[4], "59");
        EXPECT_GT(std::stol(*row[0]), 32767);
    }
    EXPECT_EQ(names,
              (std::vector<std::string>{"BONUS", "DEPT", "EMP", "EMPNO_SEQ", "EMP_DEPT_SAL_IX",
                                        "PK_DEPT", "PK_EMP", "SALGRADE"}));
}

TEST_F(DemoQueries, EmpHasItsEightColumnsInOrder)
{
    const Rows emp = Select(m_db.Query(kFieldsRestricted, kScott), 0, "51003");
    const Rows expected = {
        {"51003", "1", "EMPNO", "2", "22", "4", "0", "1", std::nullopt},
        {"51003", "2", "ENAME", "1", "10", std::nullopt, std::nullopt, "0", std::nullopt},
        {"51003", "3", "JOB", "1", "9", std::nullopt, std::nullopt, "0", std::nullopt},
        {"51003", "4", "MGR", "2", "22", "4", "0", "0", std::nullopt},
        {"51003", "5", "HIREDATE", "12", "7", std::nullopt, std::nullopt, "0", std::nullopt},
        {"51003", "6", "SAL", "2", "22", "7", "2", "0", std::nullopt},
        {"51003", "7", "COMM", "2", "22", "7", "2", "0", std::nullopt},
        {"51003", "8", "DEPTNO", "2", "22", "2", "0", "0", std::nullopt},
    };
    EXPECT_EQ(emp, expected);
    EXPECT_EQ(m_db.Query(kFieldsRestricted, kScott).size(), 18u);
}

TEST_F(DemoQueries, HrColumnDefaults)
{
    const Rows fields = m_db.Query(kFieldsRestricted, kHr);
    // EMPLOYEES has HIRE_DATE, and so has EMP_DEPT50_VIEW, whose columns are not read.
    const Rows hireDate = Select(fields, 2, "HIRE_DATE");
    ASSERT_EQ(hireDate.size(), 1u);
    EXPECT_EQ(hireDate[0][0], "52013");
    EXPECT_EQ(hireDate[0][7], "1");
    EXPECT_EQ(hireDate[0][8], "SYSDATE");
    const Rows minSalary = Select(fields, 2, "MIN_SALARY");
    ASSERT_EQ(minSalary.size(), 1u);
    EXPECT_EQ(minSalary[0][7], "0");
    EXPECT_EQ(minSalary[0][8], "0");
    EXPECT_EQ(fields.size(), 40u); // the columns of the eight tables
}

TEST_F(DemoQueries, ScottComments)
{
    const Rows comments = m_db.Query(kCommentsRestricted, kScott);
    ASSERT_EQ(comments.size(), 4u);
    const Rows emp = Select(comments, 0, "51003");
    ASSERT_EQ(emp.size(), 3u);
    EXPECT_EQ(Select(emp, 1, "6"), (Rows{{"51003", "6", "Monthly salary"}}));
    bool tableComment = false;
    for (const auto& row : emp) {
        tableComment = tableComment || !row[1].has_value();
    }
    EXPECT_TRUE(tableComment);
}

TEST_F(DemoQueries, ScottConstraints)
{
    const Rows rows = m_db.Query(kConstraintsRestricted, kScott);
    ASSERT_EQ(rows.size(), 3u);
    // CON#, TYPE#, NAME, ENABLED, CONDITION, REFACT, OBJ#, ROBJ#, RCON#, OWNER#, RRULES,
    // MATCH#, RCOL, ROBJ
    EXPECT_EQ(rows[0], (Row{"4103", "4", "FK_DEPTNO", "1", std::nullopt, std::nullopt, "51003",
                            "51001", "4101", "59", std::nullopt, std::nullopt, "DEPTNO", "DEPT"}));
    EXPECT_EQ(rows[1][2], "PK_DEPT");
    EXPECT_EQ(rows[1][12], "DEPTNO");
    EXPECT_EQ(rows[1][13], std::nullopt);
    EXPECT_EQ(rows[2],
              (Row{"4102", "2", "PK_EMP", "1", std::nullopt, std::nullopt, "51003", std::nullopt,
                   std::nullopt, "59", std::nullopt, std::nullopt, "EMPNO", std::nullopt}));
}

TEST_F(DemoQueries, HrConstraintKinds)
{
    const Rows rows = m_db.Query(kConstraintsRestricted, kHr);
    // The disabled foreign key has no ENABLED value.
    const Rows manager = Select(rows, 2, "DEPT_MGR_FK");
    ASSERT_EQ(manager.size(), 1u);
    EXPECT_EQ(manager[0][3], std::nullopt);
    EXPECT_EQ(manager[0][13], "EMPLOYEES");
    // A cascading foreign key on two columns gives two rows in column order.
    const Rows notes = Select(rows, 2, "JHNOTE_JHIST_FK");
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0][5], "1");
    EXPECT_EQ(notes[0][12], "EMPLOYEE_ID");
    EXPECT_EQ(notes[1][12], "START_DATE");
    EXPECT_EQ(notes[0][13], "JOB_HISTORY");
    // Checks, unique key, NOT NULL checks, and the two view constraints without columns.
    EXPECT_EQ(Select(rows, 2, "EMP_SALARY_MIN")[0][4], "SALARY > 0");
    EXPECT_EQ(Select(rows, 2, "EMP_EMAIL_UK")[0][1], "3");
    EXPECT_EQ(Select(rows, 2, "EMP_EMAIL_NN")[0][1], "7");
    EXPECT_EQ(Select(rows, 1, "5").size(), 1u);
    EXPECT_EQ(Select(rows, 1, "6").size(), 1u);
    EXPECT_EQ(Select(rows, 1, "6")[0][6], "52030");
    EXPECT_EQ(Select(rows, 1, "6")[0][12], std::nullopt);
}

TEST_F(DemoQueries, ScottIndexesWithDescendingColumn)
{
    const Rows rows = m_db.Query(kIndexesRestricted, kScott);
    const Rows expected = {
        {"51002", "51001", "DEPTNO", "1", "0"},
        {"51004", "51003", "EMPNO", "1", "0"},
        {"51007", "51003", "DEPTNO", "1", "0"},
        {"51007", "51003", "SAL", "2", "131072"},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_NE(std::stol(*rows[3][4]) & 0x20000, 0);
}

TEST_F(DemoQueries, SequencesWithNullsForTheNoOptions)
{
    const Rows rows = m_db.Query(kSequences);
    EXPECT_EQ(rows.size(), 5u);
    // OBJ#, HIGHWATER, INCREMENT$, MINVALUE, MAXVALUE, CYCLE#, CACHE, ORDER$
    EXPECT_EQ(Select(rows, 0, "51008"), (Rows{{"51008", "7935", "1", std::nullopt, "9999",
                                               std::nullopt, "20", std::nullopt}}));
    EXPECT_EQ(Select(rows, 0, "52038"), (Rows{{"52038", "1", "1", "1", "999", "1", "20", "1"}}));
}

TEST_F(DemoQueries, HrTriggersViewsAndSource)
{
    const Rows triggers = m_db.Query(kTriggersRestricted, kHr);
    ASSERT_EQ(triggers.size(), 2u);
    const Rows update = Select(triggers, 0, "52048");
    ASSERT_EQ(update.size(), 1u);
    EXPECT_EQ(update[0][1], "52013");
    EXPECT_EQ(update[0][2], "HR.UPDATE_JOB_HISTORY AFTER UPDATE OF JOB_ID, DEPARTMENT_ID ON "
                            "HR.EMPLOYEES FOR EACH ROW\n");
    EXPECT_EQ(update[0][3]->substr(0, 6), "BEGIN\n");
    EXPECT_EQ(update[0][3]->back(), '\n');
    EXPECT_TRUE(m_db.Query(kTriggersRestricted, kScott).empty());

    const Rows views = m_db.Query(kViewsRestricted, kHr);
    ASSERT_EQ(views.size(), 3u);
    EXPECT_EQ(views[0][1]->substr(0, 7), "SELECT ");

    const Rows source = m_db.Query(kSourceRestricted, kHr);
    const Rows raise = Select(source, 0, "52042");
    ASSERT_EQ(raise.size(), 9u);
    EXPECT_EQ(raise[0][2], "PROCEDURE RAISE_SALARY (\n");
    EXPECT_EQ(raise[8][2], "END RAISE_SALARY;\n");
    for (const auto& row : source) {
        EXPECT_EQ(row[2]->back(), '\n') << *row[0] << " line " << *row[1];
    }
    EXPECT_EQ(Select(source, 0, "52047")[0][2], "PACKAGE BODY EMP_MGMT AS\n");
    EXPECT_TRUE(m_db.Query(kSourceRestricted, kScott).empty());
}

TEST_F(DemoQueries, SingleObjectRefresh)
{
    EXPECT_EQ(m_db.Query(RefreshObject("51003")),
              (Rows{{"EMP", "1", "Employees with their jobs, managers and salaries"}}));
    EXPECT_EQ(m_db.Query(RefreshObject("51006")), (Rows{{"SALGRADE", "1", std::nullopt}}));
    EXPECT_TRUE(m_db.Query(RefreshObject("12345")).empty());
    const Rows source = m_db.Query(RefreshSource("52042"));
    ASSERT_EQ(source.size(), 9u);
    EXPECT_EQ(source[0], (Row{"1", "PROCEDURE RAISE_SALARY (\n"}));
    EXPECT_TRUE(m_db.Query(RefreshSource("51003")).empty());
}

TEST_F(DemoQueries, InvalidObjectsAndTheirErrors)
{
    const Rows objects = m_db.Query(kObjectsRestricted, kHr);
    EXPECT_EQ(Select(objects, 1, "DEPT_SALARY_VIEW")[0][3], "5");
    EXPECT_EQ(Select(objects, 1, "PURGE_OLD_HISTORY")[0][3], "5");
    const Rows errors = m_db.Query(Errors(kHr, "PURGE_OLD_HISTORY"));
    ASSERT_EQ(errors.size(), 4u);
    EXPECT_EQ(errors[1], (Row{"5", "16", "PLS-00201: identifier 'X' must be declared"}));
    // The position points at the undeclared name in the stored line.
    const Rows line = m_db.Query(RefreshSource("52043"));
    EXPECT_EQ(line[4][1]->substr(15, 1), "X");
    EXPECT_EQ(line[5][1]->substr(60, 10), "HIST_TABLE");
    // The invalid view's query runs as it stands.
    const Rows text = m_db.Query("SELECT \"TEXT\" FROM SYS.\"VIEW$\" WHERE \"OBJ#\" = 52032");
    EXPECT_EQ(m_db.Query(*text[0][0]).size(), 9u);
}

TEST_F(DemoQueries, DataTablesAndViews)
{
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SCOTT.\"EMP\""), 14);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SCOTT.\"DEPT\""), 4);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SCOTT.\"BONUS\""), 0);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SCOTT.\"SALGRADE\""), 5);
    EXPECT_EQ(m_db.Scalar("SELECT SUM(\"SAL\") FROM SCOTT.\"EMP\""), 29025);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"REGIONS\""), 4);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"COUNTRIES\""), 12);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"LOCATIONS\""), 8);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"DEPARTMENTS\""), 11);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"JOBS\""), 15);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"EMPLOYEES\""), 29);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"JOB_HISTORY\""), 7);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"JOB_HISTORY_NOTES\""), 3);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"EMP_DETAILS_VIEW\""), 28);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM HR.\"EMP_DEPT50_VIEW\""), 5);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYSTEM.\"HELP\""), 8);
    EXPECT_EQ(m_db.Query("SELECT * FROM SYS.\"DUAL\""), (Rows{{"X"}}));
}

} // namespace
} // namespace quorvex::test
