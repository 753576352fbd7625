#include "system/RegistryScan.h"

#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/PathFacts.h"
#include "pageparts/LocaleTime.h"
#include "toolkit/NoDiskBoxes.h"

namespace regscan {

namespace {

bool Contains(const std::string& text, const char* part) { return common::UpperCase(text).find(part) != std::string::npos; }

// Keeps the part before the first occurrence of each character, taken in this order.
void CutAtEach(std::string& text, const char* characters)
{
    for (const char* c = characters; *c; ++c) {
        size_t at = text.find(*c);
        if (at != std::string::npos)
            text.erase(at);
    }
}

// From the last dot after the last backslash or colon, dot included; "" when none.
std::string Extension(const std::string& path)
{
    size_t dot = path.rfind('.');
    size_t separator = path.find_last_of("\\:");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator))
        return std::string();
    return path.substr(dot);
}

// Steps 3 to 9 of both tests, on a text that has passed the first ones: the path as it
// was found missing.
std::optional<std::string> MissingPathIn(std::string text)
{
    if (common::SystemFileExists(text))
        return std::nullopt;
    if (text.find(":\\") != 1)
        return std::nullopt;
    CutAtEach(text, " ,/\";|<>");
    const std::string extension = Extension(text);
    if (extension.empty() || extension.size() > 4)
        return std::nullopt;
    if (Contains(text, "BLANK.HTM"))
        return std::nullopt;
    if (common::PresenceOf(text) != common::Presence::Missing)
        return std::nullopt;
    return text;
}

// The environment's variables in the text expanded; the text as it is when that fails.
std::string ExpandVariables(const std::string& text)
{
    const DWORD size = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
    std::string expanded(size, '\0');
    if (size == 0 || ExpandEnvironmentStringsA(text.c_str(), &expanded[0], size) == 0 ||
        expanded.find('\0') == std::string::npos)
        return text;
    expanded.resize(expanded.find('\0'));
    return expanded;
}

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

const RegistryRootPrefix& Root(int index) { return RegistryRoots[index]; }
const RegistryRootPrefix& ClassesRoot() { return Root(0); }
const RegistryRootPrefix& CurrentUser() { return Root(1); }
const RegistryRootPrefix& LocalMachine() { return Root(2); }

const char* const fileExtsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts";
const char* const helpKey = "Software\\Microsoft\\Windows\\Help";
const char* const htmlHelpKey = "Software\\Microsoft\\Windows\\HTML Help";
const char* const appPathsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths";
const char* const sharedDllsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The value still has the type and bytes that the scan read.
std::function<bool()> SameValue(HKEY root, const std::string& path, const regvalues::RawValue& scanned)
{
    return [root, path, scanned] {
        RegistryKey key(root, path);
        regvalues::RawValue now;
        return key && regvalues::ReadNamedValue(key.Get(), scanned.name, now) && now.type == scanned.type &&
               now.data == scanned.data;
    };
}

// The checks of the key findings, asked by the scan and again before a delete.
// An "Open with" application without a command.
bool HasNoOpenCommand(const std::string& applicationPath)
{
    RegistryKey command(ClassesRoot().root, applicationPath + "\\shell\\Open\\command");
    return regvalues::ReadStringValue(command.Get(), "").value_or("").empty();
}

// An extension of the Explorer's list that no program opens.
bool HasNoProgids(const std::string& extensionPath)
{
    return !RegistryKey(CurrentUser().root, extensionPath + "\\OpenWithProgids");
}

// An extension of the classes root that only says it cannot be opened.
bool OnlySaysNoOpen(const std::string& extension)
{
    RegistryKey key(ClassesRoot().root, extension);
    regvalues::RawValue noOpen;
    return key && regvalues::ReadNamedValue(key.Get(), "NoOpen", noOpen) && regvalues::SubkeyNames(key.Get()).empty();
}

} // namespace

bool TestDriveChecked(const std::string& text, const std::vector<std::string>& driveCaptions)
{
    size_t marker = text.find(":\\");
    if (marker == std::string::npos || marker == 0)
        return false;
    const std::string drive = "(" + common::UpperCase(text.substr(marker - 1, 1)) + ")";
    for (const std::string& caption : driveCaptions)
        if (common::UpperCase(caption).find(drive) != std::string::npos)
            return true;
    return false;
}

