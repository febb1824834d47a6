// Conversion between doubles and the 10-byte extended numbers of snapshot files.
#include "persistence/Extended80.h"

#include "TestSupport.h"

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>

namespace quorvex::test {
namespace {

// The layout written out by hand: significand little-endian, then exponent and sign.
Extended80 Make(bool negative, unsigned exponent, std::uint64_t significand)
{
    Extended80 e{};
    for (int i = 0; i < 8; ++i)
        e[i] = static_cast<std::uint8_t>(significand >> (8 * i));
    e[8] = static_cast<std::uint8_t>(exponent & 0xFF);
    e[9] = static_cast<std::uint8_t>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
    return e;
}

std::string HexOf(const Extended80& e)
{
    return Hex(std::string_view(reinterpret_cast<const char*>(e.data()), e.size()));
}

std::uint64_t Bits(double d)
{
    return std::bit_cast<std::uint64_t>(d);
}

constexpr std::uint64_t kOne = std::uint64_t{1} << 63; // the explicit integer bit

TEST(Extended80Test, KnownValuesHaveTheirBytes)
{
    const struct {
        double Value;
        const char* Bytes;
    } cases[] = {
        {0.0, "00 00 00 00 00 00 00 00 00 00"},
        {-0.0, "00 00 00 00 00 00 00 00 00 80"},
        // 1.0 = 1 * 2^0: integer bit only, exponent 0 + 16383 = 3FFF.
        {1.0, "00 00 00 00 00 00 00 80 FF 3F"},
        // -2.5 = -1.01b * 2^1: significand A000..., exponent 4000, sign bit.
        {-2.5, "00 00 00 00 00 00 00 A0 00 C0"},
        // 45000.5 = 1010111111001000.1b = 1.0101111110010001b * 2^15: AFC88..., 400E.
        {45000.5, "00 00 00 00 00 80 C8 AF 0E 40"},
        // 0.1 as a double is 1.999999999999Ah * 2^-4: CCCCCCCCCCCCD000, exponent 3FFB.
        {0.1, "00 D0 CC CC CC CC CC CC FB 3F"},
    };
    for (const auto& c : cases) {
        const Extended80 e = DoubleToExtended(c.Value);
        EXPECT_EQ(HexOf(e), c.Bytes) << c.Value;
        EXPECT_EQ(Bits(ExtendedToDouble(e)), Bits(c.Value)) << c.Value;
    }
}

TEST(Extended80Test, SpecialDoublesConvertExactlyBothWays)
{
    const double minSubnormal = std::numeric_limits<double>::denorm_min();
    const double maxSubnormal = std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF});
    const struct {
        const char* Name;
        double Value;
        Extended80 Bytes;
    } cases[] = {
        {"smallest subnormal 2^-1074", minSubnormal, Make(false, 16383 - 1074, kOne)},
        {"negative smallest subnormal", -minSubnormal, Make(true, 16383 - 1074, kOne)},
        // (2^52 - 1) * 2^-1074 = 1.111...1b (52 ones) * 2^-1023.
        {"largest subnormal", maxSubnormal, Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF000)},
        {"subnormal 3 * 2^-1074", 3 * minSubnormal, Make(false, 16383 - 1073, 0xC000000000000000)},
        {"smallest normal 2^-1022", DBL_MIN, Make(false, 16383 - 1022, kOne)},
        {"largest double", DBL_MAX, Make(false, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {"lowest double", -DBL_MAX, Make(true, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {"infinity", std::numeric_limits<double>::infinity(), Make(false, 0x7FFF, kOne)},
        {"negative infinity", -std::numeric_limits<double>::infinity(), Make(true, 0x7FFF, kOne)},
        {"quiet NaN", std::bit_cast<double>(std::uint64_t{0x7FF8000000000000}),
         Make(false, 0x7FFF, 0xC000000000000000)},
        {"NaN with payload", std::bit_cast<double>(std::uint64_t{0xFFF8000000000123}),
         Make(true, 0x7FFF, 0xC000000000000000 | (std::uint64_t{0x123} << 11))},
    };
    for (const auto& c : cases) {
        const Extended80 e = DoubleToExtended(c.Value);
        EXPECT_EQ(HexOf(e), HexOf(c.Bytes)) << c.Name;
        EXPECT_EQ(Bits(ExtendedToDouble(c.Bytes)), Bits(c.Value)) << c.Name;
    }
}

TEST(Extended80Test, ExtendedValuesAreRoundedToNearestEven)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double minSubnormal = std::numeric_limits<double>::denorm_min();
    const double ulpOfOne = std::ldexp(1.0, -52);
    const struct {
        const char* Name;
        Extended80 Bytes;
        double Expected;
    } cases[] = {
        // A double keeps the top 53 significand bits; bit 10 is half of its last place.
        {"just below half: down", Make(false, 0x3FFF, 0x80000000000003FF), 1.0},
        {"tie with even last bit: down", Make(false, 0x3FFF, 0x8000000000000400), 1.0},
        {"just above half: up", Make(false, 0x3FFF, 0x8000000000000401), 1.0 + ulpOfOne},
        {"tie with odd last bit: up", Make(false, 0x3FFF, 0x8000000000000C00), 1.0 + 2 * ulpOfOne},
        {"odd last bit below half: down", Make(false, 0x3FFF, 0x8000000000000BFF), 1.0 + ulpOfOne},
        {"negative tie: down in magnitude", Make(true, 0x3FFF, 0x8000000000000400), -1.0},
        {"carry into the exponent", Make(false, 0x3FFF, 0xFFFFFFFFFFFFFC00), 2.0},
        {"largest double stays", Make(false, 0x43FE, 0xFFFFFFFFFFFFFBFF), DBL_MAX},
        {"tie above the largest double", Make(false, 0x43FE, 0xFFFFFFFFFFFFFC00), inf},
        {"2^1024 overflows", Make(false, 0x43FF, kOne), inf},
        {"negative 2^1024 overflows", Make(true, 0x43FF, kOne), -inf},
        {"largest extended", Make(false, 0x7FFE, ~std::uint64_t{0}), inf},
        {"half the smallest subnormal: tie to zero", Make(false, 16383 - 1075, kOne), 0.0},
        {"above half the smallest subnormal", Make(false, 16383 - 1075, kOne | 1), minSubnormal},
        {"three quarters of the smallest subnormal", Make(false, 16383 - 1075, 0xC000000000000000),
         minSubnormal},
        {"1.5 subnormal steps: tie to even 2", Make(false, 16383 - 1074, 0xC000000000000000),
         2 * minSubnormal},
        {"2.5 subnormal steps: tie to even 2", Make(false, 16383 - 1073, 0xA000000000000000),
         2 * minSubnormal},
        {"a quarter of the smallest subnormal", Make(false, 16383 - 1076, kOne), 0.0},
        {"subnormal rounding up into the normals", Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF800),
         DBL_MIN},
        {"subnormal rounding down stays subnormal", Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF7FF),
         std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF})},
        {"smallest normal extended", Make(false, 1, kOne), 0.0},
        {"negative tiny keeps its sign", Make(true, 1, kOne), -0.0},
        {"extended denormal", Make(false, 0, 0x0000000000000001), 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Bits(ExtendedToDouble(c.Bytes)), Bits(c.Expected))
            << c.Name << ": got " << ExtendedToDouble(c.Bytes);
    }
}

