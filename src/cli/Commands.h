#pragma once

#include "CommandLine.h"
#include "ReportClock.h"

#include <iosfwd>
#include <span>
#include <string_view>

namespace quorvex {

// What a command works with: its parsed arguments, the output streams and the clock.
struct TCommandContext {
    const TArguments& Args;
    std::ostream& Out;
    std::ostream& Err;
    const TClock& Now;
    bool ErrIsTerminal = false; // progress is then one line rewritten in place
};

// One way of calling a command: the operands it takes and the options that go with them. The
// form whose selector flag is given is chosen; without one, the form that has no selector.
struct TCommandForm {
    const TOptionSpec* Selector = nullptr;
    // The names usage shows, each one required; a last name ending in "..." takes one or more.
    std::span<const std::string_view> Operands;
    std::span<const TOptionSpec> Options;
};

// One entry of the command table. The caller checks the operand count and the options against
// the chosen form before Run; Run returns the exit status and reports failures by throwing
// quorvex::Exception.
struct TCommand {
    std::string_view Name;
    std::span<const TCommandForm> Forms;
    std::string_view Summary; // the help's description, lines without their indent
    int (*Run)(const TCommandContext& context);
};

// -o of compare and of diagram: the help lists an option once.
inline constexpr TOptionSpec kOutputOption = {"-o", "--output", "FILE",
                                              "compare: write the report to FILE, not to standard\n"
                                              "output; diagram: draw the diagram into FILE, a\n"
                                              ".bmp, .png, .svg or .pdf file; FILE is replaced\n"
                                              "only once it is wholly written"};

// --format of compare and of sql: the help lists an option once.
inline constexpr TOptionSpec kFormatOption = {"", "--format", "FORMAT",
                                              "compare: text (the default) or json; sql: text\n"
                                              "(the default, fields separated by tabs), csv\n"
                                              "(RFC 4180) or json"};

// --all of compare and of diagram.
inline constexpr TOptionSpec kAllOption = {"", "--all", "",
                                           "compare --format json: list unchanged objects\n"
                                           "too; diagram: a box for every table of the\n"
                                           "model in model order, then References on each"};

// The value of --format, checked against the formats the command knows; the first of them is
// the default. EUsage for any other.
std::string_view ChosenFormat(const TCommandContext& context, std::string_view command,
                              std::span<const std::string_view> formats);

std::span<const TCommand> Commands();
const TCommand* FindCommand(std::string_view name);

} // namespace quorvex
