#pragma once

#include <QColor>
#include <QFont>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLineEdit;
class QToolButton;

namespace quorvex {

// The value field of the Edit Component Properties dialog: a one-line edit, optionally with a
// drop-down button that asks for a dialog (colour, font), or a fixed list of names to pick from.
class TValueEdit : public QWidget {
    Q_OBJECT

public:
    enum class TMode {
        Edit,         // typing, no button
        DropDownEdit, // typing, and a button that emits dropDown
        DropDownList  // one of a fixed list, no typing
    };

    explicit TValueEdit(QWidget* parent = nullptr);

    TMode Mode() const noexcept { return m_mode; }
    // Also empties the list of names, and makes the field white in the window's font.
    void SetMode(TMode mode);

    QString Text() const;
    void SetText(const QString& text);
    // DropDownList: the names offered and the one shown.
    void SetItems(const QStringList& items, const QString& current);
    QStringList Items() const;

    // The background of the typing field, and the font it shows its text in.
    QColor FieldColor() const;
    void SetFieldColor(const QColor& color);
    QFont FieldFont() const;
    void SetFieldFont(const QFont& font);

    // Presses the drop-down button (DropDownEdit) or opens the list (DropDownList).
    void DropDown();

    QLineEdit* LineEdit() const noexcept { return m_edit; }
    QComboBox* List() const noexcept { return m_list; }
    QToolButton* Button() const noexcept { return m_button; }

signals:
    void dropDown();

private:
    TMode m_mode = TMode::Edit;
    QLineEdit* m_edit;
    QToolButton* m_button;
    QComboBox* m_list;
};

} // namespace quorvex
