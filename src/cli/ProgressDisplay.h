#pragma once

#include "dictionary/DBOraClass.h"

#include <iosfwd>
#include <string_view>

namespace quorvex {

// Shows the reader's captions on a stream: on a terminal as one line rewritten in place
// (carriage return, the caption, clear to the end of the line), elsewhere as plain lines that
// a log keeps readable. The line is cleared when the display ends, so that whatever follows
// starts on a clean line.
class TProgressDisplay {
public:
    TProgressDisplay(std::ostream& out, bool terminal);
    ~TProgressDisplay();
    TProgressDisplay(const TProgressDisplay&) = delete;
    TProgressDisplay& operator=(const TProgressDisplay&) = delete;

    void Show(std::string_view caption);
    // Clears the progress line of a terminal; nothing for plain lines.
    void Finish();
    // A progress callback that shows through this display.
    TProgress Callback();

private:
    std::ostream& m_out;
    bool m_terminal;
    bool m_lineShown = false;
};

} // namespace quorvex
