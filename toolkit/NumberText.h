// Numbers as the program's texts show them.
#pragma once

#include <string>

// value with the given number of decimals; German texts take a decimal comma ("1,50").
std::string DecimalText(double value, int decimals, bool german);

// The user's thousands separator from the regional settings ("," when none is set).
std::string ThousandsSeparator();

// The user's decimal separator from the regional settings ("." when none is set).
std::string DecimalSeparator();
