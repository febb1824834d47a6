// The SQL Results window on a copy of the demo database: running, failing, explaining (the plan
// table created once, in the user's own schema), names, Escape, and the SQL file items.
#include "sqltools/SQLGridForm.h"

#include "SqlToolsHarness.h"
#include "persistence/Exceptions.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/ResultsTexts.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const QString kJoin =
    QStringLiteral("SELECT e.ENAME, d.DNAME FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO");

// A results window shown on the session, as "Execute SQL" opens one.
std::unique_ptr<TSQLGridForm> Open(TDatabaseSession& session, const QString& sql)
{
    auto form = std::make_unique<TSQLGridForm>(session, nullptr);
    form->SetSQLText(sql);
    form->show();
    return form;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.rfind(prefix, 0) == 0;
}

// The plan window's description column.
QStringList Descriptions(const TSQLGridForm& plan)
{
    QStringList lines;
    for (int row = 0; row < plan.Rows().rowCount(); ++row)
        lines << plan.Rows().index(row, 2).data().toString();
    return lines;
}

int Count(TDatabaseSession& session, const std::string& sql)
{
    const auto query = session.CreateQuery(false);
    query->SetSQL(sql);
    query->Open();
    return static_cast<int>(query->AsInteger(0));
}

class SQLGridFormTest : public ::testing::Test {
protected:
    TScriptedDialogsScope m_dialogs;
    TDemoCopy m_demo;
};

TEST_F(SQLGridFormTest, LayoutMenuAndCaption)
{
    TRecordingSession session(m_demo.AliasFile());
    TSQLGridForm form(session, nullptr);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("SQL Results"));
    EXPECT_EQ(form.width(), 624);
    EXPECT_EQ(form.SQLRichEdit1()->objectName(), QStringLiteral("SQLRichEdit1"));
    EXPECT_EQ(form.DBGrid1()->objectName(), QStringLiteral("DBGrid1"));
    EXPECT_EQ(form.SQLRichEdit1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QStringList captions;
    for (const QAction* action : form.menuBar()->actions())
        captions << action->text();
    EXPECT_EQ(captions, (QStringList{"E&xecute", "Ex&plain", "&Save", "&Load"}));
    EXPECT_NE(form.MainStatusBar(), nullptr);
    // Nothing runs before the window shows.
    EXPECT_TRUE(session.Sent.empty());
}

TEST_F(SQLGridFormTest, JoinRowsAndItsIndentedPlan)
{
    TRecordingSession session(m_demo.AliasFile());
    auto form = Open(session, kJoin);
    EXPECT_EQ(form->Rows().rowCount(), 14);
    EXPECT_EQ(form->Rows().columnCount(), 2);
    EXPECT_TRUE(form->windowTitle().startsWith("SQL Results in "));
    ASSERT_EQ(session.Sent.size(), 1u);
    EXPECT_EQ(session.Sent[0], "query-open: " + kJoin.toStdString());

    EXPECT_FALSE(form->PlanTableExists());
    session.Sent.clear();
    form->Explain1Click();
    TSQLGridForm* plan = form->PlanWindow();
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->isVisible());
    EXPECT_EQ(plan->parent(), form.get());
    EXPECT_EQ(plan->objectName(), QStringLiteral("SQLGridForm_1"));
    const QStringList lines = Descriptions(*plan);
    ASSERT_EQ(lines.size(), 5) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("----->SELECT STATEMENT   "));
    EXPECT_EQ(lines[1], QStringLiteral("-------->NESTED LOOPS   "));
    EXPECT_TRUE(lines[2].startsWith("----------->TABLE ACCESS FULL on SCOTT."));
    EXPECT_TRUE(lines[4].startsWith("-------------->INDEX RANGE SCAN on SCOTT."));
    EXPECT_EQ(plan->Rows().columnCount(), 3);
    EXPECT_EQ(plan->Rows().headerData(0, Qt::Horizontal).toString().toUpper(),
              QStringLiteral("RECORDS"));

    // Exists? no: create, clear the new id, explain, then the plan window's query.
    ASSERT_EQ(session.Sent.size(), 5u);
    EXPECT_TRUE(StartsWith(session.Sent[0], "query-open: SELECT COUNT(1) FROM SYS.OBJ$"));
    EXPECT_EQ(session.Sent[1], std::string("query-exec: ") + kPlanTableSql);
    const QString marker = QStringLiteral("STATEMENT_ID = '");
    const QString planSql = plan->SQLText();
    const qsizetype at = planSql.indexOf(marker) + marker.size();
    const std::string id = planSql.mid(at, planSql.indexOf('\'', at) - at).toStdString();
    // The tick count in decimal: no sign, no leading zeros.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[1-9][0-9]*$"))
                    .match(QString::fromStdString(id))
                    .hasMatch())
        << id;
    EXPECT_EQ(plan->SQLText(), PlanDisplaySql(QString::fromStdString(id)));
    EXPECT_EQ(session.Sent[2],
              "query-exec: DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = '" + id + "'");
    EXPECT_EQ(session.Sent[3], "query-exec: EXPLAIN PLAN SET STATEMENT_ID = '" + id +
                                   "' INTO QUORVEX_PLAN_TABLE FOR " + kJoin.toStdString());
    EXPECT_EQ(session.Sent[4],
              "query-open: " + PlanDisplaySql(QString::fromStdString(id)).toStdString());
    EXPECT_TRUE(m_dialogs->Asked.empty());

    // The second explain finds the table and does not create it again.
    EXPECT_TRUE(form->PlanTableExists());
    session.Sent.clear();
    form->Explain1Click();
    TSQLGridForm* second = form->PlanWindow();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, plan);
    ASSERT_EQ(session.Sent.size(), 5u);
    EXPECT_EQ(session.Sent[1], std::string("query-exec: ") + kDeletePlanASql);
    for (const std::string& sent : session.Sent)
        EXPECT_FALSE(StartsWith(sent, "query-exec: CREATE")) << sent;
    EXPECT_NE(second->SQLText(), plan->SQLText());
    EXPECT_EQ(Descriptions(*second), lines);
    // Both plans stay in the table, under different ids; there is one plan table.
    EXPECT_EQ(Count(session, "SELECT COUNT(DISTINCT STATEMENT_ID) FROM QUORVEX_PLAN_TABLE"), 2);
    EXPECT_EQ(Count(session, "SELECT COUNT(*) FROM SYS.OBJ$ WHERE NAME = 'QUORVEX_PLAN_TABLE'"), 1);
}

