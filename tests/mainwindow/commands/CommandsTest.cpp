// The Snapshot, Object and Database menu commands end to end on the main window over a copy of
// the demo database, timed by a fixed clock: refresh (all or one object), recompile (a broken
// view too), drop, analyse, the reading switches, export, import, compare and save as text.
#include "WindowHarness.h"
#include "mainwindow/commands/SnapshotFiles.h"
#include "model/ObjectList.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const QString kFinished = "Finished in 1.25 seconds";

TObjectItem* FindObject(const TDBNewOracle& reader, const std::string& name)
{
    for (int i = 0; i < reader.Objects().Count(); ++i)
        if (reader.Objects().Items(i)->ObjectName == name)
            return reader.Objects().Items(i);
    return nullptr;
}

// Export, Compare, Save As Text, Refresh Source, and the three hints: "+" enabled or checked.
QString Items(const TQuorvexMainForm& form)
{
    QString marks;
    for (const char* name : {"Snapshot1", "CompareWithFile1", "SaveAsText1", "RefreshSource1"})
        marks += form.Action(name)->isEnabled() ? u'+' : u'-';
    for (const char* name : {" UseCostSQLHint1", "UseRuleBasedSQL1", "UseOrderedSQLRule1"})
        marks += QString(name[0] == ' ' ? " " : "") +
                 (form.Action(QString(name).trimmed())->isChecked() ? u'+' : u'-');
    return marks;
}

TEST(MaintenanceCommands, RefreshAndRecompile)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "hr", "hr"});
    h.Commands().RefreshAll1Click();
    EXPECT_EQ(h.Statuses.front(), "Refreshing All... (busy)");
    EXPECT_EQ(h.Statuses.filter(" (busy)").size(), h.Statuses.size() - 1);
    EXPECT_EQ(h.Statuses.back(), kFinished);
    EXPECT_EQ(Items(form), "++++ +--");
    const QString flagged = "Tables [1]\n  DEPARTMENTS [1]\n    Constraints [1]\n"
                            "      DEPT_MGR_FK : Restriction [2]\n";
    const QString procedure = "Procedures [1]\n  PURGE_OLD_HISTORY [1]\n";
    EXPECT_EQ(TreeDump(form.TreeModel(), {}, true),
              flagged + "Views [1]\n  DEPT_SALARY_VIEW [1]\n" + procedure);

    // Recompile All on a sibling compiles the flagged view only.
    h.Statuses.clear();
    form.SelectNode(Find(form.TreeModel(), {"Views", "EMP_DETAILS_VIEW"}));
    h.Commands().RecompileAll1Click();
    EXPECT_EQ(form.PaneText(kActionPane), "ALTER VIEW \"DEPT_SALARY_VIEW\" COMPILE");
    EXPECT_EQ(h.Statuses.count("Compiling... (busy)"), 1);
    EXPECT_EQ(h.Statuses.back(), "Finished.");
    EXPECT_EQ(TreeDump(form.TreeModel(), {}, true), flagged + procedure);

    // The invalid procedure does not compile: its errors go to the Errors pane.
    form.SelectNode(Find(form.TreeModel(), {"Procedures", "PURGE_OLD_HISTORY"}));
    h.Commands().ReCompile1Click();
    EXPECT_EQ(form.PaneText(kErrorsPane),
              "(5,5):PL/SQL: Statement ignored\n"
              "(5,16):PLS-00201: identifier 'X' must be declared\n"
              "(6,5):PL/SQL: Statement ignored\n"
              "(6,61):PLS-00201: identifier 'HIST_TABLE' must be declared");
    EXPECT_EQ(form.Panes().CurrentIndex(), kErrorsPane);
    EXPECT_EQ(TreeDump(form.TreeModel(), {}, true), flagged + procedure);

    // Refresh reads the selected object again and empties the Errors pane.
    const QModelIndex raise = Find(form.TreeModel(), {"Procedures", "RAISE_SALARY"});
    form.SelectNode(raise);
    auto& stale = dynamic_cast<TObjectItem&>(*form.TreeModel().Item(raise));
    stale.ObjectText = "stale";
    h.Commands().Refresh2Click();
    EXPECT_EQ(QString::fromStdString(stale.ObjectText).left(22) + form.PaneText(kErrorsPane),
              "PROCEDURE RAISE_SALARY");
    EXPECT_EQ(h.Statuses.mid(h.Statuses.size() - 2) + h.AskedKinds(),
              QStringList({"Refreshing... (busy)", kFinished}));

    // With its query broken the view does not compile, and re-creating it from its text fails
    // too: a critical box.
    const QModelIndex node = Find(form.TreeModel(), {"Views", "DEPT_SALARY_VIEW"});
    form.SelectNode(node);
    form.Session().ExecuteStatement(
        "UPDATE SYS.\"VIEW$\" SET \"TEXT\" = 'SELECT NO_SUCH FROM NOWHERE' WHERE \"OBJ#\" = 52032");
    dynamic_cast<TObjectItem&>(*form.TreeModel().Item(node)).ObjectText =
        "CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS SELECT NO_SUCH FROM NOWHERE";
    h.Commands().ReCompile1Click();
    ASSERT_EQ(h.AskedKinds(), QStringList({"Message"}));
    EXPECT_EQ(h.Dialogs().Asked[0].Icon, QMessageBox::Critical);
    EXPECT_TRUE(h.Statuses.contains("Recreating View DEPT_SALARY_VIEW... (busy)"));
}

