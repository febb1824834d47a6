#include "ComponentProperties.h"

#include "ColorText.h"
#include "FontText.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTextEdit>
#include <QValidator>
#include <QVariant>
#include <algorithm>
#include <limits>
#include <span>

namespace quorvex {

namespace {

// The symbolic colour name a widget's colour was set by, so that it reads back the same.
const char* const kColorNameProperty = "quorvexColorName";
// Set while a widget hides its selection when it loses the focus.
const char* const kHideSelectionProperty = "quorvexHideSelection";

struct TEnumValue {
    const char* Name;
    int Value;
};

constexpr TEnumValue kBooleanValues[] = {{"False", 0}, {"True", 1}};
constexpr TEnumValue kAlignmentValues[] = {
    {"taLeftJustify", 0}, {"taRightJustify", 1}, {"taCenter", 2}};
constexpr TEnumValue kWindowStateValues[] = {
    {"wsNormal", 0}, {"wsMinimized", 1}, {"wsMaximized", 2}};
constexpr TEnumValue kBorderStyleValues[] = {{"bsNone", QFrame::NoFrame},
                                             {"bsSingle", QFrame::StyledPanel}};
constexpr TEnumValue kBevelValues[] = {
    {"bvNone", QFrame::Plain}, {"bvLowered", QFrame::Sunken}, {"bvRaised", QFrame::Raised}};
constexpr TEnumValue kCharCaseValues[] = {{"ecNormal", 0}, {"ecUpperCase", 1}, {"ecLowerCase", 2}};
constexpr TEnumValue kComboStyleValues[] = {{"csDropDown", 1}, {"csDropDownList", 0}};
constexpr TEnumValue kResizeStyleValues[] = {{"rsLine", 0}, {"rsUpdate", 1}};
constexpr TEnumValue kLayoutValues[] = {
    {"tlTop", Qt::AlignTop}, {"tlCenter", Qt::AlignVCenter}, {"tlBottom", Qt::AlignBottom}};
constexpr TEnumValue kTabPositionValues[] = {{"tpTop", QTabWidget::North},
                                             {"tpBottom", QTabWidget::South},
                                             {"tpLeft", QTabWidget::West},
                                             {"tpRight", QTabWidget::East}};

// One line of the table. The first line whose name matches and whose Has accepts the
// component defines the property for it. Text properties use GetText/SetText; integer,
// Boolean and enumeration properties GetInt/SetInt; Color and Font have their own code.
struct TRow {
    const char* Name;
    TPropertyKind Kind;
    bool (*Has)(const QObject&);
    QString (*GetText)(const QObject&) = nullptr;
    void (*SetText)(QObject&, const QString&) = nullptr;
    int (*GetInt)(const QObject&) = nullptr;
    void (*SetInt)(QObject&, int) = nullptr;
    std::span<const TEnumValue> Values = {};
};

const QWidget* AsWidget(const QObject& o)
{
    return qobject_cast<const QWidget*>(&o);
}
QWidget& Widget(QObject& o)
{
    return *qobject_cast<QWidget*>(&o);
}
const QWidget& Widget(const QObject& o)
{
    return *AsWidget(o);
}

bool IsWidget(const QObject& o)
{
    return AsWidget(o) != nullptr;
}
bool IsChildWidget(const QObject& o)
{
    return IsWidget(o) && !Widget(o).isWindow();
}
bool IsWindow(const QObject& o)
{
    return IsWidget(o) && Widget(o).isWindow();
}
bool HasQtProperty(const QObject& o, const char* name)
{
    return o.metaObject()->indexOfProperty(name) >= 0;
}

// The Qt property that holds a component's caption.
const char* CaptionProperty(const QObject& o)
{
    if (qobject_cast<const QAbstractButton*>(&o) || qobject_cast<const QLabel*>(&o) ||
        qobject_cast<const QAction*>(&o))
        return "text";
    if (qobject_cast<const QGroupBox*>(&o) || qobject_cast<const QMenu*>(&o))
        return "title";
    if (IsWindow(o) && !qobject_cast<const QDialog*>(&o))
        return "windowTitle";
    return nullptr;
}

QString GetQtText(const QObject& o, const char* property)
{
    return o.property(property).toString();
}

// Hints are "short|long": the short part is the tooltip, the long part the status bar text.
QString GetHint(const QObject& o)
{
    const QString tip = o.property("toolTip").toString();
    const QString status = o.property("statusTip").toString();
    if (status.isEmpty() || status == tip)
        return tip;
    return tip + u'|' + status;
}
void SetHint(QObject& o, const QString& text)
{
    const qsizetype bar = text.indexOf(u'|');
    o.setProperty("toolTip", bar < 0 ? text : text.left(bar));
    o.setProperty("statusTip", bar < 0 ? text : text.mid(bar + 1));
}

// The focusable child widgets of a widget's parent in focus-chain order: the tab order.
QList<QWidget*> TabSiblings(const QWidget& w)
{
    QList<QWidget*> siblings;
    const QWidget* parent = w.parentWidget();
    if (parent == nullptr)
        return siblings;
    QWidget* window = w.window();
    QWidget* next = window->nextInFocusChain();
    for (int guard = 0; next != window && guard < 100000; ++guard) {
        if (next->parentWidget() == parent && !next->isWindow() && !siblings.contains(next))
            siblings << next;
        next = next->nextInFocusChain();
    }
    return siblings;
}
int GetTabOrder(const QObject& o)
{
    return int(TabSiblings(Widget(o)).indexOf(const_cast<QWidget*>(&Widget(o))));
}
void SetTabOrder(QObject& o, int order)
{
    QWidget& w = Widget(o);
    QList<QWidget*> siblings = TabSiblings(w);
    siblings.removeAll(&w);
    siblings.insert(std::clamp<qsizetype>(order, 0, siblings.size()), &w);
    // Qt leaves the chain as it is when the first widget is the last one of the window's
    // chain; a temporary widget at the end keeps every sibling from being last.
    QWidget sentinel(w.window());
    sentinel.setFocusPolicy(Qt::TabFocus);
    for (qsizetype i = 1; i < siblings.size(); ++i)
        QWidget::setTabOrder(siblings[i - 1], siblings[i]);
}

int GetTabStop(const QObject& o)
{
    return (Widget(o).focusPolicy() & Qt::TabFocus) != 0;
}
void SetTabStop(QObject& o, int on)
{
    QWidget& w = Widget(o);
    int policy = w.focusPolicy();
    policy = on ? (policy | Qt::TabFocus | Qt::ClickFocus) : (policy & ~Qt::TabFocus);
    w.setFocusPolicy(static_cast<Qt::FocusPolicy>(policy));
}

bool HasWordWrap(const QObject& o)
{
    if (qobject_cast<const QTextEdit*>(&o) || qobject_cast<const QPlainTextEdit*>(&o))
        return true;
    const int index = o.metaObject()->indexOfProperty("wordWrap");
    return index >= 0 && o.metaObject()->property(index).metaType().id() == QMetaType::Bool;
}
int GetWordWrap(const QObject& o)
{
    if (auto* edit = qobject_cast<const QTextEdit*>(&o))
        return edit->lineWrapMode() != QTextEdit::NoWrap;
    if (auto* plain = qobject_cast<const QPlainTextEdit*>(&o))
        return plain->lineWrapMode() != QPlainTextEdit::NoWrap;
    return o.property("wordWrap").toBool();
}
void SetWordWrap(QObject& o, int on)
{
    if (auto* edit = qobject_cast<QTextEdit*>(&o))
        edit->setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    else if (auto* plain = qobject_cast<QPlainTextEdit*>(&o))
        plain->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    else
        o.setProperty("wordWrap", on != 0);
}

Qt::Alignment GetQtAlignment(const QObject& o)
{
    if (auto* label = qobject_cast<const QLabel*>(&o))
        return label->alignment();
    return qobject_cast<const QLineEdit*>(&o)->alignment();
}
int GetAlignment(const QObject& o)
{
    const Qt::Alignment a = GetQtAlignment(o);
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}
void SetAlignment(QObject& o, int value)
{
    const Qt::Alignment horizontal = value == 1   ? Qt::AlignRight
                                     : value == 2 ? Qt::AlignHCenter
                                                  : Qt::AlignLeft;
    const Qt::Alignment a = (GetQtAlignment(o) & ~Qt::AlignHorizontal_Mask) | horizontal;
    if (auto* label = qobject_cast<QLabel*>(&o))
        label->setAlignment(a);
    else
        qobject_cast<QLineEdit*>(&o)->setAlignment(a);
}

// A frame of its own: windows take their border from the window system.
bool IsFrame(const QObject& o)
{
    return qobject_cast<const QFrame*>(&o) != nullptr && IsChildWidget(o);
}
const QFrame& Frame(const QObject& o)
{
    return *qobject_cast<const QFrame*>(&o);
}
QFrame& Frame(QObject& o)
{
    return *qobject_cast<QFrame*>(&o);
}
void SetBevel(QObject& o, int shadow)
{
    // A bevel needs a frame to be drawn on.
    if (shadow != QFrame::Plain && Frame(o).frameShape() == QFrame::NoFrame)
        Frame(o).setFrameShape(QFrame::Panel);
    Frame(o).setFrameShadow(static_cast<QFrame::Shadow>(shadow));
}

bool HasHideSelection(const QObject& o)
{
    return qobject_cast<const QAbstractItemView*>(&o) || qobject_cast<const QLineEdit*>(&o) ||
           qobject_cast<const QTextEdit*>(&o) || qobject_cast<const QPlainTextEdit*>(&o);
}
// Qt has no switch for it: the selection of an unfocused widget is drawn in the inactive
// palette, which then shows the background instead of the highlight.
void ShowInactiveSelection(QWidget& w, bool hide)
{
    QPalette palette = w.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(hide ? QPalette::Base : QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(hide ? QPalette::Text : QPalette::HighlightedText));
    w.setPalette(palette);
}
void SetHideSelection(QObject& o, int on)
{
    o.setProperty(kHideSelectionProperty, on != 0 ? QVariant(true) : QVariant());
    ShowInactiveSelection(Widget(o), on != 0);
}

// Turns what is typed or set into one letter case.
class TCharCaseValidator : public QValidator {
public:
    TCharCaseValidator(int charCase, QObject* parent)
        : QValidator(parent)
        , m_charCase(charCase)
    {
    }
    int CharCase() const noexcept { return m_charCase; }
    State validate(QString& input, int& position) const override
    {
        input = m_charCase == 1 ? input.toUpper() : input.toLower();
        position = std::min(position, int(input.size()));
        return Acceptable;
    }

private:
    int m_charCase;
};
const TCharCaseValidator* CharCaseValidator(const QObject& o)
{
    return dynamic_cast<const TCharCaseValidator*>(qobject_cast<const QLineEdit*>(&o)->validator());
}
// A line edit that checks its input otherwise keeps its own validator.
bool HasCharCase(const QObject& o)
{
    const auto* edit = qobject_cast<const QLineEdit*>(&o);
    return edit != nullptr && (edit->validator() == nullptr || CharCaseValidator(o) != nullptr);
}
void SetCharCase(QObject& o, int charCase)
{
    auto* edit = qobject_cast<QLineEdit*>(&o);
    delete CharCaseValidator(o);
    if (charCase == 0)
        return;
    auto* validator = new TCharCaseValidator(charCase, edit);
    edit->setValidator(validator);
    // Qt validates what is typed, not the text already there.
    QString text = edit->text();
    int position = 0;
    validator->validate(text, position);
    edit->setText(text);
}

// Filters are written "Text files|*.txt;*.sql|All files|*.*"; Qt names them
// "Text files (*.txt *.sql)".
QString GetFilter(const QObject& o)
{
    static const QRegularExpression named(QStringLiteral(R"(^(.*\S)\s*\(([^()]*)\)$)"));
    QStringList parts;
    for (const QString& filter : qobject_cast<const QFileDialog*>(&o)->nameFilters()) {
        const QRegularExpressionMatch match = named.match(filter);
        parts << (match.hasMatch() ? match.captured(1) : filter)
              << (match.hasMatch() ? match.captured(2) : filter).split(u' ').join(u';');
    }
    return parts.join(u'|');
}
void SetFilter(QObject& o, const QString& text)
{
    const QStringList parts = text.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i] + QStringLiteral(" (") + parts[i + 1].split(u';').join(u' ') + u')';
    qobject_cast<QFileDialog*>(&o)->setNameFilters(filters);
}

int GetWindowState(const QObject& o)
{
    const Qt::WindowStates state = Widget(o).windowState();
    if (state & Qt::WindowMinimized)
        return 1;
    if (state & Qt::WindowMaximized)
        return 2;
    return 0;
}
void SetWindowState(QObject& o, int value)
{
    Widget(o).setWindowState(value == 1   ? Qt::WindowMinimized
                             : value == 2 ? Qt::WindowMaximized
                                          : Qt::WindowNoState);
}

const TRow kRows[] = {
    {"Caption", TPropertyKind::Text, [](const QObject& o) { return CaptionProperty(o) != nullptr; },
     [](const QObject& o) { return GetQtText(o, CaptionProperty(o)); },
     [](QObject& o, const QString& t) { o.setProperty(CaptionProperty(o), t); }},
    {"Title", TPropertyKind::Text,
     [](const QObject& o) { return qobject_cast<const QDialog*>(&o) != nullptr; },
     [](const QObject& o) { return GetQtText(o, "windowTitle"); },
     [](QObject& o, const QString& t) { o.setProperty("windowTitle", t); }},
    {"Hint", TPropertyKind::Text,
     [](const QObject& o) { return IsWidget(o) || qobject_cast<const QAction*>(&o) != nullptr; },
     GetHint, SetHint},
    {"Font", TPropertyKind::Font,
     [](const QObject& o) { return IsWidget(o) || qobject_cast<const QAction*>(&o) != nullptr; }},
    {"Color", TPropertyKind::Color, IsWidget},
    {"Left", TPropertyKind::Integer, IsWidget, nullptr, nullptr,
     [](const QObject& o) { return Widget(o).x(); },
     [](QObject& o, int v) { Widget(o).move(v, Widget(o).y()); }},
    {"Top", TPropertyKind::Integer, IsWidget, nullptr, nullptr,
     [](const QObject& o) { return Widget(o).y(); },
     [](QObject& o, int v) { Widget(o).move(Widget(o).x(), v); }},
    {"Width", TPropertyKind::Integer, IsWidget, nullptr, nullptr,
     [](const QObject& o) { return Widget(o).width(); },
     [](QObject& o, int v) { Widget(o).resize(v, Widget(o).height()); }},
    {"Height", TPropertyKind::Integer, IsWidget, nullptr, nullptr,
     [](const QObject& o) { return Widget(o).height(); },
     [](QObject& o, int v) { Widget(o).resize(Widget(o).width(), v); }},
    {"WordWrap", TPropertyKind::Boolean, HasWordWrap, nullptr, nullptr, GetWordWrap, SetWordWrap,
     kBooleanValues},
    {"TabStop", TPropertyKind::Boolean, IsChildWidget, nullptr, nullptr, GetTabStop, SetTabStop,
     kBooleanValues},
    {"TabOrder", TPropertyKind::Integer, IsChildWidget, nullptr, nullptr, GetTabOrder, SetTabOrder},
    {"Flat", TPropertyKind::Boolean, [](const QObject& o) { return HasQtProperty(o, "flat"); },
     nullptr, nullptr, [](const QObject& o) { return int(o.property("flat").toBool()); },
     [](QObject& o, int v) { o.setProperty("flat", v != 0); }, kBooleanValues},
    {"Alignment", TPropertyKind::Enumeration,
     [](const QObject& o) {
         return qobject_cast<const QLabel*>(&o) != nullptr ||
                qobject_cast<const QLineEdit*>(&o) != nullptr;
     },
     nullptr, nullptr, GetAlignment, SetAlignment, kAlignmentValues},
    {"WindowState", TPropertyKind::Enumeration, IsWindow, nullptr, nullptr, GetWindowState,
     SetWindowState, kWindowStateValues},
    {"SizeGrip", TPropertyKind::Boolean,
     [](const QObject& o) { return qobject_cast<const QStatusBar*>(&o) != nullptr; }, nullptr,
     nullptr,
     [](const QObject& o) { return int(qobject_cast<const QStatusBar*>(&o)->isSizeGripEnabled()); },
     [](QObject& o, int v) { qobject_cast<QStatusBar*>(&o)->setSizeGripEnabled(v != 0); },
     kBooleanValues},
    {"TabPosition", TPropertyKind::Enumeration,
     [](const QObject& o) { return qobject_cast<const QTabWidget*>(&o) != nullptr; }, nullptr,
     nullptr,
     [](const QObject& o) { return int(qobject_cast<const QTabWidget*>(&o)->tabPosition()); },
     [](QObject& o, int v) {
         qobject_cast<QTabWidget*>(&o)->setTabPosition(static_cast<QTabWidget::TabPosition>(v));
     },
     kTabPositionValues},
    {"GridLines", TPropertyKind::Boolean,
     [](const QObject& o) { return qobject_cast<const QTableView*>(&o) != nullptr; }, nullptr,
     nullptr, [](const QObject& o) { return int(qobject_cast<const QTableView*>(&o)->showGrid()); },
     [](QObject& o, int v) { qobject_cast<QTableView*>(&o)->setShowGrid(v != 0); }, kBooleanValues},
    {"BorderStyle", TPropertyKind::Enumeration, IsFrame, nullptr, nullptr,
     [](const QObject& o) {
         return int(Frame(o).frameShape() == QFrame::NoFrame ? QFrame::NoFrame
                                                             : QFrame::StyledPanel);
     },
     [](QObject& o, int v) { Frame(o).setFrameShape(static_cast<QFrame::Shape>(v)); },
     kBorderStyleValues},
    {"BevelOuter", TPropertyKind::Enumeration, IsFrame, nullptr, nullptr,
     [](const QObject& o) { return int(Frame(o).frameShadow()); }, SetBevel, kBevelValues},
    {"BevelWidth", TPropertyKind::Integer, IsFrame, nullptr, nullptr,
     [](const QObject& o) { return Frame(o).lineWidth(); },
     [](QObject& o, int v) { Frame(o).setLineWidth(std::max(v, 0)); }},
    {"BorderWidth", TPropertyKind::Integer, IsWidget, nullptr, nullptr,
     [](const QObject& o) { return Widget(o).contentsMargins().left(); },
     [](QObject& o, int v) {
         const int margin = std::max(v, 0);
         Widget(o).setContentsMargins(margin, margin, margin, margin);
     }},
    {"HideSelection", TPropertyKind::Boolean, HasHideSelection, nullptr, nullptr,
     [](const QObject& o) { return int(o.property(kHideSelectionProperty).toBool()); },
     SetHideSelection, kBooleanValues},
    {"CharCase", TPropertyKind::Enumeration, HasCharCase, nullptr, nullptr,
     [](const QObject& o) {
         const TCharCaseValidator* validator = CharCaseValidator(o);
         return validator == nullptr ? 0 : validator->CharCase();
     },
     SetCharCase, kCharCaseValues},
    {"Style", TPropertyKind::Enumeration,
     [](const QObject& o) { return qobject_cast<const QComboBox*>(&o) != nullptr; }, nullptr,
     nullptr,
     [](const QObject& o) { return int(qobject_cast<const QComboBox*>(&o)->isEditable()); },
     [](QObject& o, int v) { qobject_cast<QComboBox*>(&o)->setEditable(v != 0); },
     kComboStyleValues},
    {"ResizeStyle", TPropertyKind::Enumeration,
     [](const QObject& o) { return qobject_cast<const QSplitter*>(&o) != nullptr; }, nullptr,
     nullptr,
     [](const QObject& o) { return int(qobject_cast<const QSplitter*>(&o)->opaqueResize()); },
     [](QObject& o, int v) { qobject_cast<QSplitter*>(&o)->setOpaqueResize(v != 0); },
     kResizeStyleValues},
    {"Layout", TPropertyKind::Enumeration,
     [](const QObject& o) { return qobject_cast<const QLabel*>(&o) != nullptr; }, nullptr, nullptr,
     [](const QObject& o) {
         return int(qobject_cast<const QLabel*>(&o)->alignment() & Qt::AlignVertical_Mask);
     },
     [](QObject& o, int v) {
         auto* label = qobject_cast<QLabel*>(&o);
         label->setAlignment((label->alignment() & ~Qt::AlignVertical_Mask) |
                             static_cast<Qt::Alignment>(v));
     },
     kLayoutValues},
    {"Filter", TPropertyKind::Text,
     [](const QObject& o) { return qobject_cast<const QFileDialog*>(&o) != nullptr; }, GetFilter,
     SetFilter},
};

const TRow* FindRow(const QObject& component, QStringView name)
{
    for (const TRow& row : kRows) {
        if (name.compare(QLatin1String(row.Name), Qt::CaseInsensitive) == 0 && row.Has(component))
            return &row;
    }
    return nullptr;
}

TComponentProperty Describe(const TRow& row)
{
    TComponentProperty property{QLatin1String(row.Name), row.Kind, {}};
    for (const TEnumValue& value : row.Values)
        property.EnumNames << QLatin1String(value.Name);
    return property;
}

int ParseInteger(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    qlonglong value = 0;
    if (trimmed.startsWith(u'$'))
        value = trimmed.mid(1).toLongLong(&ok, 16);
    else if (trimmed.startsWith(u"0x", Qt::CaseInsensitive))
        value = trimmed.mid(2).toLongLong(&ok, 16);
    else
        value = trimmed.toLongLong(&ok, 10);
    if (!ok || value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max())
        throw EConvertError(InvalidIntegerMessage(text));
    return static_cast<int>(value);
}

int ParseEnum(const TRow& row, const QString& text)
{
    for (const TEnumValue& value : row.Values) {
        if (text.trimmed().compare(QLatin1String(value.Name), Qt::CaseInsensitive) == 0)
            return value.Value;
    }
    throw EConvertError(messages::kInvalidPropertyValue);
}

QString EnumName(const TRow& row, int current)
{
    for (const TEnumValue& value : row.Values) {
        if (value.Value == current)
            return QLatin1String(value.Name);
    }
    return QString::number(current);
}

// The palette role that "Color" means: the background a user sees.
QPalette::ColorRole ColorRole(const QWidget& w)
{
    if (qobject_cast<const QLineEdit*>(&w) || qobject_cast<const QAbstractScrollArea*>(&w) ||
        qobject_cast<const QAbstractSpinBox*>(&w))
        return QPalette::Base;
    if (qobject_cast<const QAbstractButton*>(&w) || qobject_cast<const QComboBox*>(&w))
        return QPalette::Button;
    return w.backgroundRole();
}

QString ColorName(const QWidget& w)
{
    const QString stored = w.property(kColorNameProperty).toString();
    return stored.isEmpty() ? SystemColorName(ColorRole(w)) : stored;
}

} // namespace

