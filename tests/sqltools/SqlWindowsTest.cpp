// "Execute SQL", "Clear", "Load from File" and "Save to File" of the main window's text panes,
// and the SQL Results window with its explain plan (the plan table created once, in the user's
// own schema), end to end on a copy of the demo database.
#include "DiskFull.h"
#include "WindowHarness.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"
#include "sqltools/PaneSql.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/ResultsTexts.h"
#include "sqltools/SQLGridForm.h"

#include <QAction>
#include <QCoreApplication>
#include <QPointer>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The main window, showing, with the text in the current pane.
class TPanes : public TWindowHarness {
public:
    TPanes()
        : Form(Create())
    {
        Form.show();
    }
    void Run(int pane, const QString& text, const char* item = "ExecuteSQL1")
    {
        Form.SelectPane(pane);
        Form.SetPaneText(pane, text);
        Click(item);
    }
    std::vector<TSQLGridForm*> Results() const
    {
        const auto found = Form.findChildren<TSQLGridForm*>(Qt::FindDirectChildrenOnly);
        return {found.begin(), found.end()};
    }
    QString Status() const { return Form.MainStatusBar()->currentMessage(); }
    QString File(const char* name) const { return QString::fromStdString(Dir().File(name)); }

    TQuorvexMainForm& Form;
};

TEST(PaneSqlCommands, QueriesOpenResultsWindowsStatementsRunAtOnce)
{
    TPanes p;
    QFont font = p.Form.font();
    font.setPixelSize(17);
    p.Form.setFont(font);
    p.Run(kActionPane, "*DUAL");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "SELECT * FROM DUAL");
    // Only the first line is rewritten.
    p.Run(kDescriptionPane, "*EMP\nWHERE DEPTNO = 10\nORDER BY EMPNO");
    EXPECT_EQ(p.Form.PaneText(kDescriptionPane),
              "SELECT * FROM EMP\nWHERE DEPTNO = 10\nORDER BY EMPNO");
    p.Run(kActionPane, "select ename, sal\nfrom emp\nwhere deptno = 10 order by ename");
    const auto windows = p.Results();
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(GridRows(windows[0]->Rows()), QStringList({"X"}));
    EXPECT_EQ(windows[1]->Rows().rowCount(), 3);
    EXPECT_EQ(GridRows(windows[2]->Rows()),
              QStringList({"CLARK|2450", "KING|5000", "MILLER|1300"}));
    EXPECT_TRUE(windows[2]->isVisible());
    EXPECT_EQ(windows[2]->font().pixelSize(), 17);
    EXPECT_TRUE(windows[0]->windowTitle().startsWith("SQL Results in "));
    EXPECT_EQ(windows[1]->objectName() + windows[2]->objectName(), "SQLGridForm_1SQLGridForm_2");

    // A leading blank runs the text as a statement, and that changes data.
    p.Form.SetPaneText(kErrorsPane, "earlier error");
    p.Run(kActionPane, " UPDATE EMP\nSET SAL = SAL + 1\nWHERE ENAME = 'KING'");
    EXPECT_EQ(p.Status(), "OK");
    p.Run(kActionPane, "SELECT SAL FROM EMP WHERE ENAME = 'KING'");
    EXPECT_EQ(GridRows(p.Results().back()->Rows()), QStringList({"5001"}));
    EXPECT_EQ(p.Form.PaneText(kErrorsPane), "earlier error");
    EXPECT_TRUE(p.AskedKinds().isEmpty());

    // A rejected statement goes to the Errors pane; a failing query to a message box.
    p.Form.SetStatusText("before");
    p.Run(kActionPane, "DELETE FROM NO_SUCH_TABLE");
    EXPECT_TRUE(p.Form.PaneText(kErrorsPane).contains("NO_SUCH_TABLE", Qt::CaseInsensitive));
    EXPECT_EQ(p.Form.Panes().CurrentIndex(), kErrorsPane);
    EXPECT_EQ(p.Status(), "before");
    p.Run(kActionPane, "\nSELECT * FROM DUAL");
    EXPECT_EQ(p.Form.PaneText(kErrorsPane), kEmptyFirstLine);
    EXPECT_TRUE(p.AskedKinds().isEmpty());
    p.Run(kActionPane, "SELECT * FROM NO_SUCH_TABLE");
    EXPECT_EQ(p.Results().back()->windowTitle(), "SQL Results");
    EXPECT_EQ(p.AskedKinds(), QStringList({"Message"}));
    EXPECT_EQ(p.Results().size(), 5u);

    // "Clear" empties the current pane only.
    p.Run(kActionPane, "SELECT 1", "ClearPane1");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "");
    EXPECT_NE(p.Form.PaneText(kDescriptionPane), "");
}

