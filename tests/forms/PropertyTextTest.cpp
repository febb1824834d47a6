// Colour and font texts of the user-defined property file, read and written.
#include "FormsTestSupport.h"
#include "forms/ColorText.h"
#include "forms/FontText.h"

#include <QGuiApplication>

namespace quorvex::test {

// Text | colour read (#AARRGGBB) | text written back. Red sits in the low byte; of two names for
// one value the first in the table is written; system colours are the palette's.
TEST(ColorText, ReadsNamesAndNumbersInTheToolkitsLayoutAndWritesThemBack)
{
    ExpectTable(1, R"($00FF0000 | #ff0000ff | clBlue
$000000FF | #ffff0000 | clRed
$00563412 | #ff123456 | $00563412
$FF | #ffff0000 | clRed
255 | #ffff0000 | clRed
0x00008000 | #ff008000 | clGreen
CLRED | #ffff0000 | clRed
clNavy | #ff000080 | clNavy
clMoneyGreen | #ffc0dcc0 | clMoneyGreen
clSkyBlue | #ffa6caf0 | clSkyBlue
clLtGray | #ffc0c0c0 | clSilver
$00EFCDAB | #ffabcdef | $00EFCDAB
1 | #ff010000 | $00000001
$02FFFFFF | #ffffffff | clWhite
clNone | #00000000 | clNone
$1FFFFFFF | #00000000 | clNone
$FF000019 | refused
$03000000 | refused
$1234567890 | refused
12abc | refused
$GG | refused
$ | refused
clNoSuchColour | refused)",
                [](const QStringList& in) -> QStringList {
                    const auto color = StringToColor(in[0]);
                    if (!color)
                        return {"refused"};
                    return {color->name(QColor::HexArgb), ColorToString(*color)};
                });
    EXPECT_FALSE(StringToColor(u""));
    // clBtnFace is system colour 15.
    const QPalette palette = QGuiApplication::palette();
    for (const auto& [text, role] : {std::pair{"clBtnFace", QPalette::Window},
                                     {"$FF00000F", QPalette::Window},
                                     {"$8000000F", QPalette::Window},
                                     {"clWindow", QPalette::Base},
                                     {"clWindowText", QPalette::Text},
                                     {"clInfoBk", QPalette::ToolTipBase}})
        EXPECT_EQ(StringToColor(QString::fromLatin1(text)), palette.color(role)) << text;
    for (int i = 0; i < 200; ++i) {
        const QColor color((i * 37) % 256, (i * 91) % 256, (i * 53) % 256);
        EXPECT_EQ(StringToColor(ColorToString(color)).value_or(Qt::transparent), color) << i;
    }
    EXPECT_EQ(ColorToString(palette.color(QPalette::Window), u"clBtnFace"), "clBtnFace");
    EXPECT_EQ(ColorToString(QColor(255, 0, 0), u"clBtnFace"), "clRed");
    EXPECT_EQ(ColorToString(QColor(255, 0, 0), u"clNoSuchColour"), "clRed");
}

// Font text | as written back. Read from the end, so that a name may hold "," and "[", onto a
// font with every style: the text's styles replace them.
TEST(FontText, ReadsNameSizeAndStylesAndWritesThemBack)
{
    QFont base(QStringLiteral("Helvetica"), 20, QFont::Bold, true);
    base.setUnderline(true);
    base.setStrikeOut(true);
    ExpectTable(1, R"(Arial, 10 point, style [fsBold] | Arial, 10 point, style [fsBold]
Arial, 10 point, style = [fsBold] | Arial, 10 point, style [fsBold]
Courier New, 14 point, style [fsStrikeOut, fsBold] | Courier New, 14 point, style [fsBold,fsStrikeOut]
A, 12 point, style [fsBold,fsItalic,fsUnderline,fsStrikeOut] | A, 12 point, style [fsBold,fsItalic,fsUnderline,fsStrikeOut]
Arial, abc point, style [fsItalic] | Arial, 8 point, style [fsItalic]
Arial, point, style [] | Arial, 8 point, style []
Arial, 11point, style [] | Arial, 11 point, style []
Times | Times, 8 point, style []
Helvetica [Adobe], 12 point, style = [fsUnderline] | Helvetica [Adobe], 12 point, style [fsUnderline]
Foo, Bar, 12 point, style [fsItalic] | Foo, Bar, 12 point, style [fsItalic]
A [b], c [d], 12 point, style = [fsBold] | A [b], c [d], 12 point, style [fsBold]
Arial, 10 point, style [fsBold,fsHeavy] | Invalid property element: fsHeavy)",
                [&](const QStringList& in) -> QStringList {
                    return {OrError([&] { return FontToString(FontFromString(in[0], base)); })};
                });
    EXPECT_EQ(FontToString(base, true),
              "Helvetica, 20 point, style = [fsBold,fsItalic,fsUnderline,fsStrikeOut]");
    QFont pixels(QStringLiteral("Small Fonts"));
    pixels.setPixelSize(13);
    EXPECT_EQ(FontPointSize(pixels), 10);
}

} // namespace quorvex::test
