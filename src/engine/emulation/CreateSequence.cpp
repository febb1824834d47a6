#include "engine/emulation/CreateSequence.h"

#include "persistence/Exceptions.h"

#include <cstdio>
#include <cstdlib>

namespace quorvex::emulation {

namespace {

// A signed number at `k` (one or two tokens); moves past it.
long double ReadNumber(const TStatementTokens& t, size_t& k)
{
    std::string text;
    if (t.IsSymbol(k, "-") || t.IsSymbol(k, "+"))
        text = std::string(t[k++].Text);
    if (k >= t.Size() || t[k].Kind != sql::TTokenKind::Number)
        throw Exception("ORA-01722: invalid number");
    text += t[k++].Text;
    return std::strtold(text.c_str(), nullptr);
}

// Limits such as Oracle's 28 nines do not fit 64 bits: they go as text.
TParamValue Param(const std::optional<long double>& value)
{
    if (!value)
        return {};
    if (*value > -9.2e18L && *value < 9.2e18L)
        return static_cast<std::int64_t>(*value);
    char text[64];
    std::snprintf(text, sizeof text, "%.0Lf", *value);
    return std::string(text);
}

} // namespace

void EmulateCreateSequence(const TEmulationContext& context, std::string_view sql)
{
    const TStatementTokens t(sql);
    size_t k = 2;
    const auto name = ReadObjectName(t, k);
    if (!name)
        throw Exception("ORA-02277: invalid sequence name");
    std::optional<long double> start;
    long double increment = 1;
    std::optional<long double> minValue;
    std::optional<long double> maxValue;
    bool cycle = false;
    bool order = false;
    std::optional<long double> cache = 20;
    while (k < t.Size()) {
        const auto is = [&](std::string_view word) { return t.IsKeyword(k, word); };
        if (is("START") && t.IsKeyword(k + 1, "WITH")) {
            k += 2;
            start = ReadNumber(t, k);
        } else if (is("INCREMENT") && t.IsKeyword(k + 1, "BY")) {
            k += 2;
            increment = ReadNumber(t, k);
        } else if (is("MINVALUE") || is("MAXVALUE") || is("CACHE")) {
            auto& target = is("MINVALUE") ? minValue : is("MAXVALUE") ? maxValue : cache;
            ++k;
            target = ReadNumber(t, k);
        } else if (is("NOMINVALUE") || is("NOMAXVALUE") || is("NOCACHE")) {
            (is("NOMINVALUE") ? minValue : is("NOMAXVALUE") ? maxValue : cache).reset();
            ++k;
        } else if (is("CYCLE") || is("NOCYCLE")) {
            cycle = is("CYCLE");
            ++k;
        } else if (is("ORDER") || is("NOORDER")) {
            order = is("ORDER");
            ++k;
        } else if (is("KEEP") || is("NOKEEP") || is("SCALE") || is("NOSCALE") || is("SESSION") ||
                   is("GLOBAL") || is("SHARD") || is("NOSHARD") || is("EXTEND") || is("NOEXTEND")) {
            ++k;
        } else {
            throw Exception("ORA-00933: SQL command not properly ended");
        }
    }
    if (increment == 0)
        throw Exception("ORA-04002: INCREMENT must be a non-zero integer");
    if (minValue && maxValue && *minValue >= *maxValue)
        throw Exception("ORA-04004: MINVALUE must be less than MAXVALUE");
    const long double first =
        start.value_or(increment > 0 ? minValue.value_or(1) : maxValue.value_or(-1));
    if (minValue && first < *minValue)
        throw Exception("ORA-04006: START WITH cannot be less than MINVALUE");
    if (maxValue && first > *maxValue)
        throw Exception("ORA-04008: START WITH cannot be more than MAXVALUE");
    if (cache && *cache < 2)
        throw Exception("ORA-04010: the number of values to CACHE must be greater than 1");

    TDictionary& dictionary = context.Dictionary;
    const std::int64_t ownerNo = dictionary.UserNo(dictionary.OwnerOf(*name));
    if (dictionary.NameUsed(ownerNo, name->Name, object_types::kSequence))
        throw Exception("ORA-00955: name is already used by an existing object");
    TSavepoint savepoint(context.Db());
    const std::int64_t objNo =
        dictionary.AddObject(ownerNo, name->Name, object_types::kSequence, 1);
    TParamValue cycleValue;
    TParamValue orderValue;
    if (cycle)
        cycleValue = std::int64_t{1};
    if (order)
        orderValue = std::int64_t{1};
    RunStatement(context.Db(),
                 R"(INSERT INTO SYS."SEQ$" ("OBJ#", "INCREMENT$", "MINVALUE", "MAXVALUE",
                        "CYCLE#", "ORDER$", "CACHE", "HIGHWATER")
                    VALUES (?, ?, ?, ?, ?, ?, ?, ?))",
                 {objNo, Param(increment), Param(minValue), Param(maxValue), cycleValue, orderValue,
                  Param(cache), Param(first)});
    savepoint.Release();
}

} // namespace quorvex::emulation
