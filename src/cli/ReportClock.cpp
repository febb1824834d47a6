#include "ReportClock.h"

#include <chrono>

namespace quorvex {

namespace {

std::string Format(const char* format, const std::tm& tm)
{
    // Locale formats are short; a result that does not fit is reported as empty by strftime.
    char buffer[256];
    const size_t length = std::strftime(buffer, sizeof buffer, format, &tm);
    return std::string(buffer, length);
}

} // namespace

TLocalTime SystemLocalTime()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    TLocalTime local;
    localtime_r(&seconds, &local.Tm);
    local.Milliseconds =
        static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    return local;
}

std::string FormatReportDateTime(const TLocalTime& time)
{
    std::string text = Format("%x", time.Tm);
    const bool midnight = time.Tm.tm_hour == 0 && time.Tm.tm_min == 0 && time.Tm.tm_sec == 0 &&
                          time.Milliseconds == 0;
    if (!midnight) {
        text += ' ';
        text += Format("%X", time.Tm);
    }
    return text;
}

} // namespace quorvex
