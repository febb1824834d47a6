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
#include <QApplication>
#include <QCoreApplication>
#include <QPointer>
#include <QProgressDialog>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The main window, shown, with a pane command run on a text put into a pane made current.
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
    // The results windows, oldest first.
    QList<TSQLGridForm*> Results() const
    {
        return Form.findChildren<TSQLGridForm*>(Qt::FindDirectChildrenOnly);
    }
    QString Status() const { return Form.MainStatusBar()->currentMessage(); }

    TQuorvexMainForm& Form;
};

// The plan window's steps, then how many plan tables (HR's and SCOTT's) and plans there are.
QString Plan(TPanes& p, const TSQLGridForm& plan)
{
    QString text;
    for (int row = 0; row < plan.Rows().rowCount(); ++row)
        text += plan.Rows().index(row, 2).data().toString() + "\n";
    for (const char* sql : {"SELECT COUNT(*) FROM SYS.OBJ$ WHERE NAME = 'QUORVEX_PLAN_TABLE'",
                            "SELECT COUNT(DISTINCT STATEMENT_ID) FROM QUORVEX_PLAN_TABLE"}) {
        const auto query = p.Form.Session().CreateQuery(false);
        query->SetSQL(sql);
        query->Open();
        text += QString::number(query->AsInteger(0)) + " ";
    }
    return text;
}

