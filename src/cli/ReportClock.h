#pragma once

#include <ctime>
#include <functional>
#include <string>

namespace quorvex {

// A local date and time to the millisecond: what a comparison report's header shows.
struct TLocalTime {
    std::tm Tm{};
    int Milliseconds = 0;
};

// Where "now" comes from; the tests pass a fixed time.
using TClock = std::function<TLocalTime()>;

// The system clock in the local time zone.
TLocalTime SystemLocalTime();

// The current locale's short date (strftime "%x"), a blank and its long time ("%X"). The time
// is left out when it is exactly midnight, as a date without a time of day reads.
std::string FormatReportDateTime(const TLocalTime& time);

} // namespace quorvex
