#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QAction;

namespace quorvex {

class TCommandRunner;
class TMainWindowHost;
struct TCommandClock;
class TMaintenanceCommands;
class TSnapshotCommands;

// The main window's Snapshot, Object and Database menu commands (refresh, recompile, drop,
// analyse, the reading switches, and clear, export, import, compare and save as text). They act
// on the window through TMainWindowHost; errors are shown by the window's handler after the
// window was enabled again, a silent abort shows nothing.
class TMainCommands : public QObject {
    Q_OBJECT

public:
    // The clock dates comparison reports and times the commands.
    TMainCommands(TMainWindowHost& host, const TCommandClock& clock, QObject* parent = nullptr);
    ~TMainCommands() override;

    // Disables the window, shows the caption, runs the operation, and always enables the window
    // again and shows "Finished in %f seconds" (two decimals) before an error goes on to the
    // caller.
    void RunCommand(const QString& caption, const std::function<void()>& operation);

    // Menu handlers. Each shows its own errors (message box through Dialogs()) and returns
    // normally; a silent abort shows nothing.
    void RefreshAll1Click();       // "&Refresh All" (F5)
    void RefreshStructure1Click(); // "Refresh S&tructure" (Ctrl+R)
    void RefreshSource1Click();    // "Refresh &Source"
    void Refresh2Click();          // Object "Re&fresh"
    void ReCompile1Click();        // Object "&ReCompile" and the tree menu's "Recompile"
    void RecompileAll1Click();     // Object "Recompile &All" and the tree menu's "Recompile All"
    void Drop1Click();             // Object "&Drop" and the Delete key released in the tree
    void AnalyseDatabase1Click();
    void AnalyseSchema1Click();
    // The three hint items and "&Include System Schema". The items are checkable and have
    // toggled themselves when this runs (QAction::triggered); a checked hint item unchecks the
    // other two ("UseCostSQLHint1", "UseRuleBasedSQL1", "UseOrderedSQLRule1"), and clicking
    // the checked one leaves none checked, so a QActionGroup holding them must use
    // QActionGroup::ExclusionPolicy::ExclusiveOptional.
    void SystemSchema1Click(QAction* sender);

    void Clear1Click();           // "&Clear"
    void Snapshot1Click();        // "&Export To File"
    void Import1Click();          // "I&mport From File"
    void CompareWithFile1Click(); // "Com&pare With File"
    void SaveAsText1Click();      // "Save As Text"

private:
    TMainWindowHost& m_host;
    std::unique_ptr<TCommandRunner> m_runner;
    std::unique_ptr<TMaintenanceCommands> m_maintenance;
    std::unique_ptr<TSnapshotCommands> m_snapshot;
};

} // namespace quorvex
