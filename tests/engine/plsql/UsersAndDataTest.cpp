// Users made and dropped by SYSTEM, and data scripts of dates and anonymous blocks, on a copy
// of the demo.
#include "EmulationTestSupport.h"
#include "dictionary/ScriptRunner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace quorvex::test {
namespace {

// Every dictionary table's row count, and the schema files of the folder.
std::string DictionaryState(DemoSession& session)
{
    std::string sql = "SELECT ";
    for (const char* table : {"USER$", "OBJ$", "COL$", "CON$", "CDEF$", "CCOL$", "IND$", "ICOL$",
                              "SEQ$", "COM$", "SOURCE$", "TRIGGER$", "SYN$", "ERROR$", "VIEW$"})
        sql += std::string(sql.size() > 7 ? ", " : "") + "(SELECT COUNT(*) FROM SYS.\"" + table +
               "\")";
    std::set<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(session.Folder()))
        files.insert(entry.path().filename().string());
    std::string text = session.Text(sql + " FROM DUAL");
    for (const std::string& file : files)
        text += " " + file;
    return text;
}

TEST(Users, MadeBySystemLogInAndGoWithoutATrace)
{
    DemoSession system("system", "manager");
    const std::string before = DictionaryState(system);
    EXPECT_EQ(system.ErrorOf("CREATE USER bob IDENTIFIED BY Secret1 DEFAULT TABLESPACE users "
                             "QUOTA UNLIMITED ON users"),
              "");
    EXPECT_EQ(system.ErrorOf("GRANT CONNECT, RESOURCE TO bob"), "");
    EXPECT_TRUE(std::filesystem::exists(system.Folder() + "/BOB.sqlite"));
    system.Session().Close(); // one session per process
    {
        TempDir dir;
        const std::string aliases = dir.File("aliases.ini");
        WriteFileBytes(aliases, "[COPY]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + system.Folder() +
                                    "\nUSER NAME=BOB\n");
        TQtSession bob(aliases);
        bob.SetAlias("COPY");
        bob.SetLoginCallback([](TLoginParams& login) { login.Password = "Secret1"; });
        bob.Open();
        for (const char* sql :
             {"CREATE TABLE notes (id NUMBER CONSTRAINT notes_pk PRIMARY KEY, body VARCHAR2(100), "
              "dept NUMBER REFERENCES hr.departments)",
              "CREATE INDEX notes_body_ix ON notes (body)", "COMMENT ON TABLE notes IS 'Notes'",
              "CREATE SEQUENCE notes_seq", "CREATE SYNONYM n FOR notes",
              "CREATE VIEW short_notes AS SELECT id FROM notes",
              "CREATE PROCEDURE add_note (p VARCHAR2) IS BEGIN INSERT INTO notes (id, body) "
              "VALUES (notes_seq.NEXTVAL, p); END;",
              "CREATE TRIGGER notes_check BEFORE INSERT ON notes FOR EACH ROW BEGIN NULL; END;",
              "INSERT INTO notes (id, body) VALUES (1, 'first')"})
            bob.ExecuteStatement(sql);
        EXPECT_EQ(RowsText(SessionRows(bob, "SELECT id, body FROM notes")), "1|first\n");
    }
    system.Session().Open();
    EXPECT_EQ(system.ErrorOf("CREATE PROCEDURE hr.count_notes IS n NUMBER; BEGIN SELECT "
                             "COUNT(*) INTO n FROM bob.notes; END;"),
              "");
    EXPECT_EQ(system.ErrorOf("DROP USER bob"),
              "ORA-01922: CASCADE must be specified to drop 'BOB'");
    EXPECT_EQ(system.ErrorOf("DROP USER bob CASCADE"), "");
    // Others' code that used BOB's tables is invalid.
    EXPECT_EQ(system.Text(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "NAME" = 'COUNT_NOTES')"),
              "5\n");
    system.Execute("DROP PROCEDURE hr.count_notes");
    EXPECT_EQ(DictionaryState(system), before);
    // The name is free again, and the new BOB starts empty.
    EXPECT_EQ(system.ErrorOf("CREATE USER bob IDENTIFIED BY other"), "");
    EXPECT_EQ(system.Count("SELECT COUNT(*) FROM bob.sqlite_master"), 0);
}

