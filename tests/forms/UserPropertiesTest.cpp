#include "forms/UserProperties.h"

#include "FormsTestSupport.h"
#include "forms/ComponentProperties.h"
#include "forms/EditableForm.h"
#include "persistence/IniFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex {
namespace {

using test::UserPropertyFileScope;

// A window laid out like a small dialog: a button, a label and an edit field.
class TTestForm : public TEditableForm {
public:
    explicit TTestForm(const QString& name = QStringLiteral("TestForm"))
        : TEditableForm(name)
    {
        resize(300, 200);
        auto* central = new QWidget(this);
        setCentralWidget(central);
        OkButton = new QPushButton(QStringLiteral("OK"), central);
        OkButton->setObjectName(QStringLiteral("OkButton"));
        Label1 = new QLabel(central);
        Label1->setObjectName(QStringLiteral("Label1"));
        Edit1 = new QLineEdit(central);
        Edit1->setObjectName(QStringLiteral("Edit1"));
    }

    QPushButton* OkButton;
    QLabel* Label1;
    QLineEdit* Edit1;
};

std::vector<TIniFile::TEntry> Section(const UserPropertyFileScope& file, const char* section)
{
    return TIniFile(file.Path()).Entries(section);
}

TEST(UserProperties, TheDefaultFileIsTheExecutablesPathWithUdp)
{
    const QFileInfo executable(QCoreApplication::applicationFilePath());
    const QString fileName = DefaultUserPropertyFileName();
    EXPECT_EQ(QFileInfo(fileName).fileName(), executable.completeBaseName() + ".UDP");
    // The test folder is writable, so the file sits beside the executable.
    EXPECT_EQ(QFileInfo(fileName).absolutePath(), executable.absolutePath());
    SetUserPropertyFileName("/somewhere/else.UDP");
    EXPECT_EQ(UserPropertyFileName(), "/somewhere/else.UDP");
    SetUserPropertyFileName({});
    EXPECT_EQ(UserPropertyFileName(), fileName);
}

TEST(UserProperties, ASectionLineSetsThePropertyAtCreation)
{
    UserPropertyFileScope file;
    file.Write("[TestForm]\r\nTestForm.Caption=My Schema Tool\r\n");
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.windowTitle(), "My Schema Tool");
}

TEST(UserProperties, AppliesValuesToTheWindowAndItsComponents)
{
    UserPropertyFileScope file;
    file.Write("[Other]\r\nTestForm.Caption=not mine\r\n"
               "[TestForm]\r\n"
               "TestForm.Left=10\r\n"
               "TestForm.Width=500\r\n"
               "okbutton.Caption=&Go\r\n"
               "OKBUTTON.Hint=Go|Starts it\r\n"
               "Label1.Color=$00FF0000\r\n"
               "Label1.Font=Arial, 10 point, style [fsBold]\r\n"
               "Edit1.Color=clRed\r\n"
               "MainStatusBar.SizeGrip=True\r\n");
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.windowTitle(), "");
    EXPECT_EQ(form.x(), 10);
    EXPECT_EQ(form.width(), 500);
    EXPECT_EQ(form.OkButton->text(), "&Go");
    EXPECT_EQ(form.OkButton->toolTip(), "Go");
    EXPECT_EQ(form.OkButton->statusTip(), "Starts it");
    EXPECT_EQ(ComponentColor(*form.Label1), QColor(0, 0, 255));
    EXPECT_EQ(ReadComponentProperty(*form.Label1, u"Font"), "Arial, 10 point, style [fsBold]");
    EXPECT_EQ(ReadComponentProperty(*form.Edit1, u"Color"), "clRed");
    EXPECT_TRUE(form.MainStatusBar()->isSizeGripEnabled());
}

TEST(UserProperties, TheWindowsOwnNameMatchesOnlyInItsExactLetterCase)
{
    UserPropertyFileScope file;
    file.Write("[TestForm]\r\ntestform.Caption=lower\r\n");
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.windowTitle(), "");
    // Naming no component, the line is skipped and kept.
    EXPECT_EQ(Section(file, "TestForm").size(), 1u);
}

