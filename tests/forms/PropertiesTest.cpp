// Colour and font texts of the user-defined property file, and its property names mapped onto
// Qt's components.
#include "FormsTestSupport.h"
#include "forms/ColorText.h"
#include "forms/FontText.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QListWidget>
#include <QMainWindow>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace quorvex::test {

// Text | colour read (#AARRGGBB) | text written back. Red sits in the low byte; of two names for
// one value the first in the toolkit's table is written.
TEST(ColorText, ReadsNamesAndNumbersInTheToolkitsLayoutAndWritesThemBack)
{
    ExpectTable(1, R"($00FF0000 | #ff0000ff | clBlue
$FF | #ffff0000 | clRed
255 | #ffff0000 | clRed
0x00008000 | #ff008000 | clGreen
CLRED | #ffff0000 | clRed
clMoneyGreen | #ffc0dcc0 | clMoneyGreen
clLtGray | #ffc0c0c0 | clSilver
$00EFCDAB | #ffabcdef | $00EFCDAB
1 | #ff010000 | $00000001
$02FFFFFF | #ffffffff | clWhite
clNone | #00000000 | clNone
$1FFFFFFF | #00000000 | clNone)",
                [](const QStringList& in) {
                    const QColor color = StringToColor(in[0]).value_or(QColor());
                    return QStringList{color.name(QColor::HexArgb), ColorToString(color)};
                });
    for (const char* text :
         {"$FF000019", "$03000000", "$100000000", "12abc", "$GG", "$", "", "clNoSuchColour"})
        EXPECT_FALSE(StringToColor(QString(text))) << text;
    // System colours are the palette's: clBtnFace is system colour 15.
    const QColor face = QGuiApplication::palette().color(QPalette::Window);
    for (const QString text : {"clBtnFace", "$FF00000F", "$8000000F"})
        EXPECT_EQ(StringToColor(text), face) << text;
    EXPECT_EQ(StringToColor(u"clInfoBk"), QGuiApplication::palette().color(QPalette::ToolTipBase));
    EXPECT_EQ(ColorToString(face, u"clBtnFace") + ColorToString(Qt::red, u"clBtnFace"),
              "clBtnFaceclRed");
}

// Font text | as written back. Read from the end, so that a name may hold "," and "[", onto a
// font with every style: the text's styles replace them.
TEST(FontText, ReadsNameSizeAndStylesAndWritesThemBack)
{
    QFont base("Helvetica", 20, QFont::Bold, true);
    base.setUnderline(true);
    base.setStrikeOut(true);
    ExpectTable(1, R"(Arial, 10 point, style = [fsBold] | Arial, 10 point, style [fsBold]
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
                [&](const QStringList& in) {
                    return QStringList{
                        OrError([&] { return FontToString(FontFromString(in[0], base)); })};
                });
    QFont pixels("Small Fonts");
    pixels.setPixelSize(13);
    EXPECT_EQ(FontToString(pixels, true), "Small Fonts, 10 point, style = []");
}

