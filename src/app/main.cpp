// The desktop program: one main window, given alias, user name and password on the command
// line (all optional).
#include "forms/Dialogs.h"
#include "forms/EditPropertiesForm.h"
#include "forms/UserProperties.h"
#include "mainwindow/QuorvexMainForm.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <QApplication>
#include <memory>

namespace {

void ShowError(const std::exception& error)
{
    quorvex::Dialogs().Message(nullptr, QMessageBox::Critical, QStringLiteral("Quorvex"),
                               QString::fromStdString(error.what()), QMessageBox::Ok,
                               QMessageBox::Ok);
}

int Run(QApplication& app)
{
    quorvex::TEditableForm::SetEditPropertiesHandler(quorvex::ShowEditProperties);
    try {
        quorvex::LoadGlobalStrings();
    } catch (const std::exception& error) {
        // A damaged property file costs the user's texts, not the program.
        ShowError(error);
    }
    std::unique_ptr<quorvex::TQuorvexMainForm> form;
    try {
        form = std::make_unique<quorvex::TQuorvexMainForm>(app.arguments().mid(1));
    } catch (const quorvex::EAbort&) {
        return 1;
    } catch (const std::exception& error) {
        ShowError(error);
        return 1;
    }
    if (form->TerminateRequested())
        return 0;
    form->show();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int code = Run(app);
    // Every model object belongs to the window, which is gone by now.
    if (const auto message = quorvex::ObjectsNotFreedMessage())
        quorvex::Dialogs().ShowMessage(nullptr, QString::fromStdString(*message));
    return code;
}