TEST(UserProperties, LinesForMissingPropertiesLeaveTheFileOthersStay)
{
    UserPropertyFileScope file;
    file.Write("[TestForm]\r\n"
               "TestForm.Bogus=1\r\n"
               "NoDot=1\r\n"
               "Missing.Caption=x\r\n"
               "Edit1.Caption=an edit field has no caption\r\n"
               "Edit1.WordWrap=True\r\n"
               "OkButton.Caption=Go\r\n");
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.OkButton->text(), "Go");
    const auto entries = Section(file, "TestForm");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], TIniFile::TEntry("NoDot", "1"));
    EXPECT_EQ(entries[1], TIniFile::TEntry("Missing.Caption", "x"));
    EXPECT_EQ(entries[2], TIniFile::TEntry("OkButton.Caption", "Go"));
}

TEST(UserProperties, AValueThatDoesNotConvertStopsTheSectionAndFailsTheCreation)
{
    UserPropertyFileScope file;
    file.Write("[TestForm]\r\n"
               "TestForm.Caption=Applied\r\n"
               "TestForm.Width=wide\r\n"
               "TestForm.Height=321\r\n");
    TTestForm form;
    try {
        form.Initialize();
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(),
                     "Error creating window TestForm: 'wide' is not a valid integer value");
    }
    EXPECT_EQ(form.windowTitle(), "Applied");
    EXPECT_NE(form.height(), 321);
}

TEST(UserProperties, AMissingFileAppliesNothingAndIsNotCreated)
{
    UserPropertyFileScope file;
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.windowTitle(), "");
    EXPECT_FALSE(std::filesystem::exists(file.Path()));
}

TEST(UserProperties, WriteUserPropertyCreatesReplacesAndRoundTrips)
{
    UserPropertyFileScope file;
    WriteUserProperty("TestForm", "TestForm.Caption", "First");
    WriteUserProperty("TestForm", "Label1.Color", "$00FF0000");
    WriteUserProperty("TestForm", "Label1.Font", "Arial, 10 point, style = [fsBold]");
    WriteUserProperty("TestForm", "TestForm.Caption", "Second");
    WriteUserProperty("TestForm", "Edit1.Color", "clYellow");
    WriteUserProperty("TestForm", "TestForm.Top", "33");
    const auto entries = Section(file, "TestForm");
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[0], TIniFile::TEntry("TestForm.Caption", "Second"));

    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.windowTitle(), "Second");
    EXPECT_EQ(form.y(), 33);
    EXPECT_EQ(ComponentColor(*form.Label1), QColor(0, 0, 255));
    EXPECT_EQ(ComponentColor(*form.Edit1), QColor(255, 255, 0));
    EXPECT_EQ(form.Label1->font().family(), "Arial");
    EXPECT_EQ(form.Label1->font().pointSize(), 10);
    EXPECT_TRUE(form.Label1->font().bold());
}

TEST(UserProperties, TheSecondWindowOfANameReadsItsOwnSection)
{
    UserPropertyFileScope file;
    file.Write("[SQLGridForm]\r\nSQLGridForm.Caption=first\r\n"
               "[SQLGridForm_1]\r\nSQLGridForm_1.Caption=second\r\n");
    TTestForm first("SQLGridForm");
    first.Initialize();
    TTestForm second("SQLGridForm");
    second.Initialize();
    EXPECT_EQ(second.objectName(), "SQLGridForm_1");
    EXPECT_EQ(first.windowTitle(), "first");
    EXPECT_EQ(second.windowTitle(), "second");
}

TEST(GlobalStrings, StartWithTheBuiltInEntry)
{
    UserPropertyFileScope file;
    EXPECT_EQ(GlobalStrings(), QStringList({"Edit Properties of %s"}));
    LoadGlobalStrings(); // no file: unchanged
    EXPECT_EQ(GlobalStrings(), QStringList({"Edit Properties of %s"}));
}

TEST(GlobalStrings, LoadReplacesEntriesByIndex)
{
    UserPropertyFileScope file;
    file.Write("[GlobalStrings]\r\n0=Properties of %s\r\nx=skipped\r\n5=out of range\r\n");
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings(), QStringList({"Properties of %s"}));
}

TEST(GlobalStrings, WrittenEntriesLoadBack)
{
    UserPropertyFileScope file;
    WriteUserProperty("GlobalStrings", "0", "Edit %s");
    ResetGlobalStrings();
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings().at(0), "Edit %s");
}

} // namespace
} // namespace quorvex
