// The Snapshot, Object and Database menu commands end to end on the main window over a copy of
// the demo database: refresh, recompile, drop, analyse, the reading switches, export, import,
// compare and save as text.
#include "WindowHarness.h"
#include "mainwindow/commands/SnapshotFiles.h"
#include "model/ObjectList.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const QString kFinished = QStringLiteral("Finished in 1.25 seconds");

TObjectItem* FindObject(const TDBNewOracle& reader, const std::string& name)
{
    for (int i = 0; i < reader.Objects().Count(); ++i)
        if (reader.Objects().Items(i)->ObjectName == name)
            return reader.Objects().Items(i);
    return nullptr;
}

// Export, Compare, Save As Text and Refresh Source: "+" enabled, "-" not.
QString ModelItems(const TQuorvexMainForm& form)
{
    QString marks;
    for (const char* name : {"Snapshot1", "CompareWithFile1", "SaveAsText1", "RefreshSource1"})
        marks += form.Action(QString::fromLatin1(name))->isEnabled() ? u'+' : u'-';
    return marks;
}

TEST(MaintenanceCommands, RefreshRecompileAndRefreshAnObject)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "hr", "hr"});
    h.Commands().RefreshAll1Click();
    ASSERT_GE(h.Statuses.size(), 3);
    EXPECT_EQ(h.Statuses.front(), "Refreshing All... (busy)");
    EXPECT_TRUE(h.Statuses.contains("Reading Objects... (busy)"));
    EXPECT_EQ(h.Statuses.filter(" (busy)").size(), h.Statuses.size() - 1);
    EXPECT_EQ(h.Statuses.back(), kFinished);
    EXPECT_EQ(ModelItems(form), "++++");
    EXPECT_GT(form.Reader().SourceLoaded, 0);
    const TObjectTreeModel& tree = form.TreeModel();
    // An invalid view and procedure, a disabled constraint.
    const QString flagged = "Tables [1]\n"
                            "  DEPARTMENTS [1]\n"
                            "    Constraints [1]\n"
                            "      DEPT_MGR_FK : Restriction [2]\n";
    EXPECT_EQ(TreeDump(tree, {}, true), flagged + "Views [1]\n"
                                                  "  DEPT_SALARY_VIEW [1]\n"
                                                  "Procedures [1]\n"
                                                  "  PURGE_OLD_HISTORY [1]\n");

    // Recompile All on a sibling compiles the flagged view only.
    h.Statuses.clear();
    h.Select("Views", "EMP_DETAILS_VIEW");
    h.Commands().RecompileAll1Click();
    EXPECT_EQ(form.PaneText(kActionPane), "ALTER VIEW \"DEPT_SALARY_VIEW\" COMPILE");
    EXPECT_EQ(h.Statuses.count("Compiling... (busy)"), 1);
    EXPECT_TRUE(h.Statuses.contains("Checking DEPT_SALARY_VIEW. Please Wait..."));
    EXPECT_TRUE(h.Statuses.contains("Verifying DEPT_SALARY_VIEW... (busy)"));
    EXPECT_EQ(h.Statuses.back(), "Finished.");
    EXPECT_EQ(FindObject(form.Reader(), "DEPT_SALARY_VIEW")->ObjectState, 0);

    // The invalid procedure does not compile: its errors go to the Errors pane.
    h.Select("Procedures", "PURGE_OLD_HISTORY");
    h.Commands().ReCompile1Click();
    EXPECT_EQ(form.PaneText(kActionPane), "ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE");
    EXPECT_EQ(form.PaneText(kErrorsPane),
              "(5,5):PL/SQL: Statement ignored\n"
              "(5,16):PLS-00201: identifier 'X' must be declared\n"
              "(6,5):PL/SQL: Statement ignored\n"
              "(6,61):PLS-00201: identifier 'HIST_TABLE' must be declared");
    EXPECT_EQ(form.Panes().CurrentIndex(), kErrorsPane);
    EXPECT_EQ(TreeDump(tree, {}, true), flagged + "Procedures [1]\n  PURGE_OLD_HISTORY [1]\n");

    // Refresh reads the selected object again and empties the Errors pane.
    const QModelIndex raise = h.Select("Procedures", "RAISE_SALARY");
    auto* procedure = dynamic_cast<TObjectItem*>(tree.Item(raise));
    ASSERT_NE(procedure, nullptr);
    procedure->ObjectText = "stale";
    h.Commands().Refresh2Click();
    EXPECT_TRUE(procedure->ObjectText.starts_with("PROCEDURE RAISE_SALARY"));
    EXPECT_EQ(form.PaneText(kErrorsPane), "");
    EXPECT_EQ(h.Statuses.mid(h.Statuses.size() - 2),
              QStringList({"Refreshing... (busy)", kFinished}));
    EXPECT_TRUE(h.Dialogs().Asked.empty());
}

