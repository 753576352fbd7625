#include "toolkit/NumberText.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

std::string DecimalText(double value, int decimals, bool german)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string result = text;
    if (german)
        std::replace(result.begin(), result.end(), '.', ',');
    return result;
}

std::string ThousandsSeparator()
{
    char separator[8] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, separator, sizeof separator))
        return ",";
    return separator;
}

std::string DecimalSeparator()
{
    char separator[8] = {};
    if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, sizeof separator))
        return ".";
    return separator;
}
