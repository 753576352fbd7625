// Findings of the registry scan written as a REGEDIT4 file that the system's registry
// editor imports: every value with its real type, and a key with everything below it, so
// that importing the file brings back what deleting the findings removes.
#pragma once

#include "system/RegistryScan.h"

#include <string>
#include <vector>

namespace regexport {

// "[HKEY_LOCAL_MACHINE\Software\x]", or "[HKEY_CURRENT_USER]" for the root key.
std::string KeyLine(const RegistryRootPrefix& root, const std::string& path);
// "\"name\"=..." ("@=..." for the default value) in the form that keeps the value's type
// and bytes: a quoted string, dword:, or hex(type): bytes.
std::string ValueLine(const regvalues::RawValue& value);

// The whole file, lines ended by CR LF: "REGEDIT4", an empty line, then per finding its
// key (and for a key finding every key below it), each section followed by an empty line.
// A finding whose key or value no longer exists is left out.
std::string ExportText(const std::vector<regscan::Finding>& findings);

// Writes the text; false when the file cannot be written completely.
bool WriteFile(const std::string& path, const std::string& text);

} // namespace regexport
