// Schema scripts as real projects write them, run statement by statement on a copy of the
// demo: the dictionary reader sees what they built as it sees the demo, and Oracle's refusals
// come with Oracle's messages and leave nothing behind.
#include "DumpModel.h"
#include "EmulationTestSupport.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The demo's highest object number: everything above it is the script's.
constexpr std::int32_t kLastDemoObject = 52050;

// The objects the script made, as the dictionary reader reads the user's schema.
std::string ScriptObjects(DemoSession& session, const std::string& user)
{
    TDBNewOracle model;
    model.UserName = user;
    const auto query = session.Session().CreateQuery();
    model.SetQuery(query.get());
    model.LoadSchema([](std::string_view) {});
    model.SetQuery(nullptr);
    std::string text;
    for (int k = 0; k < model.Objects().Count(); ++k)
        if (model.Objects().Items(k)->ObjectNo > kLastDemoObject)
            text += DumpModel(*model.Objects().Items(k));
    return text;
}

// What the reader makes of the script below: keys with their indexes (adopted where one was
// there), NOT NULL, checks and foreign keys named or SYS_C, disabled ones marked, columns added,
// changed, dropped and renamed, a virtual column's expression as its default.
constexpr const char* kScriptObjects = R"txt(TObjectItem Table : REGIONS2 [0]
    | CREATE TABLE REGIONS2 (
    |  REGION_ID NUMBER(22) NOT NULL
    | ,REGION_NAME VARCHAR2(25));
  ObjectConstraints:
    TConstraintItem Constraint : REGION_ID IS NOT NULL [0]
        | ALTER TABLE REGIONS2 ADD CONSTRAINT REG2_ID_NN CHECK ("REGION_ID" IS NOT NULL);
    TConstraintItem Constraint : PRIMARY KEY [0]
        | ALTER TABLE REGIONS2 ADD CONSTRAINT REG2_ID_PK PRIMARY KEY;
  ObjectFields:
    TFieldItem Field01 : REGION_ID [0]
        | REGION_ID NUMBER(22) NOT NULL
    TFieldItem Field02 : REGION_NAME [0]
        | REGION_NAME VARCHAR2(25)
  ObjectIndexes:
    TIndexItem Index : REG2_ID_PK [0]
        | CREATE INDEX REG2_ID_PK ON REGIONS2 (REGION_ID);
TObjectItem Table : Countries2 [0]
    | CREATE TABLE Countries2 (
    |  COUNTRY_ID CHAR(2) NOT NULL
    | ,COUNTRY_NAME VARCHAR2(40)
    | ,REGION_ID NUMBER(22));
  ObjectConstraints:
    TConstraintItem Constraint : REFERENCES REGIONS2 (REGION_ID) [0]
        | ALTER TABLE Countries2 ADD CONSTRAINT COUNTR2_REG_FK REFERENCES REGIONS2 (REGION_ID);
    TConstraintItem Constraint : PRIMARY KEY [0]
        | ALTER TABLE Countries2 ADD CONSTRAINT COUNTRY2_C_ID_PK PRIMARY KEY;
    TConstraintItem Constraint : COUNTRY_ID IS NOT NULL [0]
        | ALTER TABLE Countries2 ADD CONSTRAINT COUNTRY2_ID_NN CHECK ("COUNTRY_ID" IS NOT NULL);
  ObjectFields:
    TFieldItem Field01 : COUNTRY_ID [0]
        | COUNTRY_ID CHAR(2) NOT NULL
    TFieldItem Field02 : COUNTRY_NAME [0]
        | COUNTRY_NAME VARCHAR2(40)
    TFieldItem Field03 : REGION_ID [0]
        | REGION_ID NUMBER(22)
  ObjectIndexes:
    TIndexItem Index : COUNTRY2_C_ID_PK [0]
        | CREATE INDEX COUNTRY2_C_ID_PK ON Countries2 (COUNTRY_ID);