TEST(PaneSqlCommands, NoCommandActsOnADiagramPane)
{
    TPanes p;
    p.Form.SetStatusText("before");
    p.Run(kActionPane, "", "ExecuteSQL1");                 // an empty pane does nothing either
    p.Form.Panes().SelectPane(p.Form.Panes().Count() - 1); // "IMG"
    ASSERT_EQ(p.Form.Panes().TextPane(p.Form.Panes().CurrentIndex()), nullptr);
    for (const char* item : {"ExecuteSQL1", "ClearPane1", "SaveToFile1", "LoadFromFile1"})
        p.Click(item);
    EXPECT_TRUE(p.Results().empty());
    EXPECT_EQ(p.Status(), "before");
    EXPECT_EQ(p.AskedKinds(), QStringList({"SaveFile", "OpenFile"})); // asked, then cancelled
}

TEST(PaneSqlCommands, SaveAndLoadKeepBytesAndRefuseBadFiles)
{
    TPanes p;
    p.Dialogs().FileAnswers = {p.File("pane.sql"), p.File("pane.sql")};
    p.Run(kActionPane, "SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1", "SaveToFile1");
    EXPECT_EQ(ReadFileBytes(p.Dir().File("pane.sql")),
              "SELECT ENAME\r\nFROM EMP\r\n\r\nWHERE 1 = 1\r\n");
    p.Run(kDescriptionPane, "replaced", "LoadFromFile1");
    EXPECT_EQ(p.Form.PaneText(kDescriptionPane), "SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1");
    const auto& save = p.Dialogs().FileRequests.at(0);
    const auto& open = p.Dialogs().FileRequests.at(1);
    EXPECT_EQ(save.Title + "|" + save.DefaultSuffix + "|" + save.SelectedFilter + "|" + save.Filter,
              "Save Text|SQL|SQL Files (*.SQL)|Object Files (*.OBJ);;SQL Files (*.SQL);;All Files "
              "(*);;Layout Files (*.LYT);;Text Files (*.TXT)");
    EXPECT_EQ(open.Title + "|" + open.SelectedFilter + "|" + open.Path,
              "Load Text|SQL Files (*.SQL)|" + p.File("pane.sql")); // the last file chosen
    EXPECT_FALSE(open.Filter.contains("TXT"));

    // A Latin-1 file is saved as Latin-1 again, a text that never came from a file as UTF-8.
    WriteFileBytes(p.Dir().File("latin1.sql"), "SELECT 'Caf\xE9' FROM DUAL\r\n");
    p.Dialogs().FileAnswers = {p.File("latin1.sql"), p.File("copy.sql"), p.File("utf8.sql")};
    p.Run(kActionPane, "", "LoadFromFile1");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "SELECT 'Caf\u00E9' FROM DUAL");
    p.Click("SaveToFile1");
    p.Run(kDescriptionPane, "caf\u00E9", "SaveToFile1");
    EXPECT_EQ(ReadFileBytes(p.Dir().File("copy.sql")), ReadFileBytes(p.Dir().File("latin1.sql")));
    EXPECT_EQ(ReadFileBytes(p.Dir().File("utf8.sql")), "caf\xC3\xA9\r\n");
    EXPECT_TRUE(p.AskedKinds().filter("Message").isEmpty());

    // A binary file is not loaded; a save that fills the disk keeps the old file.
    WriteFileBytes(p.Dir().File("binary.sql"), std::string("\x7F"
                                                           "ELF\0\0\0",
                                                           7));
    p.Dialogs().FileAnswers = {p.File("binary.sql"), p.File("pane.sql")};
    p.Run(kActionPane, "SELECT 1 FROM DUAL", "LoadFromFile1");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "SELECT 1 FROM DUAL");
    EXPECT_TRUE(p.Dialogs().Asked.back().Text.contains("not a text file"));
    {
        const TDiskFull full(64 * 1024);
        p.Run(kActionPane, QString(200000, u's'), "SaveToFile1");
    }
    EXPECT_EQ(ReadFileBytes(p.Dir().File("pane.sql")),
              "SELECT ENAME\r\nFROM EMP\r\n\r\nWHERE 1 = 1\r\n");
    EXPECT_EQ(p.AskedKinds().filter("Message").size(), 2);
    EXPECT_EQ(p.Form.PaneText(kActionPane).size(), 200000);
}