std::string InvalidIntegerMessage(const QString& text)
{
    return "'" + text.toStdString() + "' is not a valid integer value";
}

std::string InvalidPropertyElement(const QString& name)
{
    return "Invalid property element: " + name.toStdString();
}

std::vector<TComponentProperty> ComponentProperties(const QObject& component)
{
    std::vector<TComponentProperty> properties;
    for (const TRow& row : kRows) {
        if (FindRow(component, QString::fromLatin1(row.Name)) == &row)
            properties.push_back(Describe(row));
    }
    return properties;
}

std::optional<TComponentProperty> FindComponentProperty(const QObject& component, QStringView name)
{
    if (const TRow* row = FindRow(component, name))
        return Describe(*row);
    return std::nullopt;
}

QString ReadComponentProperty(const QObject& component, QStringView name)
{
    const TRow* row = FindRow(component, name);
    if (row == nullptr)
        return {};
    switch (row->Kind) {
    case TPropertyKind::Text:
        return row->GetText(component);
    case TPropertyKind::Integer:
        return QString::number(row->GetInt(component));
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
        return EnumName(*row, row->GetInt(component));
    case TPropertyKind::Color:
        return ColorToString(ComponentColor(Widget(component)), ColorName(Widget(component)));
    case TPropertyKind::Font:
        return FontToString(ComponentFont(component));
    }
    return {};
}

