#pragma once

#include "MainMenu.h"
#include "MainWindowHost.h"
#include "forms/EditableForm.h"

#include <QStringList>
#include <functional>
#include <memory>

class QSplitter;
class QToolBar;
class QTreeView;

namespace quorvex {

class TDBNewOracle;
class TDiagramCommands;
class TMainCommands;
class TObjectTreeModel;
class TEventHook;
class TPaneSet;
class TPaneSqlCommands;
class TQtSession;
class TTextPane;
struct TLoginParams;

// The program's main window: the object tree on the left, the tabbed text and diagram panes on
// the right, the menus, and the connection of the one database session. It owns the session,
// the shared query, the schema model (the reader) and the menu commands.
class TQuorvexMainForm final : public TEditableForm, public TMainWindowHost {
    Q_OBJECT

public:
    // `arguments` without the program name: alias, user name, password, all optional. Lays the
    // window out and runs its creation steps; may ask for an alias.
    explicit TQuorvexMainForm(const QStringList& arguments, QWidget* parent = nullptr);
    ~TQuorvexMainForm() override;

    // True when no alias was chosen at start: the program is to end; the window closes as
    // soon as the event loop runs.
    bool TerminateRequested() const noexcept { return m_terminate; }
    const QString& VersionCaptionText() const noexcept { return m_versionCaption; }
    // The field display mask new diagram tables get.
    QString DefaultMask() const;
    // The connection's global database name, as the login dialog shows it.
    const QString& DatabaseName() const noexcept { return m_databaseName; }

    const TMainMenu& Menu() const noexcept { return m_menu; }
    QTreeView* TreeView1() const noexcept { return m_tree; }
    TPaneSet& Panes() const { return *m_panes; }
    TMainCommands& Commands() const { return *m_commands; }
    // The text panes' context-menu commands.
    TPaneSqlCommands& PaneSql() const { return *m_paneSql; }
    TDiagramCommands& Diagram() const { return *m_diagram; }

    // Connection commands of the Database menu and the others handled here.
    void Connect1Click();
    void Disconnect1Click();
    void ChangeAlias1Click();
    void About1Click();
    void ChangeFont1Click();
    // Asks for an alias; false when none was chosen.
    bool PickAlias();
    void UpdateConnection();
    // The login callback of every opening of the connection. EAbort when cancelled.
    void Database1Login(TLoginParams& login);
    // The selected node changed: the Object menu and the panes follow.
    void TreeView1Change(const QModelIndex& node);
    // Before the tree's context menu shows: the selection handlers run first.
    void PopupMenu1Popup();

    // TMainWindowHost
    QWidget* HostWidget() override { return this; }
    TDBNewOracle& Reader() override { return *m_reader; }
    void ReplaceReader(std::unique_ptr<TDBNewOracle> reader) override;
    TDatabaseSession& Session() override;
    TQuery& Query() override { return *m_query; }
    void SetStatusText(const QString& text) override;
    TObjectTreeModel& TreeModel() override { return *m_treeModel; }
    QModelIndex SelectedNode() const override;
    void SelectNode(const QModelIndex& node) override;
    void SetPaneText(int index, const QString& text) override;
    QString PaneText(int index) const override;
    void SelectPane(int index) override;
    void SetDescriptionReportLayout() override;
    QAction* Action(const QString& name) const override;

protected:
    void FormCreate() override;
    void showEvent(QShowEvent* event) override;

private:
    void LayOut();
    void ConnectMenu();
    void FormShow();
    void ResetObjectCommands();
    // The tree's hint for a node: the display text of its item.
    bool ShowTreeHint(QEvent* event);
    void ShowTreeMenu(const QPoint& pos);
    // After a login: when the opening failed, the caption and menu say so again.
    void CheckLoginOutcome();
    // Runs a handler; a silent abort shows nothing, another failure shows its message.
    void Guarded(const std::function<void()>& handler);
    QString Argument(int index) const;

    QStringList m_arguments;
    QString m_versionCaption;
    QString m_databaseName;
    bool m_terminate = false;
    bool m_shown = false;

    TMainMenu m_menu;
    QSplitter* m_splitter = nullptr;
    QTreeView* m_tree = nullptr;
    TObjectTreeModel* m_treeModel = nullptr;
    TPaneSet* m_panes = nullptr;
    // The tree's hint and Delete key; owned here (not by Qt) so that it is gone before the
    // widgets it watches send their last events during destruction.
    std::unique_ptr<TEventHook> m_treeHook;
    QToolBar* m_toolBar = nullptr;
    TDiagramCommands* m_diagram = nullptr;

    // Freed in reverse: the commands, the reader, the query, then the session.
    std::unique_ptr<TQtSession> m_session;
    std::unique_ptr<TQuery> m_query;
    std::unique_ptr<TDBNewOracle> m_reader;
    std::unique_ptr<TMainCommands> m_commands;
    std::unique_ptr<TPaneSqlCommands> m_paneSql;
};

} // namespace quorvex