// A results window on the main window's session, shown as "Execute SQL" shows one.
std::unique_ptr<TSQLGridForm> Open(TPanes& p, const QString& sql)
{
    auto form = std::make_unique<TSQLGridForm>(p.Form.Session(), nullptr);
    form->SetSQLText(sql);
    form->show();
    return form;
}

// The plan window's steps; the number of plan tables and of plans kept in them.
QString Plan(TPanes& p, const TSQLGridForm& plan)
{
    QStringList steps;
    for (int row = 0; row < plan.Rows().rowCount(); ++row)
        steps << plan.Rows().index(row, 2).data().toString();
    const auto count = [&](const char* sql) {
        const auto query = p.Form.Session().CreateQuery(false);
        query->SetSQL(sql);
        query->Open();
        return QString::number(query->AsInteger(0));
    };
    return steps.join('\n') + "\n" +
           count("SELECT COUNT(*) FROM SYS.OBJ$ WHERE NAME = 'QUORVEX_PLAN_TABLE'") + " " +
           count("SELECT COUNT(DISTINCT STATEMENT_ID) FROM QUORVEX_PLAN_TABLE");
}

const char* const kSteps = "----->SELECT STATEMENT   \n"
                           "-------->NESTED LOOPS   \n"
                           "----------->TABLE ACCESS FULL on SCOTT.EMP  TABLE\n"
                           "----------->TABLE ACCESS BY INDEX ROWID on SCOTT.DEPT  TABLE\n"
                           "-------------->INDEX RANGE SCAN on SCOTT.PK_DEPT  INDEX\n";

TEST(SQLGridForm, ExplainCreatesThePlanTableOnceInTheUsersOwnSchema)
{
    TPanes p;
    {
        // HR's plan table does not count for SCOTT.
        TQtSession hr(p.Dir().File("aliases.ini"));
        hr.SetAlias("DEMO");
        hr.SetLoginCallback([](TLoginParams& login) { login.UserName = login.Password = "HR"; });
        hr.ExecuteStatement(kPlanTableSql);
    }
    auto form = Open(p, "SELECT e.ENAME, d.DNAME FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO");
    EXPECT_EQ(form->Rows().rowCount(), 14);
    EXPECT_FALSE(form->PlanTableExists());
    form->Explain1Click();
    TSQLGridForm* plan = form->PlanWindow();
    ASSERT_NE(plan, nullptr);
    EXPECT_TRUE(plan->isVisible());
    EXPECT_EQ(plan->parent(), form.get());
    // The steps, then how many plan tables (HR's and SCOTT's) and plans there are.
    EXPECT_EQ(Plan(p, *plan), kSteps + QString("2 1"));
    EXPECT_TRUE(form->PlanTableExists());
    form->Explain1Click(); // finds the table, keeps the first plan under its own id
    ASSERT_NE(form->PlanWindow(), plan);
    EXPECT_EQ(Plan(p, *form->PlanWindow()), kSteps + QString("2 2"));
    EXPECT_TRUE(p.AskedKinds().isEmpty());
}

