#include "ProgressDisplay.h"

#include <ostream>

namespace quorvex {

namespace {
constexpr std::string_view kClearToEndOfLine = "\x1b[K";
}

TProgressDisplay::TProgressDisplay(std::ostream& out, bool terminal)
    : m_out(out)
    , m_terminal(terminal)
{
}

TProgressDisplay::~TProgressDisplay()
{
    Finish();
}

void TProgressDisplay::Show(std::string_view caption)
{
    if (m_terminal) {
        m_out << '\r' << caption << kClearToEndOfLine;
        m_lineShown = true;
    } else {
        m_out << caption << '\n';
    }
    m_out.flush();
}

void TProgressDisplay::Finish()
{
    if (!m_lineShown)
        return;
    m_out << '\r' << kClearToEndOfLine;
    m_out.flush();
    m_lineShown = false;
}

TProgress TProgressDisplay::Callback()
{
    return [this](std::string_view caption) { Show(caption); };
}

} // namespace quorvex
