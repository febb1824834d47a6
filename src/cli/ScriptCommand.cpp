#include "ScriptCommand.h"

#include "Cli.h"
#include "LiveDatabase.h"
#include "ProgressDisplay.h"
#include "dictionary/ScriptRunner.h"
#include "engine/QtSession.h"

#include <optional>
#include <ostream>
#include <utility>
#include <vector>

namespace quorvex {

namespace {

// The run finished, but not every statement ran: the status compare uses for changes.
constexpr int kSomeFailed = 1;

} // namespace

int RunScript(const TCommandContext& context)
{
    const auto& operands = context.Args.Operands;
    const std::string user = operands[1];
    const std::string password = ResolvePassword(operands[2]);
    // Every file is read before the login: a mistyped name costs no login and runs nothing.
    std::vector<std::pair<std::string, std::string>> scripts;
    for (size_t i = 3; i < operands.size(); ++i)
        scripts.emplace_back(operands[i], ReadScriptFile(operands[i]));

    TQtSession session;
    SetLogin(session, operands[0], user, password);
    session.Open();

    // Progress shows only on a terminal; a log gets the failures and the count alone.
    std::optional<TProgressDisplay> progress;
    if (context.ErrIsTerminal)
        progress.emplace(context.Err, true);
    TScriptRunner runner(session);
    runner.SetStopOnError(context.Args.Has("--stop-on-error"));
    if (progress)
        runner.SetProgress([&](const TScriptStep& step) {
            progress->Show(std::string(step.FileName) + ": statement " +
                           std::to_string(step.Number) + " of " + std::to_string(step.Count));
        });
    runner.SetFailureReport([&](const std::string& report) {
        if (progress)
            progress->Finish();
        context.Err << report << '\n';
    });
    for (const auto& [fileName, text] : scripts) {
        if (!runner.RunText(fileName, text))
            break;
    }
    if (progress)
        progress->Finish();
    context.Err << runner.Summary() << '\n';
    context.Err.flush();
    return runner.Failures() > 0 ? kSomeFailed : ExitCodes::Success;
}

} // namespace quorvex