std::optional<std::string> Test(const std::string& text, const std::vector<std::string>& driveCaptions)
{
    if (Contains(text, "RUNDLL") || !TestDriveChecked(text, driveCaptions))
        return std::nullopt;
    return MissingPathIn(text);
}

std::optional<std::string> Test1(const std::string& text, const Folders& folders)
{
    if (Contains(text, "RUNDLL"))
        return std::nullopt;
    return MissingPathIn(ConvertPath(text, folders));
}

std::string ConvertPath(const std::string& text, const Folders& folders)
{
    const struct {
        const char* token;
        const std::string& folder;
    } tokens[] = {
        {"%WINDIR%", folders.windowsDir},
        {"%SYSTEMROOT%", folders.windowsDir},
        {"%PROGRAMFILES%", folders.programFilesDir},
        {"%SYSSTEM32%", folders.systemDir},
    };
    std::string result = text;
    for (const auto& token : tokens) {
        size_t at = common::UpperCase(result).find(token.token);
        if (at != std::string::npos) {
            result.erase(at, std::char_traits<char>::length(token.token));
            result = token.folder + result;
        }
    }
    CutAtEach(result, ",/\";|<>");
    return result;
}

std::vector<std::string> CandidatesOf(const regvalues::RawValue& value, const std::string& windowsDir)
{
    std::vector<std::string> candidates;
    if (IsStringType(value.type))
        candidates.push_back(regvalues::StringData(value.data));
    else if (value.type == REG_MULTI_SZ)
        candidates = regvalues::MultiStrings(value.data);
    for (std::string& candidate : candidates)
        if (common::UpperCase(candidate).rfind("%SYSTEMROOT%\\", 0) == 0)
            candidate = windowsDir + candidate.substr(12);
    return candidates;
}

bool EntryExists(const Finding& finding)
{
    const KeyText text = SplitKeyText(finding.keyText);
    if (!text.root)
        return false;
    RegistryKey key(text.root->root, text.path);
    regvalues::RawValue value;
    return key && (finding.isKey || regvalues::ReadNamedValue(key.Get(), finding.valueName, value));
}

bool Unchanged(const Finding& finding) { return !finding.unchanged || finding.unchanged(); }

bool StillMissing(const Finding& finding)
{
    for (const std::string& path : finding.missingPaths)
        if (common::PresenceOf(path) != common::Presence::Missing)
            return false;
    return true;
}

std::string KeyDateText(const FILETIME& time)
{
    SYSTEMTIME system{};
    if ((time.dwLowDateTime == 0 && time.dwHighDateTime == 0) || !FileTimeToSystemTime(&time, &system))
        return std::string();
    return locale_time::DateTimeText(system);
}

Scanner::Scanner(const Settings& settings, const unsigned char& cancelFlag)
    : settings_(settings), cancel_(cancelFlag)
{
}

void Scanner::WalkRoots()
{
    for (int i = 0; i < registryRootCount && !Cancelled(); ++i)
        if (settings_.roots[i])
            WalkKey(Root(i), std::string());
}

void Scanner::WalkKey(const RegistryRootPrefix& root, const std::string& path)
{
    NoDiskBoxes quiet;
    root_ = &root;
    keyPath_ = path;
    RegistryKey key(root.root, path);
    if (!key)
        return;
    topPath_ = path;
    ++keysWalked_;
    GetValues(key.Get());
    if (!Cancelled())
        SearchForSubKey(key.Get(), path);
}

void Scanner::SearchForSubKey(HKEY key, const std::string& path)
{
    char name[256];
    for (DWORD index = 0; !Cancelled(); ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        const std::string subPath = path.empty() ? std::string(name, length) : path + "\\" + std::string(name, length);
        keyPath_ = subPath;
        RegistryKey subkey(key, std::string(name, length));
        if (!subkey || IsSharedView(subkey.Get(), subPath))
            continue;
        ++keysWalked_;
        GetValues(subkey.Get());
        if (!Cancelled())
            SearchForSubKey(subkey.Get(), subPath);
        if (OnKeyDone)
            OnKeyDone();
    }
}