TEST(Users, OnlyAdministratorsManageUsers)
{
    DemoSession system("system", "manager");
    const std::string before = DictionaryState(system);
    const std::pair<const char*, const char*> cases[] = {
        {"CREATE USER hr IDENTIFIED BY x",
         "ORA-01920: user name 'HR' conflicts with another user or role name"},
        {"CREATE USER dba IDENTIFIED BY x",
         "ORA-01920: user name 'DBA' conflicts with another user or role name"},
        {"CREATE USER bob", "ORA-00988: missing or invalid password(s)"},
        {"DROP USER nobody CASCADE", "ORA-01918: user 'NOBODY' does not exist"},
        {"DROP USER system CASCADE", "ORA-28014: cannot drop administrative user or role"},
        {"DROP USER scott", "ORA-01922: CASCADE must be specified to drop 'SCOTT'"},
    };
    for (const auto& [sql, message] : cases) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(system.ErrorOf(sql), message);
        EXPECT_EQ(DictionaryState(system), before);
    }
}

// A data script as exported by other tools: dates through TO_DATE in several models, the
// INSERTs wrapped in blocks, a session setting and commits among them.
constexpr const char* kDataScript = R"sql(ALTER SESSION SET NLS_DATE_FORMAT = 'DD-MON-RR';
CREATE TABLE events (id NUMBER, happened DATE, label VARCHAR2(40), amount NUMBER(8,2));
INSERT INTO events VALUES (1, TO_DATE('05-JAN-2024', 'DD-MON-YYYY'), 'new year', 10);
INSERT INTO events VALUES (2, TO_DATE('29-02-2024 13:45:10', 'DD-MM-YYYY HH24:MI:SS'), NULL,
                           TO_NUMBER('1234.5'));
BEGIN
  INSERT INTO events VALUES (3, TO_DATE('31-DEC-99', 'DD-MON-RR'), 'millennium', NULL);
  INSERT INTO events VALUES (4, TO_DATE('2049-07-01', 'YYYY-MM-DD'), 'later', 0.5);
  DBMS_OUTPUT.PUT_LINE('4 rows');
  COMMIT;
END;
/
DECLARE
BEGIN
  NULL;
  UPDATE events SET label = NVL(label, 'leap day') WHERE id = 2;
END;
/
BEGIN
  INSERT INTO events VALUES (5, TO_DATE('01-mar-24'), 'kept', 1);
  INSERT INTO no_such_table VALUES (1);
EXCEPTION
  WHEN OTHERS THEN NULL;
END;
/
INSERT INTO events VALUES (6, DATE '2024-06-30', 'literal', 2);
INSERT INTO events SELECT id + 10, happened, DECODE(id, 1, 'one', 'other'), amount * 2
  FROM events WHERE id IN (1, 3);
BEGIN COMMIT; END;
/
EXEC DBMS_OUTPUT.PUT_LINE('done');
)sql";

TEST(DataScript, DatesAndBlocksReadBackAsRows)
{
    DemoSession hr("hr", "hr");
    TScriptRunner runner(hr.Session());
    std::string failures;
    runner.SetFailureReport([&](const std::string& report) { failures += report + "\n"; });
    runner.RunText("data.sql", kDataScript);
    EXPECT_EQ(failures, "");
    // SQLite's own transactions still pass through, and stay the user's to end.
    EXPECT_EQ(hr.ErrorOf("BEGIN TRANSACTION"), "");
    hr.Execute("INSERT INTO events VALUES (99, NULL, 'undone', 0)");
    EXPECT_EQ(hr.ErrorOf("ROLLBACK"), "");
    EXPECT_EQ(hr.Text("SELECT id, happened, label, amount, TO_CHAR(happened, 'Dy DD-Mon-YYYY "
                      "HH:MI AM'), TO_CHAR(amount, 'FM9,990.00'), TO_CHAR(amount), "
                      "TO_CHAR(happened) FROM events ORDER BY id"),
              "1|2024-01-05 00:00:00|new year|10|Fri 05-Jan-2024 12:00 AM|10.00|10|05-JAN-24\n"
              "2|2024-02-29 13:45:10|leap day|1234.5|Thu 29-Feb-2024 01:45 PM|1,234.50|1234.5|"
              "29-FEB-24\n"
              "3|1999-12-31 00:00:00|millennium|NULL|Fri 31-Dec-1999 12:00 AM|NULL|NULL|31-DEC-99\n"
              "4|2049-07-01 00:00:00|later|0.5|Thu 01-Jul-2049 12:00 AM|0.50|.5|01-JUL-49\n"
              "5|2024-03-01 00:00:00|kept|1|Fri 01-Mar-2024 12:00 AM|1.00|1|01-MAR-24\n"
              "6|2024-06-30 00:00:00|literal|2|Sun 30-Jun-2024 12:00 AM|2.00|2|30-JUN-24\n"
              "11|2024-01-05 00:00:00|one|20|Fri 05-Jan-2024 12:00 AM|20.00|20|05-JAN-24\n"
              "13|1999-12-31 00:00:00|other|NULL|Fri 31-Dec-1999 12:00 AM|NULL|NULL|31-DEC-99\n");
}

