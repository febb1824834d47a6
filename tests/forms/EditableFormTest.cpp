#include "forms/EditableForm.h"

#include "FormsTestSupport.h"
#include "ScriptedDialogs.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

namespace quorvex {
namespace {

using test::UserPropertyFileScope;

// Records what the window looked like when its creation handler ran.
class TProbeForm : public TEditableForm {
public:
    explicit TProbeForm(const QString& name = QStringLiteral("ProbeForm"),
                        Qt::WindowFlags flags = {})
        : TEditableForm(name, nullptr, flags)
    {
        resize(400, 300);
        Edit = new QLineEdit(this);
        Edit->setObjectName(QStringLiteral("Edit1"));
        setCentralWidget(Edit);
    }

    QLineEdit* Edit;
    bool HadStatusBar = false;
    int HeightAtCreate = 0;
    bool StayedOnTopAtCreate = true;
    QString EditTextAtKey = QStringLiteral("<none>");
    int KeysSeen = 0;
    bool SwallowKeys = false;
    bool PropertiesDialog = false;

    bool IsEditPropertiesDialog() const override { return PropertiesDialog; }

protected:
    void FormCreate() override
    {
        HadStatusBar = MainStatusBar() != nullptr && statusBar() == MainStatusBar();
        HeightAtCreate = height();
        StayedOnTopAtCreate = windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        setWindowTitle(QStringLiteral("From code"));
    }

    bool FormKeyDown(QKeyEvent*) override
    {
        ++KeysSeen;
        EditTextAtKey = Edit->text();
        return SwallowKeys;
    }
};

// Shows the window and gives the edit field the focus, so key presses start there.
void Focus(TProbeForm& form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    form.Edit->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    ASSERT_EQ(QApplication::focusWidget(), form.Edit);
}

TEST(EditableForm, CreationRunsItsStepsInOrder)
{
    UserPropertyFileScope file;
    file.Write("[ProbeForm]\r\nProbeForm.Caption=From file\r\n");
    TProbeForm form(QStringLiteral("ProbeForm"), Qt::Window | Qt::WindowStaysOnTopHint);
    form.Initialize();

    QStatusBar* bar = form.MainStatusBar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->objectName(), "MainStatusBar");
    EXPECT_EQ(bar->parent(), &form);
    EXPECT_FALSE(bar->isSizeGripEnabled());
    EXPECT_TRUE(form.HadStatusBar);
    // Taller by the status bar before the creation handler runs.
    EXPECT_EQ(form.HeightAtCreate, 300 + bar->sizeHint().height());
    EXPECT_EQ(form.height(), 300 + bar->sizeHint().height());
    EXPECT_FALSE(form.StayedOnTopAtCreate);
    EXPECT_FALSE(form.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    // The stored values come last, after the window's own handler.
    EXPECT_EQ(form.windowTitle(), "From file");
    EXPECT_TRUE(form.IsInitialized());
}

TEST(EditableForm, InitializeRunsOnce)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.Initialize();
    const int height = form.height();
    form.Initialize();
    EXPECT_EQ(form.height(), height);
    EXPECT_EQ(form.findChildren<QStatusBar*>().size(), 1);
}

TEST(EditableForm, WindowNamesAreUniqueAmongExistingWindows)
{
    auto first = std::make_unique<TProbeForm>("SQLGridForm");
    auto second = std::make_unique<TProbeForm>("SQLGridForm");
    auto third = std::make_unique<TProbeForm>("sqlgridform");
    EXPECT_EQ(first->objectName(), "SQLGridForm");
    EXPECT_EQ(second->objectName(), "SQLGridForm_1");
    EXPECT_EQ(third->objectName(), "sqlgridform_2");
    // A freed number is used again; a hidden window still holds its name.
    second.reset();
    first->hide();
    auto fourth = std::make_unique<TProbeForm>("SQLGridForm");
    EXPECT_EQ(fourth->objectName(), "SQLGridForm_1");
    auto other = std::make_unique<TProbeForm>("PickAliasForm");
    EXPECT_EQ(other->objectName(), "PickAliasForm");
    EXPECT_EQ(TEditableForm::Forms().size(), 4u);
    first.reset();
    EXPECT_EQ(TEditableForm::UniqueFormName("SQLGridForm"), "SQLGridForm");
}

TEST(EditableForm, F2AnywhereInTheWindowAsksForTheEditPropertiesDialog)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.Initialize();
    QSignalSpy spy(&form, &TEditableForm::editPropertiesRequested);
    int handled = 0;
    TEditableForm::SetEditPropertiesHandler([&](TEditableForm& target) {
        EXPECT_EQ(&target, &form);
        ++handled;
    });
    Focus(form);
    QTest::keyClick(form.Edit, Qt::Key_F2);
    QTest::keyClick(form.Edit, Qt::Key_F2, Qt::ShiftModifier);
    TEditableForm::SetEditPropertiesHandler({});
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(handled, 2);
    ASSERT_FALSE(spy.isEmpty());
    EXPECT_EQ(spy.first().at(0).value<TEditableForm*>(), &form);
}

