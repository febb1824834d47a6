// How "Execute SQL" reads a pane, the results window's texts and the display of long values.
#include "QStringPrinter.h"
#include "sqltools/PaneSql.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/ResultsTexts.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

struct TPaneCase {
    const char* Text;
    TPaneSqlKind Kind;
    const char* FirstLine; // after the "*" rewrite
};

TEST(PaneSql, FirstCharacterDecides)
{
    const TPaneCase cases[] = {
        {"*DUAL", TPaneSqlKind::Query, "SELECT * FROM DUAL"},
        {"*SCOTT.EMP e\nWHERE e.SAL > 0", TPaneSqlKind::Query, "SELECT * FROM SCOTT.EMP e"},
        {"select * from emp", TPaneSqlKind::Query, "select * from emp"},
        {"SET TRANSACTION READ ONLY", TPaneSqlKind::Query, "SET TRANSACTION READ ONLY"},
        {"SAVEPOINT A", TPaneSqlKind::Query, "SAVEPOINT A"},
        {" SELECT * FROM DUAL", TPaneSqlKind::Statement, " SELECT * FROM DUAL"},
        {"-- list\nSELECT * FROM DUAL", TPaneSqlKind::Statement, "-- list"},
        {"\tselect 1 from dual", TPaneSqlKind::Statement, "\tselect 1 from dual"},
        {"UPDATE EMP SET SAL = SAL", TPaneSqlKind::Statement, "UPDATE EMP SET SAL = SAL"},
        {"*", TPaneSqlKind::Query, "SELECT * FROM "},
        {"\nSELECT * FROM DUAL", TPaneSqlKind::EmptyFirstLine, ""},
        {"\n", TPaneSqlKind::Nothing, ""},
    };
    for (const TPaneCase& c : cases) {
        QStringList lines = PaneLines(QString::fromLatin1(c.Text));
        RewriteStarLine(lines);
        EXPECT_EQ(ClassifyPaneSql(lines), c.Kind) << c.Text;
        ASSERT_FALSE(lines.isEmpty()) << c.Text;
        EXPECT_EQ(lines.first(), QString::fromLatin1(c.FirstLine)) << c.Text;
    }
    QStringList none = PaneLines(QString());
    EXPECT_TRUE(none.isEmpty());
    EXPECT_FALSE(RewriteStarLine(none));
    EXPECT_EQ(ClassifyPaneSql(none), TPaneSqlKind::Nothing);
}

TEST(PaneSql, OnlyALeadingAsteriskIsRewritten)
{
    QStringList lines{" *DUAL", "*EMP"};
    EXPECT_FALSE(RewriteStarLine(lines));
    EXPECT_EQ(lines, (QStringList{" *DUAL", "*EMP"}));
}

TEST(PaneSql, LinesAndStatementText)
{
    EXPECT_EQ(PaneLines(QStringLiteral("a\nb\n")), (QStringList{"a", "b"}));
    EXPECT_EQ(PaneLines(QStringLiteral("a\n\nb")), (QStringList{"a", "", "b"}));
    EXPECT_EQ(PaneLines(QStringLiteral("a\n\n")), (QStringList{"a", ""}));
    // Every line is followed by a line feed, the last one included.
    EXPECT_EQ(StatementText({"UPDATE EMP", "SET SAL = SAL", ""}),
              QStringLiteral("UPDATE EMP\nSET SAL = SAL\n\n"));
    EXPECT_EQ(StatementText({"COMMIT"}), QStringLiteral("COMMIT\n"));
}

TEST(ResultsTexts, CaptionHasTwoDecimals)
{
    EXPECT_EQ(ResultsCaption(1234), QStringLiteral("SQL Results in 1.23 seconds"));
    EXPECT_EQ(ResultsCaption(0), QStringLiteral("SQL Results in 0.00 seconds"));
    EXPECT_EQ(ResultsCaption(61005), QStringLiteral("SQL Results in 61.01 seconds"));
}

