#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace quorvex {

// The main window's menu items, its tree context menu and its text-pane context menu. Every
// item carries its component name as object name ("Snapshot1", "Recompile2"), so the window's
// property section and TMainWindowHost::Action can name it.
struct TMainMenu {
    // "&Snapshot"
    QAction* Clear1 = nullptr;
    QAction* Snapshot1 = nullptr; // "&Export To File"
    QAction* Import1 = nullptr;
    QAction* CompareWithFile1 = nullptr;
    QAction* SaveAsText1 = nullptr;
    QAction* RefreshAll1 = nullptr;
    QAction* RefreshStructure1 = nullptr;
    QAction* RefreshSource1 = nullptr;
    QAction* UseCostSQLHint1 = nullptr;
    QAction* UseRuleBasedSQL1 = nullptr;
    QAction* UseOrderedSQLRule1 = nullptr;
    QAction* SystemSchema1 = nullptr;
    // "&Object"
    QAction* ReCompile1 = nullptr;
    QAction* Drop1 = nullptr;
    QAction* RecompileAll1 = nullptr;
    QAction* Disable1 = nullptr;
    QAction* Enable1 = nullptr;
    QAction* Refresh2 = nullptr;
    // "&Database"
    QAction* AnalyseDatabase1 = nullptr;
    QAction* AnalyseSchema1 = nullptr;
    QAction* ChangeAlias1 = nullptr;
    QAction* Connect1 = nullptr;
    QAction* Disconnect1 = nullptr;
    // "&Windows" and "&Help"
    QAction* ChangeFont1 = nullptr;
    QAction* CheckForUpdates1 = nullptr;
    QAction* About1 = nullptr;

    // The tree's context menu.
    QMenu* PopupMenu1 = nullptr;
    QAction* Recompile2 = nullptr;
    QAction* RecompileAll2 = nullptr;

    // The text panes' context menu.
    QMenu* RichEditPopup = nullptr;
    QAction* ClearPane1 = nullptr;
    QAction* ExecuteSQL1 = nullptr;
    QAction* RunScript1 = nullptr;
    QAction* SaveToFile1 = nullptr;
    QAction* LoadFromFile1 = nullptr;
    QAction* WordWrap1 = nullptr;
};

// Builds the menu bar and both context menus of `window` in their start-up state: captions,
// access keys, shortcuts, enabled and checked states. Nothing is connected yet.
TMainMenu BuildMainMenu(QMainWindow& window);

} // namespace quorvex