TEST(SQLGridForm, FailuresNamesColonsLongValuesAndFiles)
{
    TPanes p;
    auto form = Open(p, "SELECT * FROM NO_SUCH_TABLE");
    EXPECT_EQ(form->windowTitle(), "SQL Results"); // failed: a message, the caption as it was
    form->SetSQLText("SELECT DNAME FROM DEPT WHERE DNAME <> ':NAME' ORDER BY DEPTNO");
    form->Execute1Click();
    const QString caption = form->windowTitle();
    EXPECT_EQ(GridRows(form->Rows()),
              QStringList({"ACCOUNTING", "RESEARCH", "SALES", "OPERATIONS"}));
    form->SetSQLText("SELEC nothing"); // keeps the caption and the rows
    form->Execute1Click();
    EXPECT_EQ(form->windowTitle(), caption);
    EXPECT_EQ(form->Rows().rowCount(), 4);
    form->Explain1Click(); // a bad text explains to nothing, silently
    EXPECT_EQ(form->PlanWindow(), nullptr);
    EXPECT_EQ(p.AskedKinds(), QStringList({"Message", "Message"}));
    auto second = Open(p, "SELECT * FROM DUAL");
    EXPECT_EQ(form->objectName() + " " + second->objectName(), "SQLGridForm SQLGridForm_1");
    form.reset();
    EXPECT_EQ(TSQLGridForm(p.Form.Session(), nullptr).objectName(), "SQLGridForm");

    // Only long columns are cut; their hint shows the whole value.
    p.Form.Session().ExecuteStatement("CREATE TABLE NOTES (TITLE VARCHAR2(400), BODY LONG)");
    const QString text = " first line\n" + QString(300, u'x');
    p.Form.Session().ExecuteStatement(
        QString("INSERT INTO NOTES VALUES ('%1', '%1')").arg(text).toStdString());
    second->SetSQLText("SELECT TITLE, BODY, 'A' || BODY FROM NOTES");
    second->Execute1Click();
    const TQueryRowsModel& rows = second->Rows();
    EXPECT_EQ(rows.index(0, 0).data().toString(), text);
    EXPECT_EQ(rows.index(0, 1).data().toString(),
              "first line\n" + QString(kMemoDisplayLength - 11, u'x'));
    EXPECT_EQ(rows.index(0, 1).data(Qt::ToolTipRole).toString(), text);
    EXPECT_EQ(rows.index(0, 2).data().toString(), 'A' + text);

    // The SQL text to and from files; loading does not run it; an unreadable file changes nothing.
    p.Dialogs().FileAnswers = {p.File("grid.sql"), p.File("grid.sql"), p.File("none.sql")};
    second->SetSQLText("SELECT *\nFROM DEPT");
    second->Save1Click();
    EXPECT_EQ(ReadFileBytes(p.Dir().File("grid.sql")), "SELECT *\r\nFROM DEPT\r\n");
    WriteFileBytes(p.Dir().File("grid.sql"), "SELECT ENAME\r\nFROM EMP\r\n");
    second->Load1Click();
    EXPECT_EQ(second->SQLText(), "SELECT ENAME\nFROM EMP");
    EXPECT_EQ(second->Rows().rowCount(), 1);
    second->findChild<QAction*>("Load1")->trigger();
    EXPECT_EQ(second->SQLText(), "SELECT ENAME\nFROM EMP");
    QStringList requests;
    for (const TFileRequest& r : p.Dialogs().FileRequests)
        requests << r.Title + "|" + r.Filter;
    EXPECT_EQ(requests.join('\n'), "Write SQL To File|SQL Files (*.sql);;All Files (*)\n"
                                   "Read SQL From File|SQL Files (*.sql);;All Files (*)\n"
                                   "Read SQL From File|SQL Files (*.sql);;All Files (*)");
    EXPECT_EQ(p.AskedKinds().size(), 2 + 3 + 1);
}

TEST(SQLGridForm, OnlyAnEscapePressedInTheWindowClosesItACancelledLoginIsSilent)
{
    TPanes p;
    const QPointer<TSQLGridForm> form = Open(p, "SELECT * FROM DUAL").release();
    // The release of an Escape that closed a message box reaches the window alone.
    QTest::keyRelease(form->DBGrid1(), Qt::Key_Escape);
    QTest::keyClick(form->SQLRichEdit1(), Qt::Key_A);
    EXPECT_TRUE(form->isVisible());
    QTest::keyClick(form->DBGrid1(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(form.isNull());

    // Closed results windows and their plans are freed.
    p.Run(kActionPane, "SELECT * FROM EMP");
    p.Click("ExecuteSQL1");
    const auto windows = p.Results();
    ASSERT_EQ(windows.size(), 2u);
    windows[0]->Explain1Click();
    windows[1]->Explain1Click();
    const QPointer<TSQLGridForm> plan = windows[0]->PlanWindow();
    windows[0]->close();
    windows[1]->PlanWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(p.Results(), std::vector<TSQLGridForm*>{windows[1]});
    EXPECT_TRUE(plan.isNull());
    EXPECT_EQ(windows[1]->PlanWindow(), nullptr);

    int logins = 0;
    p.Form.Session().Close();
    p.Form.Session().SetLoginCallback([&logins](TLoginParams&) {
        ++logins;
        throw EAbort("cancelled");
    });
    windows[1]->Explain1Click();
    EXPECT_EQ(logins, 1);
    EXPECT_EQ(windows[1]->PlanWindow(), nullptr);
    EXPECT_TRUE(p.AskedKinds().isEmpty());
}

} // namespace
} // namespace quorvex::test
