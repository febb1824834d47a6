// The main window on the demo database: start-up, the menus, reading the schema into the tree
// and what selecting a node shows.
#include "WindowHarness.h"
#include "dictionary/DBOraClass.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/VersionCaption.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QToolTip>
#include <QTreeView>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const char* const kEmpCreatingText = "CREATE TABLE EMP (\r\n"
                                     " EMPNO NUMBER(4,0) NOT NULL\r\n"
                                     ",ENAME VARCHAR2(10)\r\n"
                                     ",JOB VARCHAR2(9)\r\n"
                                     ",MGR NUMBER(4,0)\r\n"
                                     ",HIREDATE DATE\r\n"
                                     ",SAL NUMBER(7,2)\r\n"
                                     ",COMM NUMBER(7,2)\r\n"
                                     ",DEPTNO NUMBER(2,0));";

// A text as a pane holds it: lines end in LF alone.
QString InPane(const char* text)
{
    return QString::fromLatin1(text).remove(u'\r');
}

QStringList Children(const TObjectTreeModel& model, const QModelIndex& parent)
{
    QStringList captions;
    for (int row = 0; row < model.rowCount(parent); ++row)
        captions.append(model.Caption(model.index(row, 0, parent)));
    return captions;
}

TEST(MainForm, MenuItemsStartAsListed)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    struct TRow {
        const char* Name;
        const char* Caption;
        bool Enabled;
        const char* Shortcut;
    };
    const TRow rows[] = {
        {"Clear1", "&Clear", true, ""},
        {"Snapshot1", "&Export To File", false, ""},
        {"Import1", "I&mport From File", true, ""},
        {"CompareWithFile1", "Com&pare With File", false, ""},
        {"SaveAsText1", "Save As Text", false, ""},
        {"RefreshAll1", "&Refresh All", true, "F5"},
        {"RefreshStructure1", "Refresh S&tructure", true, "Ctrl+R"},
        {"RefreshSource1", "Refresh &Source", false, ""},
        {"UseCostSQLHint1", "Use Cost SQL &Hint", true, ""},
        {"UseRuleBasedSQL1", "Use &Rule SQL Hint", true, ""},
        {"UseOrderedSQLRule1", "Use &Ordered SQL Hint", true, ""},
        {"SystemSchema1", "&Include System Schema", true, ""},
        {"ReCompile1", "&ReCompile", false, ""},
        {"Drop1", "&Drop", false, ""},
        {"RecompileAll1", "Recompile &All", false, ""},
        {"Disable1", "D&isable", false, ""},
        {"Enable1", "&Enable", false, ""},
        {"Refresh2", "Re&fresh", true, ""},
        {"AnalyseDatabase1", "&Analyse Database", true, ""},
        {"AnalyseSchema1", "&Analyse &Schema", true, ""},
        {"ChangeAlias1", "C&hange Alias", true, ""},
        {"Connect1", "Co&nnect", true, ""},
        {"Disconnect1", "&Disconnect", false, ""},
        {"ChangeFont1", "&Change Font", true, ""},
        {"CheckForUpdates1", "&Check for Updates or EMail me...", true, ""},
        {"About1", "&About...", true, ""},
    };
    for (const TRow& row : rows) {
        SCOPED_TRACE(row.Name);
        QAction* action = form.Action(QString::fromLatin1(row.Name));
        ASSERT_NE(action, nullptr);
        EXPECT_EQ(action->text(), QString::fromLatin1(row.Caption));
        EXPECT_EQ(action->isEnabled(), row.Enabled);
        EXPECT_EQ(action->shortcut().toString(), QString::fromLatin1(row.Shortcut));
    }
    // The tree's menu shows its items only for a node that can be recompiled.
    EXPECT_EQ(form.Action("Recompile2")->text(), "Recompile");
    EXPECT_EQ(form.Action("RecompileAll2")->text(), "Recompile All");
    EXPECT_FALSE(form.Action("Recompile2")->isVisible());
    EXPECT_FALSE(form.Action("RecompileAll2")->isVisible());

    // One radio group with the cost hint checked; the system schema unchecked. The reader's
    // switches start as the menu shows them.
    EXPECT_TRUE(form.Action("UseCostSQLHint1")->isChecked());
    EXPECT_FALSE(form.Action("UseRuleBasedSQL1")->isChecked());
    EXPECT_FALSE(form.Action("SystemSchema1")->isChecked());
    EXPECT_TRUE(form.Action("SystemSchema1")->isCheckable());
    EXPECT_FALSE(form.Reader().IncludeSys || form.Reader().UseRule || form.Reader().UseOrdered);
    form.Action("UseRuleBasedSQL1")->trigger();
    EXPECT_FALSE(form.Action("UseCostSQLHint1")->isChecked());
    EXPECT_TRUE(form.Reader().UseRule);
    // Clicking the checked hint leaves none checked: the plain SELECT.
    form.Action("UseRuleBasedSQL1")->trigger();
    for (const char* hint : {"UseCostSQLHint1", "UseRuleBasedSQL1", "UseOrderedSQLRule1"})
        EXPECT_FALSE(form.Action(hint)->isChecked()) << hint;
    EXPECT_FALSE(form.Reader().UseRule || form.Reader().UseOrdered);

    const QStringList paneMenu{"Clear", "Execute SQL", "Save to File", "Load from File",
                               "Word Wrap"};
    QStringList captions;
    for (const QAction* action : form.Menu().RichEditPopup->actions())
        captions.append(action->text());
    EXPECT_EQ(captions, paneMenu);
    EXPECT_TRUE(form.Menu().WordWrap1->isChecked());
    EXPECT_EQ(form.Action("NoSuchItem1"), nullptr);
}

