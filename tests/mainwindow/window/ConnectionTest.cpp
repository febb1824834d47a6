// Alias choice, login and the connection commands of the main window.
#include "WindowHarness.h"
#include "dictionary/DBOraClass.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/PickAliasForm.h"
#include "mainwindow/VersionCaption.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

QString Connection(const TQuorvexMainForm& form, const QString& rest)
{
    return form.VersionCaptionText() + "  Connection:" + rest;
}

TEST(Login, TwoArgumentsAskForThePasswordWithTheUserFilledIn)
{
    TWindowHarness harness;
    harness.Dialogs().LoginAnswers.push_back(TLoginAnswer{"hr", "hr"});
    TQuorvexMainForm& form = harness.Create({"DEMO", "hr"});
    harness.Click("Connect1");
    ASSERT_EQ(harness.AskedKinds(), QStringList({"Login"}));
    const auto& asked = harness.Dialogs().Asked.front();
    EXPECT_EQ(asked.Title, "Database Login");
    EXPECT_EQ(asked.Text, "QuorvexGlobal");
    EXPECT_EQ(asked.Value, "hr");
    EXPECT_TRUE(form.Session().Connected());
    EXPECT_EQ(form.Reader().UserName, "HR");
    EXPECT_EQ(form.Reader().SourceName, "DEMO.HR");
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO.HR"));
    EXPECT_EQ(form.DatabaseName(), "QUORVEXGLOBAL");
    // Connecting again asks nothing: the connection is open.
    harness.Click("Connect1");
    EXPECT_EQ(harness.Dialogs().Asked.size(), 1u);
}

TEST(Login, OneArgumentTakesTheUserFromTheAlias)
{
    TWindowHarness harness;
    harness.Dialogs().LoginAnswers.push_back(TLoginAnswer{"scott", "tiger"});
    TQuorvexMainForm& form = harness.Create({"DEMO"});
    harness.Click("Connect1");
    ASSERT_EQ(harness.AskedKinds(), QStringList({"Login"}));
    EXPECT_EQ(harness.Dialogs().Asked.front().Value, "SCOTT");
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO.SCOTT"));
}

TEST(Login, CancelledOrWithoutAliasEndsSilently)
{
    struct TCase {
        const char* Name;
        bool ClearAlias;
        QStringList Asked;
    };
    const TCase cases[] = {
        {"cancelled", false, {"Login"}},
        {"no alias", true, {"Message"}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TWindowHarness harness;
        TQuorvexMainForm& form = harness.Create({"DEMO"});
        if (c.ClearAlias)
            form.Session().SetAlias("");
        harness.Click("Connect1");
        // Reading through the query aborts the same way.
        EXPECT_THROW(form.Reader().LoadSchema({}), EAbort);
        const QStringList once = c.Asked;
        EXPECT_EQ(harness.AskedKinds(), once + once);
        if (c.ClearAlias) {
            EXPECT_EQ(harness.Dialogs().Asked.front().Text, "No alias specified");
        }
        EXPECT_FALSE(form.Session().Connected());
        EXPECT_EQ(form.windowTitle(), form.VersionCaptionText() + MakerNotice());
        EXPECT_TRUE(form.Menu().Connect1->isEnabled());
    }
}

TEST(Login, RefusedLoginShowsTheMessageAndNoUser)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "wrong"});
    harness.Click("Connect1");
    ASSERT_EQ(harness.AskedKinds(), QStringList({"Message"}));
    EXPECT_NE(harness.Dialogs().Asked.front().Text.indexOf("ORA-01017"), -1);
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO"));
    EXPECT_TRUE(form.Menu().Connect1->isEnabled());
    EXPECT_FALSE(form.Menu().Disconnect1->isEnabled());

    // Refused on a command's first query: the caption follows once the command is over.
    harness.Click("RefreshAll1");
    EXPECT_EQ(harness.Dialogs().Asked.size(), 2u);
    QCoreApplication::processEvents();
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO"));
    EXPECT_TRUE(form.Menu().Connect1->isEnabled());
}

TEST(Login, DisconnectClearsTheUserAndKeepsTheTree)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.ReadSchema();
    form.SelectNode(harness.Node(TTreeCategory::Tables, "DEPT"));
    const QString description = form.PaneText(kDescriptionPane);
    harness.Click("Disconnect1");
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.Reader().UserName, "");
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO"));
    EXPECT_TRUE(form.Menu().Connect1->isEnabled());
    EXPECT_FALSE(form.Menu().Disconnect1->isEnabled());
    EXPECT_EQ(form.TreeModel().rowCount(form.TreeModel().CategoryIndex(TTreeCategory::Tables)), 4);
    EXPECT_EQ(form.PaneText(kDescriptionPane), description);
    // The next reading logs in again.
    harness.ReadSchema();
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO.SCOTT"));
}

