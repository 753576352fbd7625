#include "system/AutostartEntries.h"

#include "common/CaseRule.h"
#include "common/ComPtr.h"
#include "common/ComScope.h"
#include "common/FindHandle.h"
#include "common/Wow64.h"
#include "toolkit/Registry.h"

#include <objbase.h>
#include <shlobj.h>

#include <fstream>
#include <sstream>

namespace autostart {

namespace {

const char* const autostartLocations[] = {
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
    "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\Run",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
};

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Reads win.ini line by line as the system does: only the "load=" and "run=" keys of the
// [windows] section start programs; the same words elsewhere, or inside another key's
// name, do not.
class WinIniLines {
public:
    // Takes the next line (without its line end); true with the entry when the line is
    // a start line with a value.
    bool IsStartLine(const std::string& line, WinIniEntry& entry)
    {
        const std::string text = Trimmed(line);
        if (!text.empty() && text[0] == '[') {
            const size_t close = text.find(']');
            inWindows_ = close != std::string::npos && common::UpperCase(Trimmed(text.substr(1, close - 1))) == "WINDOWS";
            return false;
        }
        const size_t equals = text.find('=');
        if (!inWindows_ || equals == std::string::npos)
            return false;
        const std::string key = common::UpperCase(Trimmed(text.substr(0, equals)));
        if (key != "LOAD" && key != "RUN")
            return false;
        entry.key = key + "=";
        entry.remainder = common::UpperCase(Trimmed(text.substr(equals + 1)));
        return !entry.remainder.empty();
    }

private:
    bool inWindows_ = false;
};

const char* const winlogonRoot = "HKLM\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\";

// The machine's Run keys that 64-bit Windows keeps twice: 32-bit programs read and write
// their own copies below Wow6432Node, 64-bit programs the keys themselves.
const char* const machineKeys = "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\";
const char* const machineKeys32 = "HKLM\\SOFTWARE\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\";
const char* const redirectedRunKeys[] = {"RunOnce", "RunOnceEx", "Run", "Policies\\Explorer\\Run"};

bool IsRedirectedRunKey(const std::string& text)
{
    for (const char* key : redirectedRunKeys)
        if (text == machineKeys + std::string(key))
            return true;
    return false;
}

// The 32-bit view's copy of a redirected Run key, named where the system keeps it;
// empty for any other key.
std::string ThirtyTwoBitCopy(const std::string& text)
{
    return IsRedirectedRunKey(text) ? machineKeys32 + text.substr(std::string(machineKeys).size()) : std::string();
}

} // namespace

std::vector<std::string> RootTexts(const std::string& windowsDir, const std::string& commonStartup,
                                   const std::string& userStartup)
{
    std::vector<std::string> roots = {
        std::string(winlogonRoot) + "Userinit",
        std::string(winlogonRoot) + "Shell",
        "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
        "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
        "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run",
        "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices",
        "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServices",
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce",
    };
    if (!commonStartup.empty())
        roots.push_back(commonStartup);
    if (!userStartup.empty())
        roots.push_back(userStartup);
    for (const char* root : {
             "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ShellServiceObjectDelayLoad",
             "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\Run",
             "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows\\Load",
             "HKCU\\Software\\Policies\\Microsoft\\Windows\\System\\Scripts",
             "HKLM\\Software\\Policies\\Microsoft\\Windows\\System\\Scripts",
             "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
             "HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run",
             "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
             "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx",
         })
        roots.push_back(root);
    roots.push_back(windowsDir + "\\win.ini");
    roots.push_back(windowsDir + "\\Tasks");
    if (!common::RunsUnderWow64())
        return roots;
    std::vector<std::string> bothViews;
    for (const std::string& root : roots) {
        bothViews.push_back(root);
        if (IsRedirectedRunKey(root))
            bothViews.push_back(ThirtyTwoBitCopy(root));
    }
    return bothViews;
}

bool IsAutostartLocation(const std::string& text, const std::string& windowsDir)
{
    for (const char* location : autostartLocations)
        if (text == location || (IsRedirectedRunKey(location) && text == ThirtyTwoBitCopy(location)))
            return true;
    return text == windowsDir + "\\win.ini";
}

bool IsFilePath(const std::string& text) { return text.find(":\\") != std::string::npos; }

bool IsWinlogonRoot(const std::string& text) { return text.rfind(winlogonRoot, 0) == 0; }

std::string GetFileName(std::string command)
{
    const size_t drive = command.find(":\\");
    if (drive == std::string::npos || drive == 0)
        return command;
    command.erase(0, drive - 1);
    const size_t dot = command.find('.');
    return command.substr(0, dot == std::string::npos ? 3 : dot + 4);
}

bool SplitKeyPath(const std::string& text, HKEY& root, int& rootIndex, std::string& path, REGSAM& view)
{
    // Under WOW64 the tree shows both views of the machine's Run keys, each under its real
    // name; each is opened in its own view, whatever this program's own view is.
    std::string key = text;
    view = 0;
    if (common::RunsUnderWow64()) {
        const std::string prefix32 = machineKeys32;
        const std::string copied =
            text.rfind(prefix32, 0) == 0 ? machineKeys + text.substr(prefix32.size()) : std::string();
        if (IsRedirectedRunKey(copied)) {
            key = copied;
            view = KEY_WOW64_32KEY;
        } else if (IsRedirectedRunKey(text)) {
            view = KEY_WOW64_64KEY;
        }
    }
    const size_t slash = key.find('\\');
    if (slash == std::string::npos)
        return false;
    const std::string prefix = key.substr(0, slash);
    const char* prefixes[] = {"HKCR", "HKCU", "HKLM", "HKU", "HKCC"};
    const HKEY roots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG};
    for (int i = 0; i < 5; ++i) {
        if (prefix == prefixes[i]) {
            root = roots[i];
            rootIndex = i;
            path = key.substr(slash + 1);
            return true;
        }
    }
    return false;
}

