#include "SnapshotCommands.h"

#include "CommandRunner.h"
#include "SnapshotFiles.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/DatabaseSession.h"
#include "mainwindow/MainWindowHost.h"
#include "mainwindow/ObjectTreeModel.h"
#include "model/ComparisonReport.h"
#include "model/TextReport.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <QFile>

namespace quorvex {

namespace {

// File names as the file system takes them.
std::string LocalName(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

// The report for a text pane: Qt's panes break lines at LF alone.
QString PaneText(const TReportLines& report)
{
    QString text = QString::fromStdString(report.Text());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

} // namespace

TSnapshotCommands::TSnapshotCommands(TCommandRunner& runner)
    : m_runner(runner)
{
}

void TSnapshotCommands::RebuildTree()
{
    TMainWindowHost& host = m_runner.Host();
    host.TreeModel().Clear();
    host.TreeModel().BuildObjectTree(host.Reader());
}

void TSnapshotCommands::ReadIfNeverRead()
{
    TMainWindowHost& host = m_runner.Host();
    TDBNewOracle& reader = host.Reader();
    if (reader.SchemaLoaded != 0)
        return;
    // Reading frees the items the tree points to.
    host.TreeModel().Clear();
    try {
        reader.LoadSchema(m_runner.Progress());
        if (reader.SourceLoaded == 0)
            reader.LoadSource(m_runner.Progress());
    } catch (...) {
        RebuildTree();
        throw;
    }
}

void TSnapshotCommands::Clear()
{
    TMainWindowHost& host = m_runner.Host();
    host.TreeModel().Clear();
    host.Reader().Clear();
    m_runner.EnableAction("RefreshSource1", false);
    m_runner.EnableAction("Snapshot1", false);
    m_runner.EnableAction("CompareWithFile1", false);
}

void TSnapshotCommands::Export(const QString& fileName)
{
    ReadIfNeverRead();
    SaveToFile(m_runner.Host().Reader(),
               LocalName(ChangeFileExt(fileName, QStringLiteral(".OBJ"))));
    RebuildTree();
    m_runner.EnableAction("RefreshSource1", true);
}

void TSnapshotCommands::Import(const QString& fileName)
{
    TMainWindowHost& host = m_runner.Host();
    // Loaded aside: a file that fails leaves the current model and its tree as they were.
    auto loaded = CreateFromFile<TDBNewOracle>(LocalName(fileName));
    loaded->SourceName = fileName.toStdString();
    host.TreeModel().Clear();
    host.ReplaceReader(std::move(loaded));
    TDBNewOracle& reader = host.Reader();
    m_runner.SetChecked("SystemSchema1", reader.IncludeSys);
    // The hint items are one radio group, in which the rule hint wins.
    m_runner.SetChecked("UseCostSQLHint1", !reader.UseRule && !reader.UseOrdered);
    m_runner.SetChecked("UseRuleBasedSQL1", reader.UseRule);
    m_runner.SetChecked("UseOrderedSQLRule1", reader.UseOrdered && !reader.UseRule);
    host.TreeModel().BuildObjectTree(reader);
    m_runner.EnableAction("RefreshSource1", true);
}

void TSnapshotCommands::CompareWithFile(const QString& fileName)
{
    TMainWindowHost& host = m_runner.Host();
    auto loaded = CreateFromFile<TDBNewOracle>(LocalName(fileName));
    loaded->SetQuery(&host.Query());
    TDBNewOracle& reader = host.Reader();

    TReportLines report;
    AddComparisonHeader(report, reader.SourceName, fileName.toStdString(),
                        ReportDateTime(m_runner.Clock().Now(), QLocale::system()).toStdString());
    host.TreeModel().Clear();
    host.SetPaneText(kDescriptionPane, {});
    host.SetDescriptionReportLayout();
    try {
        CompareObjectLists(reader.Objects(), loaded->Objects(), report);
    } catch (...) {
        host.TreeModel().BuildObjectTree(reader);
        throw;
    }
    host.TreeModel().BuildObjectTree(reader);
    host.SetPaneText(kDescriptionPane, PaneText(report));
    host.SelectPane(kDescriptionPane);
    // A merged model is neither exported nor compared again until it is replaced.
    m_runner.EnableAction("Snapshot1", false);
    m_runner.EnableAction("CompareWithFile1", false);
    m_runner.EnableAction("SaveAsText1", false);
}

void TSnapshotCommands::SaveAsText(const QString& fileName)
{
    ReadIfNeverRead();
    quorvex::SaveAsText(m_runner.Host().Reader(),
                        LocalName(ChangeFileExt(fileName, QStringLiteral(".TXT"))));
    RebuildTree();
    m_runner.EnableAction("RefreshSource1", true);
}

} // namespace quorvex
