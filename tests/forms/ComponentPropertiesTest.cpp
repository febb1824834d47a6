#include "forms/ComponentProperties.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace quorvex {
namespace {

QStringList Names(const QObject& component)
{
    QStringList names;
    for (const auto& property : ComponentProperties(component))
        names << property.Name;
    return names;
}

TEST(ComponentProperties, EachKindOfComponentHasItsOwnProperties)
{
    QMainWindow window;
    auto* button = new QPushButton(&window);
    auto* label = new QLabel(&window);
    auto* edit = new QLineEdit(&window);
    auto* memo = new QTextEdit(&window);
    auto* status = new QStatusBar(&window);
    auto* tabs = new QTabWidget(&window);
    auto* action = new QAction(&window);

    EXPECT_EQ(Names(window), QStringList({"Caption", "Hint", "Font", "Color", "Left", "Top",
                                          "Width", "Height", "WindowState", "BorderWidth"}));
    EXPECT_EQ(Names(*button),
              QStringList({"Caption", "Hint", "Font", "Color", "Left", "Top", "Width", "Height",
                           "TabStop", "TabOrder", "Flat", "BorderWidth"}));
    EXPECT_EQ(Names(*label),
              QStringList({"Caption", "Hint", "Font", "Color", "Left", "Top", "Width", "Height",
                           "WordWrap", "TabStop", "TabOrder", "Alignment", "BorderStyle",
                           "BevelOuter", "BevelWidth", "BorderWidth", "Layout"}));
    EXPECT_EQ(Names(*action), QStringList({"Caption", "Hint", "Font"}));
    EXPECT_FALSE(FindComponentProperty(*edit, u"Caption").has_value());
    EXPECT_FALSE(FindComponentProperty(*edit, u"WordWrap").has_value());
    EXPECT_TRUE(FindComponentProperty(*memo, u"WordWrap").has_value());
    EXPECT_TRUE(FindComponentProperty(*status, u"SizeGrip").has_value());
    EXPECT_TRUE(FindComponentProperty(*tabs, u"TabPosition").has_value());
    EXPECT_FALSE(FindComponentProperty(window, u"TabStop").has_value());
    EXPECT_FALSE(FindComponentProperty(*button, u"NoSuchProperty").has_value());
}

TEST(ComponentProperties, NamesMatchWithoutLetterCase)
{
    QPushButton button;
    const auto property = FindComponentProperty(button, u"caPTION");
    ASSERT_TRUE(property.has_value());
    EXPECT_EQ(property->Name, "Caption");
    EXPECT_TRUE(WriteComponentProperty(button, u"CAPTION", "Go"));
    EXPECT_EQ(button.text(), "Go");
}

TEST(ComponentProperties, EnumerationsListTheirNames)
{
    QLabel label;
    QTabWidget tabs;
    EXPECT_EQ(FindComponentProperty(label, u"WordWrap")->EnumNames, QStringList({"False", "True"}));
    EXPECT_EQ(FindComponentProperty(label, u"Alignment")->EnumNames,
              QStringList({"taLeftJustify", "taRightJustify", "taCenter"}));
    EXPECT_EQ(FindComponentProperty(tabs, u"TabPosition")->EnumNames,
              QStringList({"tpTop", "tpBottom", "tpLeft", "tpRight"}));
    EXPECT_EQ(FindComponentProperty(label, u"Width")->Kind, TPropertyKind::Integer);
    EXPECT_EQ(FindComponentProperty(label, u"Color")->Kind, TPropertyKind::Color);
    EXPECT_EQ(FindComponentProperty(label, u"Font")->Kind, TPropertyKind::Font);
}

struct RoundTrip {
    const char* component;
    const char* property;
    const char* written;
    const char* read; // what reading gives back afterwards
};

// A window, or a control placed in `host` (a control without a parent would be a window).
QWidget* Make(const QString& kind, QWidget& host, std::unique_ptr<QWidget>& window)
{
    if (kind == "window") {
        window = std::make_unique<QMainWindow>();
        return window.get();
    }
    if (kind == "button")
        return new QPushButton(&host);
    if (kind == "label")
        return new QLabel(&host);
    if (kind == "edit")
        return new QLineEdit(&host);
    if (kind == "memo")
        return new QTextEdit(&host);
    if (kind == "status")
        return new QStatusBar(&host);
    if (kind == "list")
        return new QListWidget(&host);
    if (kind == "combo")
        return new QComboBox(&host);
    if (kind == "splitter")
        return new QSplitter(&host);
    if (kind == "files")
        return new QFileDialog(&host);
    return new QTabWidget(&host);
}

TEST(ComponentProperties, WrittenValuesReadBack)
{
    const RoundTrip cases[] = {
        {"window", "Caption", "My Schema Tool", "My Schema Tool"},
        {"button", "Caption", "&Set", "&Set"},
        {"label", "Caption", "Name:", "Name:"},
        {"button", "Hint", "Makes your change active.", "Makes your change active."},
        {"button", "Hint", "Set|Makes your change active.", "Set|Makes your change active."},
        {"window", "Left", "12", "12"},
        {"window", "Top", "$10", "16"},
        {"window", "Width", "577", "577"},
        {"window", "Height", "574", "574"},
        {"label", "WordWrap", "True", "True"},
        {"label", "WordWrap", "false", "False"},
        {"memo", "WordWrap", "False", "False"},
        {"memo", "WordWrap", "True", "True"},
        {"button", "Flat", "True", "True"},
        {"button", "TabStop", "False", "False"},
        {"button", "TabStop", "True", "True"},
        {"label", "Alignment", "taCenter", "taCenter"},
        {"edit", "Alignment", "taRightJustify", "taRightJustify"},
        {"status", "SizeGrip", "False", "False"},
        {"tabs", "TabPosition", "tpBottom", "tpBottom"},
        {"label", "Color", "$00FF0000", "clBlue"},
        {"label", "Color", "$00563412", "$00563412"},
        {"label", "Color", "clRed", "clRed"},
        {"edit", "Color", "clInfoBk", "clInfoBk"},
        {"label", "Font", "Arial, 10 point, style [fsBold]", "Arial, 10 point, style [fsBold]"},
        {"label", "Font", "Arial, 10 point, style = [fsItalic]",
         "Arial, 10 point, style [fsItalic]"},
        {"button", "Font", "Courier New, x point, style []", "Courier New, 8 point, style []"},
    };
    for (const auto& c : cases) {
        QWidget host;
        std::unique_ptr<QWidget> window;
        QWidget* widget = Make(QString::fromLatin1(c.component), host, window);
        const QString name = QString::fromLatin1(c.property);
        ASSERT_TRUE(WriteComponentProperty(*widget, name, QString::fromLatin1(c.written)))
            << c.component << "." << c.property;
        EXPECT_EQ(ReadComponentProperty(*widget, name).toStdString(), c.read)
            << c.component << "." << c.property << "=" << c.written;
    }
}

TEST(ComponentProperties, FrameSelectionCaseStyleLayoutAndFilterMapOntoQt)
{
    using TObserve = std::function<QVariant(QWidget&)>;
    const auto frame = [](QWidget& w) -> QFrame& { return static_cast<QFrame&>(w); };
    struct TCase {
        const char* Component;
        const char* Property;
        const char* Text;
        TObserve Observe;
        QVariant Expected;
    };
    const TCase cases[] = {
        {"label", "BorderStyle", "bsSingle", [&](QWidget& w) { return int(frame(w).frameShape()); },
         int(QFrame::StyledPanel)},
        {"label", "BevelOuter", "bvRaised", [&](QWidget& w) { return int(frame(w).frameShadow()); },
         int(QFrame::Raised)},
        {"label", "BevelWidth", "3", [&](QWidget& w) { return frame(w).lineWidth(); }, 3},
        {"button", "BorderWidth", "4", [](QWidget& w) { return w.contentsMargins().bottom(); }, 4},
        {"list", "HideSelection", "True",
         [](QWidget& w) { return w.palette().color(QPalette::Inactive, QPalette::Highlight); },
         QColor(QApplication::palette().color(QPalette::Inactive, QPalette::Base))},
        {"edit", "CharCase", "ecUpperCase",
         [](QWidget& w) {
             QTest::keyClicks(&w, "aB");
             return static_cast<QLineEdit&>(w).text();
         },
         "AB"},
        {"combo", "Style", "csDropDown",
         [](QWidget& w) { return static_cast<QComboBox&>(w).isEditable(); }, true},
        {"splitter", "ResizeStyle", "rsLine",
         [](QWidget& w) { return static_cast<QSplitter&>(w).opaqueResize(); }, false},
        {"label", "Layout", "tlBottom",
         [](QWidget& w) {
             return int(static_cast<QLabel&>(w).alignment() & Qt::AlignVertical_Mask);
         },
         int(Qt::AlignBottom)},
        {"files", "Filter", "SQL|*.sql;*.txt|All|*",
         [](QWidget& w) { return static_cast<QFileDialog&>(w).nameFilters(); },
         QStringList({"SQL (*.sql *.txt)", "All (*)"})},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Component) + "." + c.Property + "=" + c.Text);
        QWidget host;
        std::unique_ptr<QWidget> window;
        QWidget* widget = Make(QString::fromLatin1(c.Component), host, window);
        const QString name = QString::fromLatin1(c.Property);
        ASSERT_TRUE(WriteComponentProperty(*widget, name, c.Text));
        EXPECT_EQ(c.Observe(*widget), c.Expected);
        EXPECT_EQ(ReadComponentProperty(*widget, name), c.Text);
    }
}

