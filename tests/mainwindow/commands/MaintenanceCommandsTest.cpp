// The refresh, recompile, drop, analyse and switch commands end to end on a copy of the demo
// database, through a host without a window.
#include "CommandHost.h"
#include "mainwindow/commands/CommandRunner.h"
#include "model/ObjectItem.h"
#include "model/ObjectState.h"

#include <QAction>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const TObjectItem* FindObject(const TDBNewOracle& reader, const std::string& name)
{
    for (int i = 0; i < reader.Objects().Count(); ++i)
        if (reader.Objects().Items(i)->ObjectName == name)
            return reader.Objects().Items(i);
    return nullptr;
}

bool Enabled(TCommandHost& host, const char* name)
{
    return host.Action(QString::fromLatin1(name))->isEnabled();
}

TEST(MaintenanceCommands, RefreshAllFillsTheTreeWhileTheWindowIsDisabled)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();

    const QStringList& statuses = host.Statuses();
    ASSERT_GE(statuses.size(), 3);
    EXPECT_EQ(statuses.front(), "Refreshing All...");
    EXPECT_TRUE(statuses.contains("Reading Objects...")) << statuses.join('|').toStdString();
    EXPECT_TRUE(IsFinishedText(statuses.back())) << statuses.back().toStdString();
    // Disabled for every caption but the last.
    for (qsizetype i = 0; i + 1 < statuses.size(); ++i)
        EXPECT_FALSE(host.EnabledAtStatus()[size_t(i)]) << statuses[i].toStdString();
    EXPECT_TRUE(host.HostWidget()->isEnabled());

    EXPECT_TRUE(host.Node("Tables", "EMPLOYEES").isValid());
    EXPECT_GT(host.Reader().SourceLoaded, 0);
    for (const char* name : {"RefreshSource1", "Snapshot1", "CompareWithFile1", "SaveAsText1"})
        EXPECT_TRUE(Enabled(host, name)) << name;
    EXPECT_TRUE(host.Dialogs().Asked.empty());
}

TEST(MaintenanceCommands, RecompilingTheInvalidViewClearsItsImageAndItsCategorys)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();
    TObjectTreeModel& tree = host.TreeModel();
    ASSERT_EQ(tree.StateImage(host.Node("Views", "DEPT_SALARY_VIEW")), 1);
    ASSERT_EQ(tree.StateImage(host.Category("Views")), 1);

    host.Select("Views", "DEPT_SALARY_VIEW");
    host.Commands().ReCompile1Click();
    EXPECT_EQ(host.PaneText(kActionPane), "ALTER VIEW \"DEPT_SALARY_VIEW\" COMPILE");
    EXPECT_EQ(tree.StateImage(host.Node("Views", "DEPT_SALARY_VIEW")), 0);
    EXPECT_EQ(tree.StateImage(host.Category("Views")), 0);
    EXPECT_EQ(FindObject(host.Reader(), "DEPT_SALARY_VIEW")->ObjectState, ObjectStates::Normal);
    EXPECT_TRUE(host.Statuses().contains("Verifying DEPT_SALARY_VIEW..."));
    EXPECT_TRUE(host.Dialogs().Asked.empty());
}

TEST(MaintenanceCommands, RecompilingTheInvalidProcedureListsItsErrors)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();
    host.Select("Procedures", "PURGE_OLD_HISTORY");
    host.Commands().ReCompile1Click();

    EXPECT_EQ(host.PaneText(kActionPane), "ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE");
    EXPECT_EQ(host.PaneText(kErrorsPane).split('\n'),
              QStringList({"(5,5):PL/SQL: Statement ignored",
                           "(5,16):PLS-00201: identifier 'X' must be declared",
                           "(6,5):PL/SQL: Statement ignored",
                           "(6,61):PLS-00201: identifier 'HIST_TABLE' must be declared"}));
    EXPECT_EQ(host.CurrentPane(), kErrorsPane);
    EXPECT_EQ(host.TreeModel().StateImage(host.Category("Procedures")), 1);
    // The failed compile itself is no error to show.
    EXPECT_TRUE(host.Dialogs().Asked.empty());
}

