#include "model/CompactText.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>

namespace quorvex {
namespace {

TEST(CompactText, StartsEmptyAndAssigningNothingEmptiesIt)
{
    TCompactText text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text.size(), 0u);
    EXPECT_EQ(text, "");

    text = "x";
    EXPECT_FALSE(text.empty());
    text = std::string();
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text.View(), "");
}

TEST(CompactText, KeepsEveryByteAndTheLengthOfLongTexts)
{
    // 8-bit texts: zero bytes and bytes above 127 are text like any other.
    const std::string bytes("a\0b\xFF\x80 ", 6);
    TCompactText text;
    text = bytes;
    EXPECT_EQ(text.size(), 6u);
    EXPECT_EQ(std::string(text), bytes);

    // Lengths beyond 8 and 16 bits.
    const std::string large(70000, 'L');
    text = large;
    EXPECT_EQ(text.size(), 70000u);
    EXPECT_EQ(text, large);
}

TEST(CompactText, AssignsAPartOfItself)
{
    TCompactText text;
    text = "ABCDEFGHIJ";
    text = text.View().substr(3, 4);
    EXPECT_EQ(text, "DEFG");
    const TCompactText& same = text;
    text = same;
    EXPECT_EQ(text, "DEFG");
}

TEST(CompactText, CopiesAreIndependentAndMovesLeaveTheSourceEmpty)
{
    TCompactText original("comment");
    TCompactText copy(original);
    copy = "changed";
    EXPECT_EQ(original, "comment");

    TCompactText assigned;
    assigned = original;
    original.clear();
    EXPECT_EQ(assigned, "comment");

    TCompactText moved(std::move(assigned));
    EXPECT_EQ(moved, "comment");
    EXPECT_TRUE(assigned.empty()); // NOLINT(bugprone-use-after-move): moved-from is empty
}

TEST(CompactText, ComparesByContent)
{
    TCompactText a("SAL > 0");
    TCompactText b("SAL > 0");
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == std::string("SAL > 0"));
    EXPECT_FALSE(a == "SAL > 00");
    EXPECT_FALSE(a == TCompactText());
    EXPECT_TRUE(TCompactText() == TCompactText(""));
}

TEST(CompactText, AppendsToStringsAndStreams)
{
    std::string line = "DEFAULT ";
    line += TCompactText("'X'");
    EXPECT_EQ(line, "DEFAULT 'X'");

    std::ostringstream out;
    out << TCompactText("abc") << '|' << TCompactText();
    EXPECT_EQ(out.str(), "abc|");
}

} // namespace
} // namespace quorvex