bool Scanner::IsSharedView(HKEY key, const std::string& path) const
{
    // A 64-bit program sees the keys of 32-bit programs below "Wow6432Node", and among
    // them the keys that both kinds of program share (Windows links a list of them to the
    // 64-bit keys; Wine shares App Paths): one key twice, each entry listed twice and one
    // row's delete taking the other's entry. The system names a key as the one it is, so
    // the two views are one key when it names them the same; the walk lists such a key
    // once, under the path without the view's node. Only a node below where the walk
    // began counts: the other path must be one this walk reaches.
    const std::string spelt = "\\" + path + "\\", node = "\\WOW6432NODE\\";
    const std::string upper = common::UpperCase(spelt);
    std::optional<std::string> name;
    for (size_t at = upper.find(node, topPath_.empty() ? 0 : topPath_.size() + 1); at != std::string::npos;
         at = upper.find(node, at + 1)) {
        const std::string other = std::string(spelt).erase(at, node.size() - 1);
        if (other.size() < 2)
            continue;
        if (!name && !(name = regvalues::FullName(key)))
            return false;
        RegistryKey twin(root_->root, other.substr(1, other.size() - 2));
        const std::optional<std::string> twinName = twin ? regvalues::FullName(twin.Get()) : std::nullopt;
        if (twinName && common::SameText(*twinName, *name))
            return true;
    }
    return false;
}

void Scanner::GetValues(HKEY key)
{
    keyDate_ = KeyDateText(regvalues::LastWriteTime(key));
    DWORD count = 0;
    if (RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS)
        return;
    for (DWORD index = 0; index < count; ++index) {
        regvalues::RawValue value;
        if (regvalues::ReadValueAt(key, index, value))
            CheckValue(key, value);
        if (Cancelled())
            break;
    }
}

void Scanner::CheckValue(HKEY key, const regvalues::RawValue& value)
{
    // Each string of a multi-string is tested on its own; deleting the value takes all of
    // them, so it is a finding only when every path among them is missing.
    std::vector<std::string> missing;
    std::string shown;
    for (const std::string& candidate : CandidatesOf(value, settings_.folders.windowsDir)) {
        if (candidate.find(":\\") == std::string::npos)
            continue;
        const std::optional<std::string> path = Test(candidate, settings_.driveCaptions);
        if (!path)
            return;
        missing.push_back(*path);
        shown += (shown.empty() ? "" : "; ") + candidate;
    }
    // A name or path that the ANSI functions read as another one is left alone: the file
    // tested is not the one stored, and neither a delete nor the export could name it.
    if (missing.empty() || !OnFinding || !regvalues::ReadsExactly(key, value))
        return;
    OnFinding({JoinKeyText(*root_, keyPath_), value.name, shown, keyDate_,
               language::Text(settings_.german, "Datei oder Pfad existiert nicht", "File or Path does not exist"),
               false, missing, SameValue(root_->root, keyPath_, value)});
}

void Scanner::AddTargeted(const RegistryRootPrefix& root, const std::string& path, const std::string& valueName,
                          const std::string& data, std::vector<std::string> missingPaths)
{
    // As in the walk: only what the ANSI functions read exactly.
    RegistryKey key(root.root, path);
    regvalues::RawValue value;
    if (!OnFinding || !key || !regvalues::ReadNamedValue(key.Get(), valueName, value) ||
        !regvalues::ReadsExactly(key.Get(), value))
        return;
    keyDate_ = KeyDateText(regvalues::LastWriteTime(key.Get()));
    OnFinding({JoinKeyText(root, path), valueName, data, keyDate_,
               language::Text(settings_.german, "Pfad oder Datei existiert nicht", "Path or File does not exist"), false,
               std::move(missingPaths), SameValue(root.root, path, value)});
}

void Scanner::AddTargetedKey(const RegistryRootPrefix& root, const std::string& path, const char* germanReason,
                             const char* englishReason, std::function<bool()> fails)
{
    // Everything below the key goes with it: all of it must read exactly.
    RegistryKey key(root.root, path);
    if (!OnFinding || !key || !regvalues::TreeReadsExactly(key.Get()))
        return;
    keyDate_ = KeyDateText(regvalues::LastWriteTime(key.Get()));
    OnFinding({JoinKeyText(root, path), "", "", keyDate_, language::Text(settings_.german, germanReason, englishReason),
               true, {}, std::move(fails)});
}

