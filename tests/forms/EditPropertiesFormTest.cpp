// The Edit Component Properties dialog, opened by F2, driven through scripted dialogs.
#include "forms/EditPropertiesForm.h"

#include "FormsTestSupport.h"
#include "forms/ColorText.h"
#include "forms/ValueEdit.h"

#include <QListWidget>

namespace quorvex::test {

// Presses F2 in `target` and runs `body` inside the dialog it opens (once, although the
// dialog's own key filter arrives while the key is handled), which F2 inside does not open again.
void WithDialog(TEditableForm& target, TScriptedDialogsScope& dialogs,
                const std::function<void(TEditPropertiesForm&)>& body)
{
    const std::size_t asked = dialogs->Asked.size();
    dialogs->FormAnswers.push_back([&](TEditableForm& form) {
        EXPECT_EQ(form.parent(), &target);
        QTest::keyClick(&form, Qt::Key_F2);
        body(dynamic_cast<TEditPropertiesForm&>(form));
        return int(mrCancel);
    });
    TEditableForm::SetEditPropertiesHandler(ShowEditProperties);
    QTest::keyClick(&target, Qt::Key_F2);
    TEditableForm::SetEditPropertiesHandler({});
    EXPECT_EQ(dialogs->Asked.at(asked).Text + (dialogs->FormAnswers.empty() ? "" : " not shown"),
              "EditPropertiesForm");
    // Released when it closes.
    EXPECT_EQ(target.findChild<TEditPropertiesForm*>(), nullptr);
}

// The value field: its mode, text and the names it offers.
QString Field(const TValueEdit& field)
{
    static const char* const modes[] = {"Edit", "DropDownEdit", "DropDownList"};
    return QStringList{modes[int(field.Mode())], field.Text(), field.Items().join(u',')}.join(u'/');
}

TEST(EditPropertiesForm, ListsComponentsAndPropertiesAndSetsTheLinesReachedWithTheKeyboard)
{
    FormFilesScope files;
    files.Write("[GlobalStrings]\r\n0=Properties: %s\r\n");
    LoadGlobalStrings();
    TScriptedDialogsScope dialogs;
    TTestForm target;
    target.Initialize();
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        dialog.show();
        // Layouts and Qt's helper objects are no components.
        EXPECT_EQ(Lines(*dialog.ComponentsListBox()->model()).join(u' '),
                  "GlobalStrings TestForm Label1 Edit1 Timer1 MainStatusBar");
        EXPECT_EQ(Field(*dialog.ValueEdit()), "Edit/Properties: %s/");
        ASSERT_TRUE(dialog.SelectComponent("Label1"));
        EXPECT_EQ(Lines(*dialog.ValuesListBox()->model()).join(u'\n'),
                  "WordWrap=False\nWidth=130\nTop=20\nTabStop=False\nTabOrder=0\nLeft=10\n"
                  "Layout=tlCenter\nHint=\nHeight=40\nFont=Arial, 9 point, style []\n"
                  "Color=clBtnFace\nCaption=Owner\nBorderWidth=0\nBorderStyle=bsNone\n"
                  "BevelWidth=1\nBevelOuter=bvNone\nAlignment=taLeftJustify");
        EXPECT_EQ(Field(*dialog.ValueEdit()), "DropDownList/False/False,True");
        ASSERT_TRUE(dialog.SelectProperty("Width"));
        QTest::keyClick(dialog.ValuesListBox(), Qt::Key_Down);
        EXPECT_EQ(dialog.ValueEdit()->Text(), "20");
        dialog.ValueEdit()->SetText("33");
        dialog.SetButton()->click();
        QTest::keyClick(dialog.ComponentsListBox(), Qt::Key_Home);
        dialog.ValueEdit()->SetText("Change %s");
        dialog.SetButton()->click();
        EXPECT_EQ(Lines(*dialog.ValuesListBox()->model()), QStringList{"Change %s"});
        // This opening keeps its caption.
        EXPECT_EQ(dialog.windowTitle(), "Properties: TestForm");
        ASSERT_TRUE(dialog.SelectComponent("Timer1"));
        EXPECT_EQ(dialog.ValuesListBox()->count(), 0);
    });
    EXPECT_EQ(dialogs->Asked.size(), 1u);
    EXPECT_EQ(target.Label1->geometry(), QRect(10, 33, 130, 40));
    EXPECT_EQ(files.Read(), "[GlobalStrings]\n0=Change %s\n\n[TestForm]\nLabel1.Top=33\n");
    EXPECT_EQ(GlobalStrings(), QStringList{"Change %s"});
    WithDialog(target, dialogs, [&](TEditPropertiesForm& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Change TestForm");
    });
    EXPECT_EQ(EditPropertiesCaption("%d %s %s %n %", "F"), "%d F %s %n %");
    EXPECT_TRUE(IsEditableProperty("ShowPreviewGrid"));
    for (const char* name : {"Name", "Caption,Title", ""})
        EXPECT_FALSE(IsEditableProperty(name)) << name;
}

