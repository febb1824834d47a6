#include "forms/ColorText.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

namespace quorvex {
namespace {

struct TextToColor {
    const char* text;
    QRgb rgb;
};

TEST(ColorText, ReadsNamesAndNumbersInTheToolkitsLayout)
{
    const TextToColor cases[] = {
        {"$00FF0000", qRgb(0, 0, 255)}, // blue sits in the high byte
        {"$000000FF", qRgb(255, 0, 0)},
        {"$00563412", qRgb(0x12, 0x34, 0x56)},
        {"$FF", qRgb(255, 0, 0)},
        {"255", qRgb(255, 0, 0)},
        {"0x00008000", qRgb(0, 128, 0)},
        {"clRed", qRgb(255, 0, 0)},
        {"CLRED", qRgb(255, 0, 0)},
        {"clBlue", qRgb(0, 0, 255)},
        {"clNavy", qRgb(0, 0, 128)},
        {"clMoneyGreen", qRgb(0xC0, 0xDC, 0xC0)},
        {"clSkyBlue", qRgb(0xA6, 0xCA, 0xF0)},
        {"clWhite", qRgb(255, 255, 255)},
    };
    for (const auto& c : cases) {
        const auto color = StringToColor(QString::fromLatin1(c.text));
        ASSERT_TRUE(color.has_value()) << c.text;
        EXPECT_EQ(color->rgb(), c.rgb) << c.text;
    }
}

TEST(ColorText, SystemNamesAndNumbersAreThePalettesColours)
{
    const QPalette palette = QGuiApplication::palette();
    EXPECT_EQ(StringToColor(u"clBtnFace")->rgb(), palette.color(QPalette::Window).rgb());
    EXPECT_EQ(StringToColor(u"clWindow")->rgb(), palette.color(QPalette::Base).rgb());
    EXPECT_EQ(StringToColor(u"clWindowText")->rgb(), palette.color(QPalette::Text).rgb());
    EXPECT_EQ(StringToColor(u"clHighlight")->rgb(), palette.color(QPalette::Highlight).rgb());
    EXPECT_EQ(StringToColor(u"clInfoBk")->rgb(), palette.color(QPalette::ToolTipBase).rgb());
    // clBtnFace is system colour 15.
    EXPECT_EQ(StringToColor(u"$FF00000F")->rgb(), palette.color(QPalette::Window).rgb());
    EXPECT_EQ(StringToColor(u"$8000000F")->rgb(), palette.color(QPalette::Window).rgb());
}

TEST(ColorText, RejectsTextsThatAreNoColour)
{
    for (const char* text : {"", "clNoSuchColour", "$", "$GG", "12abc", "$1234567890", "$FF0000FF"})
        EXPECT_FALSE(StringToColor(QString::fromLatin1(text)).has_value()) << text;
}

TEST(ColorText, WritesFixedNamesElseEightHexDigits)
{
    EXPECT_EQ(ColorToString(QColor(0, 0, 255)), "clBlue");
    EXPECT_EQ(ColorToString(QColor(255, 0, 0)), "clRed");
    EXPECT_EQ(ColorToString(QColor(0xC0, 0xC0, 0xC0)), "clSilver");
    EXPECT_EQ(ColorToString(QColor(0x12, 0x34, 0x56)), "$00563412");
    EXPECT_EQ(ColorToString(QColor(0xAB, 0xCD, 0xEF)), "$00EFCDAB");
    EXPECT_EQ(ColorToString(QColor(1, 0, 0)), "$00000001");
    EXPECT_EQ(ColorToString(QColor(Qt::transparent)), "clNone");
}

TEST(ColorText, KeepsAPreferredNameThatGivesTheSameColour)
{
    const QColor face = QGuiApplication::palette().color(QPalette::Window);
    EXPECT_EQ(ColorToString(face, u"clBtnFace"), "clBtnFace");
    EXPECT_EQ(ColorToString(QColor(255, 0, 0), u"clBtnFace"), "clRed");
    EXPECT_EQ(ColorToString(QColor(255, 0, 0), u"clNoSuchColour"), "clRed");
}

TEST(ColorText, EveryWrittenTextReadsBackAsTheSameColour)
{
    for (int i = 0; i < 200; ++i) {
        const QColor color((i * 37) % 256, (i * 91) % 256, (i * 53) % 256);
        const QString text = ColorToString(color);
        const auto back = StringToColor(text);
        ASSERT_TRUE(back.has_value()) << text.toStdString();
        EXPECT_EQ(back->rgb(), color.rgb()) << text.toStdString();
    }
}

} // namespace
} // namespace quorvex
