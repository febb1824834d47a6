#include "cli/CommandLine.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorvex {
namespace {

constexpr TOptionSpec kOptions[] = {
    {"-o", "--output", "FILE", "report file"},
    {"", "--db", "", "a flag"},
};

TArguments Parse(const std::vector<std::string>& args)
{
    return ParseArguments(args, kOptions);
}

std::string UsageMessage(const std::vector<std::string>& args)
{
    try {
        Parse(args);
    } catch (const EUsage& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(CommandLine, OperandsKeepTheirOrderAroundOptions)
{
    const TArguments parsed = Parse({"a.OBJ", "-o", "r.TXT", "b.OBJ"});
    EXPECT_EQ(parsed.Operands, (std::vector<std::string>{"a.OBJ", "b.OBJ"}));
    ASSERT_NE(parsed.Value("--output"), nullptr);
    EXPECT_EQ(*parsed.Value("--output"), "r.TXT");
    EXPECT_FALSE(parsed.Has("--db"));
    EXPECT_EQ(parsed.Value("--db"), nullptr);
}

TEST(CommandLine, LongSpellingsAndFlags)
{
    const TArguments separate = Parse({"--output", "r.TXT", "--db", "x"});
    EXPECT_EQ(*separate.Value("--output"), "r.TXT");
    EXPECT_TRUE(separate.Has("--db"));
    EXPECT_EQ(*separate.Value("--db"), "");
    EXPECT_EQ(separate.Operands, (std::vector<std::string>{"x"}));

    // Only the first "=" separates; the value may contain more.
    const TArguments joined = Parse({"--output=a=b.TXT"});
    EXPECT_EQ(*joined.Value("--output"), "a=b.TXT");
    EXPECT_TRUE(joined.Operands.empty());
}

TEST(CommandLine, DoubleDashAndLoneDashAreOperands)
{
    const TArguments parsed = Parse({"-", "--", "-o", "--db"});
    EXPECT_EQ(parsed.Operands, (std::vector<std::string>{"-", "-o", "--db"}));
    EXPECT_TRUE(parsed.Options.empty());
}

TEST(CommandLine, WrongOptionsAreUsageErrors)
{
    EXPECT_EQ(UsageMessage({"-q"}), "unknown option -q");
    EXPECT_EQ(UsageMessage({"--outputs=x"}), "unknown option --outputs");
    EXPECT_EQ(UsageMessage({"a", "-o"}), "option -o needs a FILE");
    EXPECT_EQ(UsageMessage({"-o", "--db"}), "option -o needs a FILE");
    EXPECT_EQ(UsageMessage({"--output="}), "option --output needs a FILE");
    EXPECT_EQ(UsageMessage({"-o", ""}), "option -o needs a FILE");
    EXPECT_EQ(UsageMessage({"-o", "a", "--output", "b"}), "option --output given twice");
    EXPECT_EQ(UsageMessage({"--db=yes"}), "option --db takes no value");
    // A short option is never split at "=".
    EXPECT_EQ(UsageMessage({"-o=x"}), "unknown option -o=x");
}

} // namespace
} // namespace quorvex