TObjectItem Table : JOBS2 [0]
    | CREATE TABLE JOBS2 (
    |  JOB_ID VARCHAR2(10) NOT NULL
    | ,JOB_TITLE VARCHAR2(35) NOT NULL
    | ,MIN_SALARY NUMBER(6,0) DEFAULT 0
    | ,MAX_SALARY NUMBER(6,0));
  ObjectConstraints:
    TConstraintItem Constraint : PRIMARY KEY [0]
        | ALTER TABLE JOBS2 ADD CONSTRAINT SYS_C004247 PRIMARY KEY;
    TConstraintItem Constraint : JOB_TITLE IS NOT NULL [0]
        | ALTER TABLE JOBS2 ADD CONSTRAINT SYS_C004248 CHECK ("JOB_TITLE" IS NOT NULL);
    TConstraintItem Constraint : max_salary >= min_salary [DISABLED] [2]
        | ALTER TABLE JOBS2 ADD CONSTRAINT SYS_C004249 AS max_salary >= min_salary DISABLE;
  ObjectFields:
    TFieldItem Field01 : JOB_ID [0]
        | JOB_ID VARCHAR2(10) NOT NULL
    TFieldItem Field02 : JOB_TITLE [0]
        | JOB_TITLE VARCHAR2(35) NOT NULL
    TFieldItem Field03 : MIN_SALARY [0]
        | MIN_SALARY NUMBER(6,0) DEFAULT 0
    TFieldItem Field04 : MAX_SALARY [0]
        | MAX_SALARY NUMBER(6,0)
  ObjectIndexes:
    TIndexItem Index : SYS_C004247 [0]
        | CREATE INDEX SYS_C004247 ON JOBS2 (JOB_ID);
