#include "forms/EditPropertiesForm.h"

#include "FormsTestSupport.h"
#include "ScriptedDialogs.h"
#include "forms/ColorText.h"
#include "forms/FontText.h"
#include "forms/UserProperties.h"
#include "forms/ValueEdit.h"
#include "persistence/IniFile.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace quorvex {
namespace {

using test::UserPropertyFileScope;

// A small window: a label, an edit field, a named helper without visible properties and an
// unnamed field.
class TTargetForm : public TEditableForm {
public:
    explicit TTargetForm(const QString& name = QStringLiteral("TargetForm"))
        : TEditableForm(name)
    {
        resize(400, 300);
        auto* central = new QWidget(this);
        setCentralWidget(central);
        Label1 = new QLabel(QStringLiteral("Owner"), central);
        Label1->setObjectName(QStringLiteral("Label1"));
        Edit1 = new QLineEdit(central);
        Edit1->setObjectName(QStringLiteral("Edit1"));
        auto* timer = new QObject(this);
        timer->setObjectName(QStringLiteral("Timer1"));
        new QLineEdit(central);
        Initialize();
    }

    QLabel* Label1;
    QLineEdit* Edit1;
};

// Runs `body` inside the dialog opened for `target` as F2 would open it.
void WithDialog(TEditableForm& target, TScriptedDialogsScope& dialogs,
                const std::function<void(TEditPropertiesForm&)>& body)
{
    bool ran = false;
    dialogs->FormAnswers.push_back([&](TEditableForm& form) {
        auto* dialog = dynamic_cast<TEditPropertiesForm*>(&form);
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            ran = true;
            body(*dialog);
        }
        return int(mrCancel);
    });
    ShowEditProperties(target);
    EXPECT_TRUE(ran);
}

QStringList Lines(const QListWidget& list)
{
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

std::optional<std::string> Stored(const UserPropertyFileScope& file, const char* section,
                                  const char* key)
{
    return TIniFile(file.Path()).Find(section, key);
}

// Installs the dialog as what F2 opens, for one test.
class HandlerScope {
public:
    HandlerScope() { TEditableForm::SetEditPropertiesHandler(ShowEditProperties); }
    ~HandlerScope() { TEditableForm::SetEditPropertiesHandler({}); }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

TEST(EditPropertiesForm, F2OpensTheDialogForTheWindowCaptionedFromGlobalStringZero)
{
    struct TCase {
        const char* File;
        const char* Caption;
    };
    const TCase cases[] = {
        {"", "Edit Properties of TargetForm"},
        {"[GlobalStrings]\r\n0=Properties: %s\r\n", "Properties: TargetForm"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Caption);
        UserPropertyFileScope file;
        file.Write(c.File);
        LoadGlobalStrings();
        TScriptedDialogsScope dialogs;
        HandlerScope handler;
        TTargetForm target;
        QString caption;
        QObject* parent = nullptr;
        dialogs->FormAnswers.push_back([&](TEditableForm& form) {
            caption = form.windowTitle();
            parent = form.parent();
            EXPECT_EQ(form.objectName(), "EditPropertiesForm");
            EXPECT_TRUE(form.IsEditPropertiesDialog());
            return int(mrCancel);
        });
        QTest::keyClick(&target, Qt::Key_F2);
        // Once, although the dialog's own key filter arrives while the key is handled.
        ASSERT_EQ(dialogs->Asked.size(), 1u);
        EXPECT_EQ(dialogs->Asked[0].Kind, "Form");
        EXPECT_EQ(caption, c.Caption);
        EXPECT_EQ(parent, &target);
        // Released when it closes.
        EXPECT_EQ(target.findChild<TEditPropertiesForm*>(), nullptr);
        EXPECT_EQ(TEditableForm::Forms().size(), 1u);
    }
}

TEST(EditPropertiesForm, F2InsideTheDialogDoesNothing)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    HandlerScope handler;
    TTargetForm target;
    WithDialog(target, dialogs, [](TEditPropertiesForm& dialog) {
        QTest::keyClick(&dialog, Qt::Key_F2);
        QTest::keyClick(dialog.ValuesListBox(), Qt::Key_F2);
    });
    EXPECT_EQ(dialogs->Asked.size(), 1u);
}

TEST(EditPropertiesForm, ListsGlobalStringsTheWindowAndItsNamedComponents)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        const QStringList entries = Lines(*dialog.ComponentsListBox());
        ASSERT_GE(entries.size(), 2);
        EXPECT_EQ(entries[0], "GlobalStrings");
        EXPECT_EQ(entries[1], "TargetForm");
        for (const char* name : {"Label1", "Edit1", "Timer1", "MainStatusBar"})
            EXPECT_TRUE(entries.contains(QLatin1String(name))) << name;
        EXPECT_LT(entries.indexOf("Label1"), entries.indexOf("Edit1"));
        // Neither the dialog, nor its parts, nor unnamed or Qt's own helpers.
        for (const char* name : {"EditPropertiesForm", "ValuesListBox", "SetButton", ""})
            EXPECT_FALSE(entries.contains(QLatin1String(name))) << name;
        for (const QString& entry : entries)
            EXPECT_FALSE(entry.startsWith("qt_")) << entry.toStdString();

        // Shown first: the global string list.
        EXPECT_EQ(dialog.ComponentsListBox()->currentRow(), 0);
        EXPECT_EQ(Lines(*dialog.ValuesListBox()), QStringList{"Edit Properties of %s"});
        EXPECT_EQ(dialog.ValueEdit()->Mode(), TValueEdit::TMode::Edit);
        EXPECT_EQ(dialog.ValueEdit()->Text(), "Edit Properties of %s");

        ASSERT_TRUE(dialog.SelectComponent("Timer1"));
        EXPECT_TRUE(Lines(*dialog.ValuesListBox()).isEmpty());
    });
}

