#pragma once

#include <array>
#include <cstdint>

namespace quorvex {

// The 10-byte x87 extended-precision layout used for floating-point values in snapshot files:
// a 64-bit significand with an explicit integer bit, then a 15-bit exponent and the sign bit,
// little-endian. Converted by bit manipulation so no platform long double is involved.
using Extended80 = std::array<std::uint8_t, 10>;

// Exact: every double has an extended representation.
Extended80 DoubleToExtended(double value) noexcept;

// Rounds to nearest, ties to even; out-of-range values become infinities or zeros.
// Values written by DoubleToExtended come back unchanged.
double ExtendedToDouble(const Extended80& bytes) noexcept;

} // namespace quorvex