TEST(ResultsTexts, ExplainStatements)
{
    EXPECT_STREQ(kPlanTableSql,
                 "CREATE TABLE QUORVEX_PLAN_TABLE (STATEMENT_ID VARCHAR2(30),TIMESTAMP DATE,"
                 "REMARKS VARCHAR2(80),OPERATION VARCHAR2(30),OPTIONS VARCHAR2(30),OBJECT_NODE "
                 "VARCHAR2(128),OBJECT_OWNER VARCHAR2(30),OBJECT_NAME VARCHAR2(30),"
                 "OBJECT_INSTANCE NUMERIC,OBJECT_TYPE VARCHAR2(30),OPTIMIZER VARCHAR2(255),"
                 "SEARCH_COLUMNS NUMERIC,ID NUMERIC,PARENT_ID NUMERIC,POSITION NUMERIC,COST "
                 "NUMERIC,CARDINALITY NUMERIC,BYTES NUMERIC,OTHER_TAG VARCHAR2(255),OTHER LONG)");
    EXPECT_STREQ(kDeletePlanASql, "DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = 'A'");
    EXPECT_EQ(ExplainPlanSql(QStringLiteral("4012"), QStringLiteral("SELECT * FROM DUAL")),
              QStringLiteral("EXPLAIN PLAN SET STATEMENT_ID = '4012' INTO QUORVEX_PLAN_TABLE "
                             "FOR SELECT * FROM DUAL"));
    EXPECT_EQ(PlanDisplaySql(QStringLiteral("7")),
              QStringLiteral(
                  "SELECT CARDINALITY Records,BYTES,LPAD('>',(LEVEL+1)*3,'-')||OPERATION||' '||"
                  "OPTIONS||decode(OBJECT_NAME,NULL,'',' on ')||decode(OBJECT_OWNER,NULL,'',"
                  "OBJECT_OWNER||'.')||OBJECT_NAME||' '||OBJECT_NODE||' '||OBJECT_TYPE "
                  "Description_of_plan_operation FROM QUORVEX_PLAN_TABLE START WITH (ID = 0) "
                  "AND (STATEMENT_ID = '7') CONNECT BY (PRIOR ID = PARENT_ID) AND "
                  "(STATEMENT_ID = '7') "));
    // The user name is quoted as SQL text.
    EXPECT_TRUE(PlanTableExistsSql(QStringLiteral("O'HARA")).endsWith(" = 'O''HARA'"));
}

TEST(ResultsTexts, StatementIdsAreTickTextsAndNeverRepeat)
{
    TStatementIds ids;
    EXPECT_EQ(ids.Next(1000000), QStringLiteral("1000000"));
    // Two explains within one millisecond.
    EXPECT_EQ(ids.Next(1000000), QStringLiteral("1000001"));
    EXPECT_EQ(ids.Next(1000001), QStringLiteral("1000002"));
    EXPECT_EQ(ids.Next(1000500), QStringLiteral("1000500"));
    // No sign, no leading zeros, the full unsigned range.
    TStatementIds high;
    EXPECT_EQ(high.Next(4294967290u), QStringLiteral("4294967290"));
    // The counter wrapped round: a small value is a step forward.
    EXPECT_EQ(high.Next(5), QStringLiteral("5"));
    // A step back (impossible for the counter) still gives a new id.
    EXPECT_EQ(high.Next(3), QStringLiteral("6"));
}

TEST(CellDisplay, LongTextIsTrimmedAndCut)
{
    EXPECT_EQ(MemoDisplayText(QStringLiteral("     ")), QString());
    EXPECT_EQ(MemoDisplayText(QString()), QString());
    EXPECT_EQ(MemoDisplayText(QStringLiteral("\r\n  CREATE VIEW V\n AS SELECT 1 \t\r\n")),
              QStringLiteral("CREATE VIEW V\n AS SELECT 1"));
    const QString longText = QStringLiteral("  ") + QString(300, QLatin1Char('x'));
    EXPECT_EQ(MemoDisplayText(longText), QString(kMemoDisplayLength, QLatin1Char('x')));
}

} // namespace
} // namespace quorvex::test