// Component | property | text written | Qt property observed, then: the text read back or the
// error | the Qt property's value afterwards ("-": none observed; flags Qt gives no names for
// as numbers, 10 being click and wheel focus without tab focus). The rows share one set of
// components, so a refused value shows the value before it.
TEST(ComponentProperties, WrittenValuesChangeTheComponentAndReadBack)
{
    QMainWindow window;
    window.resize(200, 100);
    // clang-format off
    std::map<QString, QObject*> kind{{"window", &window}, {"button", new QPushButton(&window)},
        {"label", new QLabel(&window)}, {"edit", new QLineEdit("aB", &window)},
        {"memo", new QTextEdit(&window)}, {"status", new QStatusBar(&window)},
        {"list", new QListWidget(&window)}, {"combo", new QComboBox(&window)},
        {"splitter", new QSplitter(&window)}, {"tabs", new QTabWidget(&window)},
        {"files", new QFileDialog(&window)}};
    // clang-format on
    ExpectTable(4,
                R"(window | CAPTION | My Schema Tool | windowTitle | My Schema Tool | My Schema Tool
label | caption | Name: | text | Name: | Name:
button | Hint | Go | statusTip | Go | Go
button | Hint | Set|Makes it active. | statusTip | Set|Makes it active. | Makes it active.
window | Top | $10 | y | 16 | 16
window | Width | 0x20 | width | 32 | 32
window | Height | abc | height | 'abc' is not a valid integer value | 100
window | Left | 2147483648 | x | '2147483648' is not a valid integer value | 0
label | BevelWidth | -2147483648 | lineWidth | 0 | 0
label | WordWrap | true | wordWrap | True | true
label | WordWrap | Yes | wordWrap | Invalid property value | true
memo | WordWrap | False | lineWrapMode | False | NoWrap
button | Flat | True | flat | True | true
button | TabStop | False | focusPolicy | False | 10
label | Alignment | taCenter | alignment | taCenter | AlignCenter
edit | Alignment | taRightJustify | alignment | taRightJustify | AlignTrailing|AlignVCenter
label | Alignment | taJustify | alignment | Invalid property value | AlignCenter
label | Layout | tlBottom | alignment | tlBottom | AlignHCenter|AlignBottom
status | SizeGrip | True | sizeGripEnabled | True | true
tabs | TabPosition | tpBottom | tabPosition | tpBottom | South
label | BevelOuter | bvRaised | frameShape | bvRaised | Panel
label | BorderStyle | bsSingle | frameShape | bsSingle | StyledPanel
combo | Style | csDropDown | editable | csDropDown | true
splitter | ResizeStyle | rsLine | opaqueResize | rsLine | false
edit | CharCase | ecUpperCase | text | ecUpperCase | AB
label | Color | $00FF0000 | autoFillBackground | clBlue | true
label | Color | clNoSuchColour | autoFillBackground | 'clNoSuchColour' is not a valid integer value | true
edit | Color | clInfoBk | - | clInfoBk | -
files | Filter | SQL|*.sql;*.txt|All|* | - | SQL|*.sql;*.txt|All|* | -)",
                [&](const QStringList& in) {
                    QObject& component = *kind[in[0]];
                    const QString read = OrError([&] {
                        EXPECT_TRUE(WriteComponentProperty(component, in[1], in[2]));
                        return ReadComponentProperty(component, in[1]);
                    });
                    const QVariant qt = component.property(in[3].toLatin1());
                    return QStringList{read, in[3] == "-"              ? "-"
                                             : qt.toString().isEmpty() ? QString::number(qt.toInt())
                                                                       : qt.toString()};
                });
    for (auto [component, property] :
         {std::pair{"edit", u"Caption"}, {"edit", u"WordWrap"}, {"window", u"TabStop"}})
        EXPECT_FALSE(WriteComponentProperty(*kind[component], property, "x")) << component;
    auto& edit = *static_cast<QLineEdit*>(kind["edit"]);
    WriteComponentProperty(edit, u"CharCase", "ecLowerCase");
    WriteComponentProperty(edit, u"BorderWidth", "4");
    WriteComponentProperty(*kind["list"], u"HideSelection", "True");
    QTest::keyClicks(&edit, "Cd");
    EXPECT_EQ(edit.text() + (edit.contentsMargins() == QMargins(4, 4, 4, 4) ? "" : " margins"),
              "abcd");
    const QPalette list = static_cast<QWidget*>(kind["list"])->palette();
    EXPECT_EQ(list.color(QPalette::Inactive, QPalette::Highlight),
              QApplication::palette().color(QPalette::Inactive, QPalette::Base));
    EXPECT_EQ(static_cast<QFileDialog*>(kind["files"])->nameFilters().join(u';'),
              "SQL (*.sql *.txt);All (*)");
}

TEST(ComponentProperties, TabOrderMovesAControlInItsParentsTabChain)
{
    QWidget parent;
    auto* layout = new QVBoxLayout(&parent);
    std::vector<QPushButton*> buttons(3);
    QString orders;
    for (auto*& button : buttons)
        layout->addWidget(button = new QPushButton(&parent));
    WriteComponentProperty(*buttons[2], u"TabOrder", "0");
    for (auto* button : buttons)
        orders += ReadComponentProperty(*button, u"TabOrder");
    EXPECT_EQ(orders, "120");
}

} // namespace quorvex::test