TEST(MaintenanceCommands, RecompileAllCompilesEveryFlaggedSibling)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();
    host.Select("Views", "EMP_DETAILS_VIEW");
    host.Commands().RecompileAll1Click();
    EXPECT_EQ(host.TreeModel().StateImage(host.Category("Views")), 0);
    EXPECT_EQ(host.Statuses().back(), "Finished.");
    EXPECT_TRUE(host.Statuses().contains("Checking DEPT_SALARY_VIEW. Please Wait..."));
    // Only the flagged view was compiled.
    EXPECT_EQ(host.Statuses().count("Compiling..."), 1);
}

TEST(MaintenanceCommands, RefreshReReadsTheSelectedObjectOnly)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();
    host.Select("Procedures", "RAISE_SALARY");
    auto* procedure = dynamic_cast<TObjectItem*>(host.TreeModel().Item(host.SelectedNode()));
    ASSERT_NE(procedure, nullptr);
    procedure->ObjectText = "stale";
    host.SetPaneText(kErrorsPane, "old errors");
    host.Commands().Refresh2Click();
    EXPECT_TRUE(procedure->ObjectText.starts_with("PROCEDURE RAISE_SALARY"))
        << procedure->ObjectText;
    EXPECT_EQ(host.PaneText(kErrorsPane), "");
    EXPECT_EQ(host.Statuses().at(host.Statuses().size() - 2), "Refreshing...");
}