TEST(EditPropertiesForm, PropertiesAreListedInDescendingOrderOfName)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    target.Label1->setGeometry(10, 20, 130, 40);
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        QStringList names;
        for (const QString& line : Lines(*dialog.ValuesListBox()))
            names << line.section(u'=', 0, 0);
        EXPECT_EQ(names,
                  QStringList({"WordWrap", "Width", "Top", "TabStop", "TabOrder", "Left", "Layout",
                               "Hint", "Height", "Font", "Color", "Caption", "BorderWidth",
                               "BorderStyle", "BevelWidth", "BevelOuter", "Alignment"}));
        const QStringList lines = Lines(*dialog.ValuesListBox());
        EXPECT_TRUE(lines.contains("Width=130"));
        EXPECT_TRUE(lines.contains("Top=20"));
        EXPECT_TRUE(lines.contains("Caption=Owner"));
        EXPECT_TRUE(lines.contains("Font=" + FontToString(target.Label1->font())));
        // The first line is selected and its value is in the field.
        EXPECT_EQ(dialog.ValuesListBox()->currentRow(), 0);
        EXPECT_EQ(dialog.ValueEdit()->Mode(), TValueEdit::TMode::DropDownList);
        EXPECT_EQ(dialog.ValueEdit()->Items(), QStringList({"False", "True"}));
    });
    EXPECT_TRUE(IsEditableProperty("Caption"));
    EXPECT_TRUE(IsEditableProperty("ShowPreviewGrid"));
    EXPECT_FALSE(IsEditableProperty("Name"));
    EXPECT_FALSE(IsEditableProperty("Caption,Title"));
    EXPECT_FALSE(IsEditableProperty(""));
}

