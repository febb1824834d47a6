// The Snapshot menu end to end: export and import, a bad file, comparison with an edited
// snapshot, save as text, and the file dialogs' settings.
#include "CommandHost.h"
#include "mainwindow/commands/SnapshotFiles.h"
#include "model/ObjectItem.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <QAction>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TObjectItem* FindObject(const TDBNewOracle& reader, const std::string& name)
{
    for (int i = 0; i < reader.Objects().Count(); ++i)
        if (reader.Objects().Items(i)->ObjectName == name)
            return reader.Objects().Items(i);
    return nullptr;
}

std::vector<bool> MenuStates(TCommandHost& host)
{
    std::vector<bool> states;
    for (const char* name : {"Snapshot1", "CompareWithFile1", "SaveAsText1", "RefreshSource1"})
        states.push_back(host.Action(QString::fromLatin1(name))->isEnabled());
    return states;
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

    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const QDate day(2024, 3, 9);
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(0, 0)), locale),
              locale.toString(day, QLocale::ShortFormat));
    const QString afternoon = ReportDateTime(QDateTime(day, QTime(14, 5, 7)), locale);
    // The clock time only: Qt's long format would add the time zone.
    EXPECT_EQ(afternoon.toStdString(), "3/9/24 2:05:07 PM");
    EXPECT_EQ(ReportDateTime(QDateTime(day, QTime(14, 5, 7)), QLocale(QLocale::German)),
              "09.03.24 14:05:07");
    // One millisecond after midnight is no longer midnight.
    EXPECT_NE(ReportDateTime(QDateTime(day, QTime(0, 0, 0, 1)), locale),
              locale.toString(day, QLocale::ShortFormat));
}

