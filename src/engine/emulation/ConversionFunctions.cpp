#include "engine/emulation/ConversionFunctions.h"

#include "engine/emulation/DateFormat.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <sqlite3.h>
#include <string>

namespace quorvex::emulation {

namespace {

std::optional<std::string> TextOf(sqlite3_value* value)
{
    if (sqlite3_value_type(value) == SQLITE_NULL)
        return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    std::string result(text == nullptr ? "" : text,
                       static_cast<size_t>(sqlite3_value_bytes(value)));
    if (result.empty())
        return std::nullopt; // Oracle's empty text is null
    return result;
}

void ResultText(sqlite3_context* context, const std::string& text)
{
    sqlite3_result_text64(context, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// A number written as Oracle does without a model: no trailing zeros, no leading zero.
std::string PlainNumber(double value)
{
    if (value == std::trunc(value) && std::fabs(value) < 1e15)
        return std::to_string(static_cast<long long>(value));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    if (text.starts_with("0."))
        text.erase(0, 1);
    else if (text.starts_with("-0."))
        text.erase(1, 1);
    return text;
}

// The number a text holds, group separators and a leading $ left out when a model is given.
double ParseNumber(std::string text, bool model)
{
    if (model) {
        std::string kept;
        for (const char c : text)
            if (c != ',' && c != '$')
                kept += c;
        text = kept;
    }
    const size_t first = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    text = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || end == nullptr || *end != '\0' || !std::isfinite(value))
        throw Exception("ORA-01722: invalid number");
    return value;
}

// The number written by a model of 9, 0, . or D, , or G, a leading $ and FM.
std::string FormatNumber(double value, const std::string& format)
{
    std::string model = sql::ToUpper(format);
    bool fill = true;
    if (model.starts_with("FM")) {
        fill = false;
        model.erase(0, 2);
    }
    const bool dollar = model.starts_with("$");
    if (dollar)
        model.erase(0, 1);
    const size_t point = model.find_first_of(".D");
    const std::string whole = model.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : model.substr(point + 1);
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(fraction.size()),
                  std::fabs(value));
    const std::string digits = buffer;
    const size_t dot = digits.find('.');
    std::string integer = digits.substr(0, dot);
    const std::string decimals = dot == std::string::npos ? "" : digits.substr(dot + 1);
    size_t slots = 0;
    for (const char c : whole)
        slots += c == '9' || c == '0' ? 1 : 0;
    if (integer == "0" && whole.find('0') == std::string::npos && !fraction.empty())
        integer.clear();
    if (integer.size() > slots)
        return std::string(model.size() + 2, '#');
    // Digits fill the model from the right; a 0 slot forces a digit from there on.
    std::string text;
    size_t next = integer.size();
    bool started = false;
    const size_t firstZero = whole.find('0');
    for (size_t k = whole.size(); k-- > 0;) {
        const char c = whole[k];
        if (c == '9' || c == '0') {
            if (next > 0) {
                text.insert(text.begin(), integer[--next]);
            } else if (firstZero != std::string::npos && k >= firstZero) {
                text.insert(text.begin(), '0');
            } else {
                text.insert(text.begin(), ' ');
                continue;
            }
            started = true;
        } else if (c == ',' || c == 'G') {
            text.insert(text.begin(),
                        started && (next > 0 || (firstZero != std::string::npos && k > firstZero))
                            ? ','
                            : ' ');
        }
    }
    const size_t used = text.find_first_not_of(' ');
    const std::string sign = value < 0 ? "-" : (fill ? " " : "");
    std::string result = text.substr(0, used == std::string::npos ? text.size() : used) + sign +
                         (dollar ? "$" : "") +
                         text.substr(used == std::string::npos ? text.size() : used);
    if (point != std::string::npos)
        result += "." + decimals;
    if (!fill) {
        const size_t start = result.find_first_not_of(' ');
        result = start == std::string::npos ? std::string() : result.substr(start);
    }
    return result;
}

template <typename TBody>
void Guarded(sqlite3_context* context, TBody body)
{
    try {
        body();
    } catch (const std::exception& e) {
        sqlite3_result_error(context, e.what(), -1);
    }
}

void ToDate(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    Guarded(context, [&] {
        const auto text = TextOf(argv[0]);
        if (!text) {
            sqlite3_result_null(context);
            return;
        }
        const auto format = argc > 1 ? TextOf(argv[1]) : std::nullopt;
        ResultText(context, ParseDate(*text, format.value_or("")));
    });
}

void ToChar(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    Guarded(context, [&] {
        const int type = sqlite3_value_type(argv[0]);
        const auto format = argc > 1 ? TextOf(argv[1]) : std::nullopt;
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            const double value = sqlite3_value_double(argv[0]);
            ResultText(context, format ? FormatNumber(value, *format) : PlainNumber(value));
            return;
        }
        const auto text = TextOf(argv[0]);
        if (!text) {
            sqlite3_result_null(context);
        } else if (IsStoredDate(*text)) {
            ResultText(context, FormatDate(*text, format.value_or("")));
        } else if (format) {
            ResultText(context, FormatNumber(ParseNumber(*text, false), *format));
        } else {
            ResultText(context, *text);
        }
    });
}

void ToNumber(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    Guarded(context, [&] {
        const int type = sqlite3_value_type(argv[0]);
        if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
            sqlite3_result_value(context, argv[0]);
            return;
        }
        const auto text = TextOf(argv[0]);
        if (!text) {
            sqlite3_result_null(context);
            return;
        }
        const double value = ParseNumber(*text, argc > 1);
        if (value == std::trunc(value) && std::fabs(value) < 9e18)
            sqlite3_result_int64(context, static_cast<sqlite3_int64>(value));
        else
            sqlite3_result_double(context, value);
    });
}

using TFunction = void (*)(sqlite3_context*, int, sqlite3_value**);

void Register(sqlite3* db, const char* name, int argc, TFunction function, bool deterministic)
{
    const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (deterministic ? SQLITE_DETERMINISTIC : 0);
    if (sqlite3_create_function_v2(db, name, argc, flags, nullptr, function, nullptr, nullptr,
                                   nullptr) != SQLITE_OK)
        throw Exception(sqlite3_errmsg(db));
}

} // namespace

void RegisterConversionFunctions(sqlite3* db)
{
    // TO_DATE without a year or month takes the current ones, so it is not deterministic.
    Register(db, "TO_DATE", 1, &ToDate, false);
    Register(db, "TO_DATE", 2, &ToDate, false);
    Register(db, "TO_CHAR", 1, &ToChar, true);
    Register(db, "TO_CHAR", 2, &ToChar, true);
    Register(db, "TO_NUMBER", 1, &ToNumber, true);
    Register(db, "TO_NUMBER", 2, &ToNumber, true);
}

} // namespace quorvex::emulation
