#include "ValueEdit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace quorvex {

TValueEdit::TValueEdit(QWidget* parent)
    : QWidget(parent)
    , m_edit(new QLineEdit(this))
    , m_button(new QToolButton(this))
    , m_list(new QComboBox(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_button);
    layout->addWidget(m_list, 1);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_list->setEditable(false);
    connect(m_button, &QToolButton::clicked, this, &TValueEdit::dropDown);
    setFocusProxy(m_edit);
    SetMode(TMode::Edit);
}

void TValueEdit::SetMode(TMode mode)
{
    m_mode = mode;
    m_list->clear();
    // Every mode starts white, in the window's font; Color and Font lines then set their own.
    m_edit->setFont(QFont());
    SetFieldColor(Qt::white);
    const bool list = mode == TMode::DropDownList;
    m_edit->setVisible(!list);
    m_button->setVisible(mode == TMode::DropDownEdit);
    m_list->setVisible(list);
    setFocusProxy(list ? static_cast<QWidget*>(m_list) : m_edit);
}

QString TValueEdit::Text() const
{
    return m_mode == TMode::DropDownList ? m_list->currentText() : m_edit->text();
}

void TValueEdit::SetText(const QString& text)
{
    if (m_mode == TMode::DropDownList)
        m_list->setCurrentText(text);
    else
        m_edit->setText(text);
}

void TValueEdit::SetItems(const QStringList& items, const QString& current)
{
    m_list->clear();
    m_list->addItems(items);
    m_list->setCurrentIndex(int(items.indexOf(current)));
}

QStringList TValueEdit::Items() const
{
    QStringList items;
    for (int i = 0; i < m_list->count(); ++i)
        items << m_list->itemText(i);
    return items;
}

QColor TValueEdit::FieldColor() const
{
    return m_edit->palette().color(QPalette::Active, QPalette::Base);
}

void TValueEdit::SetFieldColor(const QColor& color)
{
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, color);
    m_edit->setPalette(palette);
    m_edit->update();
}

QFont TValueEdit::FieldFont() const
{
    return m_edit->font();
}

void TValueEdit::SetFieldFont(const QFont& font)
{
    m_edit->setFont(font);
}

void TValueEdit::DropDown()
{
    if (m_mode == TMode::DropDownEdit)
        emit dropDown();
    else if (m_mode == TMode::DropDownList)
        m_list->showPopup();
}

} // namespace quorvex
