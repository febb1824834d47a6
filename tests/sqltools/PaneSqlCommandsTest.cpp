// "Execute SQL", "Clear", "Load from File" and "Save to File" of the main window's text panes,
// end to end on a copy of the demo database, and the exact statement text the session gets.
#include "mainwindow/PaneSqlCommands.h"

#include "SqlToolsHarness.h"
#include "dictionary/DBOraClass.h"
#include "mainwindow/DiagramPane.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PaneSet.h"
#include "mainwindow/TextPane.h"
#include "sqltools/PaneSql.h"
#include "sqltools/QueryRowsModel.h"
#include "sqltools/SQLGridForm.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QPointer>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace quorvex::test {
namespace {

TEST(PaneSqlCommands, AsteriskLineBecomesAQueryAndOpensAResultsWindow)
{
    TMainWindowHarness harness;
    harness.SetCurrentPane(kActionPane, QStringLiteral("*DUAL"));
    harness.Click("ExecuteSQL1");
    EXPECT_EQ(harness.Form().PaneText(kActionPane), QStringLiteral("SELECT * FROM DUAL"));
    const auto windows = harness.ResultsWindows();
    ASSERT_EQ(windows.size(), 1u);
    TSQLGridForm& results = *windows[0];
    EXPECT_TRUE(results.isVisible());
    EXPECT_EQ(results.objectName(), QStringLiteral("SQLGridForm"));
    EXPECT_EQ(results.SQLText(), QStringLiteral("SELECT * FROM DUAL"));
    EXPECT_EQ(GridRows(results), QStringList{"X"});
    EXPECT_TRUE(results.windowTitle().startsWith("SQL Results in "))
        << results.windowTitle().toStdString();
    EXPECT_TRUE(results.windowTitle().endsWith(" seconds"));
    EXPECT_TRUE(harness.AskedKinds().isEmpty()) << harness.AskedKinds().join(',').toStdString();
}

TEST(PaneSqlCommands, LowerCaseSelectOpensAWindowWithTheMainWindowsFont)
{
    TMainWindowHarness harness;
    QFont font = harness.Form().font();
    font.setPixelSize(17);
    harness.Form().setFont(font);
    // Only the first line is rewritten; the rest of the pane stays.
    harness.SetCurrentPane(kDescriptionPane,
                           QStringLiteral("*EMP\nWHERE DEPTNO = 10\nORDER BY EMPNO"));
    harness.Click("ExecuteSQL1");
    EXPECT_EQ(harness.Form().PaneText(kDescriptionPane),
              QStringLiteral("SELECT * FROM EMP\nWHERE DEPTNO = 10\nORDER BY EMPNO"));

    harness.SetCurrentPane(kActionPane, QStringLiteral("select ename, sal\nfrom emp\n"
                                                       "where deptno = 10 order by ename"));
    harness.Click("ExecuteSQL1");
    const auto windows = harness.ResultsWindows();
    ASSERT_EQ(windows.size(), 2u);
    EXPECT_EQ(windows[0]->Rows().rowCount(), 3);
    EXPECT_EQ(GridRows(*windows[1]), (QStringList{"CLARK|2450", "KING|5000", "MILLER|1300"}));
    EXPECT_EQ(windows[1]->font().pixelSize(), 17);
    // Two windows at once have names of their own.
    EXPECT_EQ(windows[0]->objectName(), QStringLiteral("SQLGridForm"));
    EXPECT_EQ(windows[1]->objectName(), QStringLiteral("SQLGridForm_1"));
    EXPECT_EQ(windows[0]->parent(), &harness.Form());
}

TEST(PaneSqlCommands, LeadingBlankRunsAsAStatement)
{
    TMainWindowHarness harness;
    harness.Form().SetPaneText(kErrorsPane, QStringLiteral("earlier error"));
    harness.SetCurrentPane(kActionPane, QStringLiteral(" SELECT * FROM DUAL"));
    harness.Click("ExecuteSQL1");
    EXPECT_TRUE(harness.ResultsWindows().empty());
    EXPECT_EQ(harness.StatusText(), QStringLiteral("OK"));
    EXPECT_EQ(harness.Form().PaneText(kErrorsPane), QStringLiteral("earlier error"));
    EXPECT_EQ(harness.Form().Panes().CurrentIndex(), kActionPane);

    // A statement that changes data does so.
    harness.SetCurrentPane(kActionPane,
                           QStringLiteral("UPDATE EMP\nSET SAL = SAL + 1\nWHERE ENAME = 'KING'"));
    harness.Click("ExecuteSQL1");
    EXPECT_EQ(harness.StatusText(), QStringLiteral("OK"));
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT SAL FROM EMP WHERE ENAME = 'KING'"));
    harness.Click("ExecuteSQL1");
    ASSERT_EQ(harness.ResultsWindows().size(), 1u);
    EXPECT_EQ(GridRows(*harness.ResultsWindows()[0]), QStringList{"5001"});
}

TEST(PaneSqlCommands, RejectedStatementGoesToTheErrorsPane)
{
    TMainWindowHarness harness;
    harness.Form().SetPaneText(kErrorsPane, QStringLiteral("earlier error"));
    harness.Form().SetStatusText(QStringLiteral("before"));
    harness.SetCurrentPane(kActionPane, QStringLiteral("DELETE FROM NO_SUCH_TABLE"));
    harness.Click("ExecuteSQL1");
    const QString error = harness.Form().PaneText(kErrorsPane);
    EXPECT_NE(error, QStringLiteral("earlier error"));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_TRUE(error.contains("NO_SUCH_TABLE", Qt::CaseInsensitive) || error.contains("ORA-"))
        << error.toStdString();
    EXPECT_EQ(harness.Form().Panes().CurrentIndex(), kErrorsPane);
    EXPECT_EQ(harness.StatusText(), QStringLiteral("before"));
    EXPECT_TRUE(harness.AskedKinds().isEmpty());
    EXPECT_EQ(harness.Form().PaneText(kActionPane), QStringLiteral("DELETE FROM NO_SUCH_TABLE"));
}

TEST(PaneSqlCommands, EmptyPaneDiagramPaneAndEmptyFirstLine)
{
    TMainWindowHarness harness;
    harness.Form().SetPaneText(kErrorsPane, QStringLiteral("earlier error"));
    harness.Form().SetStatusText(QStringLiteral("before"));
    harness.SetCurrentPane(kActionPane, QString());
    harness.Click("ExecuteSQL1");

    // "IMG" makes a diagram pane current: no command has a text pane to act on.
    TPaneSet& panes = harness.Form().Panes();
    panes.SelectPane(panes.Count() - 1);
    ASSERT_EQ(panes.TextPane(panes.CurrentIndex()), nullptr);
    ASSERT_NE(panes.GetPane(panes.CurrentIndex()), nullptr);
    for (const char* item : {"ExecuteSQL1", "ClearPane1", "SaveToFile1", "LoadFromFile1"})
        harness.Click(item);
    EXPECT_TRUE(harness.ResultsWindows().empty());
    EXPECT_EQ(harness.StatusText(), QStringLiteral("before"));
    EXPECT_EQ(harness.Form().PaneText(kErrorsPane), QStringLiteral("earlier error"));
    // The file dialogs were asked (and cancelled) but nothing else happened.
    EXPECT_EQ(harness.AskedKinds(), (QStringList{"SaveFile", "OpenFile"}));

    // Further lines after an empty first one: there is no first character to go by.
    harness.SetCurrentPane(kActionPane, QStringLiteral("\nSELECT * FROM DUAL"));
    harness.Click("ExecuteSQL1");
    EXPECT_EQ(harness.Form().PaneText(kErrorsPane), QString::fromLatin1(kEmptyFirstLine));
    EXPECT_EQ(panes.CurrentIndex(), kErrorsPane);
    EXPECT_TRUE(harness.ResultsWindows().empty());
}

TEST(PaneSqlCommands, FailingQueryIsReportedByTheResultsWindow)
{
    TMainWindowHarness harness;
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT * FROM NO_SUCH_TABLE"));
    harness.Click("ExecuteSQL1");
    ASSERT_EQ(harness.ResultsWindows().size(), 1u);
    EXPECT_EQ(harness.ResultsWindows()[0]->windowTitle(), QStringLiteral("SQL Results"));
    ASSERT_EQ(harness.AskedKinds(), QStringList{"Message"});
    EXPECT_FALSE(harness.Dialogs().Asked[0].Text.isEmpty());
    EXPECT_EQ(harness.Form().Panes().CurrentIndex(), kActionPane);
}

TEST(PaneSqlCommands, ClearEmptiesTheCurrentPane)
{
    TMainWindowHarness harness;
    harness.Form().SetPaneText(kDescriptionPane, QStringLiteral("kept"));
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT * FROM DUAL"));
    harness.Click("ClearPane1");
    EXPECT_EQ(harness.Form().PaneText(kActionPane), QString());
    EXPECT_EQ(harness.Form().PaneText(kDescriptionPane), QStringLiteral("kept"));
}

TEST(PaneSqlCommands, SaveAndLoadWithCrLf)
{
    TMainWindowHarness harness;
    const std::string file = harness.Dir().File("pane.sql");
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1"));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(file));
    harness.Click("SaveToFile1");
    EXPECT_EQ(ReadFileBytes(file), "SELECT ENAME\r\nFROM EMP\r\n\r\nWHERE 1 = 1\r\n");
    ASSERT_EQ(harness.Dialogs().FileRequests.size(), 1u);
    const TFileRequest& save = harness.Dialogs().FileRequests[0];
    EXPECT_EQ(save.Title, QStringLiteral("Save Text"));
    EXPECT_EQ(save.DefaultSuffix, QStringLiteral("SQL"));
    EXPECT_EQ(save.SelectedFilter, QStringLiteral("SQL Files (*.SQL)"));
    EXPECT_EQ(save.Filter, QStringLiteral("Object Files (*.OBJ);;SQL Files (*.SQL);;All Files "
                                          "(*);;Layout Files (*.LYT);;Text Files (*.TXT)"));

    // Into the Description pane, through the same menu.
    harness.SetCurrentPane(kDescriptionPane, QStringLiteral("replaced"));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(file));
    harness.Click("LoadFromFile1");
    EXPECT_EQ(harness.Form().PaneText(kDescriptionPane),
              QStringLiteral("SELECT ENAME\nFROM EMP\n\nWHERE 1 = 1"));
    ASSERT_EQ(harness.Dialogs().FileRequests.size(), 2u);
    const TFileRequest& open = harness.Dialogs().FileRequests[1];
    EXPECT_EQ(open.Title, QStringLiteral("Load Text"));
    EXPECT_EQ(open.SelectedFilter, QStringLiteral("SQL Files (*.SQL)"));
    EXPECT_EQ(open.Path, QString::fromStdString(file)); // the last file chosen
    EXPECT_FALSE(open.Filter.contains("TXT"));
    EXPECT_TRUE(harness.AskedKinds().filter("Message").isEmpty());
}