TEST(MainForm, StartsWithItsLayoutAndCaption)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    EXPECT_TRUE(QRegularExpression("^Quorvex v\\d+\\.\\d+\\.\\d+\\.\\d+$")
                    .match(form.VersionCaptionText())
                    .hasMatch())
        << form.VersionCaptionText().toStdString();
    // With an alias argument nothing is asked and the caption waits for the first login.
    EXPECT_EQ(form.windowTitle(), form.VersionCaptionText() + MakerNotice());
    EXPECT_TRUE(harness.AskedKinds().isEmpty());
    EXPECT_FALSE(form.Session().Connected());
    EXPECT_EQ(form.Session().Alias(), "DEMO");
    EXPECT_EQ(form.DefaultMask(), "%1:s=%3:s%4:s");
    EXPECT_EQ(form.objectName(), "QuorvexMainForm");
    EXPECT_EQ(form.minimumSize(), QSize(400, 400));
    EXPECT_EQ(form.font().pixelSize(), 13);
    EXPECT_EQ(form.TreeView1()->indentation(), 19);
    EXPECT_EQ(form.TreeView1()->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(form.TreeView1()->dragEnabled());

    form.SetStatusText("Reading Objects...");
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), "Reading Objects...");
}

TEST(MainForm, PropertyFileAppliesAtStart)
{
    TWindowHarness harness;
    harness.SetProperties("[QuorvexMainForm]\r\nQuorvexMainForm.Caption=My Schema Tool\r\n");
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    EXPECT_EQ(form.windowTitle(), "My Schema Tool");
}

TEST(MainForm, ReadsScottsSchemaIntoTheTreeAndShowsTheSelectedTable)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.ReadSchema();
    // The first query logged in with the arguments, without a dialog.
    EXPECT_TRUE(harness.AskedKinds().isEmpty());
    EXPECT_EQ(form.Reader().UserName, "SCOTT");
    EXPECT_EQ(form.Reader().SourceName, "DEMO.SCOTT");
    EXPECT_EQ(form.windowTitle(), form.VersionCaptionText() + "  Connection:DEMO.SCOTT");
    EXPECT_TRUE(form.Menu().Disconnect1->isEnabled());
    EXPECT_FALSE(form.Menu().Connect1->isEnabled());

    const TObjectTreeModel& model = form.TreeModel();
    EXPECT_EQ(Children(model, {}),
              QStringList({"Owners", "Tables", "Views", "Functions", "Procedures", "Packages",
                           "Package Bodies", "Sequences", "Synonyms"}));
    EXPECT_EQ(Children(model, model.CategoryIndex(TTreeCategory::Owners)), QStringList({"SCOTT"}));
    EXPECT_EQ(Children(model, model.CategoryIndex(TTreeCategory::Tables)),
              QStringList({"BONUS", "DEPT", "EMP", "SALGRADE"}));
    EXPECT_EQ(Children(model, model.CategoryIndex(TTreeCategory::Sequences)),
              QStringList({"EMPNO_SEQ"}));
    const QModelIndex emp = harness.Node(TTreeCategory::Tables, "EMP");
    EXPECT_EQ(Children(model, emp).mid(0, 4),
              QStringList({"Constraints", "Indexes", "EMPNO : NUMBER(4,0) NOT NULL",
                           "ENAME : VARCHAR2(10)"}));

    form.SetPaneText(kActionPane, "typed");
    form.SelectNode(emp);
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    EXPECT_EQ(form.PaneText(kDescriptionPane), InPane(kEmpCreatingText));
    // The Object menu: a read model that was never exported is not live.
    EXPECT_TRUE(form.Menu().Refresh2->isVisible());
    EXPECT_TRUE(form.Menu().Refresh2->isEnabled());
    EXPECT_FALSE(form.Menu().Drop1->isEnabled());

    // A group node leaves the Description pane alone until Export is enabled.
    const QModelIndex constraints = model.index(0, 0, emp);
    form.SelectNode(constraints);
    EXPECT_EQ(form.PaneText(kDescriptionPane), InPane(kEmpCreatingText));
    EXPECT_FALSE(form.Menu().Refresh2->isVisible());
    form.Menu().Snapshot1->setEnabled(true);
    form.SelectNode(emp);
    EXPECT_TRUE(form.Menu().Drop1->isEnabled());
    EXPECT_FALSE(form.Menu().ReCompile1->isEnabled());
    form.SelectNode(constraints);
    EXPECT_EQ(form.PaneText(kDescriptionPane), "");

    // A constraint shows its own text; the Action pane keeps the table's query.
    form.SelectNode(model.index(0, 0, constraints));
    EXPECT_EQ(form.PaneText(kDescriptionPane),
              "ALTER TABLE EMP ADD CONSTRAINT FK_DEPTNO REFERENCES DEPT (DEPTNO);");
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM SCOTT.\"EMP\"");
    EXPECT_FALSE(form.Menu().Drop1->isEnabled());

    // A rebuild forgets the selection and with it the Object commands.
    form.TreeModel().BuildObjectTree(form.Reader());
    EXPECT_FALSE(form.SelectedNode().isValid());
    EXPECT_FALSE(form.Menu().Refresh2->isEnabled());
}

