#include "Extended80.h"

#include <bit>

namespace quorvex {

namespace {

constexpr int kExtendedBias = 16383;
constexpr int kDoubleBias = 1023;
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

Extended80 Pack(bool negative, unsigned exponent, std::uint64_t significand)
{
    Extended80 out{};
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    const unsigned top = (negative ? 0x8000u : 0u) | (exponent & 0x7FFFu);
    out[8] = static_cast<std::uint8_t>(top);
    out[9] = static_cast<std::uint8_t>(top >> 8);
    return out;
}

// Shifts right by `shift` (1..64) rounding to nearest, ties to even.
std::uint64_t ShiftRightRounded(std::uint64_t value, int shift)
{
    if (shift > 64)
        return 0;
    if (shift == 64)
        return value > kIntegerBit ? 1 : 0;
    const std::uint64_t kept = value >> shift;
    const std::uint64_t rest = value & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (kept & 1) != 0))
        return kept + 1;
    return kept;
}

} // namespace

Extended80 DoubleToExtended(double value) noexcept
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & kFractionMask;

    if (exponent == 0x7FF) // infinity or NaN; NaN keeps its payload bits
        return Pack(negative, 0x7FFF, kIntegerBit | (fraction << 11));
    if (exponent == 0) {
        if (fraction == 0)
            return Pack(negative, 0, 0);
        // A subnormal double is a normal extended number: normalise the significand.
        const int shift = std::countl_zero(fraction);
        const int unbiased = -1074 + 63 - shift;
        return Pack(negative, static_cast<unsigned>(unbiased + kExtendedBias), fraction << shift);
    }
    return Pack(negative, static_cast<unsigned>(exponent - kDoubleBias + kExtendedBias),
                kIntegerBit | (fraction << 11));
}

double ExtendedToDouble(const Extended80& bytes) noexcept
{
    std::uint64_t significand = 0;
    for (int i = 7; i >= 0; --i)
        significand = (significand << 8) | bytes[i];
    const unsigned top = bytes[8] | (static_cast<unsigned>(bytes[9]) << 8);
    const bool negative = (top & 0x8000u) != 0;
    const int exponent = static_cast<int>(top & 0x7FFFu);
    const std::uint64_t sign = negative ? (std::uint64_t{1} << 63) : 0;

    if (exponent == 0x7FFF) {
        std::uint64_t fraction = (significand >> 11) & kFractionMask;
        if ((significand & ~kIntegerBit) == 0)
            return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52));
        if (fraction == 0)
            fraction = std::uint64_t{1} << 51; // a NaN whose payload does not fit stays a NaN
        return std::bit_cast<double>(sign | (std::uint64_t{0x7FF} << 52) | fraction);
    }
    if (significand == 0)
        return std::bit_cast<double>(sign);

    // value = significand * 2^(e - 16383 - 63), with a zero exponent field read as 1
    // (denormals); unnormals are read by their value too.
    const int lead = std::countl_zero(significand);
    significand <<= lead;
    int unbiased = (exponent == 0 ? 1 : exponent) - lead - kExtendedBias;

    const std::uint64_t infinity = sign | (std::uint64_t{0x7FF} << 52);
    if (unbiased > kDoubleBias)
        return std::bit_cast<double>(infinity);
    if (unbiased >= -1022) {
        std::uint64_t kept = ShiftRightRounded(significand, 11);
        if (kept == (std::uint64_t{1} << 53)) {
            kept >>= 1;
            ++unbiased;
            if (unbiased > kDoubleBias)
                return std::bit_cast<double>(infinity);
        }
        const auto biased = static_cast<std::uint64_t>(unbiased + kDoubleBias);
        return std::bit_cast<double>(sign | (biased << 52) | (kept & kFractionMask));
    }
    // Subnormal double: value / 2^-1074 = significand * 2^(unbiased + 1011).
    const std::uint64_t kept = ShiftRightRounded(significand, -(unbiased + 1011));
    return std::bit_cast<double>(sign | kept); // a carry into bit 52 gives the smallest normal
}

} // namespace quorvex