TEST(MaintenanceCommands, DropAsksThenRemovesTheNodeButNotTheItem)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    h.Commands().RefreshAll1Click();
    h.Dialogs().MessageAnswers = {QMessageBox::Cancel, QMessageBox::Yes};
    h.Select("Tables", "BONUS");
    h.Commands().Drop1Click();
    EXPECT_TRUE(Find(form.TreeModel(), {"Tables", "BONUS"}).isValid())
        << "dropped although cancelled";
    h.Commands().Drop1Click();
    ASSERT_EQ(h.Dialogs().Asked.size(), 2u);
    EXPECT_EQ(h.Dialogs().Asked[1].Text, "Drop Object. Are you sure");
    EXPECT_EQ(h.Dialogs().Asked[1].Icon, QMessageBox::Warning);
    EXPECT_EQ(h.Dialogs().Asked[1].Buttons, QMessageBox::Yes | QMessageBox::Cancel);
    EXPECT_FALSE(Find(form.TreeModel(), {"Tables", "BONUS"}).isValid());
    EXPECT_NE(FindObject(form.Reader(), "BONUS"), nullptr);

    // A node that cannot be dropped: no question, no statement.
    form.SelectNode(form.TreeModel().CategoryIndex(TTreeCategory::Tables));
    h.Statuses.clear();
    h.Commands().Drop1Click();
    EXPECT_EQ(h.Statuses, QStringList({"Dropping... (busy)", kFinished}));
    h.Commands().RefreshAll1Click();
    EXPECT_EQ(FindObject(form.Reader(), "BONUS"), nullptr);
    EXPECT_EQ(h.Dialogs().Asked.size(), 2u);
}

TEST(MaintenanceCommands, AnalyseDatabaseNeedsSystemAnalyseSchemaDoesNot)
{
    for (const char* user : {"scott", "system"}) {
        for (bool database : {true, false}) {
            SCOPED_TRACE(std::string(user) + (database ? " database" : " schema"));
            TWindowHarness h;
            h.Create({"DEMO", user, user[1] == 'c' ? "tiger" : "manager"});
            h.Click("Connect1");
            database ? h.Commands().AnalyseDatabase1Click() : h.Commands().AnalyseSchema1Click();
            EXPECT_EQ(h.Statuses.back(), kFinished);
            const bool refused = database && user[1] == 'c';
            if (refused) {
                ASSERT_EQ(h.Dialogs().Asked.size(), 1u);
                EXPECT_EQ(h.Dialogs().Asked[0].Text,
                          "You need to be logged in as user \"SYSTEM\".");
                EXPECT_EQ(h.Dialogs().Asked[0].Icon, QMessageBox::Information);
            } else {
                EXPECT_EQ(h.AskedKinds(), QStringList());
            }
        }
    }
}

TEST(MaintenanceCommands, CancelledLoginEndsTheCommandSilently)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "hr"}); // the login dialog asks and is cancelled
    h.Commands().RefreshAll1Click();
    EXPECT_EQ(h.AskedKinds(), QStringList({"Login"}));
    EXPECT_EQ(h.Statuses.back(), kFinished);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(ModelItems(form), "----");
    EXPECT_TRUE(form.TreeModel().CategoryIndex(TTreeCategory::Tables).isValid());
}