std::vector<WinIniEntry> ReadWinIni(const std::string& path)
{
    std::vector<WinIniEntry> entries;
    std::ifstream file(path, std::ios::binary);
    std::string line;
    WinIniLines lines;
    WinIniEntry entry;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (lines.IsStartLine(line, entry))
            entries.push_back(entry);
    }
    return entries;
}

bool RemoveWinIniLine(const std::string& path, const std::string& key, const std::string& remainder)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::stringstream whole;
    whole << in.rdbuf();
    in.close();
    const std::string content = whole.str();
    std::string kept;
    bool removed = false;
    size_t start = 0;
    WinIniLines lines;
    WinIniEntry entry;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        end = end == std::string::npos ? content.size() : end + 1;
        const std::string line = content.substr(start, end - start);
        std::string bare = line;
        while (!bare.empty() && (bare.back() == '\n' || bare.back() == '\r'))
            bare.pop_back();
        if (lines.IsStartLine(bare, entry) && !removed && entry.key == common::UpperCase(key) && entry.remainder == common::UpperCase(remainder))
            removed = true;
        else
            kept += line;
        start = end;
    }
    if (!removed)
        return false;
    const std::string temporary = path + ".tidewrack-new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << kept;
        out.flush();
        if (!out) {
            out.close();
            DeleteFileA(temporary.c_str());
            return false;
        }
    }
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    return true;
}

std::vector<std::string> FolderItems(const std::string& folder)
{
    std::vector<std::string> items;
    WIN32_FIND_DATAA data{};
    FindHandle find(folder + "\\*.*", data);
    if (!find.Valid())
        return items;
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & ~DWORD(63)) != 0 || name == "." || name == "..")
            continue;
        const size_t dot = name.find_last_of('.');
        const std::string extension = dot == std::string::npos ? std::string() : common::UpperCase(name.substr(dot));
        if (extension == ".INI" || extension == ".DAT")
            continue;
        items.push_back(folder + "\\" + name);
    } while (find.Next(data));
    return items;
}

std::string ShellServiceObjectText(const std::string& name, const std::string& classId,
                                   const std::string& windowsDir, std::string& filePath)
{
    TRegistry classes;
    classes.RootKey = HKEY_CLASSES_ROOT;
    if (!classes.OpenKeyReadOnly("CLSID\\" + classId + "\\InProcServer32"))
        return classId;
    std::string server = classes.ReadString("").value_or("");
    classes.CloseKey();
    if (common::UpperCase(server).find("%SYSTEMR") != std::string::npos) {
        const size_t slash = server.find('\\');
        server = windowsDir + "\\" + (slash == std::string::npos ? std::string() : server.substr(slash + 1));
    }
    filePath = server;
    return name + " --> " + server;
}

bool CreateShellLink(const std::string& target, const std::string& description, const std::string& linkPath,
                     const std::string& workingFolder)
{
    ComScope com;
    ComPtr<IShellLinkA> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(link.Put()))))
        return false;
    link->SetWorkingDirectory(workingFolder.c_str());
    link->SetPath(target.c_str());
    link->SetDescription(description.c_str());
    link->SetShowCmd(SW_SHOW);
    ComPtr<IPersistFile> file;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))))
        return false;
    wchar_t wide[MAX_PATH] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide, MAX_PATH))
        return false;
    return SUCCEEDED(file->Save(wide, TRUE));
}

} // namespace autostart