TEST_F(SQLGridFormTest, PlanTableOfAnotherUserDoesNotStopTheExplain)
{
    {
        TRecordingSession hr(m_demo.AliasFile(), "HR", "hr");
        hr.ExecuteStatement(kPlanTableSql);
    }
    TRecordingSession scott(m_demo.AliasFile());
    auto form = Open(scott, QStringLiteral("SELECT * FROM DEPT"));
    EXPECT_FALSE(form->PlanTableExists());
    form->Explain1Click();
    ASSERT_NE(form->PlanWindow(), nullptr);
    EXPECT_EQ(Descriptions(*form->PlanWindow()),
              (QStringList{"----->SELECT STATEMENT   ",
                           "-------->TABLE ACCESS FULL on SCOTT.DEPT  TABLE"}));
    EXPECT_TRUE(form->PlanTableExists());
}

TEST_F(SQLGridFormTest, FailuresOfQueriesAndExplains)
{
    TRecordingSession session(m_demo.AliasFile());
    auto form = Open(session, QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    // The first show fails: a message box, the caption as it was.
    EXPECT_EQ(form->windowTitle(), QStringLiteral("SQL Results"));
    ASSERT_EQ(m_dialogs->Asked.size(), 1u);
    EXPECT_EQ(m_dialogs->Asked[0].Kind, QStringLiteral("Message"));
    EXPECT_FALSE(m_dialogs->Asked[0].Text.isEmpty());

    form->SetSQLText(QStringLiteral("SELECT DNAME FROM DEPT ORDER BY DEPTNO"));
    form->Execute1Click();
    const QString caption = form->windowTitle();
    EXPECT_EQ(GridRows(*form), (QStringList{"ACCOUNTING", "RESEARCH", "SALES", "OPERATIONS"}));

    // A failing run keeps the caption and the rows shown.
    form->SetSQLText(QStringLiteral("SELEC nothing"));
    form->Execute1Click();
    EXPECT_EQ(m_dialogs->Asked.size(), 2u);
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(form->Rows().rowCount(), 4);

    // An explain of a bad text opens nothing and says nothing.
    form->Explain1Click();
    EXPECT_EQ(form->PlanWindow(), nullptr);
    EXPECT_EQ(m_dialogs->Asked.size(), 2u);
}

TEST_F(SQLGridFormTest, ColonsAreSentUnchanged)
{
    TRecordingSession session(m_demo.AliasFile());
    auto form = Open(session, QStringLiteral("SELECT ':NAME' FROM DUAL"));
    EXPECT_EQ(GridRows(*form), QStringList{":NAME"});
    EXPECT_TRUE(m_dialogs->Asked.empty());
}

TEST_F(SQLGridFormTest, NamesAreUniqueWhileWindowsExist)
{
    TRecordingSession session(m_demo.AliasFile());
    auto first = Open(session, QStringLiteral("SELECT * FROM DUAL"));
    auto second = Open(session, QStringLiteral("SELECT * FROM DUAL"));
    EXPECT_EQ(first->objectName(), QStringLiteral("SQLGridForm"));
    EXPECT_EQ(second->objectName(), QStringLiteral("SQLGridForm_1"));
    first.reset();
    auto third = std::make_unique<TSQLGridForm>(session, nullptr);
    EXPECT_EQ(third->objectName(), QStringLiteral("SQLGridForm"));
}

TEST_F(SQLGridFormTest, OnlyAnEscapePressedInTheWindowClosesAndFreesIt)
{
    TRecordingSession session(m_demo.AliasFile());
    const QPointer<TSQLGridForm> form =
        Open(session, QStringLiteral("SELECT * FROM DUAL")).release();
    // The release of an Escape that closed a message box reaches the window alone.
    QTest::keyRelease(form->DBGrid1(), Qt::Key_Escape);
    QTest::keyClick(form->SQLRichEdit1(), Qt::Key_A);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form->DBGrid1(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());
}

TEST_F(SQLGridFormTest, CancelledLoginEndsTheExplainSilently)
{
    TRecordingSession session(m_demo.AliasFile());
    int logins = 0;
    session.SetLoginCallback([&logins](TLoginParams&) {
        ++logins;
        throw EAbort("cancelled");
    });
    TSQLGridForm form(session, nullptr);
    form.SetSQLText(QStringLiteral("SELECT * FROM DUAL"));
    form.Explain1Click();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(form.PlanWindow(), nullptr);
    EXPECT_TRUE(m_dialogs->Asked.empty());
}

TEST_F(SQLGridFormTest, OnlyLongColumnsAreCutAndHintsShowWholeValues)
{
    TRecordingSession session(m_demo.AliasFile());
    session.ExecuteStatement("CREATE TABLE NOTES (TITLE VARCHAR2(400), BODY LONG)");
    const QString text = QStringLiteral(" first line\n") + QString(300, QLatin1Char('x'));
    session.ExecuteStatement(
        QStringLiteral("INSERT INTO NOTES VALUES ('%1', '%1')").arg(text).toStdString());
    auto form = Open(session, QStringLiteral("SELECT TITLE, BODY, 'A' || BODY FROM NOTES"));
    const TQueryRowsModel& rows = form->Rows();
    EXPECT_EQ(rows.index(0, 0).data().toString(), text);
    EXPECT_EQ(rows.index(0, 1).data().toString(),
              QStringLiteral("first line\n") + QString(kMemoDisplayLength - 11, QLatin1Char('x')));
    EXPECT_EQ(rows.index(0, 1).data(Qt::ToolTipRole).toString(), text);
    EXPECT_EQ(rows.index(0, 2).data().toString(), QLatin1Char('A') + text);
}

TEST_F(SQLGridFormTest, SaveAndLoadTheSqlText)
{
    TRecordingSession session(m_demo.AliasFile());
    auto form = Open(session, QStringLiteral("SELECT *\nFROM DEPT"));
    const std::string file = m_demo.Dir().File("grid.sql");
    m_dialogs->FileAnswers.push_back(QString::fromStdString(file));
    form->Save1Click();
    EXPECT_EQ(ReadFileBytes(file), "SELECT *\r\nFROM DEPT\r\n");
    ASSERT_EQ(m_dialogs->FileRequests.size(), 1u);
    EXPECT_EQ(m_dialogs->FileRequests[0].Title, QStringLiteral("Write SQL To File"));
    EXPECT_EQ(m_dialogs->FileRequests[0].Filter,
              QStringLiteral("SQL Files (*.sql);;All Files (*)"));

    WriteFileBytes(file, "SELECT ENAME\r\nFROM EMP\r\n");
    session.Sent.clear();
    m_dialogs->FileAnswers.push_back(QString::fromStdString(file));
    form->Load1Click();
    EXPECT_EQ(form->SQLText(), QStringLiteral("SELECT ENAME\nFROM EMP"));
    EXPECT_EQ(m_dialogs->FileRequests[1].Title, QStringLiteral("Read SQL From File"));
    // Loading does not run the text.
    EXPECT_TRUE(session.Sent.empty());
    EXPECT_EQ(form->Rows().rowCount(), 4);

    // Through the menu, a file that cannot be read shows a message and keeps the text.
    m_dialogs->FileAnswers.push_back(QString::fromStdString(m_demo.Dir().File("none.sql")));
    form->findChild<QAction*>(QStringLiteral("Load1"))->trigger();
    EXPECT_EQ(m_dialogs->Asked.back().Kind, QStringLiteral("Message"));
    EXPECT_EQ(form->SQLText(), QStringLiteral("SELECT ENAME\nFROM EMP"));
}

} // namespace
} // namespace quorvex::test
