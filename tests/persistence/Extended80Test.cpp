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

Extended80 Ext(std::string_view hex)
{
    Extended80 e{};
    std::memcpy(e.data(), FromHex(hex).data(), e.size());
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
const double kInf = std::numeric_limits<double>::infinity();
const double kTiny = std::numeric_limits<double>::denorm_min();

TEST(Extended80Test, DoublesConvertExactlyBothWays)
{
    const double maxSubnormal = std::bit_cast<double>(std::uint64_t{0x000FFFFFFFFFFFFF});
    const struct {
        double Value;
        Extended80 Bytes;
    } cases[] = {
        {0.0, Ext("00 00 00 00 00 00 00 00 00 00")},
        {-0.0, Ext("00 00 00 00 00 00 00 00 00 80")},
        // 1.0 = 1 * 2^0: integer bit only, exponent 0 + 16383 = 3FFF.
        {1.0, Ext("00 00 00 00 00 00 00 80 FF 3F")},
        // -2.5 = -1.01b * 2^1: significand A000..., exponent 4000, sign bit.
        {-2.5, Ext("00 00 00 00 00 00 00 A0 00 C0")},
        // 45000.5 = 1010111111001000.1b = 1.0101111110010001b * 2^15: AFC88..., 400E.
        {45000.5, Ext("00 00 00 00 00 80 C8 AF 0E 40")},
        // 0.1 as a double is 1.999999999999Ah * 2^-4: CCCCCCCCCCCCD000, exponent 3FFB.
        {0.1, Ext("00 D0 CC CC CC CC CC CC FB 3F")},
        {kTiny, Make(false, 16383 - 1074, kOne)},
        {-kTiny, Make(true, 16383 - 1074, kOne)},
        // (2^52 - 1) * 2^-1074 = 1.111...1b (52 ones) * 2^-1023.
        {maxSubnormal, Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF000)},
        {3 * kTiny, Make(false, 16383 - 1073, 0xC000000000000000)},
        {DBL_MIN, Make(false, 16383 - 1022, kOne)},
        {DBL_MAX, Make(false, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {-DBL_MAX, Make(true, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {kInf, Make(false, 0x7FFF, kOne)},
        {-kInf, Make(true, 0x7FFF, kOne)},
        {std::bit_cast<double>(std::uint64_t{0x7FF8000000000000}),
         Make(false, 0x7FFF, 0xC000000000000000)},
        {std::bit_cast<double>(std::uint64_t{0xFFF8000000000123}),
         Make(true, 0x7FFF, 0xC000000000000000 | (std::uint64_t{0x123} << 11))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexOf(DoubleToExtended(c.Value)), HexOf(c.Bytes)) << c.Value;
        EXPECT_EQ(Bits(ExtendedToDouble(c.Bytes)), Bits(c.Value)) << c.Value;
    }
}

TEST(Extended80Test, ExtendedValuesAreRoundedToNearestEven)
{
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
        {"tie above the largest double", Make(false, 0x43FE, 0xFFFFFFFFFFFFFC00), kInf},
        {"2^1024 overflows", Make(false, 0x43FF, kOne), kInf},
        {"negative 2^1024 overflows", Make(true, 0x43FF, kOne), -kInf},
        {"largest extended", Make(false, 0x7FFE, ~std::uint64_t{0}), kInf},
        {"half the smallest subnormal: tie to zero", Make(false, 16383 - 1075, kOne), 0.0},
        {"above half the smallest subnormal", Make(false, 16383 - 1075, kOne | 1), kTiny},
        {"three quarters of the smallest subnormal", Make(false, 16383 - 1075, 0xC000000000000000),
         kTiny},
        {"1.5 subnormal steps: tie to even 2", Make(false, 16383 - 1074, 0xC000000000000000),
         2 * kTiny},
        {"2.5 subnormal steps: tie to even 2", Make(false, 16383 - 1073, 0xA000000000000000),
         2 * kTiny},
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

TEST(Extended80Test, RandomValuesRoundTripAndAgreeWithTheHardware)
{
    std::mt19937_64 random(20240611);
    std::uniform_int_distribution<unsigned> nearDoubleRange(16383 - 1090, 16383 + 1030);
    std::uniform_int_distribution<unsigned> anyExponent(0, 0x7FFE);
    for (int i = 0; i < 300000; ++i) {
        std::uint64_t bits = random();
        // Also cover the subnormal and the extreme exponents more often than chance would.
        if (i % 4 == 1)
            bits &= 0x800FFFFFFFFFFFFF;
        else if (i % 4 == 2)
            bits |= 0x7FE0000000000000;
        const double d = std::bit_cast<double>(bits);
        ASSERT_EQ(Bits(ExtendedToDouble(DoubleToExtended(d))), bits) << std::hex << bits;
#if (defined(__x86_64__) || defined(__i386__)) && LDBL_MANT_DIG == 64
        // On x86 the compiler's long double is the same format, so the hardware serves as a
        // reference for conversions in both directions.
        long double wide = d;
        Extended80 e{};
        std::memcpy(e.data(), &wide, e.size());
        if (!std::isnan(d)) { // the hardware may quiet a signalling NaN
            ASSERT_EQ(DoubleToExtended(d), e) << d;
        }
        const unsigned exponent = (i % 3 == 0) ? anyExponent(random) : nearDoubleRange(random);
        std::uint64_t significand = random();
        if (i % 5 == 0) // make a tie or a near tie at the last place of a double
            significand = (significand & ~std::uint64_t{0x7FF}) | 0x400 | (random() & 1);
        // A denormal has no integer bit; the hardware refuses unnormals.
        e = Make((random() & 1) != 0, exponent,
                 exponent == 0 ? significand & ~kOne : significand | kOne);
        std::memcpy(&wide, e.data(), e.size());
        ASSERT_EQ(Bits(ExtendedToDouble(e)), Bits(static_cast<double>(wide))) << HexOf(e);
#endif
    }
}

} // namespace
} // namespace quorvex::test
