#pragma once

#include <QColor>
#include <QPalette>
#include <QString>
#include <QStringView>
#include <optional>

namespace quorvex {

// Colour texts of the user-defined property file: a symbolic name (clRed, clBtnFace, ...) or a
// number, written as "$" and eight hexadecimal digits of the value 0x00BBGGRR (red in the low
// byte, so "$00FF0000" is blue). System colour names stand for colours of the application's
// palette.

// The colour a text names: a symbolic name (letter case ignored) or a number in decimal or
// with a "$" prefix. nullopt when the text is neither.
std::optional<QColor> StringToColor(QStringView text);

// The text of a colour: `preferred` when that symbolic name gives this very colour, else the
// name of a fixed colour with its value, else "$" and eight hexadecimal digits.
QString ColorToString(const QColor& color, QStringView preferred = {});

// The 0x00BBGGRR value of a colour (alpha ignored).
quint32 ColorValue(const QColor& color) noexcept;

// The system colour name a palette role stands for by default ("clBtnFace" for the window
// background, "clWindow" for text fields); empty for roles without one.
QString SystemColorName(QPalette::ColorRole role);

} // namespace quorvex
