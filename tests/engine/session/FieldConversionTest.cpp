// How column values read as text, integer, number and date-time.
#include "engine/FieldConversion.h"

#include "engine/ValueConversion.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using TKind = TFieldValue::TKind;

TFieldValue Null()
{
    return {};
}
TFieldValue Int(std::int64_t value)
{
    return {TKind::Integer, value, 0, {}};
}
TFieldValue Real(double value)
{
    return {TKind::Real, 0, value, {}};
}
TFieldValue Text(std::string_view value)
{
    return {TKind::Text, 0, 0, value};
}
TFieldValue Date(double value)
{
    return {TKind::DateTime, 0, value, {}};
}

TEST(FieldConversionTest, AsText)
{
    struct TCase {
        TFieldValue value;
        const char* expected;
    };
    const TCase cases[] = {
        {Null(), ""},
        {Int(0), "0"},
        {Int(-42), "-42"},
        {Int(123456789012345678), "1.23456789012346E17"},
        {Real(0.1), "0.1"},
        {Real(2.5), "2.5"},
        {Real(1e27), "1E27"},
        {Real(-1.5e-7), "-1.5E-7"},
        {Real(1600.5), "1600.5"},
        {Text("abc"), "abc"},
        {Text(""), ""},
        {Text(" 12 "), " 12 "},
        {Date(1.5), "1899-12-31 12:00:00"},
        {Date(0), "1899-12-30 00:00:00"},
        {Date(29572), "1980-12-17 00:00:00"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(FieldAsText(c.value), c.expected);
    }
}

TEST(FieldConversionTest, AsIntegerRoundsToNearest)
{
    struct TCase {
        TFieldValue value;
        std::int64_t expected;
    };
    const TCase cases[] = {
        {Null(), 0},
        {Int(7369), 7369},
        {Int(123456789012345678), 123456789012345678},
        {Real(2.5), 3},
        {Real(-2.5), -3},
        {Real(2.4999), 2},
        {Real(-0.4), 0},
        {Text("42"), 42},
        {Text(" 42 "), 42},
        {Text("+7"), 7},
        {Text("123456789012345678"), 123456789012345678},
        {Text("2.5"), 3},
        {Text("-1e3"), -1000},
        {Text(""), 0},
        {Date(1.5), 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FieldAsText(c.value));
        EXPECT_EQ(FieldAsInteger(c.value), c.expected);
    }
}

TEST(FieldConversionTest, TextThatIsNoNumberRaises)
{
    for (const char* text : {"abc", "12abc", "nan", "inf", "1,5", "++1", "0x10"}) {
        SCOPED_TRACE(text);
        EXPECT_THROW(FieldAsInteger(Text(text)), Exception);
        EXPECT_THROW(FieldAsFloat(Text(text)), Exception);
    }
    try {
        FieldAsInteger(Text("abc"));
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
}

TEST(FieldConversionTest, AsDateTime)
{
    struct TCase {
        TFieldValue value;
        double expected;
    };
    const TCase cases[] = {
        {Null(), 0},
        {Text("1899-12-31 12:00:00"), 1.5},
        {Text("1899-12-30"), 0},
        {Text("1980-12-17 00:00:00"), 29572},
        {Text("2000-01-01T06:00:00"), 36526.25},
        {Text("36526.25"), 36526.25},
        {Real(36526.25), 36526.25},
        {Int(2), 2},
        {Date(1.25), 1.25},
        {Text(""), 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(FieldAsText(c.value));
        EXPECT_DOUBLE_EQ(FieldAsDateTime(c.value), c.expected);
    }
    EXPECT_THROW(FieldAsDateTime(Text("yesterday")), Exception);
}

TEST(FieldConversionTest, AsFloat)
{
    EXPECT_DOUBLE_EQ(FieldAsFloat(Null()), 0);
    EXPECT_DOUBLE_EQ(FieldAsFloat(Int(-3)), -3);
    EXPECT_DOUBLE_EQ(FieldAsFloat(Real(0.1)), 0.1);
    EXPECT_DOUBLE_EQ(FieldAsFloat(Text("1E27")), 1e27);
}

TEST(FieldConversionTest, DayNumberTextRoundTrips)
{
    for (const char* text : {"1899-12-30 00:00:00", "1980-12-17 23:59:59", "2024-02-29 12:34:56",
                             "1850-06-01 06:00:00", "9999-12-31 23:59:59"}) {
        SCOPED_TRACE(text);
        const auto day = DayNumberFromIsoText(text);
        ASSERT_TRUE(day.has_value());
        EXPECT_EQ(IsoTextFromDayNumber(*day), text);
    }
    // Half a second rounds up to the next second, across midnight too.
    EXPECT_EQ(IsoTextFromDayNumber(1 - 0.4 / 86400), "1899-12-31 00:00:00");
}

} // namespace
} // namespace quorvex::test
