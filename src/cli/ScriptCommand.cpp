#include "ScriptCommand.h"

#include "Cli.h"
#include "LiveDatabase.h"
#include "ProgressDisplay.h"
#include "dictionary/ScriptRunner.h"
#include "engine/QtSession.h"

#include <csignal>
#include <optional>
#include <ostream>
#include <utility>
#include <vector>

namespace quorvex {

namespace {

// The run finished, but not every statement ran: the status compare uses for changes.
constexpr int kSomeFailed = 1;

volatile std::sig_atomic_t g_interrupted = 0;

// A first Ctrl+C ends the run after the statement running, so that the work done so far is
// committed; a second one ends the program at once.
extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
    std::signal(SIGINT, SIG_DFL);
}

// The interrupt handler while a run lasts.
class TInterruptHandler {
public:
    TInterruptHandler()
        : m_previous(std::signal(SIGINT, OnInterrupt))
    {
        g_interrupted = 0;
    }
    ~TInterruptHandler() { std::signal(SIGINT, m_previous); }
    TInterruptHandler(const TInterruptHandler&) = delete;
    TInterruptHandler& operator=(const TInterruptHandler&) = delete;

private:
    void (*m_previous)(int);
};

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
    const TInterruptHandler interrupts;
    runner.SetInterruptCheck([] { return g_interrupted != 0; });
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
