#include "engine/emulation/DateFormat.h"

#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <ctime>

namespace quorvex::emulation {

namespace {

constexpr std::array<const char*, 12> kMonths = {"JANUARY",   "FEBRUARY", "MARCH",    "APRIL",
                                                 "MAY",       "JUNE",     "JULY",     "AUGUST",
                                                 "SEPTEMBER", "OCTOBER",  "NOVEMBER", "DECEMBER"};
constexpr std::array<const char*, 7> kDays = {"SUNDAY",   "MONDAY", "TUESDAY", "WEDNESDAY",
                                              "THURSDAY", "FRIDAY", "SATURDAY"};

struct TDate {
    int Year = 0, Month = 0, Day = 0, Hour = 0, Minute = 0, Second = 0;
};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool IsLeap(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysIn(int year, int month)
{
    constexpr std::array<int, 12> kLengths = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kLengths[static_cast<size_t>(month - 1)];
}

// 0 for Sunday.
int Weekday(int year, int month, int day)
{
    constexpr std::array<int, 12> kOffsets = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + kOffsets[static_cast<size_t>(month - 1)] +
            day) %
           7;
}

// The format element at `at` (upper case), longest first; empty for a single other character.
std::string_view ElementAt(std::string_view upper, size_t at)
{
    constexpr std::array<std::string_view, 20> kElements = {
        "YYYY", "RRRR", "HH24", "HH12", "MONTH", "A.M.", "P.M.", "MON", "DAY", "YY",
        "RR",   "MM",   "DD",   "DY",   "HH",    "MI",   "SS",   "AM",  "PM",  "FM"};
    for (const std::string_view element : kElements)
        if (upper.substr(at, element.size()) == element)
            return element;
    return {};
}

TDate Today()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, 1, 0, 0, 0};
}

class TDateReader {
public:
    explicit TDateReader(std::string_view text)
        : m_text(text)
    {
    }

    TDate Read(std::string_view format)
    {
        TDate date = Today();
        bool pm = false;
        bool twelve = false;
        const std::string upper = sql::ToUpper(format);
        for (size_t at = 0; at < upper.size();) {
            const std::string_view element = ElementAt(upper, at);
            if (element.empty()) {
                if (upper[at] == '"') {
                    const size_t close = upper.find('"', at + 1);
                    const size_t length =
                        (close == std::string::npos ? upper.size() : close) - at - 1;
                    m_at = std::min(m_text.size(), m_at + length);
                    at = close == std::string::npos ? upper.size() : close + 1;
                    continue;
                }
                SkipSeparator();
                ++at;
                continue;
            }
            at += element.size();
            if (element == "YYYY" || element == "RRRR") {
                date.Year = Number(4);
            } else if (element == "YY" || element == "RR") {
                const int year = Number(2);
                date.Year = element == "RR" && year >= 50 ? 1900 + year : 2000 + year;
            } else if (element == "MM") {
                date.Month = Number(2);
            } else if (element == "MON" || element == "MONTH") {
                date.Month = MonthName();
            } else if (element == "DD") {
                date.Day = Number(2);
            } else if (element == "DY" || element == "DAY") {
                while (m_at < m_text.size() &&
                       std::isalpha(static_cast<unsigned char>(m_text[m_at])))
                    ++m_at;
            } else if (element == "HH" || element == "HH12") {
                date.Hour = Number(2);
                twelve = true;
            } else if (element == "HH24") {
                date.Hour = Number(2);
            } else if (element == "MI") {
                date.Minute = Number(2);
            } else if (element == "SS") {
                date.Second = Number(2);
            } else if (element != "FM") {
                pm = sql::ToUpper(m_text.substr(m_at, 1)) == "P";
                m_at = std::min(m_text.size(), m_at + element.size());
            }
        }
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
        if (m_at < m_text.size())
            throw Exception("ORA-01830: date format picture ends before converting entire input "
                            "string");
        if (twelve) {
            if (date.Hour < 1 || date.Hour > 12)
                throw Exception("ORA-01849: hour must be between 1 and 12");
            date.Hour = date.Hour % 12 + (pm ? 12 : 0);
        }
        Check(date);
        return date;
    }

private:
    int Number(size_t most)
    {
        while (m_at < m_text.size() && m_text[m_at] == ' ')
            ++m_at;
        size_t length = 0;
        int value = 0;
        while (length < most && m_at < m_text.size() && IsDigit(m_text[m_at])) {
            value = value * 10 + (m_text[m_at++] - '0');
            ++length;
        }
        if (length == 0)
            throw Exception("ORA-01858: a non-numeric character was found where a numeric was "
                            "expected");
        return value;
    }

    int MonthName()
    {
        size_t end = m_at;
        while (end < m_text.size() && std::isalpha(static_cast<unsigned char>(m_text[end])))
            ++end;
        const std::string word = sql::ToUpper(m_text.substr(m_at, end - m_at));
        for (size_t k = 0; k < kMonths.size(); ++k)
            if (word.size() >= 3 && std::string_view(kMonths[k]).starts_with(word)) {
                m_at = end;
                return static_cast<int>(k) + 1;
            }
        throw Exception("ORA-01843: not a valid month");
    }

    // Oracle lets any punctuation or blank stand for the model's.
    void SkipSeparator()
    {
        if (m_at < m_text.size() && !std::isalnum(static_cast<unsigned char>(m_text[m_at])))
            ++m_at;
        else if (m_at < m_text.size())
            throw Exception("ORA-01861: literal does not match format string");
    }

