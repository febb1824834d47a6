#include "Cli.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <clocale>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

QtMessageHandler g_qtMessages = nullptr;

// Passes on only Qt's errors: without a desktop session Qt Gui warns at start that
// XDG_RUNTIME_DIR is not set, noise on the standard error that scripts read.
void ErrorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        g_qtMessages(type, context, message);
}

// Diagrams measure and draw text, which needs Qt Gui; they need no display, so they run on the
// offscreen platform unless the user chose another.
std::unique_ptr<QCoreApplication> GuiApplication(int& argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_qtMessages = qInstallMessageHandler(ErrorsOnly);
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    qInstallMessageHandler(g_qtMessages);
    return app;
}

} // namespace

int main(int argc, char** argv)
{
    // Taken before Qt Gui removes the arguments it knows: the tool sees what was typed.
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Qt loads its SQL drivers only with an application object.
    const std::unique_ptr<QCoreApplication> app =
        argc > 1 && std::string_view(argv[1]) == "diagram"
            ? GuiApplication(argc, argv)
            : std::make_unique<QCoreApplication>(argc, argv);
    // The comparison report shows the date and time in the user's locale formats.
    std::setlocale(LC_ALL, "");
    quorvex::TCliEnvironment environment;
    environment.ErrIsTerminal = isatty(STDERR_FILENO) != 0;
    return quorvex::RunCli(args, std::cout, std::cerr, environment);
}
