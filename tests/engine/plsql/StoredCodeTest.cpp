// Stored code created by a script on a copy of the demo: the dictionary reader reads it back as
// it reads the demo's own procedures, packages and triggers, and Oracle's refusals leave
// nothing behind.
#include "DumpModel.h"
#include "EmulationTestSupport.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The demo's highest object number: everything above it is the script's.
constexpr std::int32_t kLastDemoObject = 52050;

// The script's code with its source, and the triggers of JOBS, as the reader reads HR.
std::string ScriptObjects(DemoSession& session)
{
    TDBNewOracle model;
    model.UserName = "HR";
    const auto query = session.Session().CreateQuery();
    model.SetQuery(query.get());
    model.LoadSchema([](std::string_view) {});
    model.LoadSource([](std::string_view) {});
    model.SetQuery(nullptr);
    std::string text;
    for (int k = 0; k < model.Objects().Count(); ++k) {
        TObjectItem& object = *model.Objects().Items(k);
        if (object.ObjectNo > kLastDemoObject)
            text += DumpModel(object);
        else if (object.ObjectName == "JOBS")
            text += DumpModel(object.ObjectTriggers());
    }
    return text;
}

constexpr const char* kScriptObjects = R"txt(TTriggerItem Trigger : JOBS_AUDIT [0]
    | CREATE OR REPLACE TRIGGER HR.JOBS_AUDIT BEFORE INSERT OR UPDATE OF MIN_SALARY, MAX_SALARY ON HR.JOBS FOR EACH ROW WHEN (new.min_salary > 0)
    | BEGIN
    |   :new.job_title := UPPER(:new.job_title);
    | END;
TObjectItem Procedure : ADD_REGION [0]
    | CREATE OR REPLACE PROCEDURE add_region (p_id IN regions.region_id%TYPE,
    |     p_name IN VARCHAR2 DEFAULT 'none') IS
    | BEGIN
    |     INSERT INTO regions (region_id, region_name) VALUES (p_id, p_name);
    | END add_region;
TObjectItem Function : REGION_COUNT [0]
    | CREATE OR REPLACE FUNCTION region_count RETURN NUMBER IS
    |   n NUMBER;
    | BEGIN
    |   SELECT COUNT(*) INTO n FROM regions r, countries c WHERE r.region_id = c.region_id;
    |   RETURN n;
    | END;
TObjectItem Package Header : REGION_API [0]
    | CREATE OR REPLACE PACKAGE region_api AS
    |   PROCEDURE rename (p_id NUMBER, p_name VARCHAR2);
    | END region_api;
TObjectItem Package Body : REGION_API [0]
    | CREATE OR REPLACE PACKAGE BODY region_api AS
    |   PROCEDURE rename (p_id NUMBER, p_name VARCHAR2) IS
    |   BEGIN
    |     UPDATE regions SET region_name = p_name WHERE region_id = p_id;
    |   END rename;
    | END region_api;
TObjectItem Procedure : ARCHIVE_JOBS [1]
    | CREATE OR REPLACE PROCEDURE archive_jobs IS
    |   v jobs_archive%ROWTYPE;
    | BEGIN
    |   DELETE FROM jobs_archive WHERE job_id = 'X';
    | END;
)txt";