bool WriteComponentProperty(QObject& component, QStringView name, const QString& text)
{
    const TRow* row = FindRow(component, name);
    if (row == nullptr)
        return false;
    switch (row->Kind) {
    case TPropertyKind::Text:
        row->SetText(component, text);
        break;
    case TPropertyKind::Integer:
        row->SetInt(component, ParseInteger(text));
        break;
    case TPropertyKind::Boolean:
    case TPropertyKind::Enumeration:
        row->SetInt(component, ParseEnum(*row, text));
        break;
    case TPropertyKind::Color: {
        const auto color = StringToColor(text);
        if (!color)
            throw EConvertError(InvalidIntegerMessage(text));
        const bool symbolic = !text.trimmed().isEmpty() && text.trimmed().front().isLetter();
        SetComponentColor(Widget(component), *color, symbolic ? text.trimmed() : QString());
        break;
    }
    case TPropertyKind::Font:
        SetComponentFont(component, FontFromString(text, ComponentFont(component)));
        break;
    }
    if (auto* widget = qobject_cast<QWidget*>(&component))
        widget->update();
    return true;
}

QColor ComponentColor(const QWidget& widget)
{
    return widget.palette().color(QPalette::Active, ColorRole(widget));
}

void SetComponentColor(QWidget& widget, const QColor& color, const QString& name)
{
    const QPalette::ColorRole role = ColorRole(widget);
    QPalette palette = widget.palette();
    palette.setColor(role, color);
    widget.setPalette(palette);
    if (role == widget.backgroundRole())
        widget.setAutoFillBackground(true);
    widget.setProperty(kColorNameProperty, name.isEmpty() ? QVariant() : QVariant(name));
    // A hidden selection follows the new background.
    if (widget.property(kHideSelectionProperty).toBool())
        ShowInactiveSelection(widget, true);
}

QFont ComponentFont(const QObject& component)
{
    return component.property("font").value<QFont>();
}

void SetComponentFont(QObject& component, const QFont& font)
{
    component.setProperty("font", font);
}

} // namespace quorvex
