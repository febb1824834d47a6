// The base window and the user-defined property file: where the file lives, the creation steps
// that apply a window's section, what is written back, the global string list, unique window
// names, key preview, F2 and the status bar hint.
#include "FormsTestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFileInfo>
#include <QSignalSpy>
#include <QStatusBar>

namespace quorvex::test {

TEST(UserProperties, FilesLiveBesideTheProgramWhenPossibleElseInTheConfigFolder)
{
    const TempDir dir;
    const QString folder = QString::fromStdString(dir.Path().string());
    const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString away = DefaultUserPropertyFileName("/no/such/folder/quorvex");
    const QString contacts = DefaultContactsFileName(folder); // used beside only when it is there
    EXPECT_TRUE(away.startsWith(config) && away.endsWith("/quorvex.UDP")) << away.toStdString();
    EXPECT_TRUE(contacts.startsWith(config) && contacts.endsWith("/brevask.ini"));
    WriteFileBytes(dir.File("brevask.ini"), "[Contacts]\n");
    EXPECT_EQ(DefaultContactsFileName(folder), folder + "/brevask.ini");
    EXPECT_EQ(DefaultUserPropertyFileName(folder + "/quorvex.bin"), folder + "/quorvex.UDP");
    // The program looks in its own folder (this test writes nothing there).
    EXPECT_EQ(UserPropertyFileName(),
              DefaultUserPropertyFileName(QCoreApplication::applicationFilePath()));
    EXPECT_EQ(ContactsFileName(), DefaultContactsFileName(QCoreApplication::applicationDirPath()));
}

TEST(UserProperties, CreationAppliesTheWindowsSectionOnceAfterTheWindowsOwnSteps)
{
    FormFilesScope file;
    file.Write("[Other]\r\nTestForm.Caption=not mine\r\n[TestForm]\r\nTestForm.Left=10\r\n"
               "TestForm.Width=500\r\nlabel1.Caption=&Go\r\nLABEL1.Hint=Go|Starts it\r\n"
               "Label1.Color=$00FF0000\r\nLabel1.Font=Arial, 10 point, style [fsBold]\r\n"
               "Edit1.Color=clRed\r\ntestform.Caption=lower\r\n"
               "TestForm.Bogus=1\r\nNoDot=1\r\nMissing.Caption=x\r\nEdit1.Caption=no caption\r\n"
               "Edit1.WordWrap=True\r\n");
    TTestForm form("TestForm", Qt::Window | Qt::WindowStaysOnTopHint);
    form.Initialize();
    form.Initialize();
    // Taller by the status bar and no longer on top before the window's own creation handler.
    const int height = 300 + form.MainStatusBar()->sizeHint().height();
    EXPECT_EQ(form.Seen, QStringLiteral("status bar 1, height %1, on top 0;").arg(height));
    EXPECT_EQ(form.findChildren<QStatusBar*>(), QList<QStatusBar*>{form.MainStatusBar()});
    EXPECT_EQ(QStringList({form.windowTitle(), QString::number(form.x()),
                           QString::number(form.width()), QString::number(form.height()),
                           QString::number(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint)),
                           form.Label1->text(), form.Label1->toolTip(), form.Label1->statusTip(),
                           form.Label1->palette().color(QPalette::Window).name(),
                           form.Label1->font().toString().section(u',', 0, 1),
                           QString::number(form.Label1->font().bold()),
                           form.Edit1->palette().color(QPalette::Base).name(),
                           form.MainStatusBar()->objectName() +
                               QString::number(form.MainStatusBar()->isSizeGripEnabled())})
                  .join(u'|'),
              QStringLiteral("|10|500|%1|0|&Go|Go|Starts it|#0000ff|Arial,10|1|#ff0000|"
                             "MainStatusBar0")
                  .arg(height));
    // The window's own name matches only in its exact letter case; lines naming no component
    // stay, lines naming a property the component lacks are deleted.
    EXPECT_EQ(file.Read(), "[Other]\nTestForm.Caption=not mine\n\n[TestForm]\nTestForm.Left=10\n"
                           "TestForm.Width=500\nlabel1.Caption=&Go\nLABEL1.Hint=Go|Starts it\n"
                           "Label1.Color=$00FF0000\nLabel1.Font=Arial, 10 point, style [fsBold]\n"
                           "Edit1.Color=clRed\ntestform.Caption=lower\nNoDot=1\n"
                           "Missing.Caption=x\n");
}

TEST(UserProperties, AValueThatDoesNotConvertStopsTheSectionAndFailsTheCreation)
{
    FormFilesScope file;
    file.Write("[TestForm]\r\nTestForm.Caption=Applied\r\nTestForm.Width=wide\r\n"
               "TestForm.Height=321\r\n");
    TTestForm form;
    const QString error = OrError([&] { return form.Initialize(), QString(); });
    EXPECT_EQ(error + "|" + form.windowTitle() + "|" + QString::number(form.height() == 321),
              "Error creating window TestForm: 'wide' is not a valid integer value|Applied|0");
}

TEST(UserProperties, WritingCreatesTheFileAndReplacesValuesThatWindowsThenApply)
{
    FormFilesScope file;
    TTestForm().Initialize();
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
    file.Write("[GlobalStrings]\r\n0=Properties of %s\r\nx=no\r\n1=out of range\r\n-1=no\r\n");
    SetUserPropertyFileName(file.FileName());
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
    QSignalSpy spy(&form, &TEditableForm::editPropertiesRequested);
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
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.first().at(0).value<TEditableForm*>(), &form);
}

TEST(EditableForm, TheStatusBarShowsTheHintUnderThePointerAndAModalResultCloses)
{
    FormFilesScope file;
    TTestForm form;
    form.Initialize();
    form.Edit1->setStatusTip("Change the value of the selected item here.");
    QEnterEvent enter({1, 1}, {1, 1}, {1, 1});
    QApplication::sendEvent(form.Edit1, &enter);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), form.Edit1->statusTip());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.Edit1, &leave);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), "");
    form.show();
    form.SetModalResult(mrOk);
    EXPECT_EQ(QString::number(form.ModalResult()) + QString::number(form.isVisible()), "10");
}

} // namespace quorvex::test
