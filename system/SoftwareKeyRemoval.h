// What the software page and its details dialog ask before they remove keys: the
// operating system's own keys are refused, the keys that go are named, and a .reg backup
// of them is offered first.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace software_keys {

// True for the operating system's own keys below "Software" of a root: Microsoft (the
// system vendor's whole tree), Policies, Classes, and the registrations all programs share,
// Clients and ODBC; also below Wow6432Node; for every key below one of them, and for every
// key that holds one. Case-blind.
bool IsSystemKey(const std::string& path);

// Before keys ("HKCU\Software\...") are removed with everything below them. Refuses, and
// names them, when any is a system key; otherwise asks, naming the keys, and then offers
// a .reg backup of them. True when the removal may go on: false after No, a refusal, or
// a backup that was cancelled or could not be written. The backup's save dialog opens over
// owner.
bool ConfirmRemoval(HWND owner, const std::vector<std::string>& keyTexts);

} // namespace software_keys