TEST(EditableForm, F2DoesNothingInTheEditPropertiesDialog)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.PropertiesDialog = true;
    form.Initialize();
    QSignalSpy spy(&form, &TEditableForm::editPropertiesRequested);
    Focus(form);
    QTest::keyClick(form.Edit, Qt::Key_F2);
    EXPECT_EQ(spy.count(), 0);
}

TEST(EditableForm, TheWindowSeesKeysOnceBeforeItsControls)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.Initialize();
    Focus(form);
    QTest::keyClick(form.Edit, Qt::Key_A);
    EXPECT_EQ(form.KeysSeen, 1);
    EXPECT_EQ(form.EditTextAtKey, "");
    EXPECT_EQ(form.Edit->text(), "a");

    form.SwallowKeys = true;
    QTest::keyClick(form.Edit, Qt::Key_B);
    EXPECT_EQ(form.KeysSeen, 2);
    EXPECT_EQ(form.Edit->text(), "a");
}

TEST(EditableForm, KeysAreNotPreviewedBeforeCreation)
{
    TProbeForm form;
    Focus(form);
    QTest::keyClick(form.Edit, Qt::Key_A);
    EXPECT_EQ(form.KeysSeen, 0);
    EXPECT_EQ(form.Edit->text(), "a");
}

TEST(EditableForm, TheStatusBarShowsTheHintOfTheControlUnderThePointer)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.Initialize();
    form.Edit->setStatusTip(QStringLiteral("Change the value of the selected item here."));
    const QPointF point(1, 1);
    QEnterEvent enter(point, point, point);
    QApplication::sendEvent(form.Edit, &enter);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(),
              "Change the value of the selected item here.");
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.Edit, &leave);
    EXPECT_EQ(form.MainStatusBar()->currentMessage(), "");
}

TEST(EditableForm, ModalWindowsRunThroughTheInstalledDialogs)
{
    UserPropertyFileScope file;
    TScriptedDialogsScope dialogs;
    TProbeForm form(QStringLiteral("PickAliasForm"));
    form.Initialize();
    dialogs->FormAnswers.push_back([](TEditableForm& shown) {
        EXPECT_EQ(shown.objectName(), "PickAliasForm");
        return int(mrOk);
    });
    EXPECT_EQ(form.ShowModal(), mrOk);
    EXPECT_EQ(form.ShowModal(), mrCancel); // nothing scripted: cancelled
    ASSERT_EQ(dialogs->Asked.size(), 2u);
    EXPECT_EQ(dialogs->Asked[0].Kind, "Form");
    EXPECT_EQ(dialogs->Asked[0].Text, "PickAliasForm");
}

TEST(EditableForm, AModalResultClosesTheWindow)
{
    UserPropertyFileScope file;
    TProbeForm form;
    form.Initialize();
    form.show();
    form.SetModalResult(mrOk);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.ModalResult(), mrOk);
}

} // namespace
} // namespace quorvex