    static void Check(const TDate& date)
    {
        if (date.Month < 1 || date.Month > 12)
            throw Exception("ORA-01843: not a valid month");
        if (date.Year < 1 || date.Year > 9999)
            throw Exception("ORA-01841: (full) year must be between -4713 and +9999, and not be 0");
        if (date.Day < 1 || date.Day > DaysIn(date.Year, date.Month))
            throw Exception("ORA-01847: day of month must be between 1 and last day of month");
        if (date.Hour > 23)
            throw Exception("ORA-01850: hour must be between 0 and 23");
        if (date.Minute > 59)
            throw Exception("ORA-01851: minutes must be between 0 and 59");
        if (date.Second > 59)
            throw Exception("ORA-01852: seconds must be between 0 and 59");
    }

    std::string_view m_text;
    size_t m_at = 0;
};

// A name in the case the element is written in: MON, Mon or mon.
std::string Cased(std::string name, std::string_view element)
{
    const bool lower = std::islower(static_cast<unsigned char>(element[0])) != 0;
    const bool capital =
        !lower && element.size() > 1 && std::islower(static_cast<unsigned char>(element[1])) != 0;
    for (size_t k = 0; k < name.size(); ++k)
        if (lower || (capital && k > 0))
            name[k] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[k])));
    return name;
}

std::string Digits(int value, int width)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
    return buffer;
}

} // namespace

bool IsStoredDate(std::string_view text)
{
    if (text.size() != 10 && text.size() != 19)
        return false;
    constexpr std::string_view kShape = "dddd-dd-dd dd:dd:dd";
    for (size_t k = 0; k < text.size(); ++k)
        if (kShape[k] == 'd' ? !IsDigit(text[k]) : text[k] != kShape[k])
            return false;
    return true;
}

std::string ParseDate(std::string_view text, std::string_view format)
{
    if (format.empty() && IsStoredDate(text))
        return text.size() == 10 ? std::string(text) + " 00:00:00" : std::string(text);
    const TDate d = TDateReader(text).Read(format.empty() ? kDefaultDateFormat : format);
    return Digits(d.Year, 4) + "-" + Digits(d.Month, 2) + "-" + Digits(d.Day, 2) + " " +
           Digits(d.Hour, 2) + ":" + Digits(d.Minute, 2) + ":" + Digits(d.Second, 2);
}

std::string FormatDate(std::string_view stored, std::string_view format)
{
    const auto field = [&](size_t at, size_t length) {
        return at + length <= stored.size() ? std::stoi(std::string(stored.substr(at, length))) : 0;
    };
    const TDate d{field(0, 4), field(5, 2), field(8, 2), field(11, 2), field(14, 2), field(17, 2)};
    if (format.empty())
        format = kDefaultDateFormat;
    const std::string upper = sql::ToUpper(format);
    std::string text;
    bool fill = true;
    // FM drops the padding of names and the leading zeros of numbers.
    const auto number = [&](int value, int width) {
        return fill ? Digits(value, width) : std::to_string(value);
    };
    const auto padded = [&](std::string name, size_t width) {
        if (fill && name.size() < width)
            name.append(width - name.size(), ' ');
        return name;
    };
    for (size_t at = 0; at < upper.size();) {
        const std::string_view element = ElementAt(upper, at);
        const std::string_view written = format.substr(at, element.size());
        if (element.empty()) {
            if (upper[at] == '"') {
                const size_t close = upper.find('"', at + 1);
                text += format.substr(at + 1,
                                      (close == std::string::npos ? upper.size() : close) - at - 1);
                at = close == std::string::npos ? upper.size() : close + 1;
            } else {
                text += format[at++];
            }
            continue;
        }
        at += element.size();
        const int hour12 = d.Hour % 12 == 0 ? 12 : d.Hour % 12;
        const int weekday = Weekday(d.Year, d.Month, d.Day);
        if (element == "YYYY" || element == "RRRR")
            text += number(d.Year, 4);
        else if (element == "YY" || element == "RR")
            text += number(d.Year % 100, 2);
        else if (element == "MM")
            text += number(d.Month, 2);
        else if (element == "MON")
            text +=
                Cased(std::string(kMonths[static_cast<size_t>(d.Month - 1)]).substr(0, 3), written);
        else if (element == "MONTH")
            text += padded(Cased(kMonths[static_cast<size_t>(d.Month - 1)], written), 9);
        else if (element == "DD")
            text += number(d.Day, 2);
        else if (element == "DY")
            text += Cased(std::string(kDays[static_cast<size_t>(weekday)]).substr(0, 3), written);
        else if (element == "DAY")
            text += padded(Cased(kDays[static_cast<size_t>(weekday)], written), 9);
        else if (element == "HH24")
            text += number(d.Hour, 2);
        else if (element == "HH" || element == "HH12")
            text += number(hour12, 2);
        else if (element == "MI")
            text += number(d.Minute, 2);
        else if (element == "SS")
            text += number(d.Second, 2);
        else if (element == "FM")
            fill = !fill;
        else
            text += Cased(d.Hour >= 12 ? std::string(element.size() == 2 ? "PM" : "P.M.")
                                       : std::string(element.size() == 2 ? "AM" : "A.M."),
                          written);
    }
    return text;
}

} // namespace quorvex::emulation
