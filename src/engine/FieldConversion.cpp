#include "FieldConversion.h"

#include "EngineMessages.h"
#include "ValueConversion.h"
#include "persistence/Exceptions.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace quorvex {
namespace {

using TKind = TFieldValue::TKind;

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

template <typename T>
std::optional<T> Parse(std::string_view text)
{
    T value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// Nothing when the text is not a decimal number.
std::optional<double> NumberOfText(std::string_view text)
{
    text = Trim(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    const auto number = Parse<double>(text);
    // from_chars also reads "inf" and "nan", which are no database numbers.
    if (!number || !std::isfinite(*number))
        return std::nullopt;
    return number;
}

} // namespace

std::string FieldAsText(const TFieldValue& value)
{
    switch (value.Kind) {
    case TKind::Null:
        return {};
    case TKind::Integer:
        return FormatNumber(static_cast<double>(value.Integer));
    case TKind::Real:
        return FormatNumber(value.Real);
    case TKind::Text:
        return std::string(value.Text);
    case TKind::DateTime:
        return IsoTextFromDayNumber(value.Real);
    }
    return {};
}

std::int64_t FieldAsInteger(const TFieldValue& value)
{
    switch (value.Kind) {
    case TKind::Null:
        return 0;
    case TKind::Integer:
        return value.Integer;
    case TKind::Real:
    case TKind::DateTime:
        return RoundToInteger(value.Real);
    case TKind::Text: {
        const std::string_view text = Trim(value.Text);
        if (text.empty())
            return 0;
        // Whole numbers exactly, beyond the 53 bits a double holds.
        if (const auto whole = Parse<std::int64_t>(text.front() == '+' ? text.substr(1) : text))
            return *whole;
        if (const auto number = NumberOfText(text))
            return RoundToInteger(*number);
        throw Exception(messages::NotAnInteger(std::string(value.Text)));
    }
    }
    return 0;
}

double FieldAsFloat(const TFieldValue& value)
{
    switch (value.Kind) {
    case TKind::Null:
        return 0;
    case TKind::Integer:
        return static_cast<double>(value.Integer);
    case TKind::Real:
    case TKind::DateTime:
        return value.Real;
    case TKind::Text:
        if (Trim(value.Text).empty())
            return 0;
        if (const auto number = NumberOfText(value.Text))
            return *number;
        throw Exception(messages::NotAFloat(std::string(value.Text)));
    }
    return 0;
}

double FieldAsDateTime(const TFieldValue& value)
{
    if (value.Kind != TKind::Text)
        return FieldAsFloat(value);
    const std::string_view text = Trim(value.Text);
    if (text.empty())
        return 0;
    if (const auto day = DayNumberFromIsoText(text))
        return *day;
    if (const auto number = NumberOfText(text))
        return *number;
    throw Exception(messages::NotADateTime(std::string(value.Text)));
}

} // namespace quorvex
