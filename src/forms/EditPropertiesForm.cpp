#include "EditPropertiesForm.h"

#include "ColorText.h"
#include "Dialogs.h"
#include "FontText.h"
#include "UserProperties.h"
#include "ValueEdit.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

namespace quorvex {

namespace {

constexpr int kDialogWidth = 577;
constexpr int kDialogHeight = 574;
constexpr int kComponentsWidth = 171;
constexpr int kSplitterWidth = 3;
const QLatin1String kColorProperty("Color");
const QLatin1String kFontProperty("Font");

void SetHintText(QWidget& widget, const QString& hint)
{
    widget.setToolTip(hint);
    widget.setStatusTip(hint);
}

// Qt's own helper objects ("qt_scrollarea_viewport", ...) and layouts (a main window's
// "_layout") are no components of the window.
bool IsListed(const QObject& object)
{
    const QString name = object.objectName();
    return !name.isEmpty() && !name.startsWith(QLatin1String("qt_")) &&
           qobject_cast<const QLayout*>(&object) == nullptr;
}

QString PropertyLine(const QString& name, const QString& value)
{
    return name + u'=' + value;
}

} // namespace

bool IsEditableProperty(const QString& name)
{
    if (name.isEmpty() || name.contains(u','))
        return false;
    return QLatin1String(kEditablePropertyList).contains(u',' + name + u',');
}

std::vector<TComponentProperty> EditableProperties(const QObject& component)
{
    std::vector<TComponentProperty> properties;
    for (TComponentProperty& property : ComponentProperties(component)) {
        if (IsEditableProperty(property.Name))
            properties.push_back(std::move(property));
    }
    std::sort(properties.begin(), properties.end(),
              [](const TComponentProperty& a, const TComponentProperty& b) {
                  return a.Name.compare(b.Name, Qt::CaseInsensitive) > 0;
              });
    return properties;
}

QString EditPropertiesCaption(const QString& format, const QString& formName)
{
    // The format comes from the property file: only "%s" is a placeholder, so no text in it
    // can make the formatting read beyond its one argument.
    QString caption = format;
    const qsizetype at = caption.indexOf(QLatin1String("%s"));
    if (at >= 0)
        caption.replace(at, 2, formName);
    return caption;
}

TEditPropertiesForm::TEditPropertiesForm(TEditableForm& target)
    : TEditableForm(QStringLiteral("EditPropertiesForm"), &target,
                    Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowCloseButtonHint)
    , m_target(&target)
    , m_componentsList(new QListWidget)
    , m_splitter(new QSplitter(Qt::Horizontal))
    , m_valuesList(new QListWidget)
    , m_setButton(new QPushButton(QStringLiteral("Set")))
    , m_valueEdit(new TValueEdit)
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    m_componentsList->setObjectName(QStringLiteral("ComponentsListBox"));
    SetHintText(*m_componentsList,
                QStringLiteral("List of Global Strings and components you can edit."));
    m_splitter->setObjectName(QStringLiteral("Splitter1"));
    SetHintText(*m_splitter, QStringLiteral("Drag to resize left/right panes."));
    m_splitter->setHandleWidth(kSplitterWidth);
    m_valuesList->setObjectName(QStringLiteral("ValuesListBox"));
    SetHintText(*m_valuesList,
                QStringLiteral("Global Strings or properties relating to the selected component."));
    m_splitter->addWidget(m_componentsList);
    m_splitter->addWidget(m_valuesList);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({kComponentsWidth, kDialogWidth - kComponentsWidth - kSplitterWidth});
    layout->addWidget(m_splitter, 1);

    auto* strip = new QWidget(central);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    m_setButton->setObjectName(QStringLiteral("SetButton"));
    SetHintText(*m_setButton, QStringLiteral("Makes your change active."));
    m_valueEdit->setObjectName(QStringLiteral("ValueEdit"));
    SetHintText(*m_valueEdit, QStringLiteral("Change the value of the selected item here."));
    stripLayout->addWidget(m_setButton);
    stripLayout->addWidget(m_valueEdit, 1);
    layout->addWidget(strip);
    setCentralWidget(central);
    resize(kDialogWidth, kDialogHeight);

    // The lists follow their current line however it moves (mouse, arrow keys, typing), so
    // "Set" always applies to the line that is shown as selected.
    connect(m_componentsList, &QListWidget::currentRowChanged, this,
            [this] { ComponentsListBoxClick(); });
    connect(m_valuesList, &QListWidget::currentRowChanged, this, [this] { ValuesListBoxClick(); });
    connect(m_valueEdit, &TValueEdit::dropDown, this, [this] { ValueEditDropDown(); });
    connect(m_setButton, &QPushButton::clicked, this, [this] { SetButtonClick(); });

