#pragma once

#include "DemoCopy.h"
#include "ScriptedDialogs.h"
#include "TestSupport.h"
#include "dictionary/DBOraClass.h"
#include "engine/QtSession.h"
#include "mainwindow/MainWindowHost.h"
#include "mainwindow/ObjectTreeModel.h"
#include "mainwindow/commands/MainCommands.h"

#include <QPersistentModelIndex>
#include <QStringList>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quorvex::test {

// A main window without a window: a widget to disable, the tree model, named menu items in
// their start states, three text panes as strings, and a session on a private copy of the demo
// database. The login answers with the given password, or asks the (scripted) login dialog
// when it is empty and aborts silently when that is cancelled, as the main window does.
class TCommandHost : public TMainWindowHost {
public:
    TCommandHost(const std::string& user, const std::string& password);
    ~TCommandHost() override;

    QWidget* HostWidget() override { return &m_window; }
    TDBNewOracle& Reader() override { return *m_reader; }
    void ReplaceReader(std::unique_ptr<TDBNewOracle> reader) override;
    TDatabaseSession& Session() override { return *m_session; }
    TQuery& Query() override { return *m_query; }
    void SetStatusText(const QString& text) override;
    TObjectTreeModel& TreeModel() override { return m_tree; }
    QModelIndex SelectedNode() const override { return m_selected; }
    void SelectNode(const QModelIndex& node) override { m_selected = node; }
    void SetPaneText(int index, const QString& text) override;
    QString PaneText(int index) const override;
    void SelectPane(int index) override { m_pane = index; }
    void SetDescriptionReportLayout() override { m_reportLayout = true; }
    QAction* Action(const QString& name) const override;

    TMainCommands& Commands() { return *m_commands; }
    TScriptedDialogs& Dialogs() { return *m_dialogs; }
    const TempDir& Dir() const { return m_dir; }

    // Status texts in order, and whether the window took input while each was shown.
    const QStringList& Statuses() const { return m_statuses; }
    const std::vector<bool>& EnabledAtStatus() const { return m_enabledAtStatus; }
    int CurrentPane() const { return m_pane; }
    bool ReportLayout() const { return m_reportLayout; }

    // The node of an object under its category ("Views", "DEPT_SALARY_VIEW").
    QModelIndex Node(const QString& category, const QString& caption) const;
    QModelIndex Category(const QString& caption) const;
    // Every node as "parent/caption [state]", depth first.
    QStringList TreeDump() const;
    // Selects the object's node; fails the test when there is none.
    void Select(const QString& category, const QString& caption);

private:
    TempDir m_dir;
    TScriptedDialogsScope m_dialogs;
    QWidget m_window;
    TObjectTreeModel m_tree;
    std::map<QString, QAction*> m_actions; // owned by m_window
    std::unique_ptr<TQtSession> m_session;
    std::unique_ptr<TQuery> m_query;
    std::unique_ptr<TDBNewOracle> m_reader;
    std::unique_ptr<TMainCommands> m_commands;
    QPersistentModelIndex m_selected;
    QString m_panes[3];
    int m_pane = kActionPane;
    bool m_reportLayout = false;
    QStringList m_statuses;
    std::vector<bool> m_enabledAtStatus;
};

// True for "Finished in 0.25 seconds".
bool IsFinishedText(const QString& text);

} // namespace quorvex::test
