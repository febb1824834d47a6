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
constexpr std::uint64_t kTop2 = 0xC000000000000000;
const double kInf = std::numeric_limits<double>::infinity();
const double kTiny = std::numeric_limits<double>::denorm_min();
const double kUlp = std::ldexp(1.0, -52); // of 1.0

TEST(Extended80Test, ConversionsBothWaysRoundingToNearestEvenAndNaNs)
{
    const auto fromBits = [](std::uint64_t bits) { return std::bit_cast<double>(bits); };
    // Exact rows convert both ways. The others hold more than a double keeps (the top 53
    // significand bits; bit 10 is half of the last place) and are rounded to nearest even.
    const struct {
        Extended80 Bytes;
        double Value;
        bool Exact;
    } cases[] = {
        // clang-format off
        {Ext("00 00 00 00 00 00 00 00 00 00"), 0.0, true},
        {Ext("00 00 00 00 00 00 00 00 00 80"), -0.0, true},
        {Ext("00 00 00 00 00 00 00 80 FF 3F"), 1.0, true}, // 1 * 2^0: integer bit, exponent 3FFF
        {Ext("00 00 00 00 00 00 00 A0 00 C0"), -2.5, true}, // -1.01b * 2^1
        {Ext("00 00 00 00 00 80 C8 AF 0E 40"), 45000.5, true}, // 1.0101111110010001b * 2^15
        {Ext("00 D0 CC CC CC CC CC CC FB 3F"), 0.1, true}, // the double 1.999999999999Ah * 2^-4
        {Make(true, 16383 - 1074, kOne), -kTiny, true},
        {Make(false, 0x7FFF, kOne), kInf, true},
        {Make(true, 0x7FFF, kOne), -kInf, true},
        {Make(false, 0x7FFF, kTop2), fromBits(0x7FF8000000000000), true}, // quiet NaN
        {Make(true, 0x7FFF, kTop2 | (std::uint64_t{0x123} << 11)), fromBits(0xFFF8000000000123),
         true},
        {Make(false, 0x3FFF, 0x80000000000003FF), 1.0, false}, // just below half: down
        {Make(false, 0x3FFF, 0x8000000000000400), 1.0, false}, // tie with even last bit: down
        {Make(false, 0x3FFF, 0x8000000000000401), 1.0 + kUlp, false}, // just above half: up
        {Make(false, 0x3FFF, 0x8000000000000C00), 1.0 + 2 * kUlp, false}, // tie, odd last bit: up
        {Make(false, 0x3FFF, 0x8000000000000BFF), 1.0 + kUlp, false}, // odd, below half: down
        {Make(true, 0x3FFF, 0x8000000000000400), -1.0, false}, // negative tie: down in magnitude
        {Make(false, 0x3FFF, 0xFFFFFFFFFFFFFC00), 2.0, false}, // carry into the exponent
        {Make(false, 0x43FE, 0xFFFFFFFFFFFFFBFF), DBL_MAX, false}, // largest double stays
        {Make(false, 0x43FE, 0xFFFFFFFFFFFFFC00), kInf, false}, // tie above the largest double
        {Make(false, 0x43FF, kOne), kInf, false}, // 2^1024 overflows
        {Make(true, 0x43FF, kOne), -kInf, false},
        {Make(false, 0x7FFE, ~std::uint64_t{0}), kInf, false}, // largest extended
        {Make(false, 16383 - 1075, kOne), 0.0, false}, // half the smallest subnormal: tie to 0
        {Make(false, 16383 - 1075, kOne | 1), kTiny, false}, // above half the smallest subnormal
        {Make(false, 16383 - 1075, kTop2), kTiny, false}, // three quarters of it
        {Make(false, 16383 - 1074, kTop2), 2 * kTiny, false}, // 1.5 subnormal steps: even 2
        {Make(false, 16383 - 1073, 0xA000000000000000), 2 * kTiny, false}, // 2.5 steps: even 2
        {Make(false, 16383 - 1076, kOne), 0.0, false}, // a quarter of the smallest subnormal
        {Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF800), DBL_MIN, false}, // up into the normals
        {Make(false, 16383 - 1023, 0xFFFFFFFFFFFFF7FF), fromBits(0x000FFFFFFFFFFFFF), false},
        {Make(false, 1, kOne), 0.0, false}, // smallest normal extended
        {Make(true, 1, kOne), -0.0, false}, // negative tiny keeps its sign
        {Make(false, 0, 0x0000000000000001), 0.0, false}, // extended denormal
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Bits(ExtendedToDouble(c.Bytes)), Bits(c.Value)) << HexOf(c.Bytes);
        EXPECT_EQ(HexOf(c.Exact ? DoubleToExtended(c.Value) : c.Bytes), HexOf(c.Bytes)) << c.Value;
    }
    // Payload bits below those a double keeps still give a NaN, not an infinity.
    for (std::uint64_t significand :
         {kOne | 1, kOne | 0x7FF, kTop2, ~std::uint64_t{0}, std::uint64_t{1}}) {
        for (bool negative : {false, true}) {
            const double d = ExtendedToDouble(Make(negative, 0x7FFF, significand));
            EXPECT_TRUE(std::isnan(d)) << std::hex << significand;
            EXPECT_EQ(std::signbit(d), negative);
        }
    }
    // Every double comes back as it was.
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 300000; ++i) {
        std::uint64_t bits = random();
        // Also cover the subnormal and the extreme exponents more often than chance would.
        if (i % 4 == 1)
            bits &= 0x800FFFFFFFFFFFFF;
        else if (i % 4 == 2)
            bits |= 0x7FE0000000000000;
        ASSERT_EQ(Bits(ExtendedToDouble(DoubleToExtended(std::bit_cast<double>(bits)))), bits)
            << std::hex << bits;
    }
}
} // namespace
} // namespace quorvex::test