TEST(EditPropertiesForm, SetAppliesToTheLinesReachedWithTheKeyboard)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    target.Label1->setGeometry(10, 20, 130, 40);
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        dialog.show();
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        ASSERT_TRUE(dialog.SelectProperty("Width"));
        QTest::keyClick(dialog.ValuesListBox(), Qt::Key_Down);
        EXPECT_EQ(dialog.ValueEdit()->Text(), "20");
        dialog.ValueEdit()->SetText("33");
        dialog.SetButton()->click();
        QTest::keyClick(dialog.ComponentsListBox(), Qt::Key_Home);
        EXPECT_EQ(Lines(*dialog.ValuesListBox()), QStringList{"Edit Properties of %s"});
        dialog.SetButton()->click();
    });
    EXPECT_EQ(target.Label1->geometry(), QRect(10, 33, 130, 40));
    EXPECT_EQ(Stored(file, "TargetForm", "Label1.Top"), std::optional<std::string>("33"));
    EXPECT_FALSE(Stored(file, "TargetForm", "Label1.Width"));
    EXPECT_EQ(GlobalStrings(), QStringList{"Edit Properties of %s"});
}

TEST(EditPropertiesForm, SetWritesTheKeyIntoTheWindowsOwnSectionAndChangesTheComponent)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm first(QStringLiteral("SQLGridForm"));
    TTargetForm second(QStringLiteral("SQLGridForm"));
    ASSERT_EQ(second.objectName(), "SQLGridForm_1");

    struct TCase {
        TTargetForm* Target;
        const char* Component;
        const char* Property;
        const char* Text;
        const char* Section;
        const char* Key;
    };
    const TCase cases[] = {
        {&second, "SQLGridForm_1", "Caption", "My Schema Tool", "SQLGridForm_1",
         "SQLGridForm_1.Caption"},
        {&second, "Label1", "Caption", "Schema owner", "SQLGridForm_1", "Label1.Caption"},
        {&first, "Edit1", "Width", "120", "SQLGridForm", "Edit1.Width"},
        {&first, "Label1", "Hint", "Who owns it", "SQLGridForm", "Label1.Hint"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Key);
        WithDialog(*c.Target, dialogs, [&](TEditPropertiesForm& dialog) {
            ASSERT_TRUE(dialog.SelectComponent(c.Component));
            ASSERT_TRUE(dialog.SelectProperty(c.Property));
            dialog.ValueEdit()->SetText(c.Text);
            dialog.SetButtonClick();
            EXPECT_EQ(dialog.ValuesListBox()->currentItem()->text(),
                      QStringLiteral("%1=%2").arg(c.Property, c.Text));
        });
        EXPECT_EQ(Stored(file, c.Section, c.Key), std::optional<std::string>(c.Text));
    }
    EXPECT_EQ(second.windowTitle(), "My Schema Tool");
    EXPECT_EQ(first.windowTitle(), "");
    EXPECT_EQ(second.Label1->text(), "Schema owner");
    EXPECT_EQ(first.Label1->text(), "Owner");
    EXPECT_EQ(first.Edit1->width(), 120);
    EXPECT_EQ(first.Label1->toolTip(), "Who owns it");
    // Nothing landed in the other window's section.
    EXPECT_FALSE(Stored(file, "SQLGridForm", "Label1.Caption"));
    EXPECT_FALSE(Stored(file, "SQLGridForm_1", "Edit1.Width"));
    EXPECT_EQ(dialogs->Asked.size(), 4u);

    // What was written is what the window gets when it is created again.
    second.Label1->setText("changed");
    ApplyUserProperties(second);
    EXPECT_EQ(second.Label1->text(), "Schema owner");
    EXPECT_EQ(second.windowTitle(), "My Schema Tool");
}

