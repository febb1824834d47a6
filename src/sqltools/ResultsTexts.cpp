#include "ResultsTexts.h"

#include <chrono>

namespace quorvex {

const char* const kPlanTableSql =
    "CREATE TABLE QUORVEX_PLAN_TABLE (STATEMENT_ID VARCHAR2(30),TIMESTAMP DATE,REMARKS "
    "VARCHAR2(80),OPERATION VARCHAR2(30),OPTIONS VARCHAR2(30),OBJECT_NODE VARCHAR2(128),"
    "OBJECT_OWNER VARCHAR2(30),OBJECT_NAME VARCHAR2(30),OBJECT_INSTANCE NUMERIC,OBJECT_TYPE "
    "VARCHAR2(30),OPTIMIZER VARCHAR2(255),SEARCH_COLUMNS NUMERIC,ID NUMERIC,PARENT_ID NUMERIC,"
    "POSITION NUMERIC,COST NUMERIC,CARDINALITY NUMERIC,BYTES NUMERIC,OTHER_TAG VARCHAR2(255),"
    "OTHER LONG)";

const char* const kDeletePlanASql = "DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = 'A'";

namespace {

// A text between single quotes in SQL.
QString Quoted(const QString& text)
{
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}

} // namespace

QString ResultsCaption(std::int64_t milliseconds)
{
    return QString::asprintf("SQL Results in %.2f seconds", double(milliseconds) / 1000.0);
}

QString PlanTableExistsSql(const QString& userName)
{
    return QStringLiteral("SELECT COUNT(1) FROM SYS.OBJ$ O, SYS.USER$ U WHERE O.NAME = "
                          "'QUORVEX_PLAN_TABLE' AND O.TYPE# = 2 AND O.OWNER# = U.USER# AND "
                          "U.NAME = ") +
           Quoted(userName);
}

QString DeletePlanRowsSql(const QString& statementId)
{
    return QStringLiteral("DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = ") +
           Quoted(statementId);
}

QString ExplainPlanSql(const QString& statementId, const QString& sqlText)
{
    return QStringLiteral("EXPLAIN PLAN SET STATEMENT_ID = '") + statementId +
           QStringLiteral("' INTO QUORVEX_PLAN_TABLE FOR ") + sqlText;
}

QString PlanDisplaySql(const QString& statementId)
{
    return QStringLiteral(
               "SELECT CARDINALITY Records,BYTES,LPAD('>',(LEVEL+1)*3,'-')||OPERATION||' '||"
               "OPTIONS||decode(OBJECT_NAME,NULL,'',' on ')||decode(OBJECT_OWNER,NULL,'',"
               "OBJECT_OWNER||'.')||OBJECT_NAME||' '||OBJECT_NODE||' '||OBJECT_TYPE "
               "Description_of_plan_operation FROM QUORVEX_PLAN_TABLE START WITH (ID = 0) AND "
               "(STATEMENT_ID = '") +
           statementId +
           QStringLiteral("') CONNECT BY (PRIOR ID = PARENT_ID) AND (STATEMENT_ID = '") +
           statementId + QStringLiteral("') ");
}

QString TStatementIds::Next(std::uint32_t tick)
{
    // Compared as a signed distance so the counter's wrap-around after 49 days is no step back.
    if (m_given && static_cast<std::int32_t>(tick - m_last) <= 0)
        tick = m_last + 1;
    m_given = true;
    m_last = tick;
    return QString::number(tick);
}

QString NextStatementId(std::uint32_t tick)
{
    static TStatementIds ids;
    return ids.Next(tick);
}

std::uint32_t TickCount()
{
    const auto since = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

} // namespace quorvex
