#include "engine/sql/SqliteTranslator.h"

#include "engine/sql/OuterJoinRewriter.h"
#include "engine/sql/SqlTokenizer.h"

#include <vector>

namespace quorvex::sql {

namespace {

bool NeedsQuotes(const TToken& token)
{
    return token.Kind == TTokenKind::Word &&
           token.Text.find_first_of("$#") != std::string_view::npos;
}

// The significant token before or after index i, if it is a dot (a qualified name part).
bool NextToDot(const std::vector<TToken>& tokens, size_t i)
{
    for (size_t k = i; k-- > 0;) {
        if (IsSignificant(tokens[k])) {
            if (IsSymbol(tokens[k], ".")) {
                return true;
            }
            break;
        }
    }
    for (size_t k = i + 1; k < tokens.size(); ++k) {
        if (IsSignificant(tokens[k])) {
            return IsSymbol(tokens[k], ".");
        }
    }
    return false;
}

// The next significant token after index i, or tokens.size().
size_t NextSignificant(const std::vector<TToken>& tokens, size_t i)
{
    for (size_t k = i + 1; k < tokens.size(); ++k)
        if (IsSignificant(tokens[k]))
            return k;
    return tokens.size();
}

} // namespace

std::string TranslateForSqlite(std::string_view oracleSql)
{
    const std::string joined = RewriteOuterJoins(oracleSql);
    const std::vector<TToken> tokens = Tokenize(joined);
    std::string result;
    result.reserve(joined.size() + 32);
    for (size_t i = 0; i < tokens.size(); ++i) {
        const TToken& token = tokens[i];
        if (NeedsQuotes(token)) {
            result += '"' + ToUpper(token.Text) + '"';
        } else if (IsKeyword(token, "SYSDATE") && !NextToDot(tokens, i)) {
            result += "datetime('now','localtime')";
        } else if (const size_t next = NextSignificant(tokens, i);
                   IsKeyword(token, "DATE") && next < tokens.size() &&
                   tokens[next].Kind == TTokenKind::String && tokens[next].Text.size() == 12) {
            // DATE 'YYYY-MM-DD' is the stored date text at midnight.
            result += std::string(tokens[next].Text.substr(0, 11)) + " 00:00:00'";
            i = next;
        } else {
            result += token.Text;
        }
    }
    return result;
}

} // namespace quorvex::sql
