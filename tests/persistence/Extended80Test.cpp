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

double Double(std::uint64_t bits)
{
    return std::bit_cast<double>(bits);
}

constexpr std::uint64_t kOne = std::uint64_t{1} << 63; // the explicit integer bit
constexpr std::uint64_t kTop2 = 0xC000000000000000;
const double kInf = std::numeric_limits<double>::infinity();
const double kTiny = std::numeric_limits<double>::denorm_min();
const double kUlp = std::ldexp(1.0, -52); // of 1.0

TEST(Extended80Test, DoublesConvertExactlyBothWays)
{
    const std::pair<double, Extended80> cases[] = {
        // clang-format off
        {0.0, Ext("00 00 00 00 00 00 00 00 00 00")},
        {-0.0, Ext("00 00 00 00 00 00 00 00 00 80")},
        {1.0, Ext("00 00 00 00 00 00 00 80 FF 3F")}, // 1 * 2^0: integer bit, exponent 3FFF
        {-2.5, Ext("00 00 00 00 00 00 00 A0 00 C0")}, // -1.01b * 2^1
        {45000.5, Ext("00 00 00 00 00 80 C8 AF 0E 40")}, // 1.0101111110010001b * 2^15
        {0.1, Ext("00 D0 CC CC CC CC CC CC FB 3F")}, // 0.1 as a double: 1.999999999999Ah * 2^-4
        {kTiny, Make(false, 16383 - 1074, kOne)},
        {-kTiny, Make(true, 16383 - 1074, kOne)},
        {Double(0x000FFFFFFFFFFFFF), Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF000)}, // 52 ones
        {3 * kTiny, Make(false, 16383 - 1073, kTop2)},
        {DBL_MIN, Make(false, 16383 - 1022, kOne)},
        {DBL_MAX, Make(false, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {-DBL_MAX, Make(true, 16383 + 1023, 0xFFFFFFFFFFFFF800)},
        {kInf, Make(false, 0x7FFF, kOne)},
        {-kInf, Make(true, 0x7FFF, kOne)},
        {Double(0x7FF8000000000000), Make(false, 0x7FFF, kTop2)}, // quiet NaN
        {Double(0xFFF8000000000123), Make(true, 0x7FFF, kTop2 | (std::uint64_t{0x123} << 11))},
        // clang-format on
    };
    for (const auto& [value, bytes] : cases) {
        EXPECT_EQ(HexOf(DoubleToExtended(value)), HexOf(bytes)) << value;
        EXPECT_EQ(Bits(ExtendedToDouble(bytes)), Bits(value)) << HexOf(bytes);
    }
}

TEST(Extended80Test, ExtendedValuesAreRoundedToNearestEven)
{
    // A double keeps the top 53 significand bits; bit 10 is half of its last place.
    const std::pair<Extended80, double> cases[] = {
        // clang-format off
        {Make(false, 0x3FFF, 0x80000000000003FF), 1.0}, // just below half: down
        {Make(false, 0x3FFF, 0x8000000000000400), 1.0}, // tie with even last bit: down
        {Make(false, 0x3FFF, 0x8000000000000401), 1.0 + kUlp}, // just above half: up
        {Make(false, 0x3FFF, 0x8000000000000C00), 1.0 + 2 * kUlp}, // tie with odd last bit: up
        {Make(false, 0x3FFF, 0x8000000000000BFF), 1.0 + kUlp}, // odd last bit below half: down
        {Make(true, 0x3FFF, 0x8000000000000400), -1.0}, // negative tie: down in magnitude
        {Make(false, 0x3FFF, 0xFFFFFFFFFFFFFC00), 2.0}, // carry into the exponent
        {Make(false, 0x43FE, 0xFFFFFFFFFFFFFBFF), DBL_MAX}, // largest double stays
        {Make(false, 0x43FE, 0xFFFFFFFFFFFFFC00), kInf}, // tie above the largest double
        {Make(false, 0x43FF, kOne), kInf}, // 2^1024 overflows
        {Make(true, 0x43FF, kOne), -kInf},
        {Make(false, 0x7FFE, ~std::uint64_t{0}), kInf}, // largest extended
        {Make(false, 16383 - 1075, kOne), 0.0}, // half the smallest subnormal: tie to zero
        {Make(false, 16383 - 1075, kOne | 1), kTiny}, // above half the smallest subnormal
        {Make(false, 16383 - 1075, kTop2), kTiny}, // three quarters of it
        {Make(false, 16383 - 1074, kTop2), 2 * kTiny}, // 1.5 subnormal steps: tie to even 2
        {Make(false, 16383 - 1073, 0xA000000000000000), 2 * kTiny}, // 2.5 steps: tie to even 2
        {Make(false, 16383 - 1076, kOne), 0.0}, // a quarter of the smallest subnormal
        {Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF800), DBL_MIN}, // subnormal rounds up to normal
        {Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF7FF), Double(0x000FFFFFFFFFFFFF)}, // stays
        {Make(false, 1, kOne), 0.0}, // smallest normal extended
        {Make(true, 1, kOne), -0.0}, // negative tiny keeps its sign
        {Make(false, 0, 0x0000000000000001), 0.0}, // extended denormal
        // clang-format on
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(Bits(ExtendedToDouble(bytes)), Bits(expected)) << HexOf(bytes);
    // Payload bits below those a double keeps still give a NaN, not an infinity.
    for (std::uint64_t significand :
         {kOne | 1, kOne | 0x7FF, kTop2, ~std::uint64_t{0}, std::uint64_t{1}}) {
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
