// system/ (an area): registry scan and backups, autostart, software, traces, drives, disk check.
// The registry scan: a walk over the checked registry roots that reports string values
// naming a file or folder on a checked drive that no longer exists, and targeted checks
// for kinds of dead entries that installers leave behind. It reports each finding to its
// caller and knows no window.
#pragma once

#include "system/RegistryRoots.h"
#include "common/RegistryValues.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace regscan {

struct Finding {
    std::string keyText;   // "HKLM\Software\..."
    std::string valueName; // empty for a key finding
    std::string data;      // empty for a key finding
    std::string modified;  // the key's last-write time
    std::string reason;
    bool isKey = false;
    // The files or folders the finding says are missing, as they were tested; none for a
    // finding on the registry's own structure. They are tested again before a delete.
    std::vector<std::string> missingPaths;
    // True while the registry holds the finding as the scan saw it: the value with the data
    // it had then, the key still failing its check. Asked again just before a delete, since
    // the program may have been installed anew meanwhile; a finding made without it (a key
    // that a page names itself) has nothing to ask.
    std::function<bool()> unchanged = nullptr;
};

// The folders that the tokens of stored paths stand for.
struct Folders {
    std::string windowsDir;      // "C:\windows"
    std::string programFilesDir;
    std::string systemDir;
};

// What a scan takes from the page as it is when the scan starts.
struct Settings {
    bool roots[registryRootCount] = {true, true, true, true, true};
    std::vector<std::string> driveCaptions; // captions of the checked drive rows
    Folders folders;
    bool german = true;
};

// ---- the path tests
// Whether a path is missing is judged by common::PresenceOf: only "not found" on a drive
// that is there, seen as 32-bit and as 64-bit programs see it.
// The drive of the text's first ":\" occurs, as "(C)", in a checked drive's caption.
bool TestDriveChecked(const std::string& text, const std::vector<std::string>& driveCaptions);
// The walk's test: the missing file or folder on a checked drive that the text names, as
// it was tested; nullopt when the text names none.
std::optional<std::string> Test(const std::string& text, const std::vector<std::string>& driveCaptions);
// The targeted checks' test: no drive filter, tokens expanded.
std::optional<std::string> Test1(const std::string& text, const Folders& folders);
// The first of each token ("%WINDIR%", "%SYSTEMROOT%", "%PROGRAMFILES%", "%SYSSTEM32%")
// removed and its folder put in front; then cut at the first , / " ; | < >.
std::string ConvertPath(const std::string& text, const Folders& folders);
// The texts a string value offers the walk's test, one for each string of a multi-string;
// none for other types.
std::vector<std::string> CandidatesOf(const regvalues::RawValue& value, const std::string& windowsDir);

// ---- a finding since the scan
// Its key (key finding) or its value (value finding) is still in the registry.
bool EntryExists(const Finding& finding);
// Every file or folder it says is missing is still not found.
bool StillMissing(const Finding& finding);
// The registry holds it as the scan saw it (see Finding::unchanged).
bool Unchanged(const Finding& finding);

// A key's last-write time as the locale writes date and time (UTC, not converted).
std::string KeyDateText(const FILETIME& time);

class Scanner {
public:
    Scanner(const Settings& settings, const unsigned char& cancelFlag);

    // Called with each finding.
    std::function<void(const Finding&)> OnFinding;
    // Called after each subkey, so the window can process its messages.
    std::function<void()> OnKeyDone;

    // The walk over every checked root.
    void WalkRoots();
    // The walk of one key and everything below it (its values first, then its subkeys).
    void WalkKey(const RegistryRootPrefix& root, const std::string& path);
    // The seven targeted checks; they run to the end once started.
    void ScanRegEntries();

    int KeysWalked() const { return keysWalked_; }

private:
    void GetValues(HKEY key);
    void SearchForSubKey(HKEY key, const std::string& path);
    void CheckValue(HKEY key, const regvalues::RawValue& value);
    // A value finding of the targeted checks.
    void AddTargeted(const RegistryRootPrefix& root, const std::string& path, const std::string& valueName,
                     const std::string& data, std::vector<std::string> missingPaths);
    // A key finding of the targeted checks; `fails` tells whether the key still fails its check.
    void AddTargetedKey(const RegistryRootPrefix& root, const std::string& path, const char* germanReason,
                        const char* englishReason, std::function<bool()> fails);
    void CheckHelpFolder(const std::string& path);
    bool Cancelled() const { return cancel_ != 0; }
    // The key at `path` is also the key of the other registry view, which the walk lists
    // under the path without the "Wow6432Node".
    bool IsSharedView(HKEY key, const std::string& path) const;

    Settings settings_;
    const unsigned char& cancel_;
    const RegistryRootPrefix* root_ = nullptr;
    std::string keyPath_;
    std::string topPath_; // where the walk began, below the root
    std::string keyDate_;
    int keysWalked_ = 0;
};

} // namespace regscan
