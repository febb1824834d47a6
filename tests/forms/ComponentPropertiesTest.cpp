// The property names of the user-defined property file mapped onto Qt's components.
#include "FormsTestSupport.h"

#include <QAction>
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
#include <map>

namespace quorvex::test {

// One component of each kind, the controls in a window of their own.
struct TComponents {
    QMainWindow window;
    std::map<QString, QObject*> Kind{{"window", &window},
                                     {"button", new QPushButton(&window)},
                                     {"label", new QLabel(&window)},
                                     {"edit", new QLineEdit("aB", &window)},
                                     {"memo", new QTextEdit(&window)},
                                     {"status", new QStatusBar(&window)},
                                     {"list", new QListWidget(&window)},
                                     {"combo", new QComboBox(&window)},
                                     {"splitter", new QSplitter(&window)},
                                     {"tabs", new QTabWidget(&window)},
                                     {"files", new QFileDialog(&window)},
                                     {"action", new QAction(&window)}};
};

TEST(ComponentProperties, EachKindOfComponentHasItsOwnProperties)
{
    TComponents c;
    ExpectTable(1, R"(window | Caption Hint Font Color Left Top Width Height WindowState BorderWidth
button | Caption Hint Font Color Left Top Width Height TabStop TabOrder Flat BorderWidth
label | Caption Hint Font Color Left Top Width Height WordWrap TabStop TabOrder Alignment BorderStyle BevelOuter BevelWidth BorderWidth Layout
action | Caption Hint Font)",
                [&](const QStringList& in) {
                    QStringList names;
                    for (const auto& property : ComponentProperties(*c.Kind[in[0]]))
                        names << property.Name;
                    return QStringList{names.join(u' ')};
                });
    EXPECT_EQ(FindComponentProperty(*c.Kind["tabs"], u"tabposition")->EnumNames,
              QStringList({"tpTop", "tpBottom", "tpLeft", "tpRight"}));
}

// Component | property | text written | Qt property observed, then: the text read back or the
// error | the Qt property's value afterwards ("-": none observed).
TEST(ComponentProperties, WrittenValuesChangeTheComponentAndReadBack)
{
    ExpectTable(4,
                R"(window | CAPTION | My Schema Tool | windowTitle | My Schema Tool | My Schema Tool
label | caption | Name: | text | Name: | Name:
button | Hint | Go | statusTip | Go | Go
button | Hint | Set|Makes it active. | toolTip | Set|Makes it active. | Set
button | Hint | Set|Makes it active. | statusTip | Set|Makes it active. | Makes it active.
window | Top | $10 | y | 16 | 16
window | Width | 0x20 | width | 32 | 32
window | Height | abc | height | 'abc' is not a valid integer value | 100
window | Left | 2147483648 | x | '2147483648' is not a valid integer value | 0
label | BevelWidth | -2147483648 | lineWidth | 0 | 0
label | WordWrap | true | wordWrap | True | true
label | WordWrap | Yes | wordWrap | Invalid property value | false
memo | WordWrap | False | lineWrapMode | False | NoWrap
button | Flat | True | flat | True | true
button | TabStop | False | focusPolicy | False | 10
label | Alignment | taCenter | alignment | taCenter | AlignCenter
edit | Alignment | taRightJustify | alignment | taRightJustify | AlignTrailing|AlignVCenter
label | Alignment | taJustify | alignment | Invalid property value | AlignLeading|AlignVCenter
label | Layout | tlBottom | alignment | tlBottom | AlignLeading|AlignBottom
status | SizeGrip | False | sizeGripEnabled | False | false
tabs | TabPosition | tpBottom | tabPosition | tpBottom | South
label | BorderStyle | bsSingle | frameShape | bsSingle | StyledPanel
label | BevelOuter | bvRaised | frameShadow | bvRaised | Raised
combo | Style | csDropDown | editable | csDropDown | true
splitter | ResizeStyle | rsLine | opaqueResize | rsLine | false
edit | CharCase | ecUpperCase | text | ecUpperCase | AB
label | Color | $00FF0000 | autoFillBackground | clBlue | true
label | Color | clNoSuchColour | autoFillBackground | 'clNoSuchColour' is not a valid integer value | false
label | Color | $00563412 | - | $00563412 | -
edit | Color | clInfoBk | - | clInfoBk | -
label | Font | Arial, 10 point, style = [fsItalic] | - | Arial, 10 point, style [fsItalic] | -
button | Font | Courier New, x point, style [] | - | Courier New, 8 point, style [] | -
label | Font | Arial, 10 point, style [fsWide] | - | Invalid property element: fsWide | -
files | Filter | SQL|*.sql;*.txt|All|* | - | SQL|*.sql;*.txt|All|* | -
edit | Caption | x | - | not written | -
edit | WordWrap | x | - | not written | -
window | TabStop | x | - | not written | -
button | NoSuchProperty | x | - | not written | -)",
                [](const QStringList& in) {
                    TComponents c;
                    c.window.resize(200, 100);
                    QObject& component = *c.Kind[in[0]];
                    const QString read = OrError([&] {
                        return WriteComponentProperty(component, in[1], in[2])
                                   ? ReadComponentProperty(component, in[1])
                                   : QStringLiteral("not written");
                    });
                    const QVariant qt = component.property(in[3].toLatin1());
                    // Flags Qt gives no names for are shown as numbers (10: click and wheel focus,
                    // no tab).
                    const QString shown =
                        qt.toString().isEmpty() ? QString::number(qt.toInt()) : qt.toString();
                    return QStringList{read, in[3] == "-" ? "-" : shown};
                });
    TComponents c;
    auto& edit = static_cast<QLineEdit&>(*c.Kind["edit"]);
    WriteComponentProperty(edit, u"CharCase", "ecLowerCase");
    WriteComponentProperty(edit, u"BorderWidth", "4");
    WriteComponentProperty(*c.Kind["list"], u"HideSelection", "True");
    WriteComponentProperty(*c.Kind["files"], u"Filter", "SQL|*.sql;*.txt|All|*");
    QTest::keyClicks(&edit, "Cd");
    EXPECT_EQ(edit.text(), "abcd");
    EXPECT_EQ(edit.contentsMargins(), QMargins(4, 4, 4, 4));
    EXPECT_EQ(static_cast<QWidget*>(c.Kind["list"])
                  ->palette()
                  .color(QPalette::Inactive, QPalette::Highlight),
              QApplication::palette().color(QPalette::Inactive, QPalette::Base));
    EXPECT_EQ(static_cast<QFileDialog*>(c.Kind["files"])->nameFilters(),
              QStringList({"SQL (*.sql *.txt)", "All (*)"}));
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
