#include "ColorText.h"

#include <QGuiApplication>
#include <array>

namespace quorvex {

namespace {

struct TFixedColor {
    const char* Name;
    quint32 Value; // 0x00BBGGRR
};

// In the order the names are preferred when two share a value.
constexpr std::array kFixedColors{
    TFixedColor{"clBlack", 0x000000},      TFixedColor{"clMaroon", 0x000080},
    TFixedColor{"clGreen", 0x008000},      TFixedColor{"clOlive", 0x008080},
    TFixedColor{"clNavy", 0x800000},       TFixedColor{"clPurple", 0x800080},
    TFixedColor{"clTeal", 0x808000},       TFixedColor{"clGray", 0x808080},
    TFixedColor{"clSilver", 0xC0C0C0},     TFixedColor{"clRed", 0x0000FF},
    TFixedColor{"clLime", 0x00FF00},       TFixedColor{"clYellow", 0x00FFFF},
    TFixedColor{"clBlue", 0xFF0000},       TFixedColor{"clFuchsia", 0xFF00FF},
    TFixedColor{"clAqua", 0xFFFF00},       TFixedColor{"clWhite", 0xFFFFFF},
    TFixedColor{"clMoneyGreen", 0xC0DCC0}, TFixedColor{"clSkyBlue", 0xF0CAA6},
    TFixedColor{"clCream", 0xF0FBFF},      TFixedColor{"clMedGray", 0xA4A0A0},
    TFixedColor{"clLtGray", 0xC0C0C0},     TFixedColor{"clDkGray", 0x808080},
};

struct TSystemColor {
    const char* Name;
    int Index; // the system colour number, the low byte of the value $FF0000xx
    QPalette::ColorRole Role;
};

constexpr std::array kSystemColors{
    TSystemColor{"clScrollBar", 0, QPalette::Window},
    TSystemColor{"clBackground", 1, QPalette::Dark},
    TSystemColor{"clActiveCaption", 2, QPalette::Highlight},
    TSystemColor{"clInactiveCaption", 3, QPalette::Mid},
    TSystemColor{"clMenu", 4, QPalette::Window},
    TSystemColor{"clWindow", 5, QPalette::Base},
    TSystemColor{"clWindowFrame", 6, QPalette::Shadow},
    TSystemColor{"clMenuText", 7, QPalette::WindowText},
    TSystemColor{"clWindowText", 8, QPalette::Text},
    TSystemColor{"clCaptionText", 9, QPalette::HighlightedText},
    TSystemColor{"clActiveBorder", 10, QPalette::Window},
    TSystemColor{"clInactiveBorder", 11, QPalette::Window},
    TSystemColor{"clAppWorkSpace", 12, QPalette::Dark},
    TSystemColor{"clHighlight", 13, QPalette::Highlight},
    TSystemColor{"clHighlightText", 14, QPalette::HighlightedText},
    TSystemColor{"clBtnFace", 15, QPalette::Window},
    TSystemColor{"clBtnShadow", 16, QPalette::Dark},
    TSystemColor{"clGrayText", 17, QPalette::PlaceholderText},
    TSystemColor{"clBtnText", 18, QPalette::ButtonText},
    TSystemColor{"clInactiveCaptionText", 19, QPalette::WindowText},
    TSystemColor{"clBtnHighlight", 20, QPalette::Light},
    TSystemColor{"cl3DDkShadow", 21, QPalette::Shadow},
    TSystemColor{"cl3DLight", 22, QPalette::Midlight},
    TSystemColor{"clInfoText", 23, QPalette::ToolTipText},
    TSystemColor{"clInfoBk", 24, QPalette::ToolTipBase},
    TSystemColor{"clHotLight", 26, QPalette::Link},
    TSystemColor{"clGradientActiveCaption", 27, QPalette::Highlight},
    TSystemColor{"clGradientInactiveCaption", 28, QPalette::Mid},
    TSystemColor{"clMenuHighlight", 29, QPalette::Highlight},
    TSystemColor{"clMenuBar", 30, QPalette::Window},
};

constexpr quint32 kNoneValue = 0x1FFFFFFF;
const char* const kNoneName = "clNone";

QColor FromValue(quint32 value)
{
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor SystemColor(QPalette::ColorRole role)
{
    return QGuiApplication::palette().color(QPalette::Active, role);
}

std::optional<QColor> NamedColor(QStringView name)
{
    for (const auto& fixed : kFixedColors) {
        if (name.compare(QLatin1String(fixed.Name), Qt::CaseInsensitive) == 0)
            return FromValue(fixed.Value);
    }
    for (const auto& system : kSystemColors) {
        if (name.compare(QLatin1String(system.Name), Qt::CaseInsensitive) == 0)
            return SystemColor(system.Role);
    }
    if (name.compare(QLatin1String(kNoneName), Qt::CaseInsensitive) == 0)
        return QColor(Qt::transparent);
    return std::nullopt;
}

// A number as the toolkit's integer conversion reads it: decimal with an optional sign, or
// hexadecimal after "$" or "0x".
std::optional<quint32> ParseNumber(QStringView text)
{
    text = text.trimmed();
    bool ok = false;
    qint64 value = 0;
    if (text.startsWith(u'$'))
        value = text.mid(1).toLongLong(&ok, 16);
    else if (text.startsWith(u"0x", Qt::CaseInsensitive))
        value = text.mid(2).toLongLong(&ok, 16);
    else
        value = text.toLongLong(&ok, 10);
    if (!ok || value < -2147483648LL || value > 0xFFFFFFFFLL)
        return std::nullopt;
    return static_cast<quint32>(value);
}

std::optional<QColor> NumberColor(quint32 value)
{
    if (value == kNoneValue)
        return QColor(Qt::transparent);
    const quint32 high = value >> 24;
    if (high == 0xFF || high == 0x80) {
        for (const auto& system : kSystemColors) {
            if (system.Index == int(value & 0xFF))
                return SystemColor(system.Role);
        }
        return std::nullopt;
    }
    // 0x01 and 0x02 select a palette entry by index or by RGB; the low three bytes are the
    // colour either way.
    if (high <= 0x02)
        return FromValue(value & 0xFFFFFF);
    return std::nullopt;
}

} // namespace

quint32 ColorValue(const QColor& color) noexcept
{
    const QRgb rgb = color.rgb();
    return quint32(qRed(rgb)) | (quint32(qGreen(rgb)) << 8) | (quint32(qBlue(rgb)) << 16);
}

std::optional<QColor> StringToColor(QStringView text)
{
    if (auto named = NamedColor(text.trimmed()))
        return named;
    if (auto number = ParseNumber(text))
        return NumberColor(*number);
    return std::nullopt;
}

QString ColorToString(const QColor& color, QStringView preferred)
{
    if (color.alpha() == 0)
        return QLatin1String(kNoneName);
    if (!preferred.isEmpty()) {
        const auto named = NamedColor(preferred);
        if (named && named->rgba() == color.rgba())
            return preferred.toString();
    }
    const quint32 value = ColorValue(color);
    for (const auto& fixed : kFixedColors) {
        if (fixed.Value == value)
            return QLatin1String(fixed.Name);
    }
    return QStringLiteral("$%1").arg(value, 8, 16, QLatin1Char('0')).toUpper();
}

QString SystemColorName(QPalette::ColorRole role)
{
    switch (role) {
    case QPalette::Window:
    case QPalette::Button:
        return QStringLiteral("clBtnFace");
    case QPalette::Base:
        return QStringLiteral("clWindow");
    default:
        return {};
    }
}

} // namespace quorvex
