#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace quorvex {

// A parameter value: null, text or integer.
using TParamValue = std::variant<std::monostate, std::string, std::int64_t>;
// Parameter values by upper-case name (":0" is "0").
using TParamValues = std::map<std::string, TParamValue, std::less<>>;

// A statement as the program gives it to a connection.
struct TStatementRequest {
    std::string_view Sql;
    bool ParseParams = false;
    const TParamValues* Params = nullptr; // may be null: every parameter is null
};

// A statement ready for the database: every parameter is a "?" and Values holds one value per
// "?" in text order.
struct TBoundStatement {
    std::string Sql;
    std::vector<TParamValue> Values;
};

// The names of the parameters (":NAME", ":0") of a statement, upper-cased, in order of first
// appearance; quoted texts, quoted names and comments are skipped.
std::vector<std::string> ParameterNames(std::string_view sql);

// Replaces every parameter by "?" and looks its value up by name (missing ones are null).
// Without parsing the text is kept as it is, colons included.
TBoundStatement BindParameters(std::string_view sql, bool parseParams, const TParamValues* values);

} // namespace quorvex
