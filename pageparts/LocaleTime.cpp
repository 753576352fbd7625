#include "pageparts/LocaleTime.h"

#include "common/CaseRule.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace locale_time {

namespace {

std::string LocaleText(LCTYPE type)
{
    char text[128] = "";
    int length = GetLocaleInfoA(LOCALE_USER_DEFAULT, type, text, sizeof text);
    return length > 0 ? std::string(text) : std::string();
}

// The order in which the short date format names day, month and year, as three of
// 'd', 'M' and 'y'; text in quotes is literal and does not count.
std::string DateFieldOrder()
{
    std::string order;
    bool quoted = false;
    for (char c : LocaleText(LOCALE_SSHORTDATE)) {
        if (c == '\'')
            quoted = !quoted;
        else if (!quoted && (c == 'd' || c == 'M' || c == 'y') && order.find(c) == std::string::npos)
            order += c;
    }
    return order.size() == 3 ? order : "Mdy";
}

struct Number {
    int value;
    size_t end; // just after its last digit
};

// The runs of digits in the text, in order; a run too long for a date or time field
// counts as no number.
std::vector<Number> NumbersIn(const std::string& text)
{
    std::vector<Number> numbers;
    for (size_t i = 0; i < text.size();) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        size_t start = i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])))
            ++i;
        if (i - start > 5)
            return {};
        numbers.push_back({std::stoi(text.substr(start, i - start)), i});
    }
    return numbers;
}

bool Contains(const std::string& text, const std::string& word)
{
    if (word.empty())
        return false;
    return common::UpperCase(text).find(common::UpperCase(word)) != std::string::npos;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

std::string Formatted(int (WINAPI* format)(LCID, DWORD, const SYSTEMTIME*, LPCSTR, LPSTR, int),
                      DWORD flags, const SYSTEMTIME& value)
{
    char text[128] = "";
    int length = format(LOCALE_USER_DEFAULT, flags, &value, nullptr, text, sizeof text);
    return length > 0 ? std::string(text) : std::string();
}

} // namespace

std::string TimeText(const SYSTEMTIME& time) { return Formatted(GetTimeFormatA, 0, time); }

std::string DateText(const SYSTEMTIME& date) { return Formatted(GetDateFormatA, DATE_SHORTDATE, date); }

std::string DateTimeText(const SYSTEMTIME& value) { return DateText(value) + " " + TimeText(value); }

std::vector<std::string> DateTimeSamples()
{
    std::vector<std::string> samples;
    for (WORD month = 1; month <= 12; ++month)
        for (WORD hour = 0; hour < 24; ++hour) {
            SYSTEMTIME value{};
            value.wYear = 2028;
            value.wMonth = month;
            value.wDay = 28;
            value.wHour = hour;
            value.wMinute = 58;
            value.wSecond = 58;
            samples.push_back(DateTimeText(value));
        }
    return samples;
}

std::optional<SYSTEMTIME> ParseTime(const std::string& text)
{
    std::vector<Number> numbers = NumbersIn(text);
    if (numbers.size() < 2 || numbers.size() > 3)
        return std::nullopt;
    int hour = numbers[0].value;
    int minute = numbers[1].value;
    int second = numbers.size() == 3 ? numbers[2].value : 0;
    bool pm = Contains(text, LocaleText(LOCALE_S2359));
    bool am = !pm && Contains(text, LocaleText(LOCALE_S1159));
    if (am || pm) {
        if (hour < 1 || hour > 12)
            return std::nullopt;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    SYSTEMTIME time{};
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time;
}

std::optional<SYSTEMTIME> ParseDateTime(const std::string& text)
{
    std::vector<Number> numbers = NumbersIn(text);
    if (numbers.size() < 3)
        return std::nullopt;
    std::string order = DateFieldOrder();
    int day = 0, month = 0, year = 0;
    for (int i = 0; i < 3; ++i) {
        int value = numbers[i].value;
        switch (order[i]) {
        case 'd': day = value; break;
        case 'M': month = value; break;
        default: year = value < 100 ? 2000 + value : value; break;
        }
    }
    if (year < 1601 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return std::nullopt;

    SYSTEMTIME value{};
    std::string rest = text.substr(numbers[2].end);
    if (numbers.size() > 3) {
        std::optional<SYSTEMTIME> time = ParseTime(rest);
        if (!time)
            return std::nullopt;
        value = *time;
    }
    value.wYear = static_cast<WORD>(year);
    value.wMonth = static_cast<WORD>(month);
    value.wDay = static_cast<WORD>(day);
    return value;
}

} // namespace locale_time