TEST(EditPropertiesForm, ColourFromTheColourDialogIsAppliedAndStored)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    const QColor chosen(0x12, 0x34, 0x56);
    dialogs->ColorAnswers.push_back(chosen);
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        ASSERT_TRUE(dialog.SelectProperty("Color"));
        TValueEdit& field = *dialog.ValueEdit();
        EXPECT_EQ(field.Mode(), TValueEdit::TMode::DropDownEdit);
        EXPECT_EQ(field.FieldColor(), ComponentColor(*target.Label1));
        EXPECT_EQ(field.Text(), ReadComponentProperty(*target.Label1, u"Color"));
        field.DropDown();
        EXPECT_EQ(field.FieldColor(), chosen);
        EXPECT_EQ(field.Text(), "$00563412");
        // Choosing alone changes nothing yet.
        EXPECT_NE(ComponentColor(*target.Label1), chosen);
        dialog.SetButtonClick();
    });
    EXPECT_EQ(dialogs->Asked.at(1).Kind, "Color");
    EXPECT_EQ(ComponentColor(*target.Label1), chosen);
    EXPECT_EQ(Stored(file, "TargetForm", "Label1.Color"), std::optional<std::string>("$00563412"));

    // Renamed after creation so that it reads the first window's section.
    TTargetForm restored(QStringLiteral("Restored"));
    restored.setObjectName("TargetForm");
    ApplyUserProperties(restored);
    EXPECT_EQ(ComponentColor(*restored.Label1), chosen);
}

TEST(EditPropertiesForm, FontFromTheFontDialogIsStoredWithStyleEqualsAndRestored)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    QFont chosen(QStringLiteral("Arial"), 10);
    chosen.setBold(true);
    dialogs->FontAnswers.push_back(chosen);
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        ASSERT_TRUE(dialog.SelectComponent("Edit1"));
        ASSERT_TRUE(dialog.SelectProperty("Font"));
        TValueEdit& field = *dialog.ValueEdit();
        EXPECT_EQ(field.Mode(), TValueEdit::TMode::DropDownEdit);
        EXPECT_EQ(field.Text(), FontToString(target.Edit1->font()));
        EXPECT_EQ(field.FieldColor(), QColor(Qt::white));
        field.DropDown();
        EXPECT_EQ(field.Text(), "Arial, 10 point, style = [fsBold]");
        EXPECT_EQ(field.FieldFont().family(), "Arial");
        dialog.SetButtonClick();
        EXPECT_EQ(dialog.ValuesListBox()->currentItem()->text(),
                  "Font=Arial, 10 point, style = [fsBold]");
    });
    EXPECT_EQ(Stored(file, "TargetForm", "Edit1.Font"),
              std::optional<std::string>("Arial, 10 point, style = [fsBold]"));
    // Renamed after creation so that it reads the first window's section.
    TTargetForm restored(QStringLiteral("Restored"));
    restored.setObjectName("TargetForm");
    ApplyUserProperties(restored);
    for (const QFont& font : {target.Edit1->font(), restored.Edit1->font()}) {
        EXPECT_EQ(font.family(), "Arial");
        EXPECT_EQ(FontPointSize(font), 10);
        EXPECT_TRUE(font.bold());
        EXPECT_FALSE(font.italic());
    }
}

TEST(EditPropertiesForm, EnumerationsArePickedFromTheirNames)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        ASSERT_TRUE(dialog.SelectProperty("Alignment"));
        TValueEdit& field = *dialog.ValueEdit();
        EXPECT_EQ(field.Mode(), TValueEdit::TMode::DropDownList);
        EXPECT_EQ(field.Items(), QStringList({"taLeftJustify", "taRightJustify", "taCenter"}));
        EXPECT_EQ(field.Text(), "taLeftJustify");
        field.List()->setCurrentIndex(2);
        dialog.SetButtonClick();
    });
    EXPECT_TRUE(target.Label1->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(Stored(file, "TargetForm", "Label1.Alignment"),
              std::optional<std::string>("taCenter"));
}

