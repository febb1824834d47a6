// The main window on the demo database: alias choice and login, reading the schema into the tree
// and what selecting a node shows, and the tabs that create panes.
#include "WindowHarness.h"
#include "mainwindow/PickAliasForm.h"
#include "mainwindow/VersionCaption.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QListWidget>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The caption after a connection to `rest`, or with none.
QString Caption(const TQuorvexMainForm& form, const QString& rest = {})
{
    return form.VersionCaptionText() + (rest.isEmpty() ? MakerNotice() : "  Connection:" + rest);
}

TEST(Login, ConnectAsksForWhatTheArgumentsLeaveOpen)
{
    const QString login = "Login: Database Login / QuorvexGlobal / ";
    const struct {
        QStringList Args;
        std::optional<TLoginAnswer> Answer;
        QString Asked;
        QString Connection; // empty: no connection
    } cases[] = {
        {{"DEMO", "hr"}, TLoginAnswer{"hr", "hr"}, login + "hr", "DEMO.HR"},
        {{"DEMO"}, TLoginAnswer{"scott", "tiger"}, login + "SCOTT", "DEMO.SCOTT"},
        {{"DEMO"}, std::nullopt, login + "SCOTT", ""}, // cancelled: nothing said
        {{"NONE"}, std::nullopt, "Message:  / No alias specified / ", ""},
        {{"DEMO", "scott", "wrong"}, std::nullopt, "Message: Quorvex / ORA-01017", "DEMO"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Asked.toStdString());
        TWindowHarness h;
        h.Dialogs().LoginAnswers = {c.Answer};
        TQuorvexMainForm& form = h.Create(c.Args);
        if (c.Args[0] == "NONE")
            form.Session().SetAlias("");
        h.Click("Connect1");
        h.Click("Connect1"); // asks nothing when connected
        const bool connected = c.Connection.contains('.');
        const auto& asked = h.Dialogs().Asked;
        ASSERT_EQ(asked.size(), connected ? 1u : 2u);
        EXPECT_TRUE(
            (asked[0].Kind + ": " + asked[0].Title + " / " + asked[0].Text + " / " + asked[0].Value)
                .startsWith(c.Asked));
        EXPECT_EQ(form.Session().Connected(), connected);
        EXPECT_EQ(form.windowTitle(), Caption(form, c.Connection));
        EXPECT_EQ(form.Menu().Connect1->isEnabled(), !form.Menu().Disconnect1->isEnabled());
        EXPECT_EQ(form.Menu().Connect1->isEnabled(), !connected);
        if (c.Connection.isEmpty()) { // reading through the query aborts the same way
            EXPECT_THROW(form.Reader().LoadSchema({}), EAbort);
        }
    }
}

TEST(PickAlias, StartChoosesAmongTheOracleAliasesAnotherClosesTheConnection)
{
    TWindowHarness h;
    // A driver named "Oracle" is not the Oracle driver; the file's DEMO hides the built-in one.
    h.SetAliases(h.Alias("DEMO", "Oracle"));
    EXPECT_TRUE(h.Create({}).TerminateRequested());
    EXPECT_EQ(h.Dialogs().Asked.at(0).Text, "Please set up a BDE alias for an Oracle database.");
    h.SetAliases(h.Alias("mydb") + h.Alias("DEMO", "Oracle"));
    EXPECT_EQ(h.Create({}).windowTitle(), Caption(h.Form(), "MYDB"));

    h.SetAliases(h.Alias("zeta") + h.Alias("Alpha") + h.Alias("odbc", "ODBC"));
    QStringList listed;
    for (const char* alias : {"ZETA", "", "ALPHA"})
        h.Dialogs().FormAnswers.push_back([&listed, alias](TEditableForm& dialog) {
            auto& pick = dynamic_cast<TPickAliasForm&>(dialog);
            for (int row = 0; row < pick.AliasListBox()->count(); ++row)
                listed << pick.AliasListBox()->item(row)->text();
            listed << pick.AliasListText(); // the session's order: the built-in DEMO first
            pick.Choose(alias);
            return alias[0] ? pick.ModalResult() : 0;
        });
    TQuorvexMainForm& form = h.Create({"DEMO", "scott", "tiger"});
    h.Click("ChangeAlias1");
    EXPECT_EQ(form.windowTitle(), Caption(form, "ZETA"));
    h.Click("Connect1");
    h.Click("ChangeAlias1"); // cancelled: nothing changes
    EXPECT_EQ(form.windowTitle(), Caption(form, "ZETA.SCOTT"));
    h.Click("ChangeAlias1"); // another alias closes the connection
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.windowTitle(), Caption(form, "ALPHA"));
    EXPECT_EQ(listed.mid(0, 4), QStringList({"ALPHA", "DEMO", "ZETA", "DEMO,ZETA,ALPHA"}));
    EXPECT_EQ(h.Dialogs().Asked.back().Title, "Choose Alias");
}

TEST(MainForm, ReadAndSelect)
{
    TWindowHarness h;
    WriteFileBytes(h.Path("quorvex.UDP"),
                   "[QuorvexMainForm]\r\nQuorvexMainForm.Caption=My Tool\r\n");
    EXPECT_EQ(h.Create().windowTitle(), "My Tool");
    WriteFileBytes(h.Path("quorvex.UDP"), "");
    TQuorvexMainForm& form = h.Create();
    form.show();
    h.Click("RefreshAll1");
    EXPECT_EQ(form.windowTitle(), Caption(form, "DEMO.SCOTT"));
    EXPECT_TRUE(h.Statuses.last().startsWith("Finished in ") && h.AskedKinds().isEmpty());
    const QModelIndex emp = h.Select("Tables", "EMP");
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    EXPECT_EQ(form.PaneText(kDescriptionPane),
              "CREATE TABLE EMP (\n EMPNO NUMBER(4,0) NOT NULL\n,ENAME VARCHAR2(10)\n"
              ",JOB VARCHAR2(9)\n,MGR NUMBER(4,0)\n,HIREDATE DATE\n,SAL NUMBER(7,2)\n"
              ",COMM NUMBER(7,2)\n,DEPTNO NUMBER(2,0));");
    EXPECT_TRUE(form.Menu().Refresh2->isVisible() && form.Menu().Drop1->isEnabled());
    EXPECT_FALSE(form.Menu().ReCompile1->isEnabled());
    // A group node empties the Description pane; a constraint shows its own text and leaves the
    // Action pane alone; a rebuild forgets the selection and with it the Object commands.
    form.SelectNode(form.TreeModel().index(0, 0, emp));
    EXPECT_EQ(form.PaneText(kDescriptionPane), "");
    EXPECT_FALSE(form.Menu().Refresh2->isVisible());
    form.SelectNode(form.TreeModel().index(0, 0, form.TreeModel().index(0, 0, emp)));
    EXPECT_EQ(form.PaneText(kDescriptionPane) + form.PaneText(kActionPane),
              "ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO REFERENCES DEPT (DEPTNO);SELECT * FROM "
              "SCOTT.\"EMP\"");
    EXPECT_FALSE(form.Menu().Drop1->isEnabled());
    form.TreeModel().BuildObjectTree(form.Reader());
    EXPECT_FALSE(form.SelectedNode().isValid() || form.Menu().Refresh2->isEnabled());
}

} // namespace
} // namespace quorvex::test