TEST(PaneSqlCommands, QueriesStatementsFilesExplainsEscapeAndACancelledLogin)
{
    TPanes p;
    p.Run(kDescriptionPane, "*EMP\nWHERE DEPTNO = 10"); // only the first line is rewritten
    EXPECT_EQ(p.Form.PaneText(kDescriptionPane), "SELECT * FROM EMP\nWHERE DEPTNO = 10");
    p.Run(kActionPane, "select ename, sal\nfrom emp\nwhere deptno = 10 order by ename");
    ASSERT_EQ(p.Results().size(), 2);
    EXPECT_EQ(GridRows(p.Results()[1]->Rows()),
              QStringList({"CLARK|2450", "KING|5000", "MILLER|1300"}));
    EXPECT_TRUE(p.Results()[1]->isVisible() &&
                p.Results()[1]->windowTitle().startsWith("SQL Results in "));
    EXPECT_EQ(p.Results()[0]->objectName() + " " + p.Results()[1]->objectName(),
              "SQLGridForm SQLGridForm_1");

    // A leading blank runs the text as a statement, and that changes data.
    p.Run(kActionPane, " UPDATE EMP\nSET SAL = SAL + 1\nWHERE ENAME = 'KING'");
    EXPECT_EQ(p.Status(), "OK");
    p.Run(kActionPane, "SELECT SAL FROM EMP WHERE ENAME = 'KING'");
    EXPECT_EQ(GridRows(p.Results().back()->Rows()), QStringList({"5001"}));

    // A rejected statement goes to the Errors pane; a failing query to a message box.
    p.Form.SetStatusText("before");
    p.Run(kActionPane, "DELETE FROM NO_SUCH_TABLE");
    EXPECT_TRUE(p.Form.PaneText(kErrorsPane).contains("NO_SUCH_TABLE", Qt::CaseInsensitive));
    EXPECT_EQ(p.Form.Panes().CurrentIndex(), kErrorsPane);
    p.Run(kActionPane, "\nSELECT * FROM DUAL");
    EXPECT_EQ(p.Form.PaneText(kErrorsPane), kEmptyFirstLine);
    EXPECT_EQ(p.Status(), "before");
    p.Run(kActionPane, "SELECT * FROM NO_SUCH_TABLE");
    EXPECT_EQ(p.Results().back()->windowTitle(), "SQL Results");
    EXPECT_EQ(p.AskedKinds(), QStringList({"Message"}));
    p.Run(kActionPane, "SELECT 1", "ClearPane1");
    EXPECT_EQ(p.Form.PaneText(kActionPane) + p.Form.PaneText(kDescriptionPane).left(6), "SELECT");

    // A pane's text as a script: every statement runs, failures by line in the Errors pane.
    p.Run(kActionPane,
          "CREATE TABLE RUN_NOTES (ID NUMBER(4) PRIMARY KEY);\n-- a note\nDROP TABLE NOPE;\n"
          "INSERT INTO RUN_NOTES VALUES (1);\nCREATE PROCEDURE RUN_P IS\nBEGIN\n  NULL;\nEND;\n/\n"
          "DROP SEQUENCE NOPE;\n",
          "RunScript1");
    EXPECT_EQ(p.Status(), "5 statements run, 2 failed");
    EXPECT_EQ(p.Form.PaneText(kErrorsPane), "Script:3: ORA-00942: table or view does not exist\n"
                                            "Script:10: ORA-02289: sequence does not exist");
    EXPECT_EQ(p.Form.Panes().CurrentIndex(), kErrorsPane);
    // A long one shows its progress, and Stop ends it between statements, keeping what ran.
    QString inserts;
    for (int i = 2; i < 60000; ++i)
        inserts += QStringLiteral("INSERT INTO RUN_NOTES VALUES (%1);\n").arg(i);
    QTimer stop;
    QObject::connect(&stop, &QTimer::timeout, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* progress = qobject_cast<QProgressDialog*>(window);
                progress && progress->isVisible())
                progress->cancel();
    });
    stop.start(50);
    p.Run(kActionPane, inserts, "RunScript1");
    const int ran = p.Status().section(' ', 0, 0).toInt();
    EXPECT_TRUE(ran > 0 && ran < 59998) << p.Status().toStdString();
    EXPECT_EQ(
        p.Form.PaneText(kErrorsPane),
        QStringLiteral("Script:%1: interrupted; this statement and the rest were not run, the "
                       "work of those before it is kept")
            .arg(ran + 1));

    // No command acts on a diagram pane.
    p.Form.Panes().SelectPane(p.Form.Panes().Count() - 1); // "IMG"
    for (const char* item :
         {"ExecuteSQL1", "RunScript1", "ClearPane1", "SaveToFile1", "LoadFromFile1"})
        p.Click(item);
    EXPECT_EQ(p.Results().size(), 4);
    EXPECT_EQ(p.AskedKinds(), QStringList({"Message", "SaveFile", "OpenFile"})); // cancelled
    p.Dialogs().Asked.clear();
    p.Dialogs().FileRequests.clear();

    // Save and Load with CR LF, refusing a binary file, keeping the old file when the disk fills.
    const QString crlf = "SELECT ENAME\r\nFROM EMP\r\n\r\nWHERE 1 = 1\r\n";
    p.Dialogs().FileAnswers = {p.File("pane.sql"), p.File("pane.sql")};
    p.Run(kActionPane, "SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1", "SaveToFile1");
    EXPECT_EQ(ReadFileBytes(p.Path("pane.sql")), crlf.toStdString());
    p.Run(kDescriptionPane, "replaced", "LoadFromFile1");
    EXPECT_EQ(p.Form.PaneText(kDescriptionPane), "SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1");
    const auto& [save, open] =
        std::pair(p.Dialogs().FileRequests.at(0), p.Dialogs().FileRequests.at(1));
    EXPECT_EQ(save.Title + "|" + save.SelectedFilter + "|" + open.Title + "|" + open.Path,
              "Save Text|SQL Files (*.SQL)|Load Text|" + p.File("pane.sql")); // the last file

    // A Latin-1 file is saved as Latin-1 again, a text that never came from a file as UTF-8.
    WriteFileBytes(p.Path("latin1.sql"), "SELECT 'Caf\xE9' FROM DUAL\r\n");
    p.Dialogs().FileAnswers = {p.File("latin1.sql"), p.File("copy.sql"), p.File("utf8.sql")};
    p.Run(kActionPane, "", "LoadFromFile1");
    p.Click("SaveToFile1");
    p.Run(kDescriptionPane, "caf\u00E9", "SaveToFile1");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "SELECT 'Caf\u00E9' FROM DUAL");
    EXPECT_EQ(ReadFileBytes(p.Path("copy.sql")) + ReadFileBytes(p.Path("utf8.sql")),
              "SELECT 'Caf\xE9' FROM DUAL\r\ncaf\xC3\xA9\r\n");

    WriteFileBytes(p.Path("binary.sql"), "\x7F\x45LF" + std::string(3, '\0'));
    p.Dialogs().FileAnswers = {p.File("binary.sql"), p.File("pane.sql")};
    p.Run(kActionPane, "SELECT 1 FROM DUAL", "LoadFromFile1");
    EXPECT_EQ(p.Form.PaneText(kActionPane), "SELECT 1 FROM DUAL");
    EXPECT_TRUE(p.Dialogs().Asked.back().Text.contains("not a text file"));
    {
        const TDiskFull full(64 * 1024);
        p.Run(kActionPane, QString(200000, u's'), "SaveToFile1");
    }
    EXPECT_EQ(ReadFileBytes(p.Path("pane.sql")), crlf.toStdString());
    EXPECT_EQ(p.AskedKinds().filter("Message").size(), 2);
    p.Dialogs().Asked.clear();
    for (TSQLGridForm* form : p.Results())
        delete form;

    // The results window's explain plan, in a plan table of the user's own.
    p.Form.Session().Close(); // one connection at a time
    {
        TQtSession hr(p.Path("aliases.ini"));
        hr.SetAlias("DEMO");
        hr.SetLoginCallback([](TLoginParams& login) { login.UserName = login.Password = "HR"; });
        hr.ExecuteStatement(kPlanTableSql); // does not count for SCOTT
    }
    p.Run(kActionPane, "SELECT e.ENAME, d.DNAME FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO");
    TSQLGridForm& form = *p.Results().at(0);
    EXPECT_EQ(form.objectName() + QString::number(form.Rows().rowCount()), "SQLGridForm14");
    const QString steps = "----->SELECT STATEMENT   \n-------->NESTED LOOPS   \n"
                          "----------->TABLE ACCESS FULL on SCOTT.EMP  TABLE\n"
                          "----------->TABLE ACCESS BY INDEX ROWID on SCOTT.DEPT  TABLE\n"
                          "-------------->INDEX RANGE SCAN on SCOTT.PK_DEPT  INDEX\n";
    for (const char* counts :
         {"2 1 ", "2 2 "}) { // the second finds the table, keeps the first plan
        const TSQLGridForm* before = form.PlanWindow();
        form.Explain1Click();
        ASSERT_TRUE(form.PlanWindow() && form.PlanWindow() != before &&
                    form.PlanWindow()->isVisible());
        EXPECT_EQ(Plan(p, *form.PlanWindow()), steps + counts);
    }
    EXPECT_TRUE(p.AskedKinds().isEmpty());

    // A failing run keeps the caption and the rows; a bad text explains to nothing, silently.
    const QString caption = form.windowTitle();
    form.SetSQLText("SELEC nothing");
    form.Execute1Click();
    form.Explain1Click();
    EXPECT_EQ(form.windowTitle() + QString::number(form.Rows().rowCount()), caption + "14");
    EXPECT_EQ(p.AskedKinds(), QStringList({"Message"}));
    p.Dialogs().Asked.clear();

    // Only long columns are cut; their hint shows the whole value.
    p.Form.Session().ExecuteStatement("CREATE TABLE NOTES (TITLE VARCHAR2(400), BODY LONG)");
    const QString text = " first line\n" + QString(300, u'x');
    p.Form.Session().ExecuteStatement(
        QString("INSERT INTO NOTES VALUES ('%1', '%1')").arg(text).toStdString());
    form.SetSQLText("SELECT TITLE, BODY, 'A' || BODY FROM NOTES");
    form.Execute1Click();
    EXPECT_EQ(GridRows(form.Rows()).join('|') + "|" +
                  form.Rows().index(0, 1).data(Qt::ToolTipRole).toString(),
              text + "|first line\n" + QString(kMemoDisplayLength - 11, u'x') + "|A" + text + "|" +
                  text);

    // The SQL text to and from files; loading does not run it; an unreadable file changes nothing.
    p.Dialogs().FileAnswers = {p.File("grid.sql"), p.File("grid.sql"), p.File("none.sql")};
    form.SetSQLText("SELECT *\nFROM DEPT");
    form.Save1Click();
    EXPECT_EQ(ReadFileBytes(p.Path("grid.sql")), "SELECT *\r\nFROM DEPT\r\n");
    WriteFileBytes(p.Path("grid.sql"), "SELECT ENAME\r\nFROM EMP\r\n");
    form.Load1Click();
    form.findChild<QAction*>("Load1")->trigger();
    EXPECT_EQ(form.SQLText() + QString::number(form.Rows().rowCount()), "SELECT ENAME\nFROM EMP1");
    const auto& asked = p.Dialogs().FileRequests;
    EXPECT_EQ(asked[asked.size() - 3].Title + "|" + asked.back().Title + "|" + asked.back().Filter,
              "Write SQL To File|Read SQL From File|SQL Files (*.sql);;All Files (*)");
    EXPECT_EQ(p.AskedKinds().join(' '), "SaveFile OpenFile OpenFile Message");
    p.Dialogs().Asked.clear();

    // Only an Escape pressed in the window closes and frees it: the release of an Escape that
    // closed a message box reaches the window alone.
    p.Run(kActionPane, "SELECT * FROM EMP");
    const QPointer<TSQLGridForm> shown = p.Results().back();
    QTest::keyRelease(shown->DBGrid1(), Qt::Key_Escape);
    QTest::keyClick(shown->SQLRichEdit1(), Qt::Key_A);
    EXPECT_TRUE(shown->isVisible());
    QTest::keyClick(shown->DBGrid1(), Qt::Key_Escape);
    EXPECT_FALSE(shown->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull());

    // Closed results windows and their plans are freed.
    p.Click("ExecuteSQL1");
    p.Click("ExecuteSQL1");
    const auto windows = p.Results().mid(1); // after the first
    windows[0]->Explain1Click();
    windows[1]->Explain1Click();
    const QPointer<TSQLGridForm> plan = windows[0]->PlanWindow();
    windows[0]->close();
    windows[1]->PlanWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(p.Results(), QList<TSQLGridForm*>({&form, windows[1]}));
    EXPECT_TRUE(plan.isNull() && windows[1]->PlanWindow() == nullptr);

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
