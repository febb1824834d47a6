#include "MaintenanceCommands.h"

#include "CommandRunner.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "dictionary/ObjectRefresh.h"
#include "forms/Dialogs.h"
#include "mainwindow/MainWindowHost.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/TreeSelection.h"
#include "model/ObjectState.h"
#include "persistence/AsciiText.h"

#include <QAction>
#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace quorvex {

namespace {

constexpr const char* kVerifyStatement = "SELECT \"STATUS\" FROM SYS.\"OBJ$\" WHERE \"OBJ#\" = :0";
constexpr const char* kErrorsStatement = "SELECT \"LINE\",\"POSITION\",\"TEXT\" FROM "
                                         "\"USER_ERRORS\" WHERE \"NAME\" = :0 ORDER BY "
                                         "\"NAME\",\"SEQUENCE\"";

// The hint items form one radio group.
constexpr const char* kHintItems[] = {"UseCostSQLHint1", "UseRuleBasedSQL1", "UseOrderedSQLRule1"};

QString Text(const std::string& text)
{
    return QString::fromStdString(text);
}

void SetAnalyseParams(TStoredProc& proc)
{
    proc.SetParam("method", "COMPUTE");
    proc.SetParam("estimate_rows", std::int64_t{0});
    proc.SetParam("estimate_percent", std::int64_t{0});
    proc.SetParam("method_opt", std::string_view{}); // sent as null
}

} // namespace

std::string CompileStatement(int objectType, const std::string& name)
{
    const char* prefix = nullptr;
    const char* suffix = "\" COMPILE";
    switch (objectType) {
    case ObjectTypes::View:
        prefix = "ALTER VIEW \"";
        break;
    case ObjectTypes::Procedure:
        prefix = "ALTER PROCEDURE \"";
        break;
    case ObjectTypes::Function:
        prefix = "ALTER FUNCTION \"";
        break;
    case ObjectTypes::PackageHeader:
        prefix = "ALTER PACKAGE \"";
        suffix = "\" COMPILE PACKAGE";
        break;
    case ObjectTypes::PackageBody:
        prefix = "ALTER PACKAGE \"";
        suffix = "\" COMPILE BODY";
        break;
    case ObjectTypes::Trigger:
        prefix = "ALTER TRIGGER \"";
        break;
    default:
        return {};
    }
    return prefix + name + suffix;
}

std::string DropStatement(int objectType, const std::string& name)
{
    const char* prefix = nullptr;
    switch (objectType) {
    case ObjectTypes::Index:
        prefix = "DROP INDEX \"";
        break;
    case ObjectTypes::Table:
        prefix = "DROP TABLE \"";
        break;
    case ObjectTypes::View:
        prefix = "DROP VIEW \"";
        break;
    case ObjectTypes::Synonym:
        prefix = "DROP SYNONYM \"";
        break;
    case ObjectTypes::Sequence:
        prefix = "DROP SEQUENCE \"";
        break;
    case ObjectTypes::Procedure:
        prefix = "DROP PROCEDURE \"";
        break;
    case ObjectTypes::Function:
        prefix = "DROP FUNCTION \"";
        break;
    case ObjectTypes::PackageHeader:
        prefix = "DROP PACKAGE \"";
        break;
    case ObjectTypes::PackageBody:
        prefix = "DROP PACKAGE BODY \"";
        break;
    case ObjectTypes::Trigger:
        prefix = "DROP TRIGGER \"";
        break;
    default:
        return {};
    }
    return prefix + name + "\"";
}

TMaintenanceCommands::TMaintenanceCommands(TCommandRunner& runner)
    : m_runner(runner)
{
}

