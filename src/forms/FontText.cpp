#include "FontText.h"

#include "ComponentProperties.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace quorvex {

namespace {

constexpr int kDefaultPointSize = 8;
// Pixel sizes convert at the toolkit's logical resolution.
constexpr double kLogicalDpi = 96.0;

} // namespace

int FontPointSize(const QFont& font)
{
    if (font.pointSize() > 0)
        return font.pointSize();
    if (font.pixelSize() > 0)
        return static_cast<int>(std::lround(font.pixelSize() * 72.0 / kLogicalDpi));
    return kDefaultPointSize;
}

QString FontToString(const QFont& font, bool withEquals)
{
    QStringList styles;
    if (font.bold())
        styles << QStringLiteral("fsBold");
    if (font.italic())
        styles << QStringLiteral("fsItalic");
    if (font.underline())
        styles << QStringLiteral("fsUnderline");
    if (font.strikeOut())
        styles << QStringLiteral("fsStrikeOut");
    return QStringLiteral("%1, %2 point, style %3[%4]")
        .arg(font.family())
        .arg(FontPointSize(font))
        .arg(withEquals ? QStringLiteral("= ") : QString())
        .arg(styles.join(u','));
}

QFont FontFromString(const QString& text, const QFont& base)
{
    // Read from the end: a family may itself hold "," or "[" ("Helvetica [Adobe]").
    static const QRegularExpression stylePart(
        QStringLiteral(R"((?:^|,)\s*style\s*(?:=\s*)?\[([^\]]*)\]?\s*$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch styles = stylePart.match(text);
    const QString head = styles.hasMatch() ? text.left(styles.capturedStart()) : text;

    QFont font = base;
    const qsizetype comma = head.lastIndexOf(u',');
    const QString name = comma < 0 ? head : head.left(comma);
    // The "," and the blank after it.
    const QString rest = comma < 0 ? QString() : head.mid(comma + 2);

    qsizetype digits = 0;
    while (digits < rest.size() && rest.at(digits).isDigit())
        ++digits;
    bool ok = false;
    int size = rest.left(digits).toInt(&ok);
    if (!ok || size <= 0)
        size = kDefaultPointSize;

    font.setFamily(name);
    font.setPointSize(size);

    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    if (styles.hasMatch()) {
        for (QStringView style : styles.capturedView(1).split(u',')) {
            style = style.trimmed();
            if (style.isEmpty())
                continue;
            if (style.compare(u"fsBold", Qt::CaseInsensitive) == 0)
                bold = true;
            else if (style.compare(u"fsItalic", Qt::CaseInsensitive) == 0)
                italic = true;
            else if (style.compare(u"fsUnderline", Qt::CaseInsensitive) == 0)
                underline = true;
            else if (style.compare(u"fsStrikeOut", Qt::CaseInsensitive) == 0)
                strikeOut = true;
            else
                throw EConvertError(InvalidPropertyElement(style.toString()));
        }
    }
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

} // namespace quorvex