TEST(PickAlias, OneOracleAliasIsChosenWithoutShowingTheDialog)
{
    TWindowHarness harness;
    // A driver named "Oracle" is not the Oracle driver; the file's DEMO hides the built-in one.
    harness.SetAliases(TWindowHarness::DemoAlias("mydb") +
                       TWindowHarness::DemoAlias("DEMO", "Oracle"));
    TQuorvexMainForm& form = harness.Create({});
    EXPECT_TRUE(harness.AskedKinds().isEmpty());
    EXPECT_FALSE(form.TerminateRequested());
    EXPECT_EQ(form.Session().Alias(), "MYDB");
    EXPECT_EQ(form.windowTitle(), Connection(form, "MYDB"));
    EXPECT_TRUE(form.Menu().Connect1->isEnabled());
}

TEST(PickAlias, NoOracleAliasEndsTheProgram)
{
    TWindowHarness harness;
    harness.SetAliases(TWindowHarness::DemoAlias("DEMO", "Oracle"));
    TQuorvexMainForm& form = harness.Create({});
    ASSERT_EQ(harness.AskedKinds(), QStringList({"Message"}));
    EXPECT_EQ(harness.Dialogs().Asked.front().Text,
              "Please set up a BDE alias for an Oracle database.");
    EXPECT_TRUE(form.TerminateRequested());
}

TEST(PickAlias, ListsTheOracleAliasesSortedAndSetsTheChosenOne)
{
    TWindowHarness harness;
    harness.SetAliases(TWindowHarness::DemoAlias("zeta") + TWindowHarness::DemoAlias("Alpha") +
                       TWindowHarness::DemoAlias("odbc", "ODBC"));
    QStringList listed;
    QString listText;
    harness.Dialogs().FormAnswers.push_back([&](TEditableForm& dialog) {
        auto& pick = dynamic_cast<TPickAliasForm&>(dialog);
        for (int row = 0; row < pick.AliasListBox()->count(); ++row)
            listed.append(pick.AliasListBox()->item(row)->text());
        listText = pick.AliasListText();
        pick.Choose("ZETA");
        return pick.ModalResult();
    });
    TQuorvexMainForm& form = harness.Create({});
    EXPECT_EQ(listed, QStringList({"ALPHA", "DEMO", "ZETA"}));
    // The session's order: the built-in DEMO first, then the file's.
    EXPECT_EQ(listText, "DEMO,ZETA,ALPHA");
    EXPECT_EQ(harness.Dialogs().Asked.front().Title, "Choose Alias");
    EXPECT_EQ(form.windowTitle(), Connection(form, "ZETA"));

    // Cancelled later, nothing changes; cancelled at start, the program ends.
    harness.Click("ChangeAlias1");
    EXPECT_EQ(form.windowTitle(), Connection(form, "ZETA"));
    TWindowHarness second;
    second.SetAliases(TWindowHarness::DemoAlias("zeta") + TWindowHarness::DemoAlias("Alpha"));
    EXPECT_TRUE(second.Create({}).TerminateRequested());
}

TEST(PickAlias, ChoosingTheAliasInUseKeepsTheConnection)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.Click("Connect1");
    ASSERT_TRUE(form.Session().Connected());
    harness.Click("ChangeAlias1"); // DEMO is the only alias: chosen at once
    EXPECT_TRUE(form.Session().Connected());
    EXPECT_EQ(form.windowTitle(), Connection(form, "DEMO.SCOTT"));
    EXPECT_TRUE(form.Menu().Disconnect1->isEnabled());
}

TEST(PickAlias, ChoosingAnotherAliasClosesTheConnection)
{
    TWindowHarness harness;
    harness.SetAliases(TWindowHarness::DemoAlias("DEMO") + TWindowHarness::DemoAlias("OTHER"));
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.Click("Connect1");
    ASSERT_TRUE(form.Session().Connected());
    harness.Dialogs().FormAnswers.push_back([](TEditableForm& dialog) {
        dynamic_cast<TPickAliasForm&>(dialog).Choose("OTHER");
        return dialog.ModalResult();
    });
    harness.Click("ChangeAlias1");
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.Reader().UserName, "");
    EXPECT_EQ(form.windowTitle(), Connection(form, "OTHER"));
}

} // namespace
} // namespace quorvex::test