TEST(PaneSqlCommands, SaveKeepsTheEncodingTheFileWasLoadedIn)
{
    TMainWindowHarness harness;
    const std::string latin1 = harness.Dir().File("latin1.sql");
    const std::string copy = harness.Dir().File("copy.sql");
    WriteFileBytes(latin1, "SELECT 'Caf\xE9' FROM DUAL\r\n");
    harness.SetCurrentPane(kActionPane, QString());
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(latin1));
    harness.Click("LoadFromFile1");
    EXPECT_EQ(harness.Form().PaneText(kActionPane), QStringLiteral("SELECT 'Caf\u00E9' FROM DUAL"));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(copy));
    harness.Click("SaveToFile1");
    EXPECT_EQ(ReadFileBytes(copy), ReadFileBytes(latin1));

    // Text that never came from a file is written in UTF-8.
    harness.SetCurrentPane(kDescriptionPane, QStringLiteral("caf\u00E9"));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(copy));
    harness.Click("SaveToFile1");
    EXPECT_EQ(ReadFileBytes(copy), "caf\xC3\xA9\r\n");
}

TEST(PaneSqlCommands, ClosedResultsWindowsAndTheirPlansAreFreed)
{
    TMainWindowHarness harness;
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT * FROM EMP"));
    harness.Click("ExecuteSQL1");
    harness.Click("ExecuteSQL1");
    const auto windows = harness.ResultsWindows();
    ASSERT_EQ(windows.size(), 2u);
    windows[0]->Explain1Click();
    windows[1]->Explain1Click();
    const QPointer<TSQLGridForm> plan = windows[0]->PlanWindow();
    ASSERT_FALSE(plan.isNull());
    windows[0]->close();
    windows[1]->PlanWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(harness.ResultsWindows(), std::vector<TSQLGridForm*>{windows[1]});
    EXPECT_TRUE(plan.isNull());
    EXPECT_EQ(windows[1]->PlanWindow(), nullptr);
    // The main window frees the one left open as it goes.
}