// Window | component | property | value typed ("dialog": chosen in the colour or font dialog),
// then: the value field before | the values line after Set | the property read back afterwards,
// or the message a value that does not convert is refused with.
TEST(EditPropertiesForm, SetChangesTheComponentAndWritesItIntoTheWindowsOwnSection)
{
    FormFilesScope files;
    TScriptedDialogsScope dialogs;
    std::map<QString, std::unique_ptr<TTestForm>> windows;
    for (const char* name : {"SQLGridForm", "SQLGridForm_1"})
        (windows[name] = std::make_unique<TTestForm>("SQLGridForm"))->Initialize();
    dialogs->ColorAnswers.push_back(QColor(0x12, 0x34, 0x56));
    dialogs->FontAnswers.push_back(QFont("Arial", 10, QFont::Bold));
    ExpectTable(
        4, R"(SQLGridForm_1 | SQLGridForm_1 | Caption | My Tool | Edit// | Caption=My Tool | My Tool
SQLGridForm_1 | Label1 | Caption | Owner 2 | Edit/Owner/ | Caption=Owner 2 | Owner 2
SQLGridForm | Edit1 | Width | 120 | Edit/100/ | Width=120 | 120
SQLGridForm | Label1 | Color | dialog | DropDownEdit/clBtnFace/ | Color=$00563412 | $00563412
SQLGridForm | Label1 | Font | dialog | DropDownEdit/Arial, 9 point, style []/ | Font=Arial, 10 point, style = [fsBold] | Arial, 10 point, style [fsBold]
SQLGridForm | Label1 | Alignment | taCenter | DropDownList/taLeftJustify/taLeftJustify,taRightJustify,taCenter | Alignment=taCenter | taCenter
SQLGridForm | Edit1 | Color | clRed | DropDownEdit/clWindow/ | Color=clRed | clRed
SQLGridForm | Edit1 | Width | abc | Edit/120/ | Width=120 | 'abc' is not a valid integer value
SQLGridForm | Edit1 | Color | no such colour | DropDownEdit/clRed/ | Color=clRed | 'no such colour' is not a valid integer value
SQLGridForm | Label1 | Font | Arial, 10 point, style [fsHeavy] | DropDownEdit/Arial, 10 point, style [fsBold]/ | Font=Arial, 10 point, style [fsBold] | Invalid property element: fsHeavy)",
        [&](const QStringList& in) {
            QStringList out;
            TTestForm& window = *windows[in[0]];
            QObject* component = in[1] == in[0] ? &window : window.findChild<QObject*>(in[1]);
            WithDialog(window, dialogs, [&](TEditPropertiesForm& dialog) {
                EXPECT_TRUE(dialog.SelectComponent(in[1]) && dialog.SelectProperty(in[2]));
                out << Field(*dialog.ValueEdit());
                const QString before = ReadComponentProperty(*component, in[2]);
                if (in[3] == "dialog")
                    dialog.ValueEdit()->DropDown();
                else
                    dialog.ValueEdit()->SetText(in[3]);
                // Choosing or typing alone changes nothing yet.
                EXPECT_EQ(ReadComponentProperty(*component, in[2]), before);
                dialog.SetButtonClick();
                out << dialog.ValuesListBox()->currentItem()->text();
                if (in[2] == "Color") {
                    EXPECT_EQ("Color=" + ColorToString(dialog.ValueEdit()->FieldColor()),
                              out.back());
                }
            });
            const auto& last = dialogs->Asked.back();
            return out << (last.Icon == QMessageBox::Critical
                               ? last.Text
                               : ReadComponentProperty(*component, in[2]));
        });
    EXPECT_EQ(files.Read(),
              "[SQLGridForm_1]\nSQLGridForm_1.Caption=My Tool\nLabel1.Caption=Owner 2\n\n"
              "[SQLGridForm]\nEdit1.Width=120\nLabel1.Color=$00563412\n"
              "Label1.Font=Arial, 10 point, style = [fsBold]\nLabel1.Alignment=taCenter\n"
              "Edit1.Color=clRed\n");
}

} // namespace quorvex::test
