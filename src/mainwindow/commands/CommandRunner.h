#pragma once

#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"

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

// What every main-window command shares: the wrapper that blocks the window and times the
// work, the handler that shows errors, the progress callback and the menu items by name.
class TCommandRunner {
public:
    explicit TCommandRunner(TMainWindowHost& host);

    TMainWindowHost& Host() const noexcept { return m_host; }

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
};

// "Finished in 1.25 seconds" for 1250 milliseconds.
QString FinishedText(qint64 milliseconds);

} // namespace quorvex