TEST(EditPropertiesForm, AValueThatDoesNotConvertChangesNothing)
{
    struct TCase {
        const char* Property;
        const char* Text;
    };
    const TCase cases[] = {
        {"Width", "abc"},
        {"Color", "no such colour"},
        {"Font", "Arial, 10 point, style [fsHeavy]"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Property);
        UserPropertyFileScope file;
        TScriptedDialogsScope dialogs;
        TTargetForm target;
        const QColor colour = ComponentColor(*target.Edit1);
        const QFont font = target.Edit1->font();
        const int width = target.Edit1->width();
        QString lineBefore;
        WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
            ASSERT_TRUE(dialog.SelectComponent("Edit1"));
            ASSERT_TRUE(dialog.SelectProperty(c.Property));
            lineBefore = dialog.ValuesListBox()->currentItem()->text();
            dialog.ValueEdit()->SetText(c.Text);
            dialog.SetButtonClick();
            EXPECT_EQ(dialog.ValuesListBox()->currentItem()->text(), lineBefore);
        });
        ASSERT_EQ(dialogs->Asked.size(), 2u);
        EXPECT_EQ(dialogs->Asked[1].Kind, "Message");
        EXPECT_EQ(dialogs->Asked[1].Icon, QMessageBox::Critical);
        EXPECT_EQ(ComponentColor(*target.Edit1), colour);
        EXPECT_EQ(target.Edit1->font(), font);
        EXPECT_EQ(target.Edit1->width(), width);
        EXPECT_FALSE(QFile::exists(file.FileName()));
    }
    {
        UserPropertyFileScope file;
        TScriptedDialogsScope dialogs;
        TTargetForm target;
        WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
            ASSERT_TRUE(dialog.SelectComponent("Edit1"));
            ASSERT_TRUE(dialog.SelectProperty("Width"));
            dialog.ValueEdit()->SetText("abc");
            dialog.SetButtonClick();
        });
        ASSERT_EQ(dialogs->Asked.size(), 2u);
        EXPECT_EQ(dialogs->Asked[1].Text, "'abc' is not a valid integer value");
    }
}

TEST(EditPropertiesForm, ATypedColourNameChangesTheComponentAsItWillOnTheNextStart)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        ASSERT_TRUE(dialog.SelectProperty("Color"));
        dialog.ValueEdit()->SetText("clRed");
        dialog.SetButtonClick();
        EXPECT_EQ(dialog.ValueEdit()->FieldColor(), QColor(255, 0, 0));
    });
    EXPECT_EQ(ComponentColor(*target.Label1), QColor(255, 0, 0));
    EXPECT_EQ(ReadComponentProperty(*target.Label1, u"Color"), "clRed");
    EXPECT_EQ(Stored(file, "TargetForm", "Label1.Color"), std::optional<std::string>("clRed"));
}

TEST(EditPropertiesForm, EditingGlobalStringZeroChangesTheNextCaption)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TTargetForm target;
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit Properties of TargetForm");
        dialog.ValueEdit()->SetText("Change %s");
        dialog.SetButtonClick();
        EXPECT_EQ(Lines(*dialog.ValuesListBox()), QStringList{"Change %s"});
        // This opening keeps its caption.
        EXPECT_EQ(dialog.windowTitle(), "Edit Properties of TargetForm");
    });
    EXPECT_EQ(GlobalStrings(), QStringList{"Change %s"});
    EXPECT_EQ(Stored(file, "GlobalStrings", "0"), std::optional<std::string>("Change %s"));
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Change TargetForm");
    });
    ResetGlobalStrings();
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings(), QStringList{"Change %s"});
}

TEST(EditPropertiesForm, TheCaptionFormatTakesOnlyOnePlaceholder)
{
    EXPECT_EQ(EditPropertiesCaption("Edit Properties of %s", "SQLGridForm_1"),
              "Edit Properties of SQLGridForm_1");
    EXPECT_EQ(EditPropertiesCaption("%d %s %s %n %", "F"), "%d F %s %n %");
    EXPECT_EQ(EditPropertiesCaption("No placeholder", "F"), "No placeholder");
}

} // namespace
} // namespace quorvex
