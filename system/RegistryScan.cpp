#include "system/RegistryScan.h"

#include "shell/LocaleTime.h"
#include "toolkit/NoDiskBoxes.h"

#include <algorithm>
#include <cctype>

namespace regscan {

namespace {

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool Contains(const std::string& text, const char* part) { return Upper(text).find(part) != std::string::npos; }

DWORD Attributes(const std::string& path)
{
    // An empty path would be taken as the current folder.
    return path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
}

bool FileExists(const std::string& path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

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

// Steps 3 to 9 of both tests, on a text that has passed the first ones.
bool NamesMissingPath(std::string text)
{
    if (FileExists(text))
        return false;
    if (text.find(":\\") != 1)
        return false;
    CutAtEach(text, " ,/\";|<>");
    const std::string extension = Extension(text);
    if (extension.empty() || extension.size() > 4)
        return false;
    if (FileExists(text))
        return false;
    if (Contains(text, "BLANK.HTM"))
        return false;
    return !FileExists(text) && !DirectoryExists(text);
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

} // namespace

bool TestDriveChecked(const std::string& text, const std::vector<std::string>& driveCaptions)
{
    size_t marker = text.find(":\\");
    if (marker == std::string::npos || marker == 0)
        return false;
    const std::string drive = "(" + Upper(text.substr(marker - 1, 1)) + ")";
    for (const std::string& caption : driveCaptions)
        if (Upper(caption).find(drive) != std::string::npos)
            return true;
    return false;
}

bool Test(const std::string& text, const std::vector<std::string>& driveCaptions)
{
    if (Contains(text, "RUNDLL"))
        return false;
    if (!TestDriveChecked(text, driveCaptions))
        return false;
    return NamesMissingPath(text);
}

bool Test1(const std::string& text, const Folders& folders)
{
    if (Contains(text, "RUNDLL"))
        return false;
    return NamesMissingPath(ConvertPath(text, folders));
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
        size_t at = Upper(result).find(token.token);
        if (at != std::string::npos) {
            result.erase(at, std::char_traits<char>::length(token.token));
            result = token.folder + result;
        }
    }
    CutAtEach(result, ",/\";|<>");
    return result;
}

bool CandidateOf(const regvalues::RawValue& value, const std::string& windowsDir, std::string& candidate)
{
    if (IsStringType(value.type))
        candidate = regvalues::StringData(value.data);
    else if (value.type == REG_MULTI_SZ)
        candidate = regvalues::MultiStringData(value.data);
    else
        return false;
    if (Upper(candidate).rfind("%SYSTEMROOT%\\", 0) == 0)
        candidate = windowsDir + candidate.substr(12);
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
    regvalues::KeyHandle key(root.root, path);
    if (!key)
        return;
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
        regvalues::KeyHandle subkey(key, std::string(name, length));
        if (!subkey)
            continue;
        ++keysWalked_;
        GetValues(subkey.Get());
        if (!Cancelled())
            SearchForSubKey(subkey.Get(), subPath);
        if (OnKeyDone)
            OnKeyDone();
    }
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
        std::string candidate;
        if (regvalues::ReadValueAt(key, index, value) && CandidateOf(value, settings_.folders.windowsDir, candidate) &&
            candidate.find(":\\") != std::string::npos && Test(candidate, settings_.driveCaptions) && OnFinding) {
            OnFinding({JoinKeyText(*root_, keyPath_), value.name, candidate, keyDate_,
                       Text("Datei oder Pfad existiert nicht", "File or Path does not exist"), false});
        }
        if (Cancelled())
            break;
    }
}

void Scanner::AddTargeted(const RegistryRootPrefix& root, const std::string& path, const std::string& valueName,
                          const std::string& data, bool isKey, const char* germanReason, const char* englishReason)
{
    regvalues::KeyHandle key(root.root, path);
    keyDate_ = key ? KeyDateText(regvalues::LastWriteTime(key.Get())) : std::string();
    if (OnFinding)
        OnFinding({JoinKeyText(root, path), valueName, data, keyDate_, Text(germanReason, englishReason), isKey});
}

