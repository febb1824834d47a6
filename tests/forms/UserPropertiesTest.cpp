// The base window and the user-defined property file: where the file lives, the creation steps
// that apply a window's section, what is written back, the global string list, unique window
// names, key preview and F2.
#include "FormsTestSupport.h"

#include <QApplication>
#include <QFileInfo>
#include <QStatusBar>

namespace quorvex::test {

TEST(UserProperties, FilesLiveBesideTheProgramWhenPossibleElseInTheConfigFolder)
{
    const TempDir dir;
    const QString folder = dir.Path().c_str();
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString contacts = DefaultContactsFileName(folder); // used beside only when it is there
    WriteFileBytes(dir.File("brevask.ini"), "[Contacts]\n");
    // A program whose folder is no folder (here a file) keeps its file in the config folder.
    const QString away = DefaultUserPropertyFileName(folder + "/brevask.ini/quorvex");
    EXPECT_TRUE(away.startsWith(config) && away.endsWith("/quorvex.UDP")) << away;
    EXPECT_TRUE(contacts.startsWith(config) && contacts.endsWith("/brevask.ini")) << contacts;
    EXPECT_EQ(DefaultContactsFileName(folder), folder + "/brevask.ini");
    EXPECT_EQ(DefaultUserPropertyFileName(folder + "/quorvex.bin"), folder + "/quorvex.UDP");
    // An installed program leaves /usr alone even when it could write there (as root).
    const QString installed = DefaultUserPropertyFileName("/usr/bin/quorvex");
    EXPECT_TRUE(installed.startsWith(config) && installed.endsWith("/quorvex.UDP")) << installed;
    // The program looks beside itself (this test writes nothing there).
    EXPECT_EQ(UserPropertyFileName(),
              DefaultUserPropertyFileName(QCoreApplication::applicationFilePath()));
}

TEST(UserProperties, CreationAppliesTheWindowsSectionOnceAfterTheWindowsOwnSteps)
{
    FormFilesScope file;
    file.Write("[Other]\r\nTestForm.Caption=not mine\r\n[TestForm]\r\nTestForm.Left=10\r\n"
               "label1.Caption=&Go\r\nLABEL1.Hint=Go|Starts it\r\ntestform.Caption=lower\r\n"
               "TestForm.Bogus=1\r\nNoDot=1\r\nMissing.Caption=x\r\nEdit1.Caption=no caption\r\n"
               "Edit1.WordWrap=True\r\n");
    TTestForm form("TestForm", Qt::Window | Qt::WindowStaysOnTopHint);
    form.Initialize();
    form.Initialize();
    // Taller by the status bar and no longer on top before the window's own creation handler.
    QStatusBar* bar = form.MainStatusBar();
    EXPECT_EQ(form.findChildren<QStatusBar*>(), QList<QStatusBar*>{bar});
    EXPECT_EQ(form.Seen + form.windowTitle() + "|" + QString::number(form.x()) + "|" +
                  form.Label1->text() + "|" + form.Label1->toolTip() + "|" + bar->objectName() +
                  QString::number(bar->isSizeGripEnabled()),
              QStringLiteral("status bar 1, height %1, on top 0;|10|&Go|Go|MainStatusBar0")
                  .arg(300 + bar->sizeHint().height()));
    // The window's own name matches only in its exact letter case; lines naming no component
    // stay, lines naming a property the component lacks are deleted.
    EXPECT_EQ(file.Read(), "[Other]\nTestForm.Caption=not mine\n\n[TestForm]\nTestForm.Left=10\n"
                           "label1.Caption=&Go\nLABEL1.Hint=Go|Starts it\ntestform.Caption=lower\n"
                           "NoDot=1\nMissing.Caption=x\n");
    // A value that does not convert stops the section and fails the creation; the second
    // window of a name reads the section of its own name.
    file.Write("[TestForm_1]\r\nTestForm_1.Caption=Applied\r\nTestForm_1.Width=wide\r\n"
               "TestForm_1.Top=7\r\n");
    TTestForm failed;
    const QString error = OrError([&] { return failed.Initialize(), QString(); });
    EXPECT_EQ(error + "|" + failed.windowTitle() + "|" + QString::number(failed.y()),
              "Error creating window TestForm_1: 'wide' is not a valid integer value|Applied|0");
}

TEST(UserProperties, WritingCreatesTheFileAndReplacesValuesThatWindowsThenApply)
{
    FormFilesScope file;
    TTestForm().Initialize();
    EXPECT_FALSE(QFileInfo::exists(file.File()));
    SetUserPropertyFileName(file.File("new folder/Quorvex.UDP"));
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
    file.Write("[GlobalStrings]\r\n0=Properties of %s\r\nx=no\r\n1=out of range\r\n-1=no\r\n");
    SetUserPropertyFileName(file.File());
    LoadGlobalStrings();
    EXPECT_EQ(GlobalStrings(), QStringList({"Properties of %s"}));
}

TEST(EditableForm, WindowNamesAreUniqueAmongExistingWindows)
{
    auto first = std::make_unique<TTestForm>("SQLGridForm");
    auto second = std::make_unique<TTestForm>("SQLGridForm");
    const TTestForm third("sqlgridform");
    // A freed number is used again; a hidden window still holds its name.
    second.reset();
    first->hide();
    const TTestForm fourth("SQLGridForm");
    QStringList names;
    for (const TEditableForm* form : TEditableForm::Forms())
        names << form->objectName();
    EXPECT_EQ(names.join(u' '), "SQLGridForm sqlgridform_2 SQLGridForm_1");
    first.reset();
    EXPECT_EQ(TEditableForm::UniqueFormName("SQLGridForm"), "SQLGridForm");
}

TEST(EditableForm, TheWindowSeesKeysOnceBeforeItsControlsAndF2AsksForTheDialog)
{
    FormFilesScope file;
    TTestForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    form.Edit1->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(form.Edit1, Qt::Key_A); // not previewed before creation
    form.Initialize();
    form.Seen.clear();
    std::vector<TEditableForm*> handled;
    TEditableForm::SetEditPropertiesHandler([&](TEditableForm& f) { handled.push_back(&f); });
    QTest::keyClick(form.Edit1, Qt::Key_B);
    QTest::keyClick(form.Edit1, Qt::Key_F2);
    QTest::keyClick(form.Edit1, Qt::Key_F2, Qt::ShiftModifier); // Shift is a key press too
    form.SwallowKeys = true;
    QTest::keyClick(form.Edit1, Qt::Key_C);
    QTest::keyClick(form.Edit1, Qt::Key_F2);
    TEditableForm::SetEditPropertiesHandler({});
    EXPECT_EQ(form.Seen + "|" + form.Edit1->text(), " a ab ab ab ab ab|ab");
    EXPECT_EQ(handled, std::vector<TEditableForm*>(2, &form));
    // A modal result closes the window.
    form.SetModalResult(mrOk);
    EXPECT_EQ(QString::number(form.ModalResult()) + QString::number(form.isVisible()), "10");
}

} // namespace quorvex::test