TObjectItem Table : EMPLOYEES2 [0]
    | CREATE TABLE EMPLOYEES2 (
    |  EMPLOYEE_ID NUMBER(6,0) NOT NULL
    | ,EMAIL VARCHAR2(25) NOT NULL
    | ,JOB_ID VARCHAR2(10)
    | ,SALARY NUMBER(8,2)
    | ,BONUS NUMBER(8,2) DEFAULT salary * 0.1
    | ,Mgr NUMBER(6,0)
    | ,PHONE_NUMBER VARCHAR2(30) NOT NULL
    | ,NOTE VARCHAR2(10) DEFAULT 'none');
  ObjectConstraints:
    TConstraintItem Constraint : EMAIL IS NOT NULL [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT EMP2_EMAIL_NN CHECK ("EMAIL" IS NOT NULL);
    TConstraintItem Constraint : PRIMARY KEY [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT EMP2_EMP_ID_PK PRIMARY KEY;
    TConstraintItem Constraint : REFERENCES EMPLOYEES2 (Mgr) [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT EMP2_MGR_FK REFERENCES EMPLOYEES2 (Mgr);
    TConstraintItem Constraint : salary > 0 [DISABLED] [2]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT EMP2_SALARY_MIN AS salary > 0 DISABLE;
    TConstraintItem Constraint : EMPLOYEE_ID IS NOT NULL [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT SYS_C004251 CHECK ("EMPLOYEE_ID" IS NOT NULL);
    TConstraintItem Constraint : REFERENCES JOBS2 (JOB_ID) [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT SYS_C004254 REFERENCES JOBS2 (JOB_ID);
    TConstraintItem Constraint : PHONE_NUMBER IS NOT NULL [0]
        | ALTER TABLE EMPLOYEES2 ADD CONSTRAINT SYS_C004258 CHECK ("PHONE_NUMBER" IS NOT NULL);
  ObjectFields:
    TFieldItem Field01 : EMPLOYEE_ID [0]
        | EMPLOYEE_ID NUMBER(6,0) NOT NULL
    TFieldItem Field02 : EMAIL [0]
        | EMAIL VARCHAR2(25) NOT NULL
    TFieldItem Field03 : JOB_ID [0]
        | JOB_ID VARCHAR2(10)
    TFieldItem Field04 : SALARY [0]
        | SALARY NUMBER(8,2)
    TFieldItem Field05 : BONUS [0]
        | BONUS NUMBER(8,2) DEFAULT salary * 0.1
    TFieldItem Field06 : Mgr [0]
        | Mgr NUMBER(6,0)
    TFieldItem Field07 : PHONE_NUMBER [0]
        | PHONE_NUMBER VARCHAR2(30) NOT NULL
    TFieldItem Field08 : NOTE [0]
        | NOTE VARCHAR2(10) DEFAULT 'none'
  ObjectIndexes:
    TIndexItem Index : EMP2_EMP_ID_PK [0]
        | CREATE INDEX EMP2_EMP_ID_PK ON EMPLOYEES2 (EMPLOYEE_ID);
    TIndexItem Index : EMP2_EMAIL_IX [0]
        | CREATE INDEX EMP2_EMAIL_IX ON EMPLOYEES2 (EMAIL DESC);
TObjectItem Sequence : EMP2_SEQ [0]
    | CREATE SEQUENCE "EMP2_SEQ"
    |  START WITH 207
    |  INCREMENT BY 1
    |  NOMINVALUE
    |  NOMAXVALUE
    |  NOCYCLE
    |  NOCACHE
    |  NOORDER;
TObjectItem Sequence : Ticket2 [0]
    | CREATE SEQUENCE "Ticket2"
    |  START WITH 1
    |  INCREMENT BY 1
    |  MINVALUE 1
    |  MAXVALUE 999
    |  CYCLE
    |  CACHE 20
    |  ORDER;
TObjectItem Synonym : STAFF2 [0]
    | CREATE SYNONYM STAFF2;
TObjectItem Table : AUDIT2 [0]
    | CREATE TABLE AUDIT2 (
    |  ID NUMBER(10,0) NOT NULL
    | ,WHO VARCHAR2(30) NOT NULL DEFAULT USER);
  ObjectConstraints:
    TConstraintItem Constraint : PRIMARY KEY [0]
        | ALTER TABLE AUDIT2 ADD CONSTRAINT AUDIT2_PK PRIMARY KEY;
    TConstraintItem Constraint : ID IS NOT NULL [0]
        | ALTER TABLE AUDIT2 ADD CONSTRAINT SYS_C004259 CHECK ("ID" IS NOT NULL);
    TConstraintItem Constraint : WHO IS NOT NULL [0]
        | ALTER TABLE AUDIT2 ADD CONSTRAINT SYS_C004260 CHECK ("WHO" IS NOT NULL);
  ObjectFields:
    TFieldItem Field01 : ID [0]
        | ID NUMBER(10,0) NOT NULL
    TFieldItem Field02 : WHO [0]
        | WHO VARCHAR2(30) NOT NULL DEFAULT USER
  ObjectIndexes:
    TIndexItem Index : AUDIT2_PK [0]
        | CREATE INDEX AUDIT2_PK ON AUDIT2 (ID);
TObjectItem Table : RICH2 [0]
    | CREATE TABLE RICH2 (
    |  NAME VARCHAR2(4000)
    | ,PAY NUMBER(-1,0));
  ObjectFields:
    TFieldItem Field01 : NAME [0]
        | NAME VARCHAR2(4000)
    TFieldItem Field02 : PAY [0]
        | PAY NUMBER(-1,0)
)txt";

void RunScript(DemoSession& session, const std::vector<const char*>& script)
{
    for (const char* statement : script) {
        SCOPED_TRACE(statement);
        EXPECT_EQ(session.ErrorOf(statement), "");
    }
}

TEST(SchemaScript, TablesKeysSequencesCommentsAndSynonymsReadBackAsTheDemo)
{
    DemoSession scott("scott", "tiger");
    RunScript(
        scott,
        {
            "CREATE TABLE regions2\n"
            "    ( region_id      NUMBER\n"
            "       CONSTRAINT  reg2_id_nn NOT NULL\n"
            "    , region_name    VARCHAR2(25)\n"
            "    )",
            "-- the key comes later, as in the classic scripts\n"
            "ALTER TABLE regions2\n"
            "ADD ( CONSTRAINT reg2_id_pk\n"
            "       PRIMARY KEY (region_id)\n"
            "    )",
            "create table \"Countries2\" (country_id char(2) constraint country2_id_nn not null, "
            "country_name varchar2(40), region_id number, constraint country2_c_id_pk primary key "
            "(country_id)) organization index",
            "Alter Table \"Countries2\" Add (Constraint countr2_reg_fk Foreign Key (region_id) "
            "References regions2 (region_id))",
            "CREATE TABLE jobs2 (job_id VARCHAR2(10 BYTE) PRIMARY KEY USING INDEX TABLESPACE users "
            "PCTFREE 5, job_title VARCHAR2(35) NOT NULL, min_salary NUMBER(6) DEFAULT 0, "
            "max_salary NUMBER(6), CHECK (max_salary >= min_salary) DISABLE) TABLESPACE users "
            "PCTFREE 10 STORAGE (INITIAL 64K NEXT 1M) NOLOGGING",
            "CREATE TABLE emp2 (\n"
            "  employee_id NUMBER(6) GENERATED BY DEFAULT AS IDENTITY CONSTRAINT emp2_emp_id_pk\n"
            "      PRIMARY KEY,\n"
            "  email VARCHAR2(25) -- the address without its domain\n"
            "      CONSTRAINT emp2_email_nn NOT NULL,\n"
            "  job_id VARCHAR2(10) REFERENCES jobs2 ON DELETE SET NULL DEFERRABLE INITIALLY "
            "DEFERRED,\n"
            "  salary NUMBER(8,2) CONSTRAINT emp2_salary_min CHECK (salary > 0),\n"
            "  bonus NUMBER(8,2) AS (salary * 0.1) VIRTUAL,\n"
            "  hired DATE DEFAULT SYSDATE,\n"
            "  \"Mgr\" NUMBER(6) /* self reference */ CONSTRAINT emp2_mgr_fk REFERENCES emp2\n"
            ") SEGMENT CREATION IMMEDIATE LOB (email) STORE AS (TABLESPACE users)",
            "CREATE INDEX emp2_email_ix ON emp2 (email DESC)",
            "ALTER TABLE emp2 ADD CONSTRAINT emp2_email_uk UNIQUE (email)",
            "ALTER TABLE emp2 ADD (phone VARCHAR2(20), note VARCHAR2(10) DEFAULT 'none' NOT NULL)",
            "ALTER TABLE emp2 MODIFY (phone VARCHAR2(30) NOT NULL)",
            "alter table emp2 modify note null",
            "ALTER TABLE emp2 DROP COLUMN hired",
            "ALTER TABLE emp2 RENAME COLUMN phone TO phone_number",
            "ALTER TABLE emp2 DISABLE CONSTRAINT emp2_salary_min",
            "ALTER TABLE emp2 DROP CONSTRAINT emp2_email_uk",
            "ALTER TABLE emp2 RENAME TO employees2",
            "CREATE SEQUENCE emp2_seq START WITH 207 INCREMENT BY 1 NOCACHE NOCYCLE",
            "create sequence \"Ticket2\" minvalue 1 maxvalue 999 cycle cache 20 order",
            "COMMENT ON TABLE regions2 IS 'Regions, the company''s own'",
            "COMMENT ON COLUMN employees2.salary IS 'Monthly salary'",
            "CREATE SYNONYM staff2 FOR employees2",
            "GRANT SELECT ON employees2 TO hr",
            "CREATE MATERIALIZED VIEW mv2 AS SELECT * FROM employees2",
            "ALTER SESSION SET NLS_DATE_FORMAT = 'YYYY-MM-DD'",
            // As a dictionary export writes a table: every name quoted, states spelt out.
            "CREATE TABLE \"SCOTT\".\"AUDIT2\"\n"
            "   (\t\"ID\" NUMBER(10,0) NOT NULL ENABLE,\n"
            "\t\"WHO\" VARCHAR2(30 CHAR) COLLATE \"USING_NLS_COMP\" DEFAULT USER NOT NULL ENABLE,\n"
            "\t CONSTRAINT \"AUDIT2_PK\" PRIMARY KEY (\"ID\")\n"
            "  USING INDEX PCTFREE 10 INITRANS 2 COMPUTE STATISTICS\n"
            "  STORAGE(INITIAL 65536 NEXT 1048576 BUFFER_POOL DEFAULT) TABLESPACE \"USERS\"  "
            "ENABLE\n"
            "   ) SEGMENT CREATION DEFERRED PCTFREE 10 PCTUSED 40 NOCOMPRESS LOGGING\n"
            "  TABLESPACE \"USERS\" PARTITION BY RANGE (\"ID\") (PARTITION \"P1\" VALUES LESS "
            "THAN (MAXVALUE))",
            "CREATE TABLE rich2 (name, pay) AS SELECT ename, sal FROM emp WHERE sal > 2900",
        });
    EXPECT_EQ(ScriptObjects(scott, "SCOTT"), kScriptObjects);
    EXPECT_EQ(scott.Text(R"(SELECT o."NAME", c."COL#", c."COMMENT$" FROM SYS."COM$" c
        JOIN SYS."OBJ$" o ON o."OBJ#" = c."OBJ#" WHERE o."OBJ#" > 52050 ORDER BY 1)"),
              "EMPLOYEES2|4|Monthly salary\nREGIONS2|NULL|Regions, the company's own\n");
    EXPECT_EQ(scott.Text(R"(SELECT "OWNER", "NAME" FROM SYS."SYN$" WHERE "OBJ#" > 52050)"),
              "SCOTT|EMPLOYEES2\n");
    // An index a key adopted stays while the key needs it.
    scott.Execute("ALTER TABLE employees2 ADD CONSTRAINT emp2_email_uk UNIQUE (email)");
    EXPECT_EQ(scott.ErrorOf("DROP INDEX emp2_email_ix"),
              "ORA-02429: cannot drop index used for enforcement of unique/primary key");
    // The SQLite table follows: the renamed column is there, the key and NOT NULL hold.
    scott.Execute("INSERT INTO EMPLOYEES2 (EMPLOYEE_ID, EMAIL, PHONE_NUMBER, SALARY) "
                  "VALUES (1, 'a', '555', 100)");
    EXPECT_EQ(scott.Text("SELECT EMPLOYEE_ID, NOTE, BONUS FROM EMPLOYEES2"), "1|none|10\n");
    EXPECT_NE(scott.ErrorOf("INSERT INTO EMPLOYEES2 (EMPLOYEE_ID, EMAIL) VALUES (1, 'b')"), "");
}

TEST(SchemaScript, RefusalsNameTheProblemAndLeaveNothingBehind)
{
    DemoSession scott("scott", "tiger");
    const auto state = [&] {
        return scott.Text(R"(SELECT (SELECT COUNT(*) FROM SYS."OBJ$"), (SELECT COUNT(*) FROM
            SYS."CON$"), (SELECT COUNT(*) FROM SYS."COL$"), (SELECT COUNT(*) FROM SYS."IND$"),
            (SELECT COUNT(*) FROM SYS."COM$"), (SELECT COUNT(*) FROM SCOTT.sqlite_master),
            (SELECT COUNT(*) FROM pragma_table_info('EMP', 'SCOTT')) FROM DUAL)");
    };
    const std::string before = state();
    const std::pair<const char*, const char*> cases[] = {
        {"ALTER TABLE EMP ADD CONSTRAINT PK2 PRIMARY KEY (ENAME)",
         "ORA-02260: table can have only one primary key"},
        {"CREATE TABLE T1 (A NUMBER PRIMARY KEY, B NUMBER, PRIMARY KEY (B))",
         "ORA-02260: table can have only one primary key"},
        {"ALTER TABLE NOPE ADD (X NUMBER)", "ORA-00942: table or view does not exist"},
        {"CREATE TABLE T2 (A NUMBER REFERENCES NOPE)", "ORA-00942: table or view does not exist"},
        {"ALTER TABLE EMP ADD (A NUMBER, ENAME VARCHAR2(5))",
         "ORA-01430: column being added already exists in table"},
        {"ALTER TABLE EMP MODIFY (NOPE NUMBER)", "ORA-00904: \"NOPE\": invalid identifier"},
        {"COMMENT ON COLUMN EMP.NOPE IS 'x'", "ORA-00904: \"NOPE\": invalid identifier"},
        {"ALTER TABLE EMP ADD CONSTRAINT C1 UNIQUE (ENAME, NOPE)",
         "ORA-00904: \"NOPE\": invalid identifier"},
        {"ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO CHECK (SAL > 0)",
         "ORA-02264: name already used by an existing constraint"},
        {"CREATE TABLE T3 (A NUMBER, CONSTRAINT PK_EMP UNIQUE (A))",
         "ORA-02264: name already used by an existing constraint"},
        {"CREATE TABLE T4 (A NUMBER, B VARCHAR2(13) REFERENCES DEPT (LOC))",
         "ORA-02270: no matching unique or primary key for this column-list"},
        {"ALTER TABLE DEPT ADD CONSTRAINT UK_DEPT UNIQUE (DEPTNO)",
         "ORA-02261: such unique or primary key already exists in the table"},
        {"ALTER TABLE DEPT DROP PRIMARY KEY",
         "ORA-02273: this unique/primary key is referenced by some foreign keys"},
        {"ALTER TABLE EMP DROP CONSTRAINT NOPE",
         "ORA-02443: Cannot drop constraint  - nonexistent constraint"},
        {"ALTER TABLE EMP MODIFY (SAL NULL)",
         "ORA-01451: column to be modified to NULL cannot be modified to NULL"},
        {"ALTER TABLE EMP ADD CONSTRAINT UK_ENAME UNIQUE (JOB)",
         "ORA-02299: cannot validate (SCOTT.UK_ENAME) - duplicate keys found"},
        {"CREATE SEQUENCE EMPNO_SEQ", "ORA-00955: name is already used by an existing object"},
        {"CREATE SEQUENCE S1 INCREMENT BY 0", "ORA-04002: INCREMENT must be a non-zero integer"},
        {"CREATE SEQUENCE S1 MINVALUE 10 START WITH 5",
         "ORA-04006: START WITH cannot be less than MINVALUE"},
        {"CREATE SYNONYM EMP FOR DEPT", "ORA-00955: name is already used by an existing object"},
        {"ALTER TABLE EMP FROBNICATE", "ORA-01735: invalid ALTER TABLE option"},
    };
    for (const auto& [sql, message] : cases) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(scott.ErrorOf(sql), message);
        EXPECT_EQ(state(), before);
    }
}

// A view whose query only Oracle runs is kept with its text and columns, valid; reading it says
// why it cannot run. What Oracle refuses too (a missing table) is still refused.
TEST(SchemaScript, ViewsTheEngineCannotRunAreKeptAndFailOnlyWhenRead)
{
    DemoSession scott("scott", "tiger");
    scott.Execute(
        "CREATE VIEW V_ODD AS SELECT ENAME, REGEXP_SUBSTR(ENAME, '[A-Z]+') R, e.JOB,\n"
        "  LISTAGG(JOB, ',') WITHIN GROUP (ORDER BY JOB) AS L FROM EMP e GROUP BY ENAME, JOB");
    scott.Execute("CREATE VIEW V_ODD2 (A, B) AS SELECT JSON_VALUE(ENAME, '$.x'), 1 + 1 FROM EMP");
    EXPECT_EQ(scott.Text(R"(SELECT O."NAME", O."STATUS", C."NAME" FROM SYS."OBJ$" O
                            JOIN SYS."COL$" C ON C."OBJ#" = O."OBJ#"
                            WHERE O."NAME" LIKE 'V_ODD%' ORDER BY O."NAME", C."COL#")"),
              "V_ODD|1|ENAME\nV_ODD|1|R\nV_ODD|1|JOB\nV_ODD|1|L\nV_ODD2|1|A\nV_ODD2|1|B\n");
    EXPECT_EQ(scott.ErrorOf("SELECT * FROM V_ODD"),
              "The embedded engine cannot run the query of view SCOTT.V_ODD: near \"(\": syntax "
              "error");
    EXPECT_EQ(scott.ErrorOf("SELECT A FROM V_ODD2"),
              "The embedded engine cannot run the query of view SCOTT.V_ODD2: no such function: "
              "JSON_VALUE");
    // Columns that cannot be named without running the query, and a missing table: refused.
    EXPECT_EQ(scott.ErrorOf("CREATE VIEW V_ODD3 AS SELECT SAL * 2 FROM EMP CONNECT BY NOCYCLE"),
              scott.ErrorOf("SELECT SAL * 2 FROM EMP CONNECT BY NOCYCLE"));
    EXPECT_EQ(scott.ErrorOf("CREATE VIEW V_NONE AS SELECT A FROM NOWHERE"),
              "no such table: SCOTT.NOWHERE");
}

} // namespace
} // namespace quorvex::test