TEST(MaintenanceCommands, DropAsksThenRemovesTheNodeButNotTheItem)
{
    TCommandHost host("scott", "tiger");
    host.Commands().RefreshAll1Click();
    host.Dialogs().MessageAnswers = {QMessageBox::Cancel, QMessageBox::Yes};

    host.Select("Tables", "BONUS");
    host.Commands().Drop1Click();
    EXPECT_TRUE(host.Node("Tables", "BONUS").isValid()) << "dropped although cancelled";

    host.Commands().Drop1Click();
    ASSERT_EQ(host.Dialogs().Asked.size(), 2u);
    EXPECT_EQ(host.Dialogs().Asked[1].Text, "Drop Object. Are you sure");
    EXPECT_EQ(host.Dialogs().Asked[1].Icon, QMessageBox::Warning);
    EXPECT_EQ(host.Dialogs().Asked[1].Buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_EQ(host.PaneText(kActionPane), "DROP TABLE \"BONUS\"");
    EXPECT_FALSE(host.Node("Tables", "BONUS").isValid());
    EXPECT_NE(FindObject(host.Reader(), "BONUS"), nullptr);

    host.Commands().RefreshAll1Click();
    EXPECT_EQ(FindObject(host.Reader(), "BONUS"), nullptr);
    EXPECT_EQ(host.Dialogs().Asked.size(), 2u);
}

TEST(MaintenanceCommands, DropOfANodeThatCannotBeDroppedOnlyReportsTheTime)
{
    TCommandHost host("scott", "tiger");
    host.Commands().RefreshAll1Click();
    host.SelectNode(host.Category("Tables"));
    const qsizetype before = host.Statuses().size();
    host.Commands().Drop1Click();
    EXPECT_EQ(host.Statuses().mid(before),
              QStringList({"Dropping...", "Finished in 0.00 seconds"}));
    EXPECT_TRUE(host.Dialogs().Asked.empty());
}

TEST(MaintenanceCommands, AnalyseDatabaseNeedsSystemAnalyseSchemaDoesNot)
{
    struct TCase {
        const char* User;
        const char* Password;
        bool Database;
        bool Refused;
    };
    for (const TCase& c :
         {TCase{"scott", "tiger", true, true}, TCase{"system", "manager", true, false},
          TCase{"scott", "tiger", false, false}}) {
        SCOPED_TRACE(std::string(c.User) + (c.Database ? " database" : " schema"));
        TCommandHost host(c.User, c.Password);
        if (c.Database)
            host.Commands().AnalyseDatabase1Click();
        else
            host.Commands().AnalyseSchema1Click();
        EXPECT_TRUE(IsFinishedText(host.Statuses().back()));
        if (c.Refused) {
            ASSERT_EQ(host.Dialogs().Asked.size(), 1u);
            EXPECT_EQ(host.Dialogs().Asked[0].Text, "You need to be logged in as user \"SYSTEM\".");
            EXPECT_EQ(host.Dialogs().Asked[0].Icon, QMessageBox::Information);
            EXPECT_FALSE(host.Session().Connected()) << "nothing should have been sent";
        } else {
            EXPECT_TRUE(host.Dialogs().Asked.empty()) << host.Dialogs().Asked[0].Text.toStdString();
            EXPECT_TRUE(host.Session().Connected());
        }
    }
}

TEST(MaintenanceCommands, CancelledLoginEndsTheCommandSilently)
{
    TCommandHost host("hr", ""); // no password: the login dialog asks, and is cancelled
    host.Commands().RefreshAll1Click();
    ASSERT_EQ(host.Dialogs().Asked.size(), 1u);
    EXPECT_EQ(host.Dialogs().Asked[0].Kind, "Login");
    EXPECT_TRUE(IsFinishedText(host.Statuses().back()));
    EXPECT_TRUE(host.HostWidget()->isEnabled());
    EXPECT_FALSE(host.Action("Snapshot1")->isEnabled());
    // The tree shows the (empty) model again.
    EXPECT_TRUE(host.Category("Tables").isValid());
}

TEST(MaintenanceCommands, ErrorsAreShownAfterTheWindowIsEnabledAgain)
{
    TCommandHost host("hr", "hr");
    EXPECT_THROW(host.Commands().RunCommand("Working...", [] { throw Exception("boom"); }),
                 Exception);
    EXPECT_TRUE(host.HostWidget()->isEnabled());
    EXPECT_EQ(host.Statuses().front(), "Working...");
    EXPECT_TRUE(IsFinishedText(host.Statuses().back()));

    // A handler shows a database error in a critical box: with its query broken the view
    // does not compile, and re-creating it from its text fails too.
    host.Commands().RefreshAll1Click();
    host.Select("Views", "DEPT_SALARY_VIEW");
    host.Session().ExecuteStatement(
        "UPDATE SYS.\"VIEW$\" SET \"TEXT\" = 'SELECT NO_SUCH FROM NOWHERE' WHERE \"OBJ#\" = 52032");
    auto* view = dynamic_cast<TObjectItem*>(host.TreeModel().Item(host.SelectedNode()));
    ASSERT_NE(view, nullptr);
    view->ObjectText = "CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS SELECT NO_SUCH FROM NOWHERE";
    host.Commands().ReCompile1Click();
    ASSERT_EQ(host.Dialogs().Asked.size(), 1u);
    EXPECT_EQ(host.Dialogs().Asked[0].Icon, QMessageBox::Critical);
    EXPECT_FALSE(host.Dialogs().Asked[0].Text.isEmpty());
    EXPECT_TRUE(host.Statuses().contains("Recreating View DEPT_SALARY_VIEW..."));
    EXPECT_TRUE(host.HostWidget()->isEnabled());
}

TEST(MaintenanceCommands, HintItemsFormARadioGroupThatCanBeLeftEmpty)
{
    TCommandHost host("scott", "tiger");
    QAction* cost = host.Action("UseCostSQLHint1");
    QAction* rule = host.Action("UseRuleBasedSQL1");
    QAction* ordered = host.Action("UseOrderedSQLRule1");
    const auto marks = [&] {
        return std::vector<bool>{cost->isChecked(), rule->isChecked(), ordered->isChecked()};
    };

    rule->trigger();
    EXPECT_EQ(marks(), (std::vector<bool>{false, true, false}));
    EXPECT_TRUE(host.Reader().UseRule);
    ordered->trigger();
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, true}));
    EXPECT_FALSE(host.Reader().UseRule);
    EXPECT_TRUE(host.Reader().UseOrdered);
    ordered->trigger(); // the checked one: none is left
    EXPECT_EQ(marks(), (std::vector<bool>{false, false, false}));
    EXPECT_EQ(host.Reader().HintPrefix(), "SELECT ");

    EXPECT_FALSE(host.Reader().IncludeSys);
    host.Action("SystemSchema1")->trigger();
    EXPECT_TRUE(host.Reader().IncludeSys);
    EXPECT_FALSE(host.Reader().UseRule || host.Reader().UseOrdered);
}

} // namespace
} // namespace quorvex::test
