#pragma once

#include "Commands.h"

#include <string_view>

namespace quorvex {

// "script ALIAS USER PASSWORD FILE...": SQL*Plus scripts run statement by statement, each
// failure reported as "FILE:LINE: message", then a count of what ran and what failed.
inline constexpr std::string_view kScriptOperands[] = {"ALIAS", "USER", "PASSWORD", "FILE..."};
inline constexpr TOptionSpec kScriptOptions[] = {
    {"", "--stop-on-error", "",
     "script: stop at the first failure, as WHENEVER\nSQLERROR EXIT at the start would"},
};
inline constexpr TCommandForm kScriptForms[] = {{nullptr, kScriptOperands, kScriptOptions}};
inline constexpr std::string_view kScriptSummary =
    "Log in to the database ALIAS as USER and run the SQL*Plus scripts\n"
    "FILE in order: statements end with \";\" or a \"/\" line, PL/SQL units\n"
    "with the \"/\" line; scripts they include (START and its short forms)\n"
    "are found from the including script's folder; WHENEVER SQLERROR EXIT\n"
    "and EXIT are kept, REM, PROMPT, SET and other display commands\n"
    "skipped. A failure is reported as FILE:LINE: message and the run\n"
    "goes on; a count of the statements run and failed ends it. Exit\n"
    "status 1 when one failed. Ctrl+C ends the run after the statement\n"
    "running, keeping the work done; a second Ctrl+C ends it at once.";

int RunScript(const TCommandContext& context);

} // namespace quorvex