// Ctrl+C in quorvex-cli: the run ends before the next statement, the work before it kept.
TEST(DataScript, AnInterruptedRunStopsBetweenStatements)
{
    DemoSession scott("scott", "tiger");
    TScriptRunner runner(scott.Session());
    std::string failures;
    runner.SetFailureReport([&](const std::string& report) { failures += report + "\n"; });
    int asked = 0;
    runner.SetInterruptCheck([&] { return ++asked == 3; });
    EXPECT_FALSE(runner.RunText("a.sql", "CREATE TABLE A (X NUMBER);\nINSERT INTO A VALUES (1);\n"
                                         "INSERT INTO A VALUES (2);\nINSERT INTO A VALUES (3);\n"));
    EXPECT_EQ(failures, "a.sql:3: interrupted; this statement and the rest were not run, the work "
                        "of those before it is kept\n");
    EXPECT_EQ(scott.Text("SELECT X FROM A"), "1\n");
}

// Rows a key or NOT NULL column refuses fail with Oracle's message, naming the constraint (or
// the unique index) the dictionary holds, also inside a block and on a table made by a script.
TEST(DataScript, RefusedRowsNameTheirConstraint)
{
    DemoSession scott("scott", "tiger");
    for (const char* sql :
         {"CREATE UNIQUE INDEX DNAME_UX ON DEPT (DNAME)",
          "CREATE TABLE LINES (ORDER_NO NUMBER, LINE_NO NUMBER, ITEM VARCHAR2(9) "
          "NOT NULL, QTY NUMBER CHECK (qty  >  0), CONSTRAINT LINES_PK PRIMARY "
          "KEY (LINE_NO, ORDER_NO), CONSTRAINT LINES_ITEM_CK CHECK (ITEM <> 'x'))",
          "INSERT INTO LINES VALUES (1, 1, 'pen', 1)"})
        scott.Execute(sql);
    const std::string unnamed = scott.Text(R"(SELECT c."NAME" FROM SYS."CON$" c
        JOIN SYS."CDEF$" d ON d."CON#" = c."CON#" JOIN SYS."OBJ$" o ON o."OBJ#" = d."OBJ#"
        WHERE d."TYPE#" = 1 AND o."NAME" = 'LINES' AND c."NAME" LIKE 'SYS_C%')");
    ASSERT_TRUE(unnamed.starts_with("SYS_C")) << unnamed;
    const std::pair<std::string, std::string> cases[] = {
        {"INSERT INTO EMP (EMPNO, ENAME) VALUES (7369, 'TWIN')",
         "ORA-00001: unique constraint (SCOTT.PK_EMP) violated"},
        {"UPDATE DEPT SET DNAME = 'SALES' WHERE DEPTNO = 10",
         "ORA-00001: unique constraint (SCOTT.DNAME_UX) violated"},
        {"BEGIN INSERT INTO LINES VALUES (1, 1, 'ink', 1); END;",
         "ORA-00001: unique constraint (SCOTT.LINES_PK) violated"},
        {"INSERT INTO LINES (ORDER_NO, LINE_NO) VALUES (1, 2)",
         "ORA-01400: cannot insert NULL into (\"SCOTT\".\"LINES\".\"ITEM\")"},
        {"UPDATE LINES SET ITEM = NULL",
         "ORA-01407: cannot update (\"SCOTT\".\"LINES\".\"ITEM\") to NULL"},
        {"INSERT INTO DEPT (DEPTNO) VALUES (NULL)",
         "ORA-01400: cannot insert NULL into (\"SCOTT\".\"DEPT\".\"DEPTNO\")"},
        {"INSERT INTO LINES VALUES (1, 2, 'ink', 0)", "ORA-02290: check constraint (SCOTT." +
                                                          unnamed.substr(0, unnamed.size() - 1) +
                                                          ") violated"},
        {"UPDATE LINES SET ITEM = 'x'",
         "ORA-02290: check constraint (SCOTT.LINES_ITEM_CK) violated"},
    };
    for (const auto& [sql, message] : cases)
        EXPECT_EQ(scott.ErrorOf(sql), message) << sql;
    // A key dropped refuses nothing more, the demo's own keys too.
    scott.Execute("ALTER TABLE DEPT DROP PRIMARY KEY CASCADE");
    EXPECT_EQ(scott.ErrorOf("INSERT INTO DEPT (DEPTNO) VALUES (10)"), "");
}

} // namespace
} // namespace quorvex::test
