// The base window: its creation steps, unique names, key preview, F2 and the status bar hint.
#include "FormsTestSupport.h"

#include <QApplication>
#include <QEnterEvent>
#include <QSignalSpy>
#include <QStatusBar>
#include <memory>

namespace quorvex::test {

TEST(EditableForm, CreationRunsItsStepsOnceInOrder)
{
    FormFilesScope file;
    file.Write("[TestForm]\r\nLabel1.Caption=From file\r\n");
    TTestForm form(QStringLiteral("TestForm"), Qt::Window | Qt::WindowStaysOnTopHint);
    form.Initialize();
    form.Initialize();
    QStatusBar* bar = form.MainStatusBar();
    ASSERT_EQ(form.findChildren<QStatusBar*>(), QList<QStatusBar*>{bar});
    EXPECT_EQ(bar->objectName() + QString::number(bar->isSizeGripEnabled()), "MainStatusBar0");
    // Taller by the status bar and no longer on top before the creation handler runs; the
    // stored values come after it.
    const int height = 300 + bar->sizeHint().height();
    EXPECT_EQ(form.StateAtCreate, QStringLiteral("status bar 1, height %1, on top 0").arg(height));
    EXPECT_EQ(form.height(), height);
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(form.Label1->text(), "From file");
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
    const TTestForm other("PickAliasForm");
    QStringList names;
    for (const TEditableForm* form : TEditableForm::Forms())
        names << form->objectName();
    EXPECT_EQ(names.join(u' '), "SQLGridForm sqlgridform_2 SQLGridForm_1 PickAliasForm");
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
    QSignalSpy spy(&form, &TEditableForm::editPropertiesRequested);
    std::vector<TEditableForm*> handled;
    TEditableForm::SetEditPropertiesHandler([&](TEditableForm& f) { handled.push_back(&f); });
    QTest::keyClick(form.Edit1, Qt::Key_B);
    EXPECT_EQ(form.EditTextAtKey, "a");
    QTest::keyClick(form.Edit1, Qt::Key_F2);
    QTest::keyClick(form.Edit1, Qt::Key_F2, Qt::ShiftModifier);
    form.SwallowKeys = true;
    QTest::keyClick(form.Edit1, Qt::Key_C);
    QTest::keyClick(form.Edit1, Qt::Key_F2);
    TEditableForm::SetEditPropertiesHandler({});
    // Shift is a key press of its own.
    EXPECT_EQ((QString::number(form.KeysSeen) + form.Edit1->text()).toStdString(), "6ab");
    EXPECT_EQ(handled, std::vector<TEditableForm*>(2, &form));
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.first().at(0).value<TEditableForm*>(), &form);
}

TEST(EditableForm, TheStatusBarShowsTheHintUnderThePointerAndAModalResultCloses)
{
    FormFilesScope file;
    TTestForm form;
    form.Initialize();
    form.Edit1->setStatusTip(QStringLiteral("Change the value of the selected item here."));
    QEnterEvent enter({1, 1}, {1, 1}, {1, 1});
    QApplication::sendEvent(form.Edit1, &enter);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), form.Edit1->statusTip());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.Edit1, &leave);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), "");
    form.show();
    form.SetModalResult(mrOk);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ModalResult(), mrOk);
}

} // namespace quorvex::test
