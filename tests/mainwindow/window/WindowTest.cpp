// The main window on the demo database: alias choice and login, reading the schema into the tree
// and what selecting a node shows, the panes and tabs, and the window font.
#include "WindowHarness.h"
#include "mainwindow/DiagramPane.h"
#include "mainwindow/PickAliasForm.h"
#include "mainwindow/VersionCaption.h"
#include "persistence/Exceptions.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QTabBar>
#include <QToolTip>
#include <QTreeView>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// The caption after a connection to `rest`, or with none.
QString Caption(const TQuorvexMainForm& form, const QString& rest = {})
{
    return form.VersionCaptionText() + (rest.isEmpty() ? MakerNotice() : "  Connection:" + rest);
}

// The dialogs asked, each as "Kind: title / text / value".
QStringList Asked(TWindowHarness& h)
{
    QStringList asked;
    for (const auto& a : h.Dialogs().Asked)
        asked << a.Kind + ": " + a.Title + " / " + a.Text + " / " + a.Value;
    return asked;
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
        ASSERT_EQ(Asked(h).size(), connected ? 1 : 2);
        EXPECT_TRUE(Asked(h)[0].startsWith(c.Asked)) << Asked(h)[0].toStdString();
        EXPECT_EQ(form.Session().Connected(), connected);
        EXPECT_EQ(form.windowTitle(), Caption(form, c.Connection));
        EXPECT_EQ(form.Menu().Connect1->isEnabled(), !connected);
        EXPECT_EQ(form.Menu().Disconnect1->isEnabled(), connected);
        // Reading through the query aborts the same way.
        if (c.Connection.isEmpty()) {
            EXPECT_THROW(form.Reader().LoadSchema({}), EAbort);
        }
    }
}

TEST(Login, RefusedOnACommandsFirstQueryAndDisconnected)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "scott", "wrong"});
    h.Click("RefreshAll1");
    EXPECT_EQ(h.AskedKinds(), QStringList({"Message"}));
    QCoreApplication::processEvents(); // the caption follows once the command is over
    EXPECT_EQ(form.windowTitle(), Caption(form, "DEMO"));
    EXPECT_TRUE(form.Menu().Connect1->isEnabled());

    TWindowHarness ok;
    TQuorvexMainForm& scott = ok.Create();
    ok.Click("RefreshAll1");
    ok.Select("Tables", "DEPT");
    const QString description = scott.PaneText(kDescriptionPane);
    ok.Click("Disconnect1");
    EXPECT_FALSE(scott.Session().Connected());
    EXPECT_EQ(scott.Reader().UserName, "");
    EXPECT_EQ(scott.windowTitle(), Caption(scott, "DEMO"));
    EXPECT_EQ(scott.PaneText(kDescriptionPane), description); // the tree and panes stay
    EXPECT_TRUE(Find(scott.TreeModel(), {"Tables", "EMP"}).isValid());
    ok.Click("RefreshAll1"); // the next reading logs in again
    EXPECT_EQ(scott.windowTitle(), Caption(scott, "DEMO.SCOTT"));
    EXPECT_TRUE(ok.AskedKinds().isEmpty());
}

TEST(PickAlias, StartChoosesAmongTheOracleAliases)
{
    TWindowHarness h;
    // A driver named "Oracle" is not the Oracle driver; the file's DEMO hides the built-in one.
    h.SetAliases(h.Alias("mydb") + h.Alias("DEMO", "Oracle"));
    TQuorvexMainForm& one = h.Create({});
    EXPECT_TRUE(h.AskedKinds().isEmpty());
    EXPECT_EQ(one.windowTitle(), Caption(one, "MYDB"));

    h.SetAliases(h.Alias("DEMO", "Oracle"));
    EXPECT_TRUE(h.Create({}).TerminateRequested());
    EXPECT_EQ(h.Dialogs().Asked.at(0).Text, "Please set up a BDE alias for an Oracle database.");

    h.SetAliases(h.Alias("zeta") + h.Alias("Alpha") + h.Alias("odbc", "ODBC"));
    QStringList listed;
    h.Dialogs().FormAnswers.push_back([&](TEditableForm& dialog) {
        auto& pick = dynamic_cast<TPickAliasForm&>(dialog);
        for (int row = 0; row < pick.AliasListBox()->count(); ++row)
            listed << pick.AliasListBox()->item(row)->text();
        listed << pick.AliasListText(); // the session's order: the built-in DEMO first
        pick.Choose("ZETA");
        return pick.ModalResult();
    });
    TQuorvexMainForm& form = h.Create({});
    EXPECT_EQ(listed, QStringList({"ALPHA", "DEMO", "ZETA", "DEMO,ZETA,ALPHA"}));
    EXPECT_EQ(h.Dialogs().Asked.at(1).Title, "Choose Alias");
    EXPECT_EQ(form.windowTitle(), Caption(form, "ZETA"));
    h.Click("ChangeAlias1"); // cancelled later: nothing changes
    EXPECT_EQ(form.windowTitle(), Caption(form, "ZETA"));
    EXPECT_TRUE(h.Create({}).TerminateRequested()); // cancelled at start: the program ends
}

