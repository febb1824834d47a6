#pragma once

#include "DiagramPane.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QAction;
class QMenu;
class QToolBar;
class QWidget;

namespace quorvex {

class TMainWindowHost;

// The diagram commands of the main window: the popup menu ImagePopup with its enablement, the
// actions of the diagram tool bar, the two options and the default field mask shared by every
// pane, and the handlers, each acting on the current diagram pane.
class TDiagramCommands : public QObject {
    Q_OBJECT

public:
    using TGuard = std::function<void(const std::function<void()>&)>;

    // `guard` runs a handler and shows its failure. The actions are children of `window`.
    TDiagramCommands(TMainWindowHost& host, QWidget* window, TGuard guard);

    // Puts the tool bar's buttons on it, top to bottom.
    void FillToolBar(QToolBar& toolBar) const;
    // Connects a new pane's requests to these commands.
    void AttachPane(TDiagramPane* pane);
    const TDiagramOptions& Options() const noexcept { return m_options; }
    QMenu* ImagePopup() const noexcept { return m_popup; }
    // The diagram pane of the current tab, nullptr when it is a text pane.
    TDiagramPane* CurrentPane() const;
    void SetCurrentPane(TDiagramPane* pane) { m_current = pane; }
    // The model is about to be cleared or replaced, or has just been rebuilt.
    void ModelAboutToChange();
    void ModelChanged();
    // The page height new tables' columns wrap at: the default printer's, else an A4 page.
    void SetPageHeight(int pixels) { m_pageHeight = pixels; }
    // The mask new tables get.
    const std::string& DefaultMask() const noexcept { return m_defaultMask; }

    // Opens ImagePopup for what the pane found under the mouse.
    void ShowPopup(TDiagramPane* pane, const TPopupState& state, const QPoint& globalPos);

    // The commands.
    void CloseSelected();
    void SendToBack();
    void Straight();
    void Group();
    void GroupConnected();
    void UngroupSelected();
    void AddRefTo(const QString& name);
    void OpenReferences(bool referencedBy);
    void RefreshTable();
    void ShowHideFields();
    void FieldDisplayMask();
    void Sort();
    void DefaultFieldMask();
    void Clear();
    void ZoomIn();
    void ZoomOut();
    void AutomaticSQL();
    void SaveLayout();
    void LoadLayout();
    void SaveToBitmap();
    void Print();

    // Puts a statement into a new SQL text pane of the window.
    std::function<void(const QString&)> OpenInSqlPane;

    QAction* CloseSelectedAction = nullptr;
    QAction* MoveAllWithMouseAction = nullptr;
    QAction* ShowHintsAction = nullptr;
    QAction* DefaultFieldMaskAction = nullptr;
    QAction* ClearAction = nullptr;
    QAction* ZoomInAction = nullptr;
    QAction* ZoomOutAction = nullptr;

private:
    void BuildPopup(QWidget* window);
    QAction* AddItem(QMenu& menu, const char* name, const char* caption,
                     void (TDiagramCommands::*handler)());
    QAction* AddAction(QWidget* window, const char* name, const char* caption, const char* hint,
                       void (TDiagramCommands::*handler)());
    // The component the popup was opened on, when it is still on the current pane.
    TGDBComponent* PopupComponent() const;
    TGDBTable* PopupTable() const;
    TGDBTable& NewTableNamed(TDiagramDocument& document, const std::string& name);
    void Zoom(bool in);
    void Run(void (TDiagramCommands::*handler)());

    TMainWindowHost& m_host;
    TGuard m_guard;
    TDiagramOptions m_options;
    int m_pageHeight = 0;
    std::string m_defaultMask = TGDBTable::kDefaultMask;
    QPointer<TDiagramPane> m_current;
    // What the popup menu was last opened on; cleared when that component is freed.
    QPointer<TDiagramPane> m_popupPane;
    TGDBComponent* m_popupObject = nullptr;
    QMenu* m_popup = nullptr;
    QMenu* m_addRefTo = nullptr;
};

} // namespace quorvex