void TMaintenanceCommands::RefreshStructure()
{
    TMainWindowHost& host = m_runner.Host();
    TObjectTreeModel& tree = host.TreeModel();
    // The read frees the items the tree points to.
    tree.Clear();
    try {
        host.Reader().LoadSchema(m_runner.Progress());
    } catch (...) {
        // The model is whole either way (the phases absorb their own errors); show it.
        tree.BuildObjectTree(host.Reader());
        throw;
    }
    tree.BuildObjectTree(host.Reader());
    m_runner.EnableAction("RefreshSource1", true);
    m_runner.EnableAction("Snapshot1", true);
    m_runner.EnableAction("CompareWithFile1", true);
    // Nothing else ever enables Save As Text; it goes with Export.
    m_runner.EnableAction("SaveAsText1", true);
}

void TMaintenanceCommands::RefreshSource()
{
    m_runner.Host().Reader().LoadSource(m_runner.Progress());
}

void TMaintenanceCommands::RefreshObject()
{
    TMainWindowHost& host = m_runner.Host();
    auto* object = dynamic_cast<TObjectItem*>(host.TreeModel().Item(host.SelectedNode()));
    if (!object)
        return;
    host.SetPaneText(kErrorsPane, {});
    RefreshFromDatabase(*object, host.Query());
}

void TMaintenanceCommands::Recompile()
{
    TMainWindowHost& host = m_runner.Host();
    TObjectTreeModel& tree = host.TreeModel();
    const QModelIndex selected = host.SelectedNode();
    if (!CanRecompileSelection(selected))
        return;
    auto* item = dynamic_cast<TNameStateItem*>(tree.Item(selected));
    if (!item)
        return;
    const std::string name = item->ObjectName;
    const std::string statement = CompileStatement(item->ObjectType, name);
    if (statement.empty()) {
        m_runner.EnableAction("ReCompile1", false);
        m_runner.EnableAction("RecompileAll1", false);
        m_runner.ShowAction("Recompile2", false);
        m_runner.ShowAction("RecompileAll2", false);
        return;
    }
    host.SetPaneText(kErrorsPane, {});
    host.SetPaneText(kActionPane, Text(statement));

    host.SetStatusText(Text("Compiling " + name + "..."));
    TQuery& query = host.Query();
    query.SetSQL(statement);
    try {
        query.ExecSQL();
    } catch (const EAbort&) {
        throw;
    } catch (const Exception&) {
        // A failed compile shows in the verification; a view is created again from its text.
        if (item->ObjectType == ObjectTypes::View) {
            host.SetStatusText(Text("Recreating View " + name + "..."));
            query.SetSQL(item->ObjectText);
            query.ExecSQL();
        }
    }

    host.SetStatusText(Text("Verifying " + name + "..."));
    query.SetSQL(kVerifyStatement);
    query.SetParam(0, std::int64_t{item->ObjectNo});
    bool valid = false;
    {
        TQueryCloser closer(query);
        query.Open();
        // No row: the object is gone, which is no valid object either.
        valid = !query.Eof() && query.AsInteger(0) < 2;
    }
    item->ObjectState = valid ? ObjectStates::Normal : ObjectStates::Invalid;
    if (valid) {
        tree.SetStateImage(selected, 0);
        const QModelIndex parent = selected.parent();
        if (parent.isValid())
            tree.UpdateStateFromChildren(parent);
    } else {
        ShowErrors(name);
    }
}

void TMaintenanceCommands::ShowErrors(const std::string& name)
{
    TMainWindowHost& host = m_runner.Host();
    TQuery& query = host.Query();
    query.SetSQL(kErrorsStatement);
    query.SetParam(0, name);
    QString text = host.PaneText(kErrorsPane);
    {
        TQueryCloser closer(query);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
                text += QLatin1Char('\n');
            text += QStringLiteral("(%1,%2):%3")
                        .arg(QString::number(query.AsInteger(0)),
                             QString::number(query.AsInteger(1)), Text(query.AsText(2)));
        }
    }
    host.SetPaneText(kErrorsPane, text);
    host.SelectPane(kErrorsPane);
}

