#include "engine/emulation/OracleFunctions.h"

#include "engine/emulation/ConversionFunctions.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <sqlite3.h>
#include <string>
#include <string_view>

namespace quorvex::emulation {

namespace {

// Null, or an empty text, which Oracle does not tell apart from null.
bool IsOracleNull(sqlite3_value* value)
{
    const int type = sqlite3_value_type(value);
    return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_value_bytes(value) == 0);
}

std::string_view TextOf(sqlite3_value* value)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return text == nullptr
               ? std::string_view()
               : std::string_view(text, static_cast<size_t>(sqlite3_value_bytes(value)));
}

// The number a value stands for: numbers as they are, texts only when they hold nothing else.
std::optional<double> NumberOf(sqlite3_value* value)
{
    switch (sqlite3_value_type(value)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(value);
    case SQLITE_TEXT: {
        const std::string text(TextOf(value));
        char* end = nullptr;
        const double number = std::strtod(text.c_str(), &end);
        while (end != nullptr && (*end == ' ' || *end == '\t'))
            ++end;
        if (text.empty() || end == nullptr || *end != '\0')
            return std::nullopt;
        return number;
    }
    default:
        return std::nullopt;
    }
}

bool DecodeEqual(sqlite3_value* a, sqlite3_value* b)
{
    const bool aNull = IsOracleNull(a);
    const bool bNull = IsOracleNull(b);
    if (aNull || bNull)
        return aNull && bNull;
    const bool aNumber =
        sqlite3_value_type(a) == SQLITE_INTEGER || sqlite3_value_type(a) == SQLITE_FLOAT;
    const bool bNumber =
        sqlite3_value_type(b) == SQLITE_INTEGER || sqlite3_value_type(b) == SQLITE_FLOAT;
    if (aNumber || bNumber) {
        const auto x = NumberOf(a);
        const auto y = NumberOf(b);
        return x && y && *x == *y;
    }
    return TextOf(a) == TextOf(b);
}

void Decode(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    if (argc < 3) {
        sqlite3_result_error(context, "ORA-00938: not enough arguments for function", -1);
        return;
    }
    int k = 1;
    for (; k + 1 < argc; k += 2) {
        if (DecodeEqual(argv[0], argv[k])) {
            sqlite3_result_value(context, argv[k + 1]);
            return;
        }
    }
    if (k < argc)
        sqlite3_result_value(context, argv[k]);
    else
        sqlite3_result_null(context);
}

void Nvl(sqlite3_context* context, int /*argc*/, sqlite3_value** argv)
{
    sqlite3_result_value(context, IsOracleNull(argv[0]) ? argv[1] : argv[0]);
}

// The byte length of the first `count` UTF-8 characters of text (all of it when shorter).
size_t PrefixBytes(std::string_view text, size_t count)
{
    size_t bytes = 0;
    for (size_t chars = 0; bytes < text.size() && chars < count; ++chars) {
        ++bytes;
        while (bytes < text.size() && (static_cast<unsigned char>(text[bytes]) & 0xC0) == 0x80)
            ++bytes;
    }
    return bytes;
}

size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

void Pad(sqlite3_context* context, int argc, sqlite3_value** argv, bool left)
{
    if (IsOracleNull(argv[0]) || IsOracleNull(argv[1]) || (argc > 2 && IsOracleNull(argv[2]))) {
        sqlite3_result_null(context);
        return;
    }
    const double requested = sqlite3_value_double(argv[1]);
    if (!(requested >= 1)) {
        sqlite3_result_null(context);
        return;
    }
    // Oracle truncates a fractional width; a huge one is capped by SQLite's own text limit.
    const size_t width = static_cast<size_t>(std::min(std::trunc(requested), 1e9));
    const std::string text(TextOf(argv[0]));
    const std::string pad = argc > 2 ? std::string(TextOf(argv[2])) : std::string(" ");
    const size_t length = CharacterCount(text);
    std::string result;
    if (length >= width) {
        result = text.substr(0, PrefixBytes(text, width));
    } else {
        std::string filler;
        const size_t padLength = CharacterCount(pad);
        for (size_t missing = width - length; missing > 0;) {
            const size_t take = std::min(missing, padLength);
            filler += pad.substr(0, PrefixBytes(pad, take));
            missing -= take;
        }
        result = left ? filler + text : text + filler;
    }
    sqlite3_result_text64(context, result.data(), result.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void Lpad(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    Pad(context, argc, argv, true);
}

void Rpad(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    Pad(context, argc, argv, false);
}

using TFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

// QUORVEX_CANNOT_RUN(message): fails with the message; the query of a view the engine keeps but
// cannot run reads it, so reading the view says why.
void CannotRun(sqlite3_context* context, int, sqlite3_value** argv)
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    sqlite3_result_error(context, text != nullptr ? text : "", -1);
}

void Register(sqlite3* db, const char* name, int argc, TFunction function)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    if (sqlite3_create_function_v2(db, name, argc, flags, nullptr, function, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw Exception(sqlite3_errmsg(db));
}

} // namespace

void RegisterOracleFunctions(sqlite3* db)
{
    Register(db, "DECODE", -1, &Decode);
    Register(db, "NVL", 2, &Nvl);
    Register(db, "LPAD", 2, &Lpad);
    Register(db, "LPAD", 3, &Lpad);
    Register(db, "RPAD", 2, &Rpad);
    Register(db, "RPAD", 3, &Rpad);
    Register(db, "QUORVEX_CANNOT_RUN", 1, &CannotRun);
    RegisterConversionFunctions(db);
}

} // namespace quorvex::emulation
