#pragma once

#include "ComponentProperties.h"
#include "EditableForm.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;
class QSplitter;

namespace quorvex {

class TValueEdit;

// The properties a values line may show (a name qualifies when "," + name + "," occurs in it).
inline constexpr const char* kEditablePropertyList =
    ",Caption,Title,Filter,Style,Hint,TabPosition,Font,Color,GridLines,FlatScrollBars,"
    "BevelOuter,BevelInner,BevelWidth,BorderWidth,BorderStyle,Flat,TabStop,TabOrder,"
    "HideSelection,CharCase,AutoSelect,WordWrap,ResizeStyle,Beveled,SizeGrip,Left,Top,Width,"
    "Height,Right,Bottom,Alignment,Layout,WindowState,LookAndFeel,PreviewFieldName,"
    "ShowPreviewGrid,";

bool IsEditableProperty(const QString& name);
// The editable properties of a component, in descending order of name.
std::vector<TComponentProperty> EditableProperties(const QObject& component);
// The caption format (entry 0 of the global string list) with its first "%s" replaced by the
// window's name; other "%" sequences are left as they are.
QString EditPropertiesCaption(const QString& format, const QString& formName);

// The Edit Component Properties dialog: lists the target window and its named components, shows
// their editable properties and the global string list, and applies a changed value to the
// live component and to the target window's section of the user-defined property file.
class TEditPropertiesForm : public TEditableForm {
    Q_OBJECT

public:
    // Owned by the target window.
    explicit TEditPropertiesForm(TEditableForm& target);
    ~TEditPropertiesForm() override;

    bool IsEditPropertiesDialog() const override { return true; }
    TEditableForm& Target() const noexcept { return *m_target; }

    // The event handlers, callable without a mouse.
    void FormShow();
    void ComponentsListBoxClick();
    void ValuesListBoxClick();
    void ValueEditDropDown();
    void SetButtonClick();

    QListWidget* ComponentsListBox() const noexcept { return m_componentsList; }
    QListWidget* ValuesListBox() const noexcept { return m_valuesList; }
    TValueEdit* ValueEdit() const noexcept { return m_valueEdit; }
    QPushButton* SetButton() const noexcept { return m_setButton; }

    // The entry of the components list for a component; -1 when it is not listed.
    int ComponentIndex(const QObject* component) const;
    // Selects a components entry and a values line (by property name or global string index).
    bool SelectComponent(const QString& name);
    bool SelectProperty(const QString& propertyName);

private:
    void FillComponents();
    bool GlobalStringsSelected() const;
    QObject* SelectedComponent() const;
    // The property of the selected values line; nullopt for GlobalStrings or no line.
    std::optional<TComponentProperty> SelectedProperty() const;
    void ApplyValue(QObject& component, const TComponentProperty& property, const QString& text);

    TEditableForm* m_target;                     // owns the dialog
    std::vector<QPointer<QObject>> m_components; // entry 0, GlobalStrings, stands for none
    QListWidget* m_componentsList;
    QSplitter* m_splitter;
    QListWidget* m_valuesList;
    QPushButton* m_setButton;
    TValueEdit* m_valueEdit;
};

// Opens the dialog modally for a window and releases it when it closes. Failures are shown in
// a message box; nothing propagates into the event loop.
void ShowEditProperties(TEditableForm& target);

} // namespace quorvex
