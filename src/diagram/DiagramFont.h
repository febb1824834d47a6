#pragma once

#include <QFont>
#include <QFontMetrics>
#include <string_view>

namespace quorvex {

// The font of diagram tables: "Arial" at 6 points, that is 8 pixels on a 96 dpi screen. It is
// fixed in pixels so a table measures the same on the screen, on a bitmap and on a printer.
// Liberation Sans stands in for Arial where Arial is not installed; it has the same widths.
const QFont& DiagramFont();

// The metrics of the diagram font (the same on every device: the font is sized in pixels).
const QFontMetrics& DiagramFontMetrics();

// An 8-bit text of the model (names, types, hints) as Qt text.
QString Latin1Text(std::string_view text);

// Width in pixels of an 8-bit text in the diagram font.
int DiagramTextWidth(std::string_view text);

} // namespace quorvex
