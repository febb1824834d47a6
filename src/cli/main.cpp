#include "Cli.h"

#include <QCoreApplication>
#include <clocale>
#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    // Qt loads its SQL drivers only with an application object.
    QCoreApplication app(argc, argv);
    // The comparison report shows the date and time in the user's locale formats.
    std::setlocale(LC_ALL, "");
    const std::vector<std::string> args(argv + 1, argv + argc);
    quorvex::TCliEnvironment environment;
    environment.ErrIsTerminal = isatty(STDERR_FILENO) != 0;
    return quorvex::RunCli(args, std::cout, std::cerr, environment);
}
