// quorvex-screenshot: runs the desktop program's main window through one unattended scenario on
// the database given, saves a picture of the window and ends. Used by tools/screenshot-demo to
// make the README's pictures; not part of the installed program.
#include "ScreenshotRun.h"
#include "forms/EditPropertiesForm.h"
#include "forms/UserProperties.h"
#include "mainwindow/QuorvexMainForm.h"

#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList arguments = app.arguments().mid(1);
    if (arguments.size() < 2 || !quorvex::IsScreenshotScenario(arguments[0])) {
        std::fprintf(stderr, "usage: quorvex-screenshot main-window|comparison|diagram FILE.png "
                             "[alias [user [password]]]\n");
        return 2;
    }
    quorvex::TEditableForm::SetEditPropertiesHandler(quorvex::ShowEditProperties);
    quorvex::LoadGlobalStrings();
    auto form = std::make_unique<quorvex::TQuorvexMainForm>(arguments.mid(2));
    if (form->TerminateRequested())
        return 1;
    form->show();
    quorvex::TQuorvexMainForm* window = form.get();
    const QString scenario = arguments[0];
    const QString file = arguments[1];
    QTimer::singleShot(
        0, window, [window, scenario, file] { quorvex::RunScreenshot(*window, scenario, file); });
    return app.exec();
}
