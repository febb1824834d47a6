// Malformed and unsupported statements end in the database's (or Oracle's) message, never in
// a crash or another kind of failure, and leave the connection usable.
#include "EmulationTestSupport.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(OddStatements, FailWithAMessageAndLeaveTheConnectionUsable)
{
    DemoSession scott("scott", "tiger");
    const char* statements[] = {
        "CREATE TABLE",
        "CREATE TABLE X",
        "CREATE TABLE X (",
        "CREATE TABLE X ()",
        "CREATE TABLE X (A NUMBER DEFAULT)",
        "CREATE GLOBAL TEMPORARY",
        "CREATE VIEW",
        "CREATE VIEW V",
        "CREATE VIEW V AS",
        "CREATE OR REPLACE VIEW V (",
        "CREATE INDEX",
        "CREATE INDEX I ON",
        "CREATE INDEX I ON EMP",
        "CREATE INDEX I ON EMP (",
        "DROP",
        "DROP TABLE",
        "DROP PACKAGE BODY",
        "DROP PUBLIC",
        "ALTER",
        "ALTER VIEW",
        "ALTER VIEW V COMPILE",
        "EXPLAIN",
        "EXPLAIN PLAN FOR",
        "EXPLAIN PLAN SET",
        "EXPLAIN PLAN INTO FOR SELECT 1",
        "BEGIN",
        "BEGIN X(",
        "CALL",
        "EXEC X(A =>)",
        "EXECUTE X(1,",
        "BEGIN X(1) END",
        "SELECT * FROM EMP CONNECT BY",
        "SELECT * FROM EMP START WITH CONNECT BY PRIOR",
        "SELECT 1 CONNECT BY 1",
        "SELECT a || FROM DUAL",
        "|| a",
        "SELECT || 'x' FROM DUAL",
        "SELECT ((( || ))) FROM DUAL",
        "SELECT LPAD() FROM DUAL",
        "SELECT DECODE() FROM DUAL",
        "CREATE SEQUENCE S",
        "GRANT SELECT ON EMP TO HR",
        "COMMIT",
        "ROLLBACK",
        ";;;",
        ")",
        "SELECT * FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO(+) START WITH 1 = 1 CONNECT BY 1"};
    for (const char* sql : statements) {
        try {
            scott.Execute(sql);
        } catch (const Exception&) {
            // the message is the point; any other exception type fails the test
        }
        try {
            scott.Rows(sql);
        } catch (const Exception&) {
        }
    }
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM EMP"), 14);
    EXPECT_EQ(scott.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OWNER#" = 59)"), 8);
}

} // namespace
} // namespace quorvex::test