    Initialize();
}

TEditPropertiesForm::~TEditPropertiesForm() = default;

void TEditPropertiesForm::FormShow()
{
    const QStringList& strings = GlobalStrings();
    const QString format =
        strings.isEmpty() ? QLatin1String(kEditPropertiesCaption) : strings.constFirst();
    setWindowTitle(EditPropertiesCaption(format, m_target->objectName()));
    FillComponents();
    ComponentsListBoxClick();
}

void TEditPropertiesForm::FillComponents()
{
    // Filling moves no line by hand: the caller shows the first one.
    const QSignalBlocker quiet(m_componentsList);
    m_componentsList->clear();
    m_components.clear();
    const auto add = [this](const QString& name, QObject* component) {
        m_componentsList->addItem(name);
        m_components.emplace_back(component);
    };
    add(QLatin1String(kGlobalStringsSection), nullptr);
    add(m_target->objectName(), m_target);

    // Depth first, in creation order. Another window is listed but its own components belong
    // to its own section; the dialog itself is left out.
    const auto walk = [&](const auto& self, const QObject& owner) -> void {
        for (QObject* child : owner.children()) {
            if (child == this)
                continue;
            if (IsListed(*child))
                add(child->objectName(), child);
            if (qobject_cast<TEditableForm*>(child) == nullptr)
                self(self, *child);
        }
    };
    walk(walk, *m_target);
}

int TEditPropertiesForm::ComponentIndex(const QObject* component) const
{
    for (std::size_t i = 1; i < m_components.size(); ++i) {
        if (m_components[i] == component)
            return int(i);
    }
    return -1;
}

bool TEditPropertiesForm::SelectComponent(const QString& name)
{
    const auto found = m_componentsList->findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    {
        const QSignalBlocker quiet(m_componentsList);
        m_componentsList->setCurrentItem(found.constFirst());
    }
    ComponentsListBoxClick();
    return true;
}

bool TEditPropertiesForm::SelectProperty(const QString& propertyName)
{
    for (int row = 0; row < m_valuesList->count(); ++row) {
        const QString line = m_valuesList->item(row)->text();
        if (line.section(u'=', 0, 0) == propertyName) {
            {
                const QSignalBlocker quiet(m_valuesList);
                m_valuesList->setCurrentRow(row);
            }
            ValuesListBoxClick();
            return true;
        }
    }
    return false;
}

bool TEditPropertiesForm::GlobalStringsSelected() const
{
    return m_componentsList->currentRow() == 0;
}

QObject* TEditPropertiesForm::SelectedComponent() const
{
    const int row = m_componentsList->currentRow();
    if (row <= 0 || row >= int(m_components.size()))
        return nullptr;
    return m_components[std::size_t(row)].data();
}

std::optional<TComponentProperty> TEditPropertiesForm::SelectedProperty() const
{
    const QObject* component = SelectedComponent();
    const QListWidgetItem* line = m_valuesList->currentItem();
    if (component == nullptr || line == nullptr)
        return std::nullopt;
    return FindComponentProperty(*component, line->text().section(u'=', 0, 0));
}

void TEditPropertiesForm::ComponentsListBoxClick()
{
    if (m_componentsList->count() == 0)
        return;
    if (m_componentsList->currentRow() < 0) {
        const QSignalBlocker quiet(m_componentsList);
        m_componentsList->setCurrentRow(0);
    }
    {
        // Refilled here and shown once below.
        const QSignalBlocker quiet(m_valuesList);
        m_valuesList->clear();
        if (GlobalStringsSelected()) {
            m_valuesList->addItems(GlobalStrings());
        } else if (const QObject* component = SelectedComponent()) {
            for (const TComponentProperty& property : EditableProperties(*component))
                m_valuesList->addItem(
                    PropertyLine(property.Name, ReadComponentProperty(*component, property.Name)));
        }
    }
    ValuesListBoxClick();
}