void Scanner::CheckHelpFolder(const std::string& path)
{
    RegistryKey key(LocalMachine().root, path);
    if (!key)
        return;
    for (const regvalues::RawValue& value : regvalues::ReadAllValues(key.Get())) {
        if (!IsStringType(value.type))
            continue;
        const std::string stored = regvalues::StringData(value.data);
        std::string candidate = stored;
        if (candidate.empty() || candidate.back() != '\\')
            candidate += '\\';
        candidate += value.name;
        if (const std::optional<std::string> missing = Test1(candidate, settings_.folders))
            AddTargeted(LocalMachine(), path, value.name, stored, {*missing});
    }
}

void Scanner::ScanRegEntries()
{
    NoDiskBoxes quiet;
    // 1: "Open with" applications without a command.
    {
        RegistryKey applications(ClassesRoot().root, "Applications");
        for (const std::string& name : applications ? regvalues::SubkeyNames(applications.Get())
                                                    : std::vector<std::string>()) {
            const std::string path = "Applications\\" + name;
            if (HasNoOpenCommand(path))
                AddTargetedKey(ClassesRoot(), path, "Nicht benutzter 'Öffnen mit' Eintrag", "Unused 'Open with' entry",
                               [path] { return HasNoOpenCommand(path); });
        }
    }
    // 2: the Explorer's file extensions that no program opens.
    {
        RegistryKey fileExts(CurrentUser().root, fileExtsKey);
        for (const std::string& name : fileExts ? regvalues::SubkeyNames(fileExts.Get()) : std::vector<std::string>()) {
            const std::string path = std::string(fileExtsKey) + "\\" + name;
            if (HasNoProgids(path))
                AddTargetedKey(CurrentUser(), path, "Dateierweiterung nicht benutzt", "Extension not used",
                               [path] { return HasNoProgids(path); });
        }
    }
    // 3: extensions of the classes root that only say they cannot be opened.
    {
        RegistryKey classes(ClassesRoot().root, "");
        for (const std::string& name : classes ? regvalues::SubkeyNames(classes.Get()) : std::vector<std::string>()) {
            if (!name.empty() && name[0] == '.' && OnlySaysNoOpen(name))
                AddTargetedKey(ClassesRoot(), name, "Dateierweiterung nicht benutzt", "Extension not used",
                               [name] { return OnlySaysNoOpen(name); });
        }
    }
    // 4, 5: help files that are gone.
    CheckHelpFolder(helpKey);
    CheckHelpFolder(htmlHelpKey);
    // 6: application folders that are gone.
    {
        RegistryKey appPaths(LocalMachine().root, appPathsKey);
        for (const std::string& name : appPaths ? regvalues::SubkeyNames(appPaths.Get()) : std::vector<std::string>()) {
            RegistryKey application(appPaths.Get(), name);
            const std::string stored = regvalues::ReadStringValue(application.Get(), "Path").value_or("");
            std::string folder = stored;
            if (!folder.empty() && folder.back() == ';')
                folder.pop_back();
            if (!folder.empty())
                folder = ConvertPath(ExpandVariables(folder), settings_.folders);
            // A variable nobody defines leaves its '%': that folder is unknown, not missing.
            // The finding is the "Path" value; the application's key and its other values stay.
            if (!folder.empty() && folder.find('%') == std::string::npos &&
                common::PresenceOf(folder) == common::Presence::Missing)
                AddTargeted(LocalMachine(), std::string(appPathsKey) + "\\" + name, "Path", stored, {folder});
        }
    }
    // 7: counters of shared libraries that are gone.
    {
        RegistryKey sharedDlls(LocalMachine().root, sharedDllsKey);
        for (const regvalues::RawValue& value :
             sharedDlls ? regvalues::ReadAllValues(sharedDlls.Get()) : std::vector<regvalues::RawValue>()) {
            const std::optional<std::string> missing =
                value.name.empty() ? std::nullopt : Test1(value.name, settings_.folders);
            if (missing)
                AddTargeted(LocalMachine(), sharedDllsKey, value.name, std::to_string(regvalues::CounterValue(value)),
                            {*missing});
        }
    }
}

} // namespace regscan
