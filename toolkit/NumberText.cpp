#include "toolkit/NumberText.h"

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
