#include "StatementParams.h"

#include "engine/sql/SqlTokenizer.h"

#include <algorithm>

namespace quorvex {
namespace {

// The upper-case name of a parameter token; empty for an anonymous "?".
std::string ParameterName(const sql::TToken& token)
{
    return token.Text.size() > 1 ? sql::ToUpper(token.Text.substr(1)) : std::string();
}

} // namespace

std::vector<std::string> ParameterNames(std::string_view sql)
{
    std::vector<std::string> names;
    for (const auto& token : sql::Tokenize(sql)) {
        if (token.Kind != sql::TTokenKind::Parameter || token.Text.size() < 2)
            continue;
        std::string name = ParameterName(token);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(std::move(name));
    }
    return names;
}

TBoundStatement BindParameters(std::string_view sql, bool parseParams, const TParamValues* values)
{
    TBoundStatement bound;
    if (!parseParams) {
        bound.Sql = sql;
        return bound;
    }
    bound.Sql.reserve(sql.size());
    for (const auto& token : sql::Tokenize(sql)) {
        if (token.Kind != sql::TTokenKind::Parameter) {
            bound.Sql += token.Text;
            continue;
        }
        bound.Sql += '?';
        TParamValue value;
        if (values != nullptr) {
            if (const auto found = values->find(ParameterName(token)); found != values->end())
                value = found->second;
        }
        bound.Values.push_back(std::move(value));
    }
    return bound;
}

} // namespace quorvex
