#include "common/CaseRule.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace common {

namespace {

// The upper case of every byte, made once: comparing through it costs no allocation,
// which matters when 100,000 records are sorted.
const std::array<unsigned char, 256>& UpperTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> made{};
        for (int c = 0; c < 256; ++c) {
            char letter = static_cast<char>(c);
            ::CharUpperBuffA(&letter, 1);
            made[c] = static_cast<unsigned char>(letter);
        }
        return made;
    }();
    return table;
}

} // namespace

std::string UpperCase(std::string text)
{
    if (!text.empty())
        ::CharUpperBuffA(&text[0], static_cast<DWORD>(text.size()));
    return text;
}

int CompareText(const std::string& a, const std::string& b)
{
    const std::array<unsigned char, 256>& upper = UpperTable();
    const size_t length = std::min(a.size(), b.size());
    for (size_t i = 0; i < length; ++i) {
        const unsigned char x = upper[static_cast<unsigned char>(a[i])];
        const unsigned char y = upper[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

bool SameText(const std::string& a, const std::string& b) { return a.size() == b.size() && CompareText(a, b) == 0; }

bool LessText(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

} // namespace common