TEST(StoredCode, ScriptReadsBackAsTheDemo)
{
    DemoSession hr("hr", "hr");
    const std::pair<const char*, const char*> script[] = {
        {"CREATE PROCEDURE hr.add_region (p_id IN regions.region_id%TYPE,\n"
         "    p_name IN VARCHAR2) IS\nBEGIN\n    NULL;\nEND add_region;",
         ""},
        {"CREATE OR REPLACE EDITIONABLE PROCEDURE hr.add_region (p_id IN "
         "regions.region_id%TYPE,\n    p_name IN VARCHAR2 DEFAULT 'none') IS\nBEGIN\n"
         "    INSERT INTO regions (region_id, region_name) VALUES (p_id, p_name);\n"
         "END add_region;",
         ""},
        {"CREATE FUNCTION region_count RETURN NUMBER IS\n  n NUMBER;\nBEGIN\n  SELECT COUNT(*) "
         "INTO n FROM regions r, countries c WHERE r.region_id = c.region_id;\n  RETURN n;\n"
         "END;\n",
         ""},
        {"CREATE OR REPLACE PACKAGE region_api AS\n  PROCEDURE rename (p_id NUMBER, p_name "
         "VARCHAR2);\nEND region_api;",
         ""},
        {"CREATE OR REPLACE PACKAGE BODY region_api AS\n  PROCEDURE rename (p_id NUMBER, p_name "
         "VARCHAR2) IS\n  BEGIN\n    UPDATE regions SET region_name = p_name WHERE region_id = "
         "p_id;\n  END rename;\nEND region_api;",
         ""},
        {"CREATE PROCEDURE archive_jobs IS\n  v jobs_archive%ROWTYPE;\nBEGIN\n  DELETE FROM "
         "jobs_archive WHERE job_id = 'X';\nEND;",
         "ORA-24344: success with compilation error"},
        {"create or replace trigger jobs_audit before insert or update of min_salary, max_salary\n"
         "  on jobs for each row when (new.min_salary > 0)\nBEGIN\n  :new.job_title := "
         "UPPER(:new.job_title);\nEND;",
         ""},
        {"ALTER TRIGGER jobs_audit DISABLE", ""},
        {"CREATE TYPE point_t AS OBJECT (x NUMBER, y NUMBER);", ""},
    };
    for (const auto& [sql, message] : script) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(hr.ErrorOf(sql), message);
    }
    EXPECT_EQ(ScriptObjects(hr), kScriptObjects);
    // The replaced procedure kept its number; the type is stored, though not read as a kind.
    EXPECT_EQ(hr.Text(R"(SELECT "OBJ#", "NAME", "TYPE#", "NAMESPACE", "STATUS" FROM SYS."OBJ$"
                         WHERE "OBJ#" > 52050 ORDER BY 1)"),
              "52051|ADD_REGION|7|1|1\n52052|REGION_COUNT|8|1|1\n52053|REGION_API|9|1|1\n"
              "52054|REGION_API|11|2|1\n52055|ARCHIVE_JOBS|7|1|5\n52056|JOBS_AUDIT|12|3|1\n"
              "52057|POINT_T|13|1|1\n");
    EXPECT_EQ(hr.Text(R"(SELECT "SEQUENCE#", "LINE", "POSITION#", "TEXT", "ERROR#"
                         FROM SYS."ERROR$" WHERE "OBJ#" = 52055 ORDER BY 1)"),
              "1|2|5|PL/SQL: Item ignored|0\n"
              "2|2|5|PLS-00201: identifier 'JOBS_ARCHIVE' must be declared|201\n"
              "3|4|3|PL/SQL: SQL Statement ignored|0\n"
              "4|4|15|PL/SQL: ORA-00942: table or view does not exist|942\n");
    EXPECT_EQ(hr.Text(R"(SELECT "TYPE#", "INSERT$", "UPDATE$", "DELETE$", "BASEOBJECT",
                                "WHENCLAUSE", "ENABLED" FROM SYS."TRIGGER$" WHERE "OBJ#" = 52056)"),
              "1|1|1|0|52011|new.min_salary > 0|0\n");
    // The missing table made, the procedure compiles; dropped again, it is invalid once more.
    const char* const status =
        R"(SELECT "STATUS", (SELECT COUNT(*) FROM SYS."ERROR$" WHERE "OBJ#" = 52055)
             FROM SYS."OBJ$" WHERE "OBJ#" = 52055)";
    hr.Execute("CREATE TABLE jobs_archive AS SELECT * FROM jobs");
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE archive_jobs COMPILE"), "");
    EXPECT_EQ(hr.Text(status), "1|0\n");
    hr.Execute("DROP TABLE jobs_archive");
    EXPECT_EQ(hr.Text(status), "5|0\n");
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE archive_jobs COMPILE"),
              "ORA-24344: success with compilation error");
    EXPECT_EQ(hr.Text(status), "5|4\n");
    // DROP takes every row.
    for (const char* drop :
         {"DROP PROCEDURE archive_jobs", "DROP PACKAGE region_api", "DROP TRIGGER jobs_audit",
          "DROP FUNCTION region_count", "DROP PROCEDURE add_region", "DROP TYPE point_t"})
        EXPECT_EQ(hr.ErrorOf(drop), "") << drop;
    EXPECT_EQ(hr.Text(R"(SELECT (SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" > 52050),
        (SELECT COUNT(*) FROM SYS."SOURCE$" WHERE "OBJ#" > 52050), (SELECT COUNT(*) FROM
        SYS."ERROR$" WHERE "OBJ#" > 52050), (SELECT COUNT(*) FROM SYS."TRIGGER$" WHERE "OBJ#" >
        52050) FROM DUAL)"),
              "0|0|0|0\n");
}