void Scanner::CheckHelpFolder(const std::string& path)
{
    regvalues::KeyHandle key(LocalMachine().root, path);
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
        if (Test1(candidate, settings_.folders))
            AddTargeted(LocalMachine(), path, value.name, stored, false, "Pfad oder Datei existiert nicht",
                        "Path or File does not exist");
    }
}

void Scanner::ScanRegEntries()
{
    NoDiskBoxes quiet;
    // 1: "Open with" applications without a command.
    {
        regvalues::KeyHandle applications(ClassesRoot().root, "Applications");
        for (const std::string& name : applications ? regvalues::SubkeyNames(applications.Get())
                                                    : std::vector<std::string>()) {
            regvalues::KeyHandle command(applications.Get(), name + "\\shell\\Open\\command");
            if (regvalues::ReadStringValue(command.Get(), "").value_or("").empty())
                AddTargeted(ClassesRoot(), "Applications\\" + name, "", "", true,
                            "Nicht benutzter 'Öffnen mit' Eintrag", "Unused 'Open with' entry");
        }
    }
    // 2: the Explorer's file extensions that no program opens.
    {
        regvalues::KeyHandle fileExts(CurrentUser().root, fileExtsKey);
        for (const std::string& name : fileExts ? regvalues::SubkeyNames(fileExts.Get()) : std::vector<std::string>()) {
            regvalues::KeyHandle progids(fileExts.Get(), name + "\\OpenWithProgids");
            if (!progids)
                AddTargeted(CurrentUser(), std::string(fileExtsKey) + "\\" + name, "", "", true,
                            "Dateierweiterung nicht benutzt", "Extension not used");
        }
    }
    // 3: extensions of the classes root that only say they cannot be opened.
    {
        regvalues::KeyHandle classes(ClassesRoot().root, "");
        for (const std::string& name : classes ? regvalues::SubkeyNames(classes.Get()) : std::vector<std::string>()) {
            if (name.empty() || name[0] != '.')
                continue;
            regvalues::KeyHandle extension(classes.Get(), name);
            if (!extension)
                continue;
            regvalues::RawValue noOpen;
            if (regvalues::ReadNamedValue(extension.Get(), "NoOpen", noOpen) &&
                regvalues::SubkeyNames(extension.Get()).empty())
                AddTargeted(ClassesRoot(), name, "", "", true, "Dateierweiterung nicht benutzt", "Extension not used");
        }
    }
    // 4, 5: help files that are gone.
    CheckHelpFolder(helpKey);
    CheckHelpFolder(htmlHelpKey);
    // 6: application folders that are gone.
    {
        regvalues::KeyHandle appPaths(LocalMachine().root, appPathsKey);
        for (const std::string& name : appPaths ? regvalues::SubkeyNames(appPaths.Get()) : std::vector<std::string>()) {
            regvalues::KeyHandle application(appPaths.Get(), name);
            const std::string stored = regvalues::ReadStringValue(application.Get(), "Path").value_or("");
            std::string folder = stored;
            if (!folder.empty() && folder.back() == ';')
                folder.pop_back();
            if (!folder.empty())
                folder = ConvertPath(folder, settings_.folders);
            if (!folder.empty() && !DirectoryExists(folder))
                AddTargeted(LocalMachine(), std::string(appPathsKey) + "\\" + name, "Path", stored, true,
                            "Pfad oder Datei existiert nicht", "Path or File does not exist");
        }
    }
    // 7: counters of shared libraries that are gone.
    {
        regvalues::KeyHandle sharedDlls(LocalMachine().root, sharedDllsKey);
        for (const regvalues::RawValue& value :
             sharedDlls ? regvalues::ReadAllValues(sharedDlls.Get()) : std::vector<regvalues::RawValue>()) {
            if (!value.name.empty() && Test1(value.name, settings_.folders))
                AddTargeted(LocalMachine(), sharedDllsKey, value.name, std::to_string(regvalues::CounterValue(value)),
                            false, "Pfad oder Datei existiert nicht", "Path or File does not exist");
        }
    }
}

} // namespace regscan