TEST(MaintenanceCommands, ErrorsAreShownAfterTheWindowIsEnabledAgain)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "hr", "hr"});
    EXPECT_THROW(h.Commands().RunCommand("Working...", [] { throw Exception("boom"); }), Exception);
    EXPECT_TRUE(form.isEnabled());
    EXPECT_EQ(h.Statuses, QStringList({"Working... (busy)", kFinished}));

    // With its query broken the view does not compile, and re-creating it from its text fails
    // too: a critical box.
    h.Commands().RefreshAll1Click();
    const QModelIndex node = h.Select("Views", "DEPT_SALARY_VIEW");
    form.Session().ExecuteStatement(
        "UPDATE SYS.\"VIEW$\" SET \"TEXT\" = 'SELECT NO_SUCH FROM NOWHERE' WHERE \"OBJ#\" = 52032");
    auto* view = dynamic_cast<TObjectItem*>(form.TreeModel().Item(node));
    ASSERT_NE(view, nullptr);
    view->ObjectText = "CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS SELECT NO_SUCH FROM NOWHERE";
    h.Commands().ReCompile1Click();
    ASSERT_EQ(h.AskedKinds(), QStringList({"Message"}));
    EXPECT_EQ(h.Dialogs().Asked[0].Icon, QMessageBox::Critical);
    EXPECT_FALSE(h.Dialogs().Asked[0].Text.isEmpty());
    EXPECT_TRUE(h.Statuses.contains("Recreating View DEPT_SALARY_VIEW... (busy)"));
    EXPECT_TRUE(form.isEnabled());
}

TEST(MaintenanceCommands, HintItemsFormARadioGroupThatCanBeLeftEmpty)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    const auto marks = [&] {
        QString checked;
        for (const char* name :
             {"UseCostSQLHint1", "UseRuleBasedSQL1", "UseOrderedSQLRule1", "SystemSchema1"})
            checked += form.Action(QString::fromLatin1(name))->isChecked() ? u'x' : u'-';
        const TDBNewOracle& r = form.Reader();
        return checked + (r.UseRule ? " rule" : "") + (r.UseOrdered ? " ordered" : "") +
               (r.IncludeSys ? " sys" : "");
    };
    EXPECT_EQ(marks(), "x---");
    h.Click("UseRuleBasedSQL1");
    EXPECT_EQ(marks(), "-x-- rule");
    h.Click("UseOrderedSQLRule1");
    EXPECT_EQ(marks(), "--x- ordered");
    h.Click("UseOrderedSQLRule1"); // the checked one: none is left
    EXPECT_EQ(marks(), "----");
    EXPECT_EQ(form.Reader().HintPrefix(), "SELECT ");
    h.Click("SystemSchema1");
    EXPECT_EQ(marks(), "---x sys");
}

TEST(SnapshotFiles, FiltersExtensionsAndReportTime)
{
    const TFileRequest save = SnapshotFileRequest(true, "Save Snapshot as Text", "TXT", 5);
    EXPECT_EQ(save.Filter, "Object Files (*.OBJ);;SQL Files (*.SQL);;All Files (*);;"
                           "Layout Files (*.LYT);;Text Files (*.TXT)");
    EXPECT_EQ(save.SelectedFilter, "Text Files (*.TXT)");
    const TFileRequest open = SnapshotFileRequest(false, "Load Snapshot", "OBJ", 1);
    EXPECT_EQ(open.Filter.count(";;"), 3);
    EXPECT_EQ(open.SelectedFilter, "Object Files (*.OBJ)");
    EXPECT_EQ(ChangeFileExt("/tmp/a.b/name.SQL", ".OBJ"), "/tmp/a.b/name.OBJ");
    EXPECT_EQ(ChangeFileExt("/tmp/a.b/name", ".OBJ"), "/tmp/a.b/name.OBJ");
    EXPECT_EQ(ChangeFileExt("x.tar.gz", ".TXT"), "x.tar.TXT");

    const QLocale us(QLocale::English, QLocale::UnitedStates);
    const QDate day(2024, 3, 9);
    // Midnight gives the date alone; otherwise the clock time without the time zone.
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(0, 0)), us), "3/9/24");
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(0, 0, 0, 1)), us), "3/9/24 12:00:00 AM");
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(14, 5, 7)), us), "3/9/24 2:05:07 PM");
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(14, 5, 7)), QLocale(QLocale::German)),
              "09.03.24 14:05:07");
}

