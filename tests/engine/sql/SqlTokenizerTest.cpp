#include "engine/sql/SqlTokenizer.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace quorvex::sql {
namespace {

using TExpected = std::vector<std::pair<TTokenKind, std::string>>;

constexpr TTokenKind W = TTokenKind::Word;
constexpr TTokenKind Q = TTokenKind::QuotedName;
constexpr TTokenKind S = TTokenKind::String;
constexpr TTokenKind N = TTokenKind::Number;
constexpr TTokenKind P = TTokenKind::Parameter;
constexpr TTokenKind Y = TTokenKind::Symbol;
constexpr TTokenKind C = TTokenKind::Comment;
constexpr TTokenKind B = TTokenKind::Whitespace;

struct TTokenCase {
    std::string Sql;
    TExpected Tokens;
};

TExpected KindsAndTexts(const std::vector<TToken>& tokens)
{
    TExpected result;
    for (const TToken& token : tokens) {
        result.emplace_back(token.Kind, std::string(token.Text));
    }
    return result;
}

void PrintTo(const TTokenCase& value, std::ostream* out)
{
    *out << value.Sql;
}

class TokenizeCases : public ::testing::TestWithParam<TTokenCase> {};

TEST_P(TokenizeCases, GivesKindsAndTexts)
{
    EXPECT_EQ(KindsAndTexts(Tokenize(GetParam().Sql)), GetParam().Tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Tokenizer, TokenizeCases,
    ::testing::Values(
        TTokenCase{"", {}},
        TTokenCase{"SELECT a FROM t",
                   {{W, "SELECT"}, {B, " "}, {W, "a"}, {B, " "}, {W, "FROM"}, {B, " "}, {W, "t"}}},
        TTokenCase{"SYS.OBJ$", {{W, "SYS"}, {Y, "."}, {W, "OBJ$"}}},
        TTokenCase{"USER#=1", {{W, "USER#"}, {Y, "="}, {N, "1"}}},
        TTokenCase{"_x1$#", {{W, "_x1$#"}}},
        TTokenCase{"\"OBJ#\".\"a\"\"b\"", {{Q, "\"OBJ#\""}, {Y, "."}, {Q, "\"a\"\"b\""}}},
        TTokenCase{"'it''s' 'x'", {{S, "'it''s'"}, {B, " "}, {S, "'x'"}}},
        TTokenCase{"'a\"b' \"c'd\"", {{S, "'a\"b'"}, {B, " "}, {Q, "\"c'd\""}}},
        TTokenCase{"-- note\r\nx", {{C, "-- note"}, {B, "\r\n"}, {W, "x"}}},
        TTokenCase{"a--b", {{W, "a"}, {C, "--b"}}},
        TTokenCase{"SELECT /*+RULE*/ 1",
                   {{W, "SELECT"}, {B, " "}, {C, "/*+RULE*/"}, {B, " "}, {N, "1"}}},
        TTokenCase{"/* a ' \" -- */b", {{C, "/* a ' \" -- */"}, {W, "b"}}},
        TTokenCase{":USER_NO :0 ?", {{P, ":USER_NO"}, {B, " "}, {P, ":0"}, {B, " "}, {P, "?"}}},
        TTokenCase{"x:=1", {{W, "x"}, {Y, ":="}, {N, "1"}}},
        TTokenCase{"a||b<>c<=d>=e!=f=>g",
                   {{W, "a"},
                    {Y, "||"},
                    {W, "b"},
                    {Y, "<>"},
                    {W, "c"},
                    {Y, "<="},
                    {W, "d"},
                    {Y, ">="},
                    {W, "e"},
                    {Y, "!="},
                    {W, "f"},
                    {Y, "=>"},
                    {W, "g"}}},
        TTokenCase{"12 1.5e-3 .5 3E2x",
                   {{N, "12"},
                    {B, " "},
                    {N, "1.5e-3"},
                    {B, " "},
                    {N, ".5"},
                    {B, " "},
                    {N, "3E2"},
                    {W, "x"}}},
        TTokenCase{"1e", {{N, "1"}, {W, "e"}}},
        TTokenCase{"c.x(+)", {{W, "c"}, {Y, "."}, {W, "x"}, {Y, "("}, {Y, "+"}, {Y, ")"}}},
        TTokenCase{"a-b/c", {{W, "a"}, {Y, "-"}, {W, "b"}, {Y, "/"}, {W, "c"}}},
        TTokenCase{"K\xC3\x84SE", {{W, "K\xC3\x84SE"}}}, TTokenCase{"'open", {{S, "'open"}}},
        TTokenCase{"\"open", {{Q, "\"open"}}},
        TTokenCase{"x /* open", {{W, "x"}, {B, " "}, {C, "/* open"}}},
        TTokenCase{"'a''", {{S, "'a''"}}}, TTokenCase{":", {{Y, ":"}}}));

// The token texts joined give the input back and the positions point at the texts.
TEST(Tokenizer, CoversTheInputExactly)
{
    const std::vector<std::string> inputs = {
        "SELECT /*+RULE*/ o.\"NAME\" FROM SYS.OBJ$ o -- c\nWHERE o.OBJ# = :0(+)",
        "'unterminated \"x\" -- /*",
        "\"open /* 'x'",
        "/* never closed",
        std::string("\0a\x01\xff", 4),
        "\t\r\n  ",
        "@@ ~ ` \\ ; ,"};
    for (const std::string& input : inputs) {
        std::string joined;
        for (const TToken& token : Tokenize(input)) {
            EXPECT_FALSE(token.Text.empty()) << input;
            EXPECT_EQ(token.Position, joined.size()) << input;
            EXPECT_EQ(input.substr(token.Position, token.Text.size()), token.Text);
            joined += token.Text;
        }
        EXPECT_EQ(joined, input);
    }
}

TEST(Tokenizer, HelpersJudgeTokens)
{
    const std::vector<TToken> tokens = Tokenize("select \"SELECT\" obj$ \"a\"\"b\" -- x\n'y'");
    ASSERT_EQ(tokens.size(), 11u);
    EXPECT_TRUE(IsKeyword(tokens[0], "SELECT"));
    EXPECT_FALSE(IsKeyword(tokens[0], "SELEC"));
    EXPECT_FALSE(IsKeyword(tokens[2], "SELECT")); // quoted: a name, not a keyword
    EXPECT_EQ(NameOf(tokens[0]), "SELECT");
    EXPECT_EQ(NameOf(tokens[2]), "SELECT");
    EXPECT_EQ(NameOf(tokens[4]), "OBJ$");
    EXPECT_EQ(NameOf(tokens[6]), "a\"b");
    EXPECT_EQ(NameOf(tokens[10]), "'y'");
    EXPECT_TRUE(IsSignificant(tokens[0]));
    EXPECT_FALSE(IsSignificant(tokens[1]));
    EXPECT_FALSE(IsSignificant(tokens[8]));
    EXPECT_TRUE(IsSymbol(Tokenize("||")[0], "||"));
    EXPECT_FALSE(IsSymbol(tokens[0], "select"));
    EXPECT_EQ(ToUpper("abc$#\xC3\xA4"), "ABC$#\xC3\xA4");
}

} // namespace
} // namespace quorvex::sql