TEST(MaintenanceCommands, CancelledLoginErrorsAfterTheWindowIsEnabledAndDrop)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "scott"}); // the login is asked, and cancelled
    h.Commands().RefreshAll1Click();
    EXPECT_EQ(h.AskedKinds(), QStringList({"Login"}));
    EXPECT_EQ(h.Statuses.back(), kFinished);
    EXPECT_TRUE(form.isEnabled() &&
                form.TreeModel().CategoryIndex(TTreeCategory::Tables).isValid());
    EXPECT_EQ(Items(form), "---- +--");
    h.Statuses.clear();
    EXPECT_THROW(h.Commands().RunCommand("Working...", [] { throw Exception("boom"); }), Exception);
    EXPECT_EQ(h.Statuses, QStringList({"Working... (busy)", kFinished}));
    h.Commands().AnalyseDatabase1Click(); // needs SYSTEM
    EXPECT_EQ(h.Dialogs().Asked.back().Text, "You need to be logged in as user \"SYSTEM\".");
    h.Dialogs().Asked.clear();

    // Drop asks, then removes the node but not the item.
    h.Dialogs().LoginAnswers = {TLoginAnswer{"scott", "tiger"}};
    h.Commands().RefreshAll1Click();
    h.Dialogs().Asked.clear();
    h.Dialogs().MessageAnswers = {QMessageBox::Cancel, QMessageBox::Yes};
    form.SelectNode(Find(form.TreeModel(), {"Tables", "BONUS"}));
    h.Commands().Drop1Click();
    EXPECT_TRUE(Find(form.TreeModel(), {"Tables", "BONUS"}).isValid()) << "dropped when cancelled";
    h.Commands().Drop1Click();
    const auto& asked = h.Dialogs().Asked.at(1);
    EXPECT_EQ(asked.Text, "Drop Object. Are you sure");
    EXPECT_EQ(asked.Icon, QMessageBox::Warning);
    EXPECT_EQ(asked.Buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_FALSE(Find(form.TreeModel(), {"Tables", "BONUS"}).isValid());
    EXPECT_NE(FindObject(form.Reader(), "BONUS"), nullptr);

    // A node that cannot be dropped: no question, no statement.
    form.SelectNode(form.TreeModel().CategoryIndex(TTreeCategory::Tables));
    h.Statuses.clear();
    h.Commands().Drop1Click();
    EXPECT_EQ(h.Statuses, QStringList({"Dropping... (busy)", kFinished}));
    h.Commands().RefreshAll1Click();
    h.Commands().AnalyseSchema1Click(); // for any user
    EXPECT_EQ(FindObject(form.Reader(), "BONUS"), nullptr);
    EXPECT_EQ(h.Dialogs().Asked.size(), 2u);
}