TEST(SnapshotCommands, ExportThenImportGivesTheSameTree)
{
    TCommandHost host("scott", "tiger");
    host.Action("UseRuleBasedSQL1")->trigger();
    host.Commands().RefreshAll1Click();
    const QStringList tree = host.TreeDump();
    ASSERT_GT(tree.size(), 20);

    const QString chosen = QString::fromStdString(host.Dir().File("scott.SQL"));
    host.Dialogs().FileAnswers = {chosen};
    host.Commands().Snapshot1Click();
    const TFileRequest& request = host.Dialogs().FileRequests.at(0);
    EXPECT_EQ(request.Title, "Save Snapshot");
    EXPECT_EQ(request.DefaultSuffix, "OBJ");
    EXPECT_EQ(request.SelectedFilter, "Object Files (*.OBJ)");
    EXPECT_FALSE(std::filesystem::exists(host.Dir().File("scott.SQL")));
    const std::string written = host.Dir().File("scott.OBJ");
    ASSERT_TRUE(std::filesystem::exists(written));
    EXPECT_TRUE(host.Statuses().contains("Saving..."));

    host.Commands().Clear1Click();
    EXPECT_EQ(host.Reader().Objects().Count(), 0);
    EXPECT_EQ(MenuStates(host), (std::vector<bool>{false, false, true, false}));
    host.Action("UseRuleBasedSQL1")->trigger(); // unchecked now; the file brings it back

    host.Dialogs().FileAnswers = {QString::fromStdString(written)};
    host.Commands().Import1Click();
    EXPECT_EQ(host.Dialogs().FileRequests.at(1).Title, "Load Snapshot");
    EXPECT_EQ(host.TreeDump(), tree);
    EXPECT_EQ(host.Reader().SourceName, written);
    EXPECT_TRUE(host.Action("UseRuleBasedSQL1")->isChecked());
    EXPECT_FALSE(host.Action("UseCostSQLHint1")->isChecked());
    EXPECT_EQ(MenuStates(host), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(host.Dialogs().Asked.size() == 2u) << "no message expected";
}

TEST(SnapshotCommands, ImportOfABadFileKeepsTheModelAndShowsTheMessage)
{
    TCommandHost host("scott", "tiger");
    host.Commands().RefreshAll1Click();
    const QStringList tree = host.TreeDump();
    const TDBNewOracle* model = &host.Reader();

    const std::string garbage = host.Dir().File("garbage.OBJ");
    WriteFileBytes(garbage, "not a snapshot at all");
    const std::string wrongRoot = host.Dir().File("list.OBJ");
    SaveToFile(host.Reader().Objects(), wrongRoot);

    struct TCase {
        std::string File;
        std::string MessageStart;
    };
    for (const TCase& c : {TCase{garbage, ""}, TCase{wrongRoot, "Incompatible classes. "},
                           TCase{host.Dir().File("missing.OBJ"), ""}}) {
        SCOPED_TRACE(c.File);
        host.Dialogs().Asked.clear();
        host.Dialogs().FileAnswers = {QString::fromStdString(c.File)};
        host.Commands().Import1Click();
        ASSERT_EQ(host.Dialogs().Asked.size(), 2u);
        const auto& message = host.Dialogs().Asked[1];
        EXPECT_EQ(message.Icon, QMessageBox::Critical);
        EXPECT_FALSE(message.Text.isEmpty());
        EXPECT_TRUE(message.Text.startsWith(QString::fromStdString(c.MessageStart)))
            << message.Text.toStdString();
        EXPECT_EQ(&host.Reader(), model);
        EXPECT_EQ(host.TreeDump(), tree);
        EXPECT_TRUE(host.HostWidget()->isEnabled());
        EXPECT_TRUE(IsFinishedText(host.Statuses().back()));
    }
}

TEST(SnapshotCommands, CompareWithAnEditedSnapshotMarksTheDifferences)
{
    TCommandHost host("hr", "hr");
    host.Commands().RefreshAll1Click();
    const std::string snapshot = host.Dir().File("hr.OBJ");
    host.Dialogs().FileAnswers = {QString::fromStdString(snapshot)};
    host.Commands().Snapshot1Click();

    // The target: one procedure changed, the sequence renamed (removed here, added there).
    {
        auto target = CreateFromFile<TDBNewOracle>(snapshot);
        TObjectItem* raise = FindObject(*target, "RAISE_SALARY");
        TObjectItem* sequence = FindObject(*target, "EMPLOYEES_SEQ");
        ASSERT_TRUE(raise && sequence);
        raise->ObjectText += "-- reviewed\r\n";
        sequence->ObjectName = "STAFF_SEQ";
        SaveToFile(*target, host.Dir().File("target.OBJ"));
    }
    const QString target = QString::fromStdString(host.Dir().File("target.OBJ"));
    host.Dialogs().FileAnswers = {target};
    host.Commands().CompareWithFile1Click();

    const TFileRequest& request = host.Dialogs().FileRequests.back();
    EXPECT_EQ(request.Title, "Compare with Database you want to convert to");
    EXPECT_EQ(request.DefaultSuffix, "OBJ");
    ASSERT_TRUE(host.Dialogs().Asked.size() == 2u) << "no message expected";

    const QStringList lines = host.PaneText(kDescriptionPane).split('\n');
    ASSERT_GT(lines.size(), 4);
    const QString start = "To convert \"DEMO.HR\" into \"" + target + "\" on " +
                          QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
    EXPECT_TRUE(lines[0].startsWith(start)) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith(" apply the following changes."));
    EXPECT_EQ(lines[1], "[-] Remove this line.");
    EXPECT_EQ(lines[2], "[+] Add this line.");
    EXPECT_EQ(lines[3], QString(80, '-'));
    EXPECT_TRUE(host.ReportLayout());
    EXPECT_EQ(host.CurrentPane(), kDescriptionPane);

    const TObjectTreeModel& tree = host.TreeModel();
    EXPECT_EQ(tree.StateImage(host.Node("Procedures", "RAISE_SALARY")), ObjectStates::Changed);
    EXPECT_EQ(tree.StateImage(host.Node("Sequences", "EMPLOYEES_SEQ")), ObjectStates::Removed);
    EXPECT_EQ(tree.StateImage(host.Node("Sequences", "STAFF_SEQ")), ObjectStates::Added);
    EXPECT_EQ(tree.StateImage(host.Node("Tables", "EMPLOYEES")), 0);
    EXPECT_EQ(MenuStates(host), (std::vector<bool>{false, false, false, true}));

    // A cancelled import replaces nothing, so the merged model stays closed to export.
    host.Commands().Import1Click();
    EXPECT_EQ(MenuStates(host), (std::vector<bool>{false, false, false, true}));
}

TEST(SnapshotCommands, SaveAsTextWritesTheCreatingTexts)
{
    TCommandHost host("scott", "tiger");
    // Never read: the command reads structure and source first.
    host.Dialogs().FileAnswers = {QString::fromStdString(host.Dir().File("scott.OBJ"))};
    host.Commands().SaveAsText1Click();
    const TFileRequest& request = host.Dialogs().FileRequests.at(0);
    EXPECT_EQ(request.Title, "Save Snapshot as Text");
    EXPECT_EQ(request.DefaultSuffix, "TXT");
    EXPECT_EQ(request.SelectedFilter, "Text Files (*.TXT)");

    const std::string text = ReadFileBytes(host.Dir().File("scott.TXT"));
    EXPECT_NE(text.find("CREATE TABLE EMP (\r\n EMPNO NUMBER(4,0) NOT NULL\r\n"),
              std::string::npos);
    EXPECT_GT(host.Reader().SchemaLoaded, 0);
    EXPECT_TRUE(host.Node("Tables", "EMP").isValid());
    EXPECT_TRUE(host.Action("RefreshSource1")->isEnabled());
    EXPECT_EQ(host.Dialogs().Asked.size(), 1u);
}

} // namespace
} // namespace quorvex::test