TEST(StoredCode, RefusalsNameTheProblemAndLeaveNothingBehind)
{
    DemoSession hr("hr", "hr");
    const auto state = [&] {
        return hr.Text(R"(SELECT (SELECT COUNT(*) FROM SYS."OBJ$"), (SELECT COUNT(*) FROM
            SYS."SOURCE$"), (SELECT COUNT(*) FROM SYS."TRIGGER$"), (SELECT COUNT(*) FROM
            SYS."ERROR$"), (SELECT COUNT(*) FROM SYS."USER$"), (SELECT COUNT(*) FROM REGIONS),
            (SELECT group_concat("ENABLED") FROM SYS."TRIGGER$") FROM DUAL)");
    };
    const std::string before = state();
    const std::pair<const char*, const char*> cases[] = {
        {"CREATE USER bob IDENTIFIED BY pw", "ORA-01031: insufficient privileges"},
        {"DROP USER scott CASCADE", "ORA-01031: insufficient privileges"},
        {"CREATE PROCEDURE secure_dml IS BEGIN NULL; END;",
         "ORA-00955: name is already used by an existing object"},
        {"CREATE OR REPLACE FUNCTION secure_dml RETURN NUMBER IS BEGIN RETURN 1; END;",
         "ORA-00955: name is already used by an existing object"},
        {"CREATE TRIGGER secure_employees BEFORE INSERT ON employees BEGIN NULL; END;",
         "ORA-04081: trigger 'SECURE_EMPLOYEES' already exists"},
        {"CREATE TRIGGER t1 BEFORE INSERT ON nope BEGIN NULL; END;",
         "ORA-00942: table or view does not exist"},
        {"CREATE TRIGGER t1 INSTEAD OF INSERT ON employees BEGIN NULL; END;",
         "ORA-25002: cannot create INSTEAD OF triggers on tables"},
        {"CREATE TRIGGER t1 BEFORE INSERT employees BEGIN NULL; END;",
         "ORA-04079: invalid trigger specification"},
        {"ALTER TRIGGER nope DISABLE", "ORA-04080: trigger 'NOPE' does not exist"},
        {"DROP TRIGGER nope", "ORA-04080: trigger 'NOPE' does not exist"},
        {"BEGIN INSERT INTO regions VALUES (9, 'x'); x := 1; END;",
         "PLS-00103: only SQL statements can run inside an anonymous block on the embedded "
         "engine"},
        {"DECLARE n NUMBER := 9; BEGIN INSERT INTO regions VALUES (n, 'x'); END;",
         "PLS-00103: only SQL statements can run inside an anonymous block on the embedded "
         "engine"},
        {"BEGIN INSERT INTO regions VALUES (9, 'x'); INSERT INTO regions VALUES (9, TO_DATE("
         "'30-FEB-2024', 'DD-MON-YYYY')); END;",
         "ORA-01847: day of month must be between 1 and last day of month"},
        {"INSERT INTO regions VALUES (9, TO_DATE('2024-13-01', 'YYYY-MM-DD'))",
         "ORA-01843: not a valid month"},
        {"INSERT INTO regions VALUES (TO_NUMBER('9x'), 'x')", "ORA-01722: invalid number"},
    };
    for (const auto& [sql, message] : cases) {
        SCOPED_TRACE(sql);
        EXPECT_EQ(hr.ErrorOf(sql), message);
        EXPECT_EQ(state(), before);
    }
}

} // namespace
} // namespace quorvex::test
