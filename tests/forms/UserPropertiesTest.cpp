// The user-defined property file: where it lives, how a window applies its section, what is
// written back, and the global string list.
#include "FormsTestSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStatusBar>

namespace quorvex::test {

TEST(UserProperties, FilesLiveBesideTheProgramWhenPossibleElseInTheConfigFolder)
{
    const TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    EXPECT_EQ(DefaultUserPropertyFileName(folder + "/quorvex.bin"), folder + "/quorvex.UDP");
    const QString away = DefaultUserPropertyFileName("/no/such/folder/quorvex");
    EXPECT_TRUE(away.startsWith(config) && away.endsWith("/quorvex.UDP")) << away.toStdString();
    // The contacts file is used beside the program only when it is there.
    const QString contacts = DefaultContactsFileName(folder);
    EXPECT_TRUE(contacts.startsWith(config) && contacts.endsWith("/brevask.ini"));
    WriteFileBytes(dir.File("brevask.ini"), "[Contacts]\n");
    EXPECT_EQ(DefaultContactsFileName(folder), folder + "/brevask.ini");
    // The program looks in its own folder (this test writes nothing there).
    EXPECT_EQ(UserPropertyFileName(),
              DefaultUserPropertyFileName(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(ContactsFileName(), DefaultContactsFileName(QCoreApplication::applicationDirPath()));
}

TEST(UserProperties, TheWindowsSectionIsAppliedAndLinesForMissingPropertiesLeaveTheFile)
{
    FormFilesScope file;
    file.Write("[Other]\r\nTestForm.Caption=not mine\r\n[TestForm]\r\nTestForm.Left=10\r\n"
               "TestForm.Width=500\r\nlabel1.Caption=&Go\r\nLABEL1.Hint=Go|Starts it\r\n"
               "Label1.Color=$00FF0000\r\nLabel1.Font=Arial, 10 point, style [fsBold]\r\n"
               "Edit1.Color=clRed\r\nMainStatusBar.SizeGrip=True\r\ntestform.Caption=lower\r\n"
               "TestForm.Bogus=1\r\nNoDot=1\r\nMissing.Caption=x\r\nEdit1.Caption=no caption\r\n"
               "Edit1.WordWrap=True\r\n");
    TTestForm form;
    form.Initialize();
    const QStringList state{form.windowTitle(),
                            QString::number(form.x()),
                            QString::number(form.width()),
                            form.Label1->text(),
                            form.Label1->toolTip(),
                            form.Label1->statusTip(),
                            form.Label1->palette().color(QPalette::Window).name(),
                            form.Label1->font().toString().section(u',', 0, 1),
                            QString::number(form.Label1->font().bold()),
                            form.Edit1->palette().color(QPalette::Base).name(),
                            QString::number(form.MainStatusBar()->isSizeGripEnabled())};
    EXPECT_EQ(state.join(u'|'), "|10|500|&Go|Go|Starts it|#0000ff|Arial,10|1|#ff0000|1");
    // The window's own name matches only in its exact letter case; lines naming no component
    // stay, lines naming a property the component lacks are deleted.
    EXPECT_EQ(file.Read(),
              "[Other]\nTestForm.Caption=not mine\n\n[TestForm]\nTestForm.Left=10\n"
              "TestForm.Width=500\nlabel1.Caption=&Go\nLABEL1.Hint=Go|Starts it\n"
              "Label1.Color=$00FF0000\nLabel1.Font=Arial, 10 point, style [fsBold]\n"
              "Edit1.Color=clRed\nMainStatusBar.SizeGrip=True\ntestform.Caption=lower\nNoDot=1\n"
              "Missing.Caption=x\n");
}

TEST(UserProperties, AValueThatDoesNotConvertStopsTheSectionAndFailsTheCreation)
{
    FormFilesScope file;
    file.Write("[TestForm]\r\nTestForm.Caption=Applied\r\nTestForm.Width=wide\r\n"
               "TestForm.Height=321\r\n");
    TTestForm form;
    EXPECT_EQ(OrError([&] { return form.Initialize(), QString(); }),
              "Error creating window TestForm: 'wide' is not a valid integer value");
    EXPECT_EQ(form.windowTitle(), "Applied");
    EXPECT_NE(form.height(), 321);
}

TEST(UserProperties, WritingCreatesTheFileAndReplacesValuesThatWindowsThenApply)
{
    FormFilesScope file;
    {
        TTestForm form;
        form.Initialize();
        EXPECT_EQ(form.Label1->text(), "Owner");
    }
    EXPECT_FALSE(QFileInfo::exists(file.FileName()));
    SetUserPropertyFileName(file.FileName("new folder/Quorvex.UDP"));
    WriteUserProperty("TestForm", "Label1.Caption", "First");
    WriteUserProperty("TestForm", "TestForm.Caption", "Title");
    WriteUserProperty("TestForm", "Label1.Caption", "Second");
    WriteUserProperty("GlobalStrings", "0", "Edit %s");
    EXPECT_EQ(ReadFileBytes(UserPropertyFileName().toStdString()),
              "[TestForm]\nLabel1.Caption=Second\nTestForm.Caption=Title\n\n"
              "[GlobalStrings]\n0=Edit %s\n");
    TTestForm form;
    form.Initialize();
    EXPECT_EQ(form.Label1->text() + '|' + form.windowTitle(), "Second|Title");
    EXPECT_EQ(GlobalStrings(), QStringList({"Edit Properties of %s"}));
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings(), QStringList({"Edit %s"}));
}

TEST(GlobalStrings, LoadReplacesEntriesByIndexAndSkipsOtherKeys)
{
    FormFilesScope file;
    LoadGlobalStrings(); // no file: unchanged
    EXPECT_EQ(GlobalStrings(), QStringList({"Edit Properties of %s"}));
    file.Write("[GlobalStrings]\r\n0=Properties of %s\r\nx=skipped\r\n1=out of range\r\n"
               "-1=out of range\r\n");
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings(), QStringList({"Properties of %s"}));
}

} // namespace quorvex::test
