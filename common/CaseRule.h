// The one case rule for paths and names: the system's own, by the ANSI code page, so that
// "ä" and "Ä" are the same letter just as the file system takes them. Under a double-byte
// code page (Japanese, Chinese, Korean) texts are compared as whole characters.
#pragma once

#include <string>

namespace common {

// The text upper-cased as the system does it ("straße\ä" gives "STRAßE\Ä").
std::string UpperCase(std::string text);

// The order of the upper-cased texts, byte by byte (character by character under a
// double-byte code page): below 0, 0 or above 0.
int CompareText(const std::string& a, const std::string& b);

// CompareText as it is on a system whose ANSI code page is codePage (932 for Japanese).
int CompareTextIn(unsigned codePage, const std::string& a, const std::string& b);

// True when the two texts differ at most in case, by the rule above.
bool SameText(const std::string& a, const std::string& b);

// CompareText(a, b) < 0, for sorting.
bool LessText(const std::string& a, const std::string& b);

} // namespace common
