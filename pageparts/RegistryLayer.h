// The program's registry layer: every setting travels as text, named by a root index,
// a key path, a value name and a type letter. The main form's WriteReg, ReadReg and
// DeleteReg hand their arguments and the form's one registry object to these functions.
//
// Type letters (case-sensitive): "s" string value, "i" 32-bit integer value carried as
// decimal text, "b" binary value carried as hex byte text ("0A FF"), and for reading only
// "z" multi-string value.
#pragma once

#include "toolkit/Registry.h"

#include <optional>
#include <string>
#include <vector>

// The root index of the registry layer's first argument.
enum RootIndex { rootClassesRoot = 0, rootCurrentUser = 1, rootLocalMachine = 2, rootUsers = 3,
                 rootCurrentConfig = 4, rootDynData = 5 };

namespace registry_layer {

// Root index (RootIndex): 0 HKEY_CLASSES_ROOT, 1 HKEY_CURRENT_USER, 2 HKEY_LOCAL_MACHINE,
// 3 HKEY_USERS, 4 HKEY_CURRENT_CONFIG, 5 HKEY_DYN_DATA; nullptr for any other number.
HKEY RootKeyOf(int rootIndex);

// Opens (creating) the key with read and write access and writes by type: "s" the text,
// "i" the text as a rounded number (nothing when it is not a number that fits 32 bits),
// "b" the bytes of the hex byte text; other letters and unknown roots write nothing.
// Leaves registry.Access at KEY_READ | KEY_WRITE. Failures are not reported.
void WriteReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
              const std::string& data, const std::string& type);

// Opens the key read-only (never creating it) and returns the value as text: "s" the
// string, "i" the integer in decimal, "b" hex byte text, "z" every string followed by a
// line feed. A "z" read also refills *valueList (cleared first) with the strings. Any
// failure -- unknown root, missing key or value, wrong type, unknown letter -- gives "".
std::string ReadReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
                    const std::string& type, std::vector<std::string>* valueList = nullptr);

// Root index 0 to 4 only. Opens the key with read and write access; subkeySwitch 1
// deletes the subkey `name` with everything under it, any other switch the value `name`.
// Leaves registry.Access at KEY_READ | KEY_WRITE. Nothing is reported.
void DeleteReg(TRegistry& registry, int rootIndex, const std::string& key, const std::string& name,
               unsigned char subkeySwitch);

// Bytes as upper-case hex pairs separated by one blank, no blank at the end.
std::string HexByteText(const std::vector<BYTE>& bytes);
// The text taken in steps of three characters, the first two of each step one byte in
// hex (the third, the blank, skipped), so "0A FF" and "0A FF " both give two bytes. A
// pair without a hex digit gives 0.
std::vector<BYTE> HexByteTextToBytes(const std::string& text);

// A check box state or other byte as decimal text ("0", "1").
std::string ByteToText(unsigned char value);

// A number stored as text (settings are string values), rounded to the nearest integer,
// halves to even. nullopt for empty or non-numeric text or a number beyond 32 bits, so a
// hand-edited value reads as absent instead of stopping the program.
std::optional<int> StoredInteger(const std::string& text);

} // namespace registry_layer