void TMaintenanceCommands::RecompileAll()
{
    TMainWindowHost& host = m_runner.Host();
    TObjectTreeModel& tree = host.TreeModel();
    const QModelIndex selected = host.SelectedNode();
    if (!selected.isValid())
        return;
    const QModelIndex parent = selected.parent();
    if (!dynamic_cast<TNameStateItem*>(tree.Item(tree.index(0, 0, parent))))
        return;
    host.SetStatusText(QStringLiteral("Please Wait..."));
    const int count = tree.rowCount(parent);
    for (int row = 0; row < count; ++row) {
        const QModelIndex node = tree.index(row, 0, parent);
        const auto* item = dynamic_cast<TNameStateItem*>(tree.Item(node));
        if (!item)
            continue;
        host.SetStatusText(Text("Checking " + item->ObjectName + ". Please Wait..."));
        if (item->ObjectState != ObjectStates::Normal) {
            host.SelectNode(node);
            m_runner.Run(QStringLiteral("Compiling..."), [this] { Recompile(); });
        }
    }
    host.SetStatusText(QStringLiteral("Finished."));
}

bool TMaintenanceCommands::ConfirmDrop() const
{
    TMainWindowHost& host = m_runner.Host();
    if (!CanDropSelection(host.SelectedNode()))
        return false;
    return Dialogs().Message(
               host.HostWidget(), QMessageBox::Warning, QCoreApplication::applicationName(),
               QStringLiteral("Drop Object. Are you sure"), QMessageBox::Yes | QMessageBox::Cancel,
               QMessageBox::Cancel) == QMessageBox::Yes;
}

void TMaintenanceCommands::Drop()
{
    TMainWindowHost& host = m_runner.Host();
    TObjectTreeModel& tree = host.TreeModel();
    const QModelIndex selected = host.SelectedNode();
    if (!CanDropSelection(selected))
        return;
    auto* object = dynamic_cast<TObjectItem*>(tree.Item(selected));
    if (!object)
        return;
    const std::string statement = DropStatement(object->ObjectType, object->ObjectName);
    if (statement.empty())
        return;
    host.SetPaneText(kErrorsPane, {});
    host.SetPaneText(kActionPane, Text(statement));
    TQuery& query = host.Query();
    query.SetSQL(statement);
    query.ExecSQL();
    // The item stays in the model until the next refresh; only its node goes.
    const QModelIndex parent = selected.parent();
    tree.RemoveNode(selected);
    if (parent.isValid())
        tree.UpdateStateFromChildren(parent);
}

void TMaintenanceCommands::AnalyseDatabase()
{
    TMainWindowHost& host = m_runner.Host();
    if (UpperAsciiText(host.Reader().UserName) != "SYSTEM")
        throw ECommandNotice("You need to be logged in as user \"SYSTEM\".");
    auto proc = host.Session().CreateStoredProc("SYS.DBMS_UTILITY.ANALYZE_DATABASE");
    proc->Prepare();
    if (proc->ParamNames().empty())
        return;
    SetAnalyseParams(*proc);
    proc->Execute();
    proc->Unprepare();
}

void TMaintenanceCommands::AnalyseSchema()
{
    TMainWindowHost& host = m_runner.Host();
    auto proc = host.Session().CreateStoredProc("SYS.DBMS_UTILITY.ANALYZE_SCHEMA");
    proc->Prepare();
    proc->SetParam("schema", host.Reader().UserName);
    SetAnalyseParams(*proc);
    proc->Execute();
    proc->Unprepare();
}

void TMaintenanceCommands::SwitchChanged(QAction* sender)
{
    TMainWindowHost& host = m_runner.Host();
    if (sender && sender->isChecked()) {
        QList<QAction*> hints;
        for (const char* name : kHintItems)
            if (QAction* action = host.Action(QString::fromLatin1(name)))
                hints << action;
        if (hints.contains(sender)) {
            for (QAction* other : std::as_const(hints))
                if (other != sender)
                    other->setChecked(false);
        }
    }
    TDBNewOracle& reader = host.Reader();
    reader.IncludeSys = m_runner.IsChecked("SystemSchema1");
    reader.UseRule = m_runner.IsChecked("UseRuleBasedSQL1");
    reader.UseOrdered = m_runner.IsChecked("UseOrderedSQLRule1");
}

} // namespace quorvex
