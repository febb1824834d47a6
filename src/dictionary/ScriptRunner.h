#pragma once

#include "ScriptSplitter.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

class TDatabaseSession;

// The statement about to run: the n-th of Count in its script file.
struct TScriptStep {
    std::string_view FileName;
    int Number = 0;
    int Count = 0;
};

// Runs SQL scripts written for SQL*Plus (see SplitScript) statement by statement through a
// database session. A failure, whether the database refused a statement or the script itself
// is flawed (an include that cannot be read, text never ended), is reported as "FILE:LINE:
// message" and the run goes on, unless stop on error is set (by SetStopOnError or WHENEVER
// SQLERROR EXIT); EXIT ends the run. Included scripts are found relative to the folder of the
// script that names them, ".sql" added to a name without an extension, at most 20 deep and
// 10000 in all.
class TScriptRunner {
public:
    using TProgressCallback = std::function<void(const TScriptStep& step)>;
    using TFailureCallback = std::function<void(const std::string& report)>;
    using TInterruptCheck = std::function<bool()>;

    explicit TScriptRunner(TDatabaseSession& session);

    void SetStopOnError(bool stop) { m_stopOnError = stop; }
    void SetProgress(TProgressCallback progress) { m_progress = std::move(progress); }
    // Failures, and warnings ("FILE:LINE: warning: ...") for statements the database accepted
    // but kept nothing of; warnings are no failures.
    void SetFailureReport(TFailureCallback report) { m_report = std::move(report); }
    // Asked before each statement; true ends the run there, as a failure at that statement,
    // with the work of the statements before it committed.
    void SetInterruptCheck(TInterruptCheck interrupted) { m_interrupted = std::move(interrupted); }

    // Reads the script file (see ReadScriptFile, which raises its failures) and runs it.
    // Returns false when the run has ended, by EXIT or by a failure with stop on error, so no
    // further script should run.
    bool Run(const std::string& fileName);
    // Runs `text` as the script file `fileName`.
    bool RunText(const std::string& fileName, std::string_view text);

    int StatementsRun() const { return m_statementsRun; }
    int Failures() const { return m_failures; }
    // "12 statements run, 1 failed": how a run ends, on the command line and in the window.
    std::string Summary() const;

private:
    void RunItems(const std::string& fileName, const std::vector<TScriptItem>& items);
    void Include(const std::string& fileName, int line, const std::string& name);
    void Fail(const std::string& fileName, int line, const std::string& message);
    // Commits the statements run; a failure is reported at the last of them.
    void EndBatch();

    TDatabaseSession& m_session;
    bool m_stopOnError = false;
    TProgressCallback m_progress;
    TFailureCallback m_report;
    TInterruptCheck m_interrupted;
    std::vector<std::string> m_open; // the scripts running, outermost first, as full paths
    bool m_ended = false;
    int m_includes = 0;
    int m_statementsRun = 0;
    int m_failures = 0;
    std::string m_lastFile;
    int m_lastLine = 0;
};

// A script file's text. An Exception names the file when it is missing, unreadable, a folder,
// larger than 64 MiB or holds a NUL byte (with its line): none of these is a script to run.
std::string ReadScriptFile(const std::string& fileName);

} // namespace quorvex
