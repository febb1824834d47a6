#pragma once

#include "ReportClock.h"

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The tool's exit statuses, which scripts test.
namespace ExitCodes {
inline constexpr int Success = 0; // for compare: the models are the same
inline constexpr int Changes = 1; // compare: a line is to be removed or added
inline constexpr int Error = 2;   // wrong arguments, a failed read or write, a failed login
} // namespace ExitCodes

struct TCliEnvironment {
    TClock Now = SystemLocalTime;
    // Whether messages go to a terminal: reading progress is then one line rewritten in
    // place, else one plain line per step.
    bool ErrIsTerminal = false;
};

// The project version, four numbers.
std::string_view CliVersion() noexcept;

// The help --help prints: synopsis, commands, options and exit statuses.
std::string UsageText();

// Runs the tool on the arguments that follow the program name. Reports and help go to `out`
// (or to the file named by -o), progress and messages to `err`; on failure nothing is written
// to `out`. Commands that read a database need a QCoreApplication, diagram a QGuiApplication.
// Returns the exit status.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
           const TCliEnvironment& environment = {});

} // namespace quorvex
