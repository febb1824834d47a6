#include "forms/FontText.h"

#include "forms/ComponentProperties.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

QFont MakeFont(const QString& family, int points, bool bold = false, bool italic = false,
               bool underline = false, bool strikeOut = false)
{
    // Not QFont(family), which takes a "," for a list of families.
    QFont font;
    font.setFamily(family);
    font.setPointSize(points);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
    return font;
}

TEST(FontText, WritesTheListFormAndTheDialogForm)
{
    const QFont font = MakeFont("Arial", 10, true);
    EXPECT_EQ(FontToString(font), "Arial, 10 point, style [fsBold]");
    EXPECT_EQ(FontToString(font, true), "Arial, 10 point, style = [fsBold]");
    EXPECT_EQ(FontToString(MakeFont("Courier New", 9)), "Courier New, 9 point, style []");
    EXPECT_EQ(FontToString(MakeFont("Arial", 12, true, true, true, true)),
              "Arial, 12 point, style [fsBold,fsItalic,fsUnderline,fsStrikeOut]");
}

TEST(FontText, PixelSizesAreWrittenInPoints)
{
    QFont font("Small Fonts");
    font.setPixelSize(13);
    EXPECT_EQ(FontPointSize(font), 10);
}

struct ReadCase {
    const char* text;
    const char* family;
    int points;
    bool bold, italic, underline, strikeOut;
};

TEST(FontText, ReadsNameSizeAndStyles)
{
    const ReadCase cases[] = {
        {"Arial, 10 point, style [fsBold]", "Arial", 10, true, false, false, false},
        {"Arial, 10 point, style = [fsBold]", "Arial", 10, true, false, false, false},
        {"Courier New, 14 point, style [fsItalic,fsUnderline]", "Courier New", 14, false, true,
         true, false},
        {"Courier New, 14 point, style [fsStrikeOut, fsBold]", "Courier New", 14, true, false,
         false, true},
        {"Arial, abc point, style [fsItalic]", "Arial", 8, false, true, false, false},
        {"Arial, point, style []", "Arial", 8, false, false, false, false},
        {"Arial, 11point, style []", "Arial", 11, false, false, false, false},
        {"Times", "Times", 8, false, false, false, false},
    };
    // The styles replace those of the font the text is applied to.
    const QFont base = MakeFont("Helvetica", 20, true, true, true, true);
    for (const auto& c : cases) {
        const QFont font = FontFromString(QString::fromLatin1(c.text), base);
        EXPECT_EQ(font.family(), c.family) << c.text;
        EXPECT_EQ(font.pointSize(), c.points) << c.text;
        EXPECT_EQ(font.bold(), c.bold) << c.text;
        EXPECT_EQ(font.italic(), c.italic) << c.text;
        EXPECT_EQ(font.underline(), c.underline) << c.text;
        EXPECT_EQ(font.strikeOut(), c.strikeOut) << c.text;
    }
}

TEST(FontText, ANameMayHoldCommasAndBrackets)
{
    for (const char* family : {"Helvetica [Adobe]", "Foo, Bar", "A [b], c [d]"}) {
        SCOPED_TRACE(family);
        const QFont font = MakeFont(family, 12, true);
        for (bool withEquals : {false, true}) {
            const QFont back = FontFromString(FontToString(font, withEquals), QFont());
            EXPECT_EQ(back.family(), family);
            EXPECT_EQ(back.pointSize(), 12);
            EXPECT_TRUE(back.bold());
        }
    }
}

TEST(FontText, AnUnknownStyleIsAConversionError)
{
    try {
        FontFromString("Arial, 10 point, style [fsBold,fsHeavy]", QFont());
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), "Invalid property element: fsHeavy");
    }
}

TEST(FontText, WrittenTextsReadBack)
{
    for (const QFont& font : {MakeFont("Arial", 10, true), MakeFont("Courier New", 7, false, true),
                              MakeFont("Times New Roman", 22, true, false, true, true)}) {
        const QFont back = FontFromString(FontToString(font, true), QFont());
        EXPECT_EQ(FontToString(back), FontToString(font));
    }
}

} // namespace
} // namespace quorvex
