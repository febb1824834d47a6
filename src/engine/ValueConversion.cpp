#include "ValueConversion.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quorvex {

std::string FormatNumber(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // "%G" writes "1.5E+20" and "1E-05"; shown as "1.5E20" and "1E-5".
    const auto e = text.find('E');
    if (e == std::string::npos)
        return text;
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    const bool negative = !exponent.empty() && exponent[0] == '-';
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-'))
        exponent.erase(0, 1);
    exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
    return mantissa + "E" + (negative ? "-" : "") + exponent;
}

std::int64_t RoundToInteger(double value) noexcept
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::round(value);
    if (rounded >= 9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::max();
    if (rounded <= -9.2233720368547758e18)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(rounded);
}

double DayNumber(int year, int month, int day, int hour, int minute, double second) noexcept
{
    using namespace std::chrono;
    const sys_days date =
        year_month_day{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                       std::chrono::day{static_cast<unsigned>(day)}};
    const sys_days epoch = year_month_day{std::chrono::year{1899}, December, std::chrono::day{30}};
    const double days = static_cast<double>((date - epoch).count());
    return days + (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

std::string IsoTextFromDayNumber(double dayNumber)
{
    using namespace std::chrono;
    if (!std::isfinite(dayNumber) || std::fabs(dayNumber) > 3.0e6)
        return FormatNumber(dayNumber);
    // Whole seconds from the epoch; the time of day is the fraction above the day.
    const auto seconds = static_cast<long long>(std::llround(dayNumber * 86400.0));
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    const sys_days epoch = year_month_day{std::chrono::year{1899}, December, std::chrono::day{30}};
    const year_month_day date{epoch + std::chrono::days{days}};
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u %02lld:%02lld:%02lld",
                  static_cast<int>(date.year()), static_cast<unsigned>(date.month()),
                  static_cast<unsigned>(date.day()), rest / 3600, rest / 60 % 60, rest % 60);
    return buffer;
}

std::optional<double> DayNumberFromIsoText(std::string_view text) noexcept
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    double second = 0;
    const auto digits = [&](size_t at, size_t count, int& out) {
        if (at + count > text.size())
            return false;
        out = 0;
        for (size_t k = at; k < at + count; ++k) {
            if (text[k] < '0' || text[k] > '9')
                return false;
            out = out * 10 + (text[k] - '0');
        }
        return true;
    };
    if (!digits(0, 4, year) || text.size() < 10 || text[4] != '-' || !digits(5, 2, month) ||
        text[7] != '-' || !digits(8, 2, day))
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > 31)
        return std::nullopt;
    if (text.size() > 10) {
        if ((text[10] != ' ' && text[10] != 'T') || !digits(11, 2, hour) || text.size() < 16 ||
            text[13] != ':' || !digits(14, 2, minute))
            return std::nullopt;
        if (text.size() > 16) {
            int whole = 0;
            if (text[16] != ':' || !digits(17, 2, whole))
                return std::nullopt;
            second = whole;
            if (text.size() > 19) {
                if (text[19] != '.')
                    return std::nullopt;
                double scale = 0.1;
                for (size_t k = 20; k < text.size(); ++k, scale /= 10) {
                    if (text[k] < '0' || text[k] > '9')
                        return std::nullopt;
                    second += (text[k] - '0') * scale;
                }
            }
        }
    }
    return DayNumber(year, month, day, hour, minute, second);
}

} // namespace quorvex