TEST(PickAlias, AnotherAliasClosesTheConnectionTheSameKeepsIt)
{
    TWindowHarness h;
    h.SetAliases(h.Alias("DEMO") + h.Alias("OTHER"));
    TQuorvexMainForm& form = h.Create();
    h.Click("Connect1");
    for (const char* alias : {"DEMO", "OTHER"}) {
        h.Dialogs().FormAnswers.push_back([alias](TEditableForm& dialog) {
            dynamic_cast<TPickAliasForm&>(dialog).Choose(alias);
            return dialog.ModalResult();
        });
        h.Click("ChangeAlias1");
        EXPECT_EQ(form.Session().Connected(), alias[0] == 'D') << alias;
    }
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.Reader().UserName, "");
    EXPECT_EQ(form.windowTitle(), Caption(form, "OTHER"));
}

TEST(MainForm, StartReadAndSelectNodes)
{
    TWindowHarness h;
    h.SetProperties("[QuorvexMainForm]\r\nQuorvexMainForm.Caption=My Schema Tool\r\n");
    EXPECT_EQ(h.Create().windowTitle(), "My Schema Tool");
    h.SetProperties("");
    TQuorvexMainForm& form = h.Create();
    EXPECT_TRUE(QRegularExpression("^Quorvex v\\d+\\.\\d+\\.\\d+\\.\\d+$")
                    .match(form.VersionCaptionText())
                    .hasMatch());
    EXPECT_EQ(form.windowTitle(), Caption(form)); // waits for the first login
    form.show();
    h.Click("RefreshAll1");
    EXPECT_EQ(form.windowTitle(), Caption(form, "DEMO.SCOTT"));
    EXPECT_TRUE(h.Statuses.last().startsWith("Finished in "));
    EXPECT_TRUE(form.isEnabled() && h.AskedKinds().isEmpty());

    form.SetPaneText(kActionPane, "typed");
    const QModelIndex emp = h.Select("Tables", "EMP");
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    const QString creating =
        "CREATE TABLE EMP (\n EMPNO NUMBER(4,0) NOT NULL\n,ENAME VARCHAR2(10)\n"
        ",JOB VARCHAR2(9)\n,MGR NUMBER(4,0)\n,HIREDATE DATE\n,SAL NUMBER(7,2)\n"
        ",COMM NUMBER(7,2)\n,DEPTNO NUMBER(2,0));";
    EXPECT_EQ(form.PaneText(kDescriptionPane), creating);
    EXPECT_TRUE(form.Menu().Refresh2->isVisible() && form.Menu().Drop1->isEnabled());
    EXPECT_FALSE(form.Menu().ReCompile1->isEnabled());
    // The tree's hint is the item's display text, a table's comment.
    QTreeView& tree = *form.TreeView1();
    tree.scrollTo(emp);
    const QPoint at = tree.visualRect(emp).center();
    QHelpEvent hint(QEvent::ToolTip, at, tree.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(tree.viewport(), &hint);
    EXPECT_EQ(QToolTip::text(), "Employees with their jobs, managers and salaries");
    QToolTip::hideText();

    // A group node empties the Description pane; a constraint shows its own text and leaves
    // the Action pane alone.
    const QModelIndex constraints = form.TreeModel().index(0, 0, emp);
    form.SelectNode(constraints);
    EXPECT_EQ(form.PaneText(kDescriptionPane), "");
    EXPECT_FALSE(form.Menu().Refresh2->isVisible());
    form.SelectNode(form.TreeModel().index(0, 0, constraints));
    EXPECT_EQ(form.PaneText(kDescriptionPane),
              "ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO REFERENCES DEPT (DEPTNO);");
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    EXPECT_FALSE(form.Menu().Drop1->isEnabled());
    // A rebuild forgets the selection and with it the Object commands.
    form.TreeModel().BuildObjectTree(form.Reader());
    EXPECT_FALSE(form.SelectedNode().isValid() || form.Menu().Refresh2->isEnabled());
}

TEST(Panes, TabsTextWordWrapCaretDropAndFont)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    form.show();
    TPaneSet& panes = form.Panes();
    const auto tabs = [&] {
        QStringList captions;
        for (int i = 0; i < panes.Count(); ++i)
            captions << panes.TabSet()->tabText(i);
        return captions.join(' ');
    };
    EXPECT_EQ(tabs(), "&1:Description &2:Action &3:Errors SQL IMG");
    EXPECT_EQ(panes.CurrentIndex(), kActionPane);
    for (int click = 0; click < 3; ++click) // "SQL" and "IMG" create panes before themselves
        panes.TabSet()->setCurrentIndex(panes.Count() - 2);
    panes.TabSet()->setCurrentIndex(panes.Count() - 1);
    EXPECT_EQ(tabs(), "&1:Description &2:Action &3:Errors &4 &5 &6 &7:# SQL IMG");
    EXPECT_EQ(panes.CurrentIndex(), 6);
    EXPECT_NE(qobject_cast<TDiagramPane*>(panes.GetPane(6)), nullptr);
    EXPECT_EQ(panes.TextPane(5)->Tag(), 5);
    EXPECT_EQ(panes.GetPane(7), nullptr);
    EXPECT_TRUE(form.findChild<QWidget*>("ToolBar1")->isVisible());
    form.SetPaneText(6, "ignored"); // text goes to text panes only
    EXPECT_EQ(form.PaneText(6), "");
    form.SelectPane(4);
    EXPECT_FALSE(form.findChild<QWidget*>("ToolBar1")->isVisible());

    // Word Wrap acts on the pane the menu was opened on and shows its state.
    TTextPane* description = panes.TextPane(kDescriptionPane);
    emit description->customContextMenuRequested(QPoint(1, 1));
    form.Menu().WordWrap1->trigger();
    EXPECT_EQ(description->lineWrapMode(), QPlainTextEdit::NoWrap);
    emit panes.TextPane(kActionPane)->customContextMenuRequested(QPoint(1, 1));
    EXPECT_TRUE(form.Menu().WordWrap1->isChecked());
    EXPECT_EQ(panes.TextPane(kActionPane)->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    form.Menu().RichEditPopup->hide();

    // The caret position is the pane's hint.
    TTextPane& errors = *panes.TextPane(kErrorsPane);
    errors.setPlainText("first\nsecond line");
    QTextCursor caret = errors.textCursor();
    caret.setPosition(9); // "sec|ond"
    errors.setTextCursor(caret);
    EXPECT_EQ(errors.statusTip(), "Line 2, Character 4");

    // A tree node dropped on a pane appends its stored text, until the tree is rebuilt.
    h.Click("RefreshAll1");
    const QModelIndex sequence = Find(form.TreeModel(), {"Sequences", "EMPNO_SEQ"});
    const std::unique_ptr<QMimeData> data(form.TreeModel().mimeData({sequence}));
    const auto drop = [&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(errors.viewport(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, data.get(), Qt::LeftButton, {});
        QCoreApplication::sendEvent(errors.viewport(), &dropped);
    };
    errors.setPlainText("-- ");
    drop();
    EXPECT_EQ(errors.toPlainText(),
              "-- " +
                  QString::fromStdString(form.TreeModel().Item(sequence)->ObjectText).remove('\r'));
    EXPECT_GT(errors.toPlainText().size(), 10);
    form.TreeModel().BuildObjectTree(form.Reader());
    errors.setPlainText("kept");
    drop();
    EXPECT_EQ(errors.toPlainText(), "kept");

    // Change Font reaches the tree and panes but not the tabs; cancelled, nothing changes.
    const QFont tabFont = panes.TabSet()->font();
    QFont chosen(QStringLiteral("Courier"));
    chosen.setPointSize(17);
    h.Dialogs().FontAnswers = {chosen, std::nullopt};
    h.Click("ChangeFont1");
    h.Click("ChangeFont1");
    EXPECT_EQ(form.TreeView1()->font().pointSize(), 17);
    EXPECT_EQ(description->font().pointSize(), 17);
    EXPECT_EQ(panes.TabSet()->font(), tabFont);
}

} // namespace
} // namespace quorvex::test
