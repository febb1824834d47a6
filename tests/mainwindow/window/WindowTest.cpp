// The main window on the demo database: alias choice and login, reading the schema into the tree
// and what selecting a node shows, and the tabs that create panes.
#include "WindowHarness.h"
#include "mainwindow/VersionCaption.h"
#include "persistence/Exceptions.h"

#include <QAction>
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
        EXPECT_EQ(form.windowTitle(), Caption(form, c.Connection));
        EXPECT_EQ(form.Menu().Connect1->isEnabled(), !connected);
        if (c.Connection.isEmpty()) { // reading through the query aborts the same way
            EXPECT_THROW(form.Reader().LoadSchema({}), EAbort);
        }
    }
}

TEST(MainForm, ReadAndSelect)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    form.show();
    h.Click("RefreshAll1");
    EXPECT_EQ(form.windowTitle(), Caption(form, "DEMO.SCOTT"));
    EXPECT_TRUE(h.AskedKinds().isEmpty()); // logged in with the arguments
    const QModelIndex emp = Find(form.TreeModel(), {"Tables", "EMP"});
    form.SelectNode(emp);
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    EXPECT_EQ(form.PaneText(kDescriptionPane),
              "CREATE TABLE EMP (\n EMPNO NUMBER(4,0) NOT NULL\n,ENAME VARCHAR2(10)\n"
              ",JOB VARCHAR2(9)\n,MGR NUMBER(4,0)\n,HIREDATE DATE\n,SAL NUMBER(7,2)\n"
              ",COMM NUMBER(7,2)\n,DEPTNO NUMBER(2,0));");
    EXPECT_TRUE(form.Menu().Refresh2->isVisible() && form.Menu().Drop1->isEnabled() &&
                !form.Menu().ReCompile1->isEnabled());
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