TEST(Extended80Test, NaNsStayNaNs)
{
    // Payload bits below those a double keeps still give a NaN, not an infinity.
    for (std::uint64_t significand :
         {kOne | 1, kOne | 0x7FF, 0xC000000000000000, ~std::uint64_t{0}, std::uint64_t{1}}) {
        for (bool negative : {false, true}) {
            const double d = ExtendedToDouble(Make(negative, 0x7FFF, significand));
            EXPECT_TRUE(std::isnan(d)) << std::hex << significand;
            EXPECT_EQ(std::signbit(d), negative);
        }
    }
}

TEST(Extended80Test, EveryDoubleBitPatternRoundTrips)
{
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 200000; ++i) {
        std::uint64_t bits = random();
        // Also cover the subnormal and the extreme exponents more often than chance would.
        if (i % 4 == 1)
            bits &= 0x800FFFFFFFFFFFFF;
        else if (i % 4 == 2)
            bits |= 0x7FE0000000000000;
        const double d = std::bit_cast<double>(bits);
        ASSERT_EQ(Bits(ExtendedToDouble(DoubleToExtended(d))), bits) << std::hex << bits;
    }
}

#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
// On x86 the compiler's long double is the same format, so the hardware serves as a
// reference for conversions in both directions.
Extended80 HardwareExtended(double d)
{
    const long double wide = d;
    Extended80 e{};
    std::memcpy(e.data(), &wide, e.size());
    return e;
}

double HardwareDouble(const Extended80& e)
{
    long double wide = 0;
    std::memcpy(&wide, e.data(), e.size());
    return static_cast<double>(wide);
}

TEST(Extended80Test, AgreesWithTheHardwareFormat)
{
    std::mt19937_64 random(7);
    for (int i = 0; i < 100000; ++i) {
        const double d = std::bit_cast<double>(random());
        if (std::isnan(d))
            continue; // the hardware may quiet a signalling NaN
        ASSERT_EQ(HexOf(DoubleToExtended(d)), HexOf(HardwareExtended(d))) << d;
    }
    std::uniform_int_distribution<unsigned> nearDoubleRange(16383 - 1090, 16383 + 1030);
    std::uniform_int_distribution<unsigned> anyExponent(0, 0x7FFE);
    for (int i = 0; i < 300000; ++i) {
        const bool negative = (random() & 1) != 0;
        const unsigned exponent = (i % 3 == 0) ? anyExponent(random) : nearDoubleRange(random);
        std::uint64_t significand = random();
        if (i % 5 == 0) // make a tie or a near tie at the last place of a double
            significand = (significand & ~std::uint64_t{0x7FF}) | 0x400 | (random() & 1);
        if (exponent == 0)
            significand &= ~kOne; // a denormal has no integer bit
        else
            significand |= kOne; // the hardware refuses unnormals
        const Extended80 e = Make(negative, exponent, significand);
        ASSERT_EQ(Bits(ExtendedToDouble(e)), Bits(HardwareDouble(e))) << HexOf(e);
    }
}
#endif

} // namespace
} // namespace quorvex::test