TEST(PaneSqlCommands, BadFilesLeaveThePaneAndTheOldFile)
{
    TMainWindowHarness harness;
    const std::string binary = harness.Dir().File("binary.sql");
    WriteFileBytes(binary, std::string("\x7F"
                                       "ELF\0\0\0",
                                       7));
    harness.SetCurrentPane(kActionPane, QStringLiteral("SELECT 1 FROM DUAL"));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(binary));
    harness.Click("LoadFromFile1");
    EXPECT_EQ(harness.Form().PaneText(kActionPane), QStringLiteral("SELECT 1 FROM DUAL"));
    ASSERT_EQ(harness.AskedKinds(), (QStringList{"OpenFile", "Message"}));
    EXPECT_TRUE(harness.Dialogs().Asked[1].Text.contains("not a text file"));

    // The disk fills up while the pane is saved over an older file.
    const std::string file = harness.Dir().File("old.sql");
    WriteFileBytes(file, "old\r\n");
    harness.SetCurrentPane(kActionPane, QString(200000, QLatin1Char('s')));
    harness.Dialogs().FileAnswers.push_back(QString::fromStdString(file));
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved;
    limit.rlim_cur = 64 * 1024;
    setrlimit(RLIMIT_FSIZE, &limit);
    harness.Click("SaveToFile1");
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    EXPECT_EQ(ReadFileBytes(file), "old\r\n");
    EXPECT_EQ(harness.AskedKinds().last(), QStringLiteral("Message"));
    EXPECT_EQ(harness.Form().PaneText(kActionPane).size(), 200000);
}

