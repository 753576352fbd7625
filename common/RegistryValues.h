// Reading registry keys and values as they really are: values with their true type and
// size (a value that grows between asking its size and reading it is asked again). The ANSI functions read a name or text with
// characters outside the code page as '?' or a look-alike ("Łódź" as "Lódz"): the exactness
// tests tell such a read from the real thing through the wide functions.
#pragma once

#include "common/RegistryKey.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace regvalues {

struct RawValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// The value at enumeration index `index`; false past the last one or when it cannot be read.
bool ReadValueAt(HKEY key, DWORD index, RawValue& value);
// One named value ("" the default value); false when it is missing or cannot be read.
bool ReadNamedValue(HKEY key, const std::string& name, RawValue& value);
// A string or expandable string value as text (not expanded); nullopt when it is missing
// or of another type.
std::optional<std::string> ReadStringValue(HKEY key, const std::string& name);
// Every value of the key, in enumeration order.
std::vector<RawValue> ReadAllValues(HKEY key);
// The names of the key's subkeys, in enumeration order.
std::vector<std::string> SubkeyNames(HKEY key);
// The key's last-write time (UTC as the registry keeps it); zero when it cannot be asked.
FILETIME LastWriteTime(HKEY key);

// The data of a string value as text: up to its first zero, never beyond its length.
std::string StringData(const std::vector<BYTE>& data);
// The strings of a multi-string value, up to its first empty string.
std::vector<std::string> MultiStrings(const std::vector<BYTE>& data);
// A 32-bit counter: a dword as it is, four binary bytes little-endian, otherwise -1.
long CounterValue(const RawValue& value);

// The text in the ANSI code page when every character has a form there that converts back
// to it (no look-alike, no default character); nullopt otherwise.
std::optional<std::string> ExactAnsi(const std::wstring& text);
// The key's full name as the system keeps it ("\REGISTRY\MACHINE\SOFTWARE\Wow6432Node\x"):
// a key opened through a link or a redirected view is named as the key it really is.
// nullopt when it cannot be asked or holds a character outside the code page.
std::optional<std::string> FullName(HKEY key);
// The value read through the ANSI functions is exactly the stored one: the wide functions
// find it under that name, with that type, and its text has no character outside the
// code page.
bool ReadsExactly(HKEY key, const RawValue& value);
// The same for every value and every subkey name of the key and of all keys below it.
bool TreeReadsExactly(HKEY key);

} // namespace regvalues
