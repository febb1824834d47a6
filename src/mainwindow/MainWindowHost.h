#pragma once

#include <QModelIndex>
#include <QString>
#include <memory>

class QAction;
class QWidget;

namespace quorvex {

class TDBNewOracle;
class TDatabaseSession;
class TObjectTreeModel;
class TQuery;

// Pane indexes of the three text panes the main window creates at start.
inline constexpr int kDescriptionPane = 0;
inline constexpr int kActionPane = 1;
inline constexpr int kErrorsPane = 2;

// What the main window's commands need of the window: its model, query, tree, panes, status bar
// and menu items. The main window implements it; tests implement it without any window, so the
// commands can be tested on their own.
class TMainWindowHost {
public:
    TMainWindowHost() = default;
    TMainWindowHost(const TMainWindowHost&) = delete;
    TMainWindowHost& operator=(const TMainWindowHost&) = delete;
    virtual ~TMainWindowHost() = default;

    // The window: parent of dialogs, disabled while a command runs.
    virtual QWidget* HostWidget() = 0;

    // The schema model root the window owns. ReplaceReader hands the window a new root (a
    // loaded snapshot): the window attaches its query and frees the previous one; the tree
    // must be empty before.
    virtual TDBNewOracle& Reader() = 0;
    virtual void ReplaceReader(std::unique_ptr<TDBNewOracle> reader) = 0;
    virtual TDatabaseSession& Session() = 0;
    // The one shared query every reading phase and command uses.
    virtual TQuery& Query() = 0;

    // Shows the text in the status bar and redraws it at once.
    virtual void SetStatusText(const QString& text) = 0;

    virtual TObjectTreeModel& TreeModel() = 0;
    virtual QModelIndex SelectedNode() const = 0;
    // Selects (and shows) the node; the selection handler updates the menu and the panes.
    virtual void SelectNode(const QModelIndex& node) = 0;

    // Text panes by tab index; SetPaneText does nothing for a tab without a text pane.
    virtual void SetPaneText(int index, const QString& text) = 0;
    virtual QString PaneText(int index) const = 0;
    virtual void SelectPane(int index) = 0;
    // The Description pane as a report: word wrap off and both scroll bars shown.
    virtual void SetDescriptionReportLayout() = 0;

    // A menu item by its component name ("Snapshot1", "Drop1", "Recompile2"); nullptr when the
    // window has none of that name.
    virtual QAction* Action(const QString& name) const = 0;
};

} // namespace quorvex