TEST(ComponentProperties, PropertiesChangeTheLiveComponent)
{
    QMainWindow window;
    auto* button = new QPushButton(&window);
    auto* label = new QLabel(&window);
    EXPECT_TRUE(WriteComponentProperty(window, u"Caption", "My Schema Tool"));
    EXPECT_TRUE(WriteComponentProperty(window, u"Width", "321"));
    EXPECT_TRUE(WriteComponentProperty(*button, u"Hint", "Short|The long hint"));
    EXPECT_TRUE(WriteComponentProperty(*button, u"TabStop", "False"));
    EXPECT_TRUE(WriteComponentProperty(*label, u"Color", "$00FF0000"));
    EXPECT_TRUE(WriteComponentProperty(*label, u"Font", "Arial, 10 point, style [fsBold]"));
    EXPECT_EQ(window.windowTitle(), "My Schema Tool");
    EXPECT_EQ(window.width(), 321);
    EXPECT_EQ(button->toolTip(), "Short");
    EXPECT_EQ(button->statusTip(), "The long hint");
    EXPECT_EQ(button->focusPolicy() & Qt::TabFocus, 0);
    EXPECT_EQ(ComponentColor(*label), QColor(0, 0, 255));
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->font().family(), "Arial");
    EXPECT_EQ(label->font().pointSize(), 10);
    EXPECT_TRUE(label->font().bold());
}

