#pragma once

#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"

#include <QDateTime>
#include <QString>
#include <functional>

namespace quorvex {

class TMainWindowHost;

// A command that ends by telling the user something (not an error): shown in an information
// box by TCommandRunner::Guard.
class ECommandNotice : public Exception {
public:
    using Exception::Exception;
};

// Where the commands take the time from: the wall clock dates a comparison report, a monotonic
// millisecond count times a command. The window runs on SystemClock(); another clock makes the
// reported texts repeatable.
struct TCommandClock {
    std::function<QDateTime()> Now;
    std::function<qint64()> Milliseconds;
};

// The local date and time, and a steady millisecond count.
TCommandClock SystemClock();

// What every main-window command shares: the wrapper that blocks the window and times the
// work, the handler that shows errors, the progress callback and the menu items by name.
class TCommandRunner {
public:
    TCommandRunner(TMainWindowHost& host, TCommandClock clock);

    TMainWindowHost& Host() const noexcept { return m_host; }
    const TCommandClock& Clock() const noexcept { return m_clock; }

    // Disables the window, shows the caption, runs the operation; always enables the window
    // again and shows "Finished in %f seconds" before an error goes on to the caller.
    void Run(const QString& caption, const std::function<void()>& operation);

    // Runs a handler's body and shows what it throws: an error in a critical message box, a
    // notice in an information box, a silent abort not at all.
    void Guard(const std::function<void()>& body) const;

    // Reading captions go to the status bar.
    TProgress Progress() const;

    // Menu items by component name; a name the window lacks is ignored.
    void EnableAction(const char* name, bool enabled) const;
    void ShowAction(const char* name, bool visible) const;
    bool IsChecked(const char* name) const;
    void SetChecked(const char* name, bool checked) const;

private:
    TMainWindowHost& m_host;
    TCommandClock m_clock;
};

// "Finished in 1.25 seconds" for 1250 milliseconds.
QString FinishedText(qint64 milliseconds);

} // namespace quorvex
