#include "common/CaseRule.h"

#include <windows.h>

#include <algorithm>
#include <array>

namespace common {

namespace {

// The upper case of every byte of the system's code page, made once: comparing through it
// costs no allocation, which matters when 100,000 records are sorted.
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

int CompareByTable(const std::string& a, const std::string& b)
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

// A code page such as 932 (Japanese) writes most characters as a lead byte and a trail
// byte, and a trail byte may be an ASCII letter: byte by byte, "ア" (83 41) and "ヂ" (83 61)
// would be one name.
bool IsDoubleByte(UINT codePage)
{
    for (int c = 0x80; c < 0x100; ++c)
        if (::IsDBCSLeadByteEx(codePage, static_cast<BYTE>(c)))
            return true;
    return false;
}

// The text as characters, upper-cased as the system does it; false for bytes that are no
// text in the code page (a lead byte without its trail byte).
bool UpperCharacters(UINT codePage, const std::string& text, std::wstring& upper)
{
    upper.clear();
    if (text.empty())
        return true;
    const int size = static_cast<int>(text.size());
    const int length = ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
    if (length <= 0)
        return false;
    upper.resize(length);
    ::MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, text.data(), size, &upper[0], length);
    ::CharUpperBuffW(&upper[0], static_cast<DWORD>(length));
    return true;
}

int CompareByCharacters(UINT codePage, const std::string& a, const std::string& b)
{
    std::wstring x, y;
    if (!UpperCharacters(codePage, a, x) || !UpperCharacters(codePage, b, y))
        return a.compare(b) < 0 ? -1 : a == b ? 0 : 1; // bytes that are no text match only themselves
    const int order = x.compare(y);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

bool SystemIsDoubleByte()
{
    static const bool doubleByte = IsDoubleByte(::GetACP());
    return doubleByte;
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
    return SystemIsDoubleByte() ? CompareByCharacters(CP_ACP, a, b) : CompareByTable(a, b);
}

int CompareTextIn(unsigned codePage, const std::string& a, const std::string& b)
{
    if (codePage == ::GetACP() && !SystemIsDoubleByte())
        return CompareByTable(a, b);
    return CompareByCharacters(codePage, a, b);
}

bool SameText(const std::string& a, const std::string& b)
{
    // In a single-byte code page a letter and its upper case take one byte each.
    if (a.size() != b.size() && !SystemIsDoubleByte())
        return false;
    return CompareText(a, b) == 0;
}

bool LessText(const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }

} // namespace common
