#include "MainCommands.h"

#include "CommandRunner.h"
#include "MaintenanceCommands.h"
#include "SnapshotCommands.h"
#include "SnapshotFiles.h"
#include "forms/Dialogs.h"
#include "mainwindow/MainWindowHost.h"

namespace quorvex {

namespace {

// File names are asked for before the wrapper disables the window: a dialog whose parent is
// disabled would take no input either.
std::optional<QString> AskFile(TMainWindowHost& host, bool save, const char* title,
                               const char* suffix, int filter)
{
    const TFileRequest request =
        SnapshotFileRequest(save, QString::fromLatin1(title), QString::fromLatin1(suffix), filter);
    return save ? Dialogs().SaveFileName(host.HostWidget(), request)
                : Dialogs().OpenFileName(host.HostWidget(), request);
}

} // namespace

TMainCommands::TMainCommands(TMainWindowHost& host, const TCommandClock& clock, QObject* parent)
    : QObject(parent)
    , m_host(host)
    , m_runner(std::make_unique<TCommandRunner>(host, clock))
    , m_maintenance(std::make_unique<TMaintenanceCommands>(*m_runner))
    , m_snapshot(std::make_unique<TSnapshotCommands>(*m_runner))
{
}

TMainCommands::~TMainCommands() = default;

void TMainCommands::RunCommand(const QString& caption, const std::function<void()>& operation)
{
    m_runner->Run(caption, operation);
}

void TMainCommands::RefreshAll1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Refreshing All..."), [this] {
            m_maintenance->RefreshStructure();
            m_maintenance->RefreshSource();
        });
    });
}

void TMainCommands::RefreshStructure1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Refreshing Structure..."),
                   [this] { m_maintenance->RefreshStructure(); });
    });
}

void TMainCommands::RefreshSource1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Refreshing Source..."),
                   [this] { m_maintenance->RefreshSource(); });
    });
}

void TMainCommands::Refresh2Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Refreshing..."), [this] { m_maintenance->RefreshObject(); });
    });
}

void TMainCommands::ReCompile1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Compiling..."), [this] { m_maintenance->Recompile(); });
    });
}

void TMainCommands::RecompileAll1Click()
{
    m_runner->Guard([this] { m_maintenance->RecompileAll(); });
}

void TMainCommands::Drop1Click()
{
    m_runner->Guard([this] {
        // The question comes first: the wrapper disables the window it would belong to.
        const bool confirmed = m_maintenance->ConfirmDrop();
        RunCommand(QStringLiteral("Dropping..."), [this, confirmed] {
            if (confirmed)
                m_maintenance->Drop();
        });
    });
}

void TMainCommands::AnalyseDatabase1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Analysing..."), [this] { m_maintenance->AnalyseDatabase(); });
    });
}

void TMainCommands::AnalyseSchema1Click()
{
    m_runner->Guard([this] {
        RunCommand(QStringLiteral("Analysing..."), [this] { m_maintenance->AnalyseSchema(); });
    });
}

void TMainCommands::SystemSchema1Click(QAction* sender)
{
    m_runner->Guard([this, sender] { m_maintenance->SwitchChanged(sender); });
}

void TMainCommands::Clear1Click()
{
    m_runner->Guard([this] { m_snapshot->Clear(); });
}

void TMainCommands::Snapshot1Click()
{
    m_runner->Guard([this] {
        const auto fileName = AskFile(m_host, true, "Save Snapshot", "OBJ", 1);
        RunCommand(QStringLiteral("Saving..."), [this, &fileName] {
            if (fileName)
                m_snapshot->Export(*fileName);
        });
    });
}

void TMainCommands::Import1Click()
{
    m_runner->Guard([this] {
        const auto fileName = AskFile(m_host, false, "Load Snapshot", "OBJ", 1);
        RunCommand(QStringLiteral("Loading..."), [this, &fileName] {
            if (fileName)
                m_snapshot->Import(*fileName);
        });
        // A cancelled import replaced nothing: a compared model stays closed to export and
        // comparison.
        if (fileName) {
            m_runner->EnableAction("Snapshot1", true);
            m_runner->EnableAction("CompareWithFile1", true);
            m_runner->EnableAction("SaveAsText1", true);
        }
    });
}

void TMainCommands::CompareWithFile1Click()
{
    m_runner->Guard([this] {
        const auto fileName =
            AskFile(m_host, false, "Compare with Database you want to convert to", "OBJ", 1);
        if (fileName)
            m_snapshot->CompareWithFile(*fileName);
    });
}

void TMainCommands::SaveAsText1Click()
{
    m_runner->Guard([this] {
        const auto fileName = AskFile(m_host, true, "Save Snapshot as Text", "TXT", 5);
        if (fileName)
            m_snapshot->SaveAsText(*fileName);
    });
}

} // namespace quorvex