// A main window without a window around the pane commands, on a session that records what it
// is sent.
class TPaneHost final : public TMainWindowHost {
public:
    explicit TPaneHost(TDatabaseSession& session)
        : m_session(session)
        , m_query(session.CreateQuery())
        , m_panes(&m_window, nullptr, m_tree, m_options)
    {
        m_panes.CreateStartPanes();
        m_panes.SelectPane(kActionPane);
    }

    QWidget* HostWidget() override { return &m_window; }
    TDBNewOracle& Reader() override { return m_reader; }
    void ReplaceReader(std::unique_ptr<TDBNewOracle>) override {}
    TDatabaseSession& Session() override { return m_session; }
    TQuery& Query() override { return *m_query; }
    void SetStatusText(const QString& text) override { Statuses << text; }
    TObjectTreeModel& TreeModel() override { return m_tree; }
    QModelIndex SelectedNode() const override { return {}; }
    void SelectNode(const QModelIndex&) override {}
    void SetPaneText(int index, const QString& text) override { m_panes.SetPaneText(index, text); }
    QString PaneText(int index) const override { return m_panes.PaneText(index); }
    void SelectPane(int index) override { m_panes.SelectPane(index); }
    void SetDescriptionReportLayout() override {}
    QAction* Action(const QString&) const override { return nullptr; }

    TPaneSet& Panes() { return m_panes; }
    QStringList Statuses;

private:
    TDatabaseSession& m_session;
    std::unique_ptr<TQuery> m_query;
    QWidget m_window;
    TObjectTreeModel m_tree;
    TDiagramOptions m_options;
    TDBNewOracle m_reader;
    TPaneSet m_panes;
};

TEST(PaneSqlCommands, StatementLinesReachTheSessionWithLineFeeds)
{
    TScriptedDialogsScope dialogs;
    TDemoCopy demo;
    TRecordingSession session(demo.AliasFile());
    TPaneHost host(session);
    TPaneSqlCommands commands(host, host.Panes());

    host.SetPaneText(kActionPane, QStringLiteral("UPDATE EMP\nSET SAL = SAL\n\nWHERE 1 = 0\n"));
    commands.Execute1Click();
    EXPECT_EQ(session.Sent,
              std::vector<std::string>{"exec: UPDATE EMP\nSET SAL = SAL\n\nWHERE 1 = 0\n"});
    EXPECT_EQ(host.Statuses, QStringList{"OK"});

    // Errors not reported stay quiet; the result says it failed.
    host.SetPaneText(kErrorsPane, QStringLiteral("quiet"));
    EXPECT_FALSE(commands.ExecuteStatement(QStringLiteral("DROP TABLE NO_SUCH_TABLE"), false));
    EXPECT_EQ(host.PaneText(kErrorsPane), QStringLiteral("quiet"));
    EXPECT_EQ(host.Panes().CurrentIndex(), kActionPane);
    EXPECT_TRUE(commands.ExecuteStatement(QStringLiteral("UPDATE EMP SET SAL = SAL"), true));

    // A query goes to a results window owned by the host's window, on the same session.
    session.Sent.clear();
    TSQLGridForm* results = commands.ShowQueryResults(QStringLiteral("SELECT COUNT(*) FROM EMP"));
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->parent(), host.HostWidget());
    EXPECT_EQ(&results->Session(), &session);
    EXPECT_EQ(session.Sent, std::vector<std::string>{"query-open: SELECT COUNT(*) FROM EMP"});
    EXPECT_EQ(GridRows(*results), QStringList{"14"});
    EXPECT_TRUE(dialogs->Asked.empty());
}

} // namespace
} // namespace quorvex::test
