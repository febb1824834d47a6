#pragma once

#include "persistence/Exceptions.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <string>
#include <vector>

class QObject;
class QWidget;

namespace quorvex {

// The properties of a window's components as the user-defined property file names them
// ("Caption", "Hint", "Font", "Color", "Left", ...), mapped onto Qt by one table. A name the
// table does not give for a component is a property the component does not have.

// A value text that is no value of the property's type.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// "'abc' is not a valid integer value"
std::string InvalidIntegerMessage(const QString& text);
// "Invalid property element: fsHeavy"
std::string InvalidPropertyElement(const QString& name);

enum class TPropertyKind { Text, Integer, Boolean, Enumeration, Color, Font };

struct TComponentProperty {
    QString Name; // as the file spells it
    TPropertyKind Kind = TPropertyKind::Text;
    QStringList EnumNames; // Boolean and Enumeration: the value names in declared order
};

// The properties `component` has, in the table's order.
std::vector<TComponentProperty> ComponentProperties(const QObject& component);
// The property of that name (letter case ignored); nullopt when the component does not have it.
std::optional<TComponentProperty> FindComponentProperty(const QObject& component, QStringView name);
// The value as the file writes it; empty when the component does not have the property.
QString ReadComponentProperty(const QObject& component, QStringView name);
// Sets a property from its text and repaints a widget. False when the component does not have
// the property; EConvertError when the text is no value of the property's type.
bool WriteComponentProperty(QObject& component, QStringView name, const QString& text);

// What "Color" and "Font" stand for, to set them from a dialog's choice. `name` is the symbolic
// name the colour was given by, kept so that it reads back the same.
QColor ComponentColor(const QWidget& widget);
void SetComponentColor(QWidget& widget, const QColor& color, const QString& name = {});
QFont ComponentFont(const QObject& component);
void SetComponentFont(QObject& component, const QFont& font);

} // namespace quorvex
