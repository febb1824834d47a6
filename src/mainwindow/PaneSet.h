#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QHBoxLayout;
class QMenu;
class QMimeData;
class QStackedWidget;
class QTabBar;
class QWidget;

namespace quorvex {

class TDiagramPane;
struct TDiagramOptions;
class TObjectTreeModel;
class TTextPane;

// The panes of the main window and the tab set that switches between them, inside Panel1:
// the Description, Action and Errors text panes, then the tabs "SQL" and "IMG", which stay last
// and, when selected, create a new text pane or diagram pane in front of themselves.
class TPaneSet : public QObject {
    Q_OBJECT

public:
    // Builds Panel1 (the pane area with TabSet1 at its bottom) inside `panelParent`. Text panes
    // open `richEditPopup` as their context menu; drags are resolved against `tree`.
    TPaneSet(QWidget* panelParent, QMenu* richEditPopup, const TObjectTreeModel& tree,
             const TDiagramOptions& diagramOptions);

    QWidget* Panel() const { return m_panel; }
    // Puts a bar at the left edge of the pane area (the diagram tool bar).
    void SetSideBar(QWidget* bar);
    QTabBar* TabSet() const { return m_tabs; }
    int Count() const;

    // The three text panes and the "SQL" and "IMG" tabs, in that order.
    void CreateStartPanes();
    // A text pane with a tab at `index` captioned "&" + (index + 1) + name.
    TTextPane* CreateTextPane(int index, const QString& name);
    // A diagram pane with a tab at `index`, captioned like a text pane's.
    TDiagramPane* CreateDiagramPane(int index, const QString& name);

    // The pane of the tab at `index`; nullptr for "SQL", "IMG" and indexes out of range.
    QWidget* GetPane(int index) const;
    TTextPane* TextPane(int index) const;
    // Replaces the text of a text pane; nothing for other tabs.
    void SetPaneText(int index, const QString& text);
    QString PaneText(int index) const;
    // Makes `index` the current tab unless it already is.
    void SelectPane(int index);
    int CurrentIndex() const;

    // The text pane whose context menu was opened last.
    TTextPane* PopupPane() const { return m_popupPane; }

signals:
    // A tab with a pane became current.
    void paneShown(QWidget* pane);
    // A diagram pane was created; its tab is not yet current.
    void diagramPaneCreated(quorvex::TDiagramPane* pane);

private:
    void TabSet1Change(int index);
    void TextRichEditSelectionChange(TTextPane* pane);
    void TextRichEditEnter(TTextPane* pane);
    void InsertTab(int index, const QString& caption, QWidget* pane);
    void ShowPane(int index);

    const TObjectTreeModel& m_tree;
    const TDiagramOptions& m_diagramOptions;
    QMenu* m_richEditPopup;
    QWidget* m_panel;
    QStackedWidget* m_stack;
    QHBoxLayout* m_row;
    QTabBar* m_tabs;
    QPointer<TTextPane> m_popupPane;
    bool m_inserting = false;
};

} // namespace quorvex
