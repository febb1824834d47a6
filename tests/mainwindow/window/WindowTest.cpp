// The main window on the demo database: alias choice and login, the property file, reading the
// schema into the tree and what selecting a node shows, the panes and tabs, and the window font.
#include "WindowHarness.h"
#include "mainwindow/PickAliasForm.h"
#include "mainwindow/VersionCaption.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QCoreApplication>
#include <QListWidget>
#include <QMimeData>
#include <QTabBar>
#include <QTreeView>
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

TEST(PickAlias, StartChoosesAmongTheOracleAliasesOrEndsTheProgram)
{
    TWindowHarness h;
    // A driver named "Oracle" is not the Oracle driver; the file's DEMO hides the built-in one.
    WriteFileBytes(h.Path("aliases.ini"), "[DEMO]\nDRIVER=Oracle\n");
    EXPECT_TRUE(h.Create({}).TerminateRequested());
    EXPECT_EQ(h.Dialogs().Asked.at(0).Text, "Please set up a BDE alias for an Oracle database.");

    WriteFileBytes(h.Path("aliases.ini"),
                   "[zeta]\nDRIVER=ORACLE\n[Alpha]\nDRIVER=ORACLE\n[odbc]\nDRIVER=ODBC\n");
    QStringList listed;
    h.Dialogs().FormAnswers.push_back([&](TEditableForm& dialog) {
        auto& pick = dynamic_cast<TPickAliasForm&>(dialog);
        for (int row = 0; row < pick.AliasListBox()->count(); ++row)
            listed << pick.AliasListBox()->item(row)->text();
        listed << pick.AliasListText() << pick.windowTitle(); // the session's order: DEMO first
        pick.Choose("ZETA");
        return pick.ModalResult();
    });
    TQuorvexMainForm& form = h.Create({});
    EXPECT_EQ(listed, QStringList({"ALPHA", "DEMO", "ZETA", "DEMO,ZETA,ALPHA", "Choose Alias"}));
    h.Click("ChangeAlias1"); // cancelled later: nothing changes
    EXPECT_EQ(form.windowTitle(), Caption(form, "ZETA"));
    EXPECT_TRUE(h.Create({}).TerminateRequested()); // cancelled at start: the program ends
}

TEST(MainForm, PropertiesReadSelectPanesAndFont)
{
    TWindowHarness h;
    WriteFileBytes(h.Path("quorvex.UDP"),
                   "[QuorvexMainForm]\r\nQuorvexMainForm.Caption=My Schema Tool\r\n");
    EXPECT_EQ(h.Create().windowTitle(), "My Schema Tool");
    WriteFileBytes(h.Path("quorvex.UDP"), "");
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

    // The tabs: "SQL" and "IMG" create panes before themselves.
    TPaneSet& panes = form.Panes();
    for (int click = 0; click < 3; ++click)
        panes.TabSet()->setCurrentIndex(panes.Count() - 2);
    panes.TabSet()->setCurrentIndex(panes.Count() - 1);
    QStringList tabs;
    for (int i = 0; i < panes.Count(); ++i)
        tabs << panes.TabSet()->tabText(i);
    EXPECT_EQ(tabs.join(' ') + QString::number(panes.CurrentIndex()),
              "&1:Description &2:Action &3:Errors &4 &5 &6 &7:# SQL IMG6");

    // Word Wrap acts on the pane the menu was opened on, and its mark shows that pane's state.
    TTextPane* description = panes.TextPane(kDescriptionPane);
    QString marks;
    for (TTextPane* pane : {description, description, panes.TextPane(kActionPane), description}) {
        emit pane->customContextMenuRequested(QPoint(1, 1));
        marks += form.Menu().WordWrap1->isChecked() ? '+' : '-';
        if (marks.size() == 1)
            form.Menu().WordWrap1->trigger();
    }
    EXPECT_EQ(marks + QString::number(description->lineWrapMode()) +
                  QString::number(panes.TextPane(kActionPane)->lineWrapMode()),
              "+-+-01"); // no wrap, wrapped

    // The caret position is the pane's hint.
    TTextPane& errors = *panes.TextPane(kErrorsPane);
    errors.setPlainText("first\nsecond line");
    errors.find("sec"); // "sec|ond"
    EXPECT_EQ(errors.statusTip(), "Line 2, Character 4");

    // A tree node dropped on a pane appends its stored text, until the tree is rebuilt.
    const std::unique_ptr<QMimeData> data(
        form.TreeModel().mimeData({Find(form.TreeModel(), {"Sequences", "EMPNO_SEQ"})}));
    QStringList dropped;
    for (const char* text : {"-- ", "kept"}) {
        errors.setPlainText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(errors.viewport(), &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(errors.viewport(), &drop);
        dropped << errors.toPlainText();
        form.TreeModel().BuildObjectTree(form.Reader());
    }
    EXPECT_EQ(dropped,
              QStringList({"-- CREATE SEQUENCE \"EMPNO_SEQ\"\n START WITH 7935\n INCREMENT BY 1\n"
                           " NOMINVALUE\n MAXVALUE 9999\n NOCYCLE\n CACHE 20\n NOORDER;",
                           "kept"}));

    // Change Font reaches the tree and panes but not the tabs; cancelled, nothing changes.
    const QFont tabFont = panes.TabSet()->font();
    h.Dialogs().FontAnswers = {QFont("Courier", 17), std::nullopt};
    h.Click("ChangeFont1");
    h.Click("ChangeFont1");
    EXPECT_EQ(form.TreeView1()->font().pointSize() + description->font().pointSize(), 34);
    EXPECT_EQ(panes.TabSet()->font(), tabFont);
}

} // namespace
} // namespace quorvex::test