TEST(SnapshotCommands, ExportClearImportBadFilesAndCompare)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    h.Click("UseRuleBasedSQL1");
    h.Dialogs().FileAnswers = {h.File("scott.SQL"), h.File("scott.OBJ")};
    h.Commands().RefreshAll1Click();
    h.Commands().Snapshot1Click(); // written as scott.OBJ
    const QString tree = TreeDump(form.TreeModel());
    h.Commands().Clear1Click();
    EXPECT_EQ(Items(form), "--+- -+-");
    h.Click("UseRuleBasedSQL1"); // unchecked now; the file brings it back
    h.Commands().Import1Click();
    EXPECT_EQ(TreeDump(form.TreeModel()), tree);
    EXPECT_EQ(form.Reader().SourceName, h.Path("scott.OBJ"));
    EXPECT_EQ(Items(form), "++++ -+-");

    // A bad file keeps the model and its tree and says why.
    WriteFileBytes(h.Path("garbage.OBJ"), "not a snapshot at all");
    SaveToFile(form.Reader().Objects(), h.Path("list.OBJ"));
    for (const char* file : {"garbage.OBJ", "list.OBJ", "missing.OBJ"}) {
        h.Dialogs().FileAnswers = {h.File(file)};
        h.Commands().Import1Click();
        const auto& message = h.Dialogs().Asked.back();
        EXPECT_EQ(message.Icon, QMessageBox::Critical) << file;
        EXPECT_EQ(message.Text.startsWith("Incompatible classes. "), file[0] == 'l') << file;
        EXPECT_EQ(TreeDump(form.TreeModel()), tree);
        EXPECT_EQ(h.Statuses.back(), kFinished);
    }

    // Compared with an edited snapshot: the sequence renamed (removed here, added there).
    auto target = CreateFromFile<TDBNewOracle>(h.Path("scott.OBJ"));
    FindObject(*target, "EMPNO_SEQ")->ObjectName = "STAFF_SEQ";
    SaveToFile(*target, h.Path("target.OBJ"));
    h.Dialogs().FileAnswers = {h.File("target.OBJ")};
    h.Commands().CompareWithFile1Click();
    const QStringList report = form.PaneText(kDescriptionPane).split('\n');
    EXPECT_EQ(
        report.mid(0, 4),
        QStringList({"To convert \"" + h.File("scott.OBJ") + "\" into \"" + h.File("target.OBJ") +
                         "\" on " + ReportDateTime(FixedClock().Now(), QLocale::system()) +
                         " apply the following changes.",
                     "[-] Remove this line.", "[+] Add this line.", QString(80, u'-')}));
    EXPECT_EQ(report.filter(QRegularExpression("^\\[[-+]\\] Sequence")),
              QStringList({"[-] Sequence : EMPNO_SEQ", "[+] Sequence : STAFF_SEQ"}));
    EXPECT_EQ(TreeDump(form.TreeModel(), {}, true),
              "Sequences [1]\n  EMPNO_SEQ [4]\n  STAFF_SEQ [3]\n");
    EXPECT_EQ(Items(form), "---+ -+-");
    h.Commands().Import1Click(); // cancelled: the merged model stays closed to export
    EXPECT_EQ(Items(form), "---+ -+-");
    EXPECT_EQ(
        h.AskedKinds().join(' '),
        "SaveFile OpenFile OpenFile Message OpenFile Message OpenFile Message OpenFile OpenFile");
}

TEST(SnapshotCommands, SaveAsTextHintItemsAndAnalysingAsSystem)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    h.Dialogs().FileAnswers = {h.File("scott.OBJ")};
    h.Commands().SaveAsText1Click();
    const TFileRequest& request = h.Dialogs().FileRequests.at(0);
    EXPECT_EQ(request.Title + "|" + request.DefaultSuffix + "|" + request.SelectedFilter,
              "Save Snapshot as Text|TXT|Text Files (*.TXT)");
    EXPECT_NE(ReadFileBytes(h.Path("scott.TXT"))
                  .find("CREATE TABLE EMP (\r\n EMPNO NUMBER(4,0) NOT NULL\r\n"),
              std::string::npos);
    EXPECT_TRUE(Find(form.TreeModel(), {"Tables", "EMP"}).isValid() &&
                form.Action("RefreshSource1")->isEnabled());
    EXPECT_EQ(h.AskedKinds(), QStringList({"SaveFile"}));

    // Checking the checked hint leaves none; the reader follows.
    QStringList marks;
    for (const char* item :
         {"UseRuleBasedSQL1", "UseOrderedSQLRule1", "UseOrderedSQLRule1", "SystemSchema1"}) {
        h.Click(item);
        marks << Items(form).mid(5) + " " + QString::fromStdString(form.Reader().HintPrefix()) +
                     (form.Reader().IncludeSys ? "sys" : "");
    }
    EXPECT_EQ(marks.join('|'),
              "-+- SELECT /*+RULE*/ |--+ SELECT /*+ORDERED*/ |--- SELECT |--- SELECT sys");

    // SYSTEM may analyse the database.
    form.Session().Close(); // one connection at a time
    TWindowHarness system;
    system.Create({"DEMO", "system", "manager"});
    system.Click("Connect1");
    system.Commands().AnalyseDatabase1Click();
    EXPECT_EQ(system.Statuses + system.AskedKinds(),
              QStringList({"Analysing... (busy)", kFinished}));
}

} // namespace
} // namespace quorvex::test
