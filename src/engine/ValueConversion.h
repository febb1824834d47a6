#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

// A number as text the way the program shows database numbers: general format with up to 15
// significant digits, no trailing zeros, exponent form ("1E27", "1.5E-7") when the value
// needs it.
std::string FormatNumber(double value);

// Rounds to the nearest integer, halves away from zero; saturates outside the 64-bit range.
std::int64_t RoundToInteger(double value) noexcept;

// Day number counted from 30 December 1899 (day 0), the time of day as fraction.
double DayNumber(int year, int month, int day, int hour = 0, int minute = 0,
                 double second = 0) noexcept;

// "YYYY-MM-DD HH:MM:SS" of a day number, to the nearest second.
std::string IsoTextFromDayNumber(double dayNumber);

// Reads "YYYY-MM-DD", "YYYY-MM-DD HH:MM[:SS[.fff]]" or the same with "T"; nothing when the
// text is not such a date.
std::optional<double> DayNumberFromIsoText(std::string_view text) noexcept;

} // namespace quorvex
