#pragma once

#include <QFont>
#include <QString>

namespace quorvex {

// Font texts of the user-defined property file and the Edit Component Properties dialog:
// "Arial, 10 point, style [fsBold,fsItalic]" and, as the font dialog writes it,
// "Arial, 10 point, style = [fsBold]".

// The text of a font; `withEquals` gives the "style = [" form.
QString FontToString(const QFont& font, bool withEquals = false);

// `base` with the name, size and styles of a font text, read from its end so that a name may
// hold "," or "[": the styles between the "[" and "]" of a closing ", style [...]" replace the
// style set; before that, the name is the text up to the last ","; after that "," and one more
// character, the size is the whole number that starts the rest (8 when there is none).
// EConvertError for a style name that is not fsBold, fsItalic, fsUnderline or fsStrikeOut.
QFont FontFromString(const QString& text, const QFont& base);

// The font's size in whole points, also for a font sized in pixels.
int FontPointSize(const QFont& font);

} // namespace quorvex