void TEditPropertiesForm::ValuesListBoxClick()
{
    if (m_valuesList->count() == 0) {
        // Nothing to edit: no value of an earlier line may be set by mistake.
        m_valueEdit->SetMode(TValueEdit::TMode::Edit);
        m_valueEdit->SetText({});
        return;
    }
    if (m_valuesList->currentRow() < 0) {
        const QSignalBlocker quiet(m_valuesList);
        m_valuesList->setCurrentRow(0);
    }

    if (GlobalStringsSelected()) {
        m_valueEdit->SetMode(TValueEdit::TMode::Edit);
        m_valueEdit->SetText(GlobalStrings().value(m_valuesList->currentRow()));
        return;
    }
    const QObject* component = SelectedComponent();
    const auto property = SelectedProperty();
    if (component == nullptr || !property) {
        m_valueEdit->SetMode(TValueEdit::TMode::Edit);
        m_valueEdit->SetText({});
        return;
    }
    const QString value = ReadComponentProperty(*component, property->Name);
    switch (property->Kind) {
    case TPropertyKind::Color:
        m_valueEdit->SetMode(TValueEdit::TMode::DropDownEdit);
        m_valueEdit->SetFieldColor(ComponentColor(*qobject_cast<const QWidget*>(component)));
        m_valueEdit->SetText(value);
        break;
    case TPropertyKind::Font: {
        m_valueEdit->SetMode(TValueEdit::TMode::DropDownEdit);
        const QFont font = ComponentFont(*component);
        m_valueEdit->SetFieldFont(font);
        m_valueEdit->SetText(FontToString(font));
        break;
    }
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
        m_valueEdit->SetMode(TValueEdit::TMode::DropDownList);
        m_valueEdit->SetItems(property->EnumNames, value);
        break;
    case TPropertyKind::Text:
    case TPropertyKind::Integer:
        m_valueEdit->SetMode(TValueEdit::TMode::Edit);
        m_valueEdit->SetText(value);
        break;
    }
}

void TEditPropertiesForm::ValueEditDropDown()
{
    const auto property = SelectedProperty();
    if (!property)
        return;
    if (property->Kind == TPropertyKind::Color) {
        if (const auto color = Dialogs().ChooseColor(this, m_valueEdit->FieldColor())) {
            m_valueEdit->SetFieldColor(*color);
            m_valueEdit->SetText(ColorToString(*color));
        }
    } else if (property->Kind == TPropertyKind::Font) {
        if (const auto font = Dialogs().ChooseFont(this, m_valueEdit->FieldFont())) {
            m_valueEdit->SetFieldFont(*font);
            m_valueEdit->SetText(FontToString(*font, true));
        }
    }
}

void TEditPropertiesForm::ApplyValue(QObject& component, const TComponentProperty& property,
                                     const QString& text)
{
    // Colour and font are applied from the field's text, which the dialogs keep in step with
    // the field's colour and font: a typed value then changes the live component exactly as the
    // stored text will when the window is created again, and a value that would not convert is
    // refused here rather than stored, where it would stop the window from being created.
    WriteComponentProperty(component, property.Name, text);
    if (property.Kind == TPropertyKind::Color)
        m_valueEdit->SetFieldColor(ComponentColor(*qobject_cast<QWidget*>(&component)));
    else if (property.Kind == TPropertyKind::Font)
        m_valueEdit->SetFieldFont(ComponentFont(component));
}

void TEditPropertiesForm::SetButtonClick()
{
    QListWidgetItem* line = m_valuesList->currentItem();
    if (line == nullptr)
        return;
    const QString text = m_valueEdit->Text();
    try {
        if (GlobalStringsSelected()) {
            const int index = m_valuesList->currentRow();
            QStringList& strings = GlobalStrings();
            if (index >= strings.size())
                return;
            strings[index] = text;
            line->setText(text);
            WriteUserProperty(QLatin1String(kGlobalStringsSection), QString::number(index), text);
            return;
        }
        QObject* component = SelectedComponent();
        const auto property = SelectedProperty();
        if (component == nullptr || !property)
            return;
        ApplyValue(*component, *property, text);
        line->setText(PropertyLine(property->Name, text));
        // The target window's own name is its unique name ("SQLGridForm_1"), so each window
        // writes its own section.
        WriteUserProperty(m_target->objectName(), component->objectName() + u'.' + property->Name,
                          text);
        raise();
        activateWindow();
    } catch (const std::exception& error) {
        Dialogs().Message(this, QMessageBox::Critical, windowTitle(),
                          QString::fromStdString(error.what()), QMessageBox::Ok, QMessageBox::Ok);
    }
}

void ShowEditProperties(TEditableForm& target)
{
    try {
        auto dialog = std::make_unique<TEditPropertiesForm>(target);
        dialog->FormShow();
        QRect frame = dialog->frameGeometry();
        frame.moveCenter(target.frameGeometry().center());
        dialog->move(frame.topLeft());
        const QPointer<TEditPropertiesForm> alive(dialog.get());
        dialog->ShowModal();
        // Closing the target while the dialog runs frees the dialog with it.
        if (!alive)
            static_cast<void>(dialog.release());
    } catch (const std::exception& error) {
        Dialogs().Message(&target, QMessageBox::Critical, QStringLiteral("Quorvex"),
                          QString::fromStdString(error.what()), QMessageBox::Ok, QMessageBox::Ok);
    }
}

} // namespace quorvex
