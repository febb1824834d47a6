// The desktop program: one main window, given alias, user name and password on the command
// line (all optional).
#include "forms/Dialogs.h"
#include "forms/EditPropertiesForm.h"
#include "forms/UserProperties.h"
#include "mainwindow/QuorvexMainForm.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr const char* kUsage =
    "Usage: quorvex [ALIAS [USER [PASSWORD]]]\n"
    "       quorvex --help | --version\n"
    "\n"
    "Opens the Quorvex main window. Given ALIAS, logs in to that database alias as\n"
    "USER with PASSWORD, asking for what is missing. The alias DEMO is the embedded\n"
    "demo database (users SCOTT/tiger and HR/hr), built in the user's data folder on\n"
    "first use; other aliases are kept in the aliases file.\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help and exit\n"
    "      --version  show the version and exit\n"
    "\n"
    "Exit status:\n"
    "  0  the window was closed, or help or version shown\n"
    "  1  the window could not be opened (a failed start-up or a cancelled login)\n"
    "\n"
    "Environment:\n"
    "  QUORVEX_ALIASES  the aliases file, instead of ~/.config/quorvex/aliases.ini\n";

// --help and --version are answered before any window or display is needed, so they work
// in a terminal without a desktop; every other argument goes to the main window.
bool AnswerInfoOption(int argc, char** argv, int& code)
{
    if (argc != 2)
        return false;
    if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        std::fputs(kUsage, stdout);
    } else if (std::strcmp(argv[1], "--version") == 0) {
        std::printf("quorvex %s\n", QUORVEX_VERSION);
    } else {
        return false;
    }
    code = std::fflush(stdout) == 0 ? 0 : 2;
    return true;
}

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
    if (int code = 0; AnswerInfoOption(argc, argv, code))
        return code;
    QApplication app(argc, argv);
    const int code = Run(app);
    // Every model object belongs to the window, which is gone by now.
    if (const auto message = quorvex::ObjectsNotFreedMessage())
        quorvex::Dialogs().ShowMessage(nullptr, QString::fromStdString(*message));
    return code;
}
