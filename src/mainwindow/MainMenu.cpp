#include "MainMenu.h"

#include <QActionGroup>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace quorvex {

namespace {

QAction* AddItem(QMenu& menu, const char* name, const char* caption, bool enabled = true,
                 const QKeySequence& shortcut = {})
{
    QAction* action = menu.addAction(QString::fromLatin1(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setEnabled(enabled);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    return action;
}

QMenu* AddMenu(QMenuBar& bar, const char* name, const char* caption)
{
    QMenu* menu = bar.addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

void BuildSnapshotMenu(QMenuBar& bar, TMainMenu& m)
{
    QMenu& menu = *AddMenu(bar, "SnapshotMenu", "&Snapshot");
    m.Clear1 = AddItem(menu, "Clear1", "&Clear");
    m.Snapshot1 = AddItem(menu, "Snapshot1", "&Export To File", false);
    m.Import1 = AddItem(menu, "Import1", "I&mport From File");
    m.CompareWithFile1 = AddItem(menu, "CompareWithFile1", "Com&pare With File", false);
    m.SaveAsText1 = AddItem(menu, "SaveAsText1", "Save As Text", false);
    menu.addSeparator();
    m.RefreshAll1 = AddItem(menu, "RefreshAll1", "&Refresh All", true, Qt::Key_F5);
    m.RefreshStructure1 =
        AddItem(menu, "RefreshStructure1", "Refresh S&tructure", true, Qt::CTRL | Qt::Key_R);
    m.RefreshSource1 = AddItem(menu, "RefreshSource1", "Refresh &Source", false);
    menu.addSeparator();
    m.UseCostSQLHint1 = AddItem(menu, "UseCostSQLHint1", "Use Cost SQL &Hint");
    m.UseRuleBasedSQL1 = AddItem(menu, "UseRuleBasedSQL1", "Use &Rule SQL Hint");
    m.UseOrderedSQLRule1 = AddItem(menu, "UseOrderedSQLRule1", "Use &Ordered SQL Hint");
    auto* hints = new QActionGroup(&menu);
    hints->setObjectName(QStringLiteral("SQLHintGroup"));
    // One of the three or none: clicking the checked item unchecks it.
    hints->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (QAction* hint : {m.UseCostSQLHint1, m.UseRuleBasedSQL1, m.UseOrderedSQLRule1}) {
        hint->setCheckable(true);
        hints->addAction(hint);
    }
    m.UseCostSQLHint1->setChecked(true);
    m.SystemSchema1 = AddItem(menu, "SystemSchema1", "&Include System Schema");
    m.SystemSchema1->setCheckable(true);
}

void BuildObjectMenu(QMenuBar& bar, TMainMenu& m)
{
    QMenu& menu = *AddMenu(bar, "ObjectMenu", "&Object");
    m.ReCompile1 = AddItem(menu, "ReCompile1", "&ReCompile", false);
    m.Drop1 = AddItem(menu, "Drop1", "&Drop", false);
    m.RecompileAll1 = AddItem(menu, "RecompileAll1", "Recompile &All", false);
    menu.addSeparator();
    m.Disable1 = AddItem(menu, "Disable1", "D&isable", false);
    m.Enable1 = AddItem(menu, "Enable1", "&Enable", false);
    menu.addSeparator();
    m.Refresh2 = AddItem(menu, "Refresh2", "Re&fresh");
}

void BuildDatabaseMenu(QMenuBar& bar, TMainMenu& m)
{
    QMenu& menu = *AddMenu(bar, "DatabaseMenu", "&Database");
    m.AnalyseDatabase1 = AddItem(menu, "AnalyseDatabase1", "&Analyse Database");
    m.AnalyseSchema1 = AddItem(menu, "AnalyseSchema1", "&Analyse &Schema");
    menu.addSeparator();
    m.ChangeAlias1 = AddItem(menu, "ChangeAlias1", "C&hange Alias");
    m.Connect1 = AddItem(menu, "Connect1", "Co&nnect");
    m.Disconnect1 = AddItem(menu, "Disconnect1", "&Disconnect", false);
}

void BuildPopupMenus(QMainWindow& window, TMainMenu& m)
{
    m.PopupMenu1 = new QMenu(&window);
    m.PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    m.Recompile2 = AddItem(*m.PopupMenu1, "Recompile2", "Recompile");
    m.RecompileAll2 = AddItem(*m.PopupMenu1, "RecompileAll2", "Recompile All");
    // Shown only for a node that can be recompiled on a live connection.
    m.Recompile2->setVisible(false);
    m.RecompileAll2->setVisible(false);

    m.RichEditPopup = new QMenu(&window);
    m.RichEditPopup->setObjectName(QStringLiteral("RichEditPopup"));
    m.ClearPane1 = AddItem(*m.RichEditPopup, "ClearPane1", "Clear");
    m.ExecuteSQL1 = AddItem(*m.RichEditPopup, "ExecuteSQL1", "Execute SQL");
    m.RunScript1 = AddItem(*m.RichEditPopup, "RunScript1", "Run Script");
    m.SaveToFile1 = AddItem(*m.RichEditPopup, "SaveToFile1", "Save to File");
    m.LoadFromFile1 = AddItem(*m.RichEditPopup, "LoadFromFile1", "Load from File");
    m.WordWrap1 = AddItem(*m.RichEditPopup, "WordWrap1", "Word Wrap");
    m.WordWrap1->setCheckable(true);
    m.WordWrap1->setChecked(true);
}

} // namespace

TMainMenu BuildMainMenu(QMainWindow& window)
{
    TMainMenu m;
    QMenuBar& bar = *window.menuBar();
    BuildSnapshotMenu(bar, m);
    BuildObjectMenu(bar, m);
    BuildDatabaseMenu(bar, m);

    QMenu& windows = *AddMenu(bar, "WindowsMenu", "&Windows");
    m.ChangeFont1 = AddItem(windows, "ChangeFont1", "&Change Font");

    QMenu& help = *AddMenu(bar, "HelpMenu", "&Help");
    m.CheckForUpdates1 = AddItem(help, "CheckForUpdates1", "&Check for Updates or EMail me...");
    m.About1 = AddItem(help, "About1", "&About...");

    BuildPopupMenus(window, m);
    return m;
}

} // namespace quorvex