TEST(SnapshotCommands, ExportClearAndImportGiveTheSameTree)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    h.Click("UseRuleBasedSQL1");
    h.Commands().RefreshAll1Click();
    const QString tree = TreeDump(form.TreeModel());
    h.Dialogs().FileAnswers = {QString::fromStdString(h.Dir().File("scott.SQL"))};
    h.Commands().Snapshot1Click();
    const TFileRequest& request = h.Dialogs().FileRequests.at(0);
    EXPECT_EQ(request.Title, "Save Snapshot");
    EXPECT_EQ(request.DefaultSuffix, "OBJ");
    EXPECT_EQ(request.SelectedFilter, "Object Files (*.OBJ)");
    EXPECT_FALSE(std::filesystem::exists(h.Dir().File("scott.SQL")));
    EXPECT_TRUE(h.Statuses.contains("Saving... (busy)"));

    h.Commands().Clear1Click();
    EXPECT_EQ(form.Reader().Objects().Count(), 0);
    EXPECT_EQ(ModelItems(form), "--+-");
    h.Click("UseRuleBasedSQL1"); // unchecked now; the file brings it back
    h.Dialogs().FileAnswers = {QString::fromStdString(h.Dir().File("scott.OBJ"))};
    h.Commands().Import1Click();
    EXPECT_EQ(h.Dialogs().FileRequests.at(1).Title, "Load Snapshot");
    EXPECT_EQ(TreeDump(form.TreeModel()), tree);
    EXPECT_EQ(form.Reader().SourceName, h.Dir().File("scott.OBJ"));
    EXPECT_TRUE(form.Action("UseRuleBasedSQL1")->isChecked());
    EXPECT_FALSE(form.Action("UseCostSQLHint1")->isChecked());
    EXPECT_EQ(ModelItems(form), "++++");
    EXPECT_EQ(h.AskedKinds(), QStringList({"SaveFile", "OpenFile"}));

    // A bad file keeps the model and its tree and says why.
    const TDBNewOracle* model = &form.Reader();
    WriteFileBytes(h.Dir().File("garbage.OBJ"), "not a snapshot at all");
    SaveToFile(form.Reader().Objects(), h.Dir().File("list.OBJ"));
    for (const auto& [file, start] : {std::pair{"garbage.OBJ", ""},
                                      {"list.OBJ", "Incompatible classes. "},
                                      {"missing.OBJ", ""}}) {
        SCOPED_TRACE(file);
        h.Dialogs().Asked.clear();
        h.Dialogs().FileAnswers = {QString::fromStdString(h.Dir().File(file))};
        h.Commands().Import1Click();
        ASSERT_EQ(h.AskedKinds(), QStringList({"OpenFile", "Message"}));
        EXPECT_EQ(h.Dialogs().Asked[1].Icon, QMessageBox::Critical);
        EXPECT_FALSE(h.Dialogs().Asked[1].Text.isEmpty());
        EXPECT_TRUE(h.Dialogs().Asked[1].Text.startsWith(start));
        EXPECT_EQ(&form.Reader(), model);
        EXPECT_EQ(TreeDump(form.TreeModel()), tree);
        EXPECT_TRUE(form.isEnabled());
        EXPECT_EQ(h.Statuses.back(), kFinished);
    }
}

