#include "CommandRunner.h"

#include "forms/Dialogs.h"
#include "mainwindow/MainWindowHost.h"

#include <QAction>
#include <QCoreApplication>
#include <QWidget>
#include <chrono>

namespace quorvex {

namespace {

void ShowBox(TMainWindowHost& host, QMessageBox::Icon icon, const char* text)
{
    Dialogs().Message(host.HostWidget(), icon, QCoreApplication::applicationName(),
                      QString::fromUtf8(text), QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace

QString FinishedText(qint64 milliseconds)
{
    return QString::asprintf("Finished in %.2f seconds", double(milliseconds) / 1000.0);
}

TCommandClock SystemClock()
{
    return {[] { return QDateTime::currentDateTime(); },
            [] {
                using namespace std::chrono;
                return qint64(
                    duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
            }};
}

TCommandRunner::TCommandRunner(TMainWindowHost& host, TCommandClock clock)
    : m_host(host)
    , m_clock(std::move(clock))
{
}

void TCommandRunner::Run(const QString& caption, const std::function<void()>& operation)
{
    QWidget* window = m_host.HostWidget();
    if (window)
        window->setEnabled(false);
    // Re-enables and reports on every path, also when the operation throws.
    struct TFinish {
        TMainWindowHost& Host;
        QWidget* Window;
        const TCommandClock& Clock;
        qint64 Start;
        ~TFinish()
        {
            if (Window)
                Window->setEnabled(true);
            Host.SetStatusText(FinishedText(Clock.Milliseconds() - Start));
        }
    } finish{m_host, window, m_clock, m_clock.Milliseconds()};
    m_host.SetStatusText(caption);
    operation();
}

void TCommandRunner::Guard(const std::function<void()>& body) const
{
    try {
        body();
    } catch (const EAbort&) {
        // A cancelled login or the like: nothing to show.
    } catch (const ECommandNotice& notice) {
        ShowBox(m_host, QMessageBox::Information, notice.what());
    } catch (const std::exception& error) {
        ShowBox(m_host, QMessageBox::Critical, error.what());
    }
}

TProgress TCommandRunner::Progress() const
{
    return [&host = m_host](std::string_view caption) {
        host.SetStatusText(QString::fromUtf8(caption.data(), qsizetype(caption.size())));
    };
}

void TCommandRunner::EnableAction(const char* name, bool enabled) const
{
    if (QAction* action = m_host.Action(QString::fromLatin1(name)))
        action->setEnabled(enabled);
}

void TCommandRunner::ShowAction(const char* name, bool visible) const
{
    if (QAction* action = m_host.Action(QString::fromLatin1(name)))
        action->setVisible(visible);
}

bool TCommandRunner::IsChecked(const char* name) const
{
    const QAction* action = m_host.Action(QString::fromLatin1(name));
    return action && action->isChecked();
}

void TCommandRunner::SetChecked(const char* name, bool checked) const
{
    if (QAction* action = m_host.Action(QString::fromLatin1(name)))
        action->setChecked(checked);
}

} // namespace quorvex