TEST(ComponentProperties, UnconvertibleValuesAreErrorsAndChangeNothing)
{
    QMainWindow window;
    window.resize(200, 100);
    auto& label = *new QLabel(&window);
    struct {
        QObject* component;
        const char* property;
        const char* text;
        const char* message;
    } const cases[] = {
        {&window, "Width", "abc", "'abc' is not a valid integer value"},
        {&window, "Left", "99999999999", "'99999999999' is not a valid integer value"},
        {&label, "WordWrap", "Yes", "Invalid property value"},
        {&label, "Alignment", "taJustify", "Invalid property value"},
        {&label, "Color", "clNoSuchColour", "'clNoSuchColour' is not a valid integer value"},
        {&label, "Font", "Arial, 10 point, style [fsWide]", "Invalid property element: fsWide"},
    };
    for (const auto& c : cases) {
        try {
            WriteComponentProperty(*c.component, QString::fromLatin1(c.property),
                                   QString::fromLatin1(c.text));
            ADD_FAILURE() << c.property << "=" << c.text << " was accepted";
        } catch (const EConvertError& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
    EXPECT_EQ(window.width(), 200);
    EXPECT_FALSE(label.wordWrap());
}

TEST(ComponentProperties, AMissingPropertyIsNotWritten)
{
    QWidget host;
    auto& edit = *new QLineEdit(&host);
    edit.setText("kept");
    EXPECT_FALSE(WriteComponentProperty(edit, u"Caption", "x"));
    EXPECT_FALSE(WriteComponentProperty(edit, u"Bogus", "x"));
    EXPECT_EQ(edit.text(), "kept");
    EXPECT_EQ(ReadComponentProperty(edit, u"Bogus"), QString());
}

TEST(ComponentProperties, TabOrderMovesAControlInItsParentsTabChain)
{
    QWidget parent;
    auto* layout = new QVBoxLayout(&parent);
    QPushButton* buttons[3];
    for (auto*& button : buttons) {
        button = new QPushButton(&parent);
        layout->addWidget(button);
    }
    EXPECT_EQ(ReadComponentProperty(*buttons[0], u"TabOrder"), "0");
    EXPECT_EQ(ReadComponentProperty(*buttons[2], u"TabOrder"), "2");
    WriteComponentProperty(*buttons[2], u"TabOrder", "0");
    EXPECT_EQ(ReadComponentProperty(*buttons[2], u"TabOrder"), "0");
    EXPECT_EQ(ReadComponentProperty(*buttons[0], u"TabOrder"), "1");
    EXPECT_EQ(ReadComponentProperty(*buttons[1], u"TabOrder"), "2");
}

} // namespace
} // namespace quorvex