TEST(SnapshotCommands, CompareWithAnEditedSnapshotMarksTheDifferences)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create({"DEMO", "hr", "hr"});
    h.Commands().RefreshAll1Click();
    const std::string snapshot = h.Dir().File("hr.OBJ");
    h.Dialogs().FileAnswers = {QString::fromStdString(snapshot)};
    h.Commands().Snapshot1Click();
    // The target: one procedure changed, the sequence renamed (removed here, added there).
    {
        auto target = CreateFromFile<TDBNewOracle>(snapshot);
        FindObject(*target, "RAISE_SALARY")->ObjectText += "-- reviewed\r\n";
        FindObject(*target, "EMPLOYEES_SEQ")->ObjectName = "STAFF_SEQ";
        SaveToFile(*target, h.Dir().File("target.OBJ"));
    }
    const QString target = QString::fromStdString(h.Dir().File("target.OBJ"));
    h.Dialogs().FileAnswers = {target};
    h.Commands().CompareWithFile1Click();
    const TFileRequest& request = h.Dialogs().FileRequests.back();
    EXPECT_EQ(request.Title, "Compare with Database you want to convert to");
    EXPECT_EQ(request.DefaultSuffix, "OBJ");
    EXPECT_EQ(h.AskedKinds(), QStringList({"SaveFile", "OpenFile"}));
    const QStringList report = form.PaneText(kDescriptionPane).split('\n');
    EXPECT_EQ(report.mid(0, 4),
              QStringList({"To convert \"DEMO.HR\" into \"" + target + "\" on " +
                               ReportDateTime(FixedClock().Now(), QLocale::system()) +
                               " apply the following changes.",
                           "[-] Remove this line.", "[+] Add this line.", QString(80, u'-')}));
    EXPECT_EQ(report.filter(QRegularExpression("^\\[[-+]\\] (--|Sequence)")),
              QStringList(
                  {"[+] -- reviewed", "[-] Sequence : EMPLOYEES_SEQ", "[+] Sequence : STAFF_SEQ"}));
    EXPECT_EQ(form.Panes().TextPane(kDescriptionPane)->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(form.Panes().CurrentIndex(), kDescriptionPane);
    EXPECT_EQ(TreeDump(form.TreeModel(), {}, true), "Procedures [1]\n"
                                                    "  RAISE_SALARY [5]\n"
                                                    "Sequences [1]\n"
                                                    "  EMPLOYEES_SEQ [4]\n"
                                                    "  STAFF_SEQ [3]\n");
    EXPECT_EQ(ModelItems(form), "---+");
    // A cancelled import replaces nothing, so the merged model stays closed to export.
    h.Commands().Import1Click();
    EXPECT_EQ(ModelItems(form), "---+");
}

TEST(SnapshotCommands, SaveAsTextReadsFirstAndWritesTheCreatingTexts)
{
    TWindowHarness h;
    TQuorvexMainForm& form = h.Create();
    h.Dialogs().FileAnswers = {QString::fromStdString(h.Dir().File("scott.OBJ"))};
    h.Commands().SaveAsText1Click();
    const TFileRequest& request = h.Dialogs().FileRequests.at(0);
    EXPECT_EQ(request.Title, "Save Snapshot as Text");
    EXPECT_EQ(request.DefaultSuffix, "TXT");
    EXPECT_EQ(request.SelectedFilter, "Text Files (*.TXT)");
    EXPECT_NE(ReadFileBytes(h.Dir().File("scott.TXT"))
                  .find("CREATE TABLE EMP (\r\n EMPNO NUMBER(4,0) NOT NULL\r\n"),
              std::string::npos);
    EXPECT_TRUE(Find(form.TreeModel(), {"Tables", "EMP"}).isValid());
    EXPECT_TRUE(form.Action("RefreshSource1")->isEnabled());
    EXPECT_EQ(h.AskedKinds(), QStringList({"SaveFile"}));
}

} // namespace
} // namespace quorvex::test
