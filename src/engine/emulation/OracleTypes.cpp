#include "engine/emulation/OracleTypes.h"

#include "engine/sql/SqlTokenizer.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace quorvex::emulation {

namespace {

// "VARCHAR2 ( 30 BYTE )" → name "VARCHAR2", arguments {30}; the name's words joined by one
// blank.
struct TDeclaredType {
    std::string Name;
    std::vector<std::optional<int>> Arguments; // nullopt for "*"
};

TDeclaredType Split(std::string_view declared)
{
    TDeclaredType type;
    const std::string upper = sql::ToUpper(declared);
    const size_t open = upper.find('(');
    std::string_view name = std::string_view(upper).substr(0, open);
    for (size_t k = 0; k < name.size();) {
        while (k < name.size() && name[k] == ' ')
            ++k;
        const size_t end = std::min(name.find(' ', k), name.size());
        if (end > k)
            type.Name += (type.Name.empty() ? "" : " ") + std::string(name.substr(k, end - k));
        k = end;
    }
    if (open == std::string::npos)
        return type;
    const size_t close = upper.find(')', open);
    std::string_view inside = std::string_view(upper).substr(open + 1, close - open - 1);
    while (!inside.empty()) {
        const size_t comma = inside.find(',');
        const std::string part(inside.substr(0, comma));
        const size_t digit = part.find_first_of("-0123456789");
        if (digit != std::string::npos)
            type.Arguments.emplace_back(std::atoi(part.c_str() + digit));
        else
            type.Arguments.emplace_back(std::nullopt);
        if (comma == std::string_view::npos)
            break;
        inside.remove_prefix(comma + 1);
    }
    return type;
}

std::optional<int> Argument(const TDeclaredType& type, size_t index)
{
    return index < type.Arguments.size() ? type.Arguments[index] : std::nullopt;
}

bool Is(const std::string& name, std::initializer_list<std::string_view> names)
{
    for (std::string_view candidate : names)
        if (name == candidate)
            return true;
    return false;
}

} // namespace

TOracleColumnType OracleColumnType(std::string_view declared)
{
    const TDeclaredType type = Split(declared);
    const std::string& name = type.Name;
    const auto first = Argument(type, 0);
    const auto second = Argument(type, 1);
    if (Is(name, {"VARCHAR2", "VARCHAR", "CHARACTER VARYING", "CHAR VARYING", "TEXT"}))
        return {1, first.value_or(4000), {}, {}, 0};
    if (Is(name, {"NVARCHAR2", "NCHAR VARYING", "NATIONAL CHARACTER VARYING"}))
        return {1, 2 * first.value_or(2000), {}, {}, 2};
    if (Is(name, {"CHAR", "CHARACTER"}))
        return {96, first.value_or(1), {}, {}, 0};
    if (Is(name, {"NCHAR", "NATIONAL CHARACTER", "NATIONAL CHAR"}))
        return {96, 2 * first.value_or(1), {}, {}, 2};
    if (name == "NUMBER") {
        if (!first)
            return {2, 22, {}, second, 0}; // NUMBER, or NUMBER(*,s)
        return {2, 22, first, second.value_or(0), 0};
    }
    if (Is(name, {"NUMERIC", "DECIMAL", "DEC", "INTEGER", "INT", "SMALLINT", "NUM", "BIGINT"})) {
        if (!first)
            return {2, 22, {}, 0, 0};
        return {2, 22, first, second.value_or(0), 0};
    }
    if (name == "FLOAT")
        return {2, 22, first.value_or(126), {}, 0};
    if (name == "REAL")
        return {2, 22, 63, {}, 0};
    if (Is(name, {"DOUBLE PRECISION", "DOUBLE"}))
        return {2, 22, 126, {}, 0};
    if (name == "DATE")
        return {12, 7, {}, {}, 0};
    if (name == "LONG")
        return {8, 0, {}, {}, 0};
    if (name == "LONG RAW")
        return {24, 0, {}, {}, 0};
    if (name == "RAW")
        return {23, first.value_or(2000), {}, {}, 0};
    if (name == "CLOB")
        return {112, 4000, {}, {}, 0};
    if (name == "NCLOB")
        return {112, 4000, {}, {}, 2};
    if (name == "BLOB")
        return {113, 4000, {}, {}, 0};
    if (name == "BFILE")
        return {114, 530, {}, {}, 0};
    if (name == "BINARY_FLOAT")
        return {100, 4, {}, {}, 0};
    if (name == "BINARY_DOUBLE")
        return {101, 8, {}, {}, 0};
    if (name == "ROWID")
        return {69, 10, {}, {}, 0};
    if (name == "TIMESTAMP")
        return {180, 11, {}, first.value_or(6), 0};
    if (name == "TIMESTAMP WITH TIME ZONE")
        return {181, 13, {}, first.value_or(6), 0};
    if (name == "TIMESTAMP WITH LOCAL TIME ZONE")
        return {231, 11, {}, first.value_or(6), 0};
    return {};
}

} // namespace quorvex::emulation