TEST(MainForm, RefreshAllRunsThroughTheMenu)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.Click("RefreshAll1");
    EXPECT_TRUE(harness.AskedKinds().isEmpty());
    const TObjectTreeModel& model = form.TreeModel();
    EXPECT_EQ(Children(model, model.CategoryIndex(TTreeCategory::Tables)),
              QStringList({"BONUS", "DEPT", "EMP", "SALGRADE"}));
    EXPECT_TRUE(form.MainStatusBar()->currentMessage().startsWith("Finished in "));
    EXPECT_TRUE(form.isEnabled());
}

TEST(MainForm, TreeHintIsTheItemsDisplayText)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "scott", "tiger"});
    harness.ReadSchema();
    form.show();
    QTreeView& tree = *form.TreeView1();
    const QModelIndex emp = harness.Node(TTreeCategory::Tables, "EMP");
    tree.scrollTo(emp);
    const QPoint pos = tree.visualRect(emp).center();
    QHelpEvent hint(QEvent::ToolTip, pos, tree.viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(tree.viewport(), &hint);
    // A table's display text is its comment.
    EXPECT_EQ(QToolTip::text(), "Employees with their jobs, managers and salaries");
    QToolTip::hideText();
}

TEST(MainForm, StateImagesOfHrsSchema)
{
    TWindowHarness harness;
    TQuorvexMainForm& form = harness.Create({"DEMO", "hr", "hr"});
    harness.ReadSchema();
    const TObjectTreeModel& model = form.TreeModel();
    // An invalid view and an invalid procedure flag their nodes and categories.
    const QModelIndex view = harness.Node(TTreeCategory::Views, "DEPT_SALARY_VIEW");
    EXPECT_EQ(model.StateImage(view), 1);
    EXPECT_EQ(model.StateImage(model.CategoryIndex(TTreeCategory::Views)), 1);
    EXPECT_EQ(model.StateImage(harness.Node(TTreeCategory::Procedures, "PURGE_OLD_HISTORY")), 1);
    EXPECT_EQ(model.StateImage(model.CategoryIndex(TTreeCategory::Owners)), 0);
    // A disabled constraint: its node 2, its group, object and category 1.
    const QModelIndex departments = harness.Node(TTreeCategory::Tables, "DEPARTMENTS");
    const QModelIndex constraints = model.index(0, 0, departments);
    ASSERT_EQ(model.Caption(constraints), "Constraints");
    QModelIndex disabled;
    for (int row = 0; row < model.rowCount(constraints); ++row) {
        if (model.Caption(model.index(row, 0, constraints)).startsWith("DEPT_MGR_FK : "))
            disabled = model.index(row, 0, constraints);
    }
    ASSERT_TRUE(disabled.isValid());
    EXPECT_EQ(model.StateImage(disabled), 2);
    EXPECT_EQ(model.StateImage(constraints), 1);
    EXPECT_EQ(model.StateImage(departments), 1);
    EXPECT_EQ(model.StateImage(model.CategoryIndex(TTreeCategory::Tables)), 1);
    // A view gets its query too, the owner unquoted and the name quoted.
    form.SelectNode(view);
    EXPECT_EQ(form.PaneText(kActionPane), "SELECT * FROM HR.\"DEPT_SALARY_VIEW\"");
}

} // namespace
} // namespace quorvex::test
