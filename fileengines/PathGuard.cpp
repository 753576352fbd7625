#include "fileengines/PathGuard.h"

#include "fileengines/FileIdentity.h"
#include "common/CaseRule.h"
#include "common/Language.h"
#include "common/RegistryValues.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <set>

namespace path_guard {

// A folder as it was found, and the name to ask it again by.
struct FolderIdentity {
    std::string name;
    file_identity::Identity identity;
};

struct KnownFolders {
    std::vector<std::string> folders, profileRootPaths; // the lists they were asked for
    // What the guarded folders, the profile folders and every folder that holds one of
    // them are, and what the profile folders are.
    std::vector<FolderIdentity> refused, profileRoots;
    // The canonical spellings of the guarded and profile folders that could not be opened.
    std::vector<std::string> unopened, unopenedProfileRoots;
};

namespace {

bool IsDriveLetterPath(const std::string& text)
{
    return text.size() >= 2 && std::isalpha(static_cast<unsigned char>(text[0])) && text[1] == ':';
}

// Splits "C:\a\b" into its root ("C:" or "\\server\share") and its names.
void Split(const std::string& full, std::string& root, std::vector<std::string>& names)
{
    size_t start;
    if (full.compare(0, 2, "\\\\") == 0) {
        size_t server = full.find('\\', 2);
        size_t share = server == std::string::npos ? std::string::npos : full.find('\\', server + 1);
        root = full.substr(0, share);
        start = share == std::string::npos ? full.size() : share + 1;
    } else {
        root = full.substr(0, 2);
        start = std::min<size_t>(3, full.size());
    }
    names.clear();
    while (start < full.size()) {
        size_t slash = full.find('\\', start);
        // Kept as the system spells it: the system drops the trailing dots and blanks of the
        // last name only (done already), and "x \AppData" is in the folder "x ", which can be
        // a link beside an ordinary "x".
        std::string name = full.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        if (!name.empty())
            names.push_back(name);
        start = slash == std::string::npos ? full.size() : slash + 1;
    }
}

std::string Join(const std::string& root, const std::vector<std::string>& names, size_t count)
{
    std::string path = root;
    for (size_t i = 0; i < count; ++i)
        path += "\\" + names[i];
    return path;
}

// A name CreateFileA takes for a path in the system's spelling, however long it is. The
// system would drop a trailing dot or blank of the last name once more ("x " would open
// "x"), so such a path goes as it stands.
std::string OpenName(const std::string& spelt)
{
    if (spelt.empty())
        return spelt;
    if (spelt.size() == 2)
        return spelt + "\\"; // "C:" alone would be the drive's current folder
    if (spelt.size() < MAX_PATH && spelt.back() != '.' && spelt.back() != ' ')
        return spelt;
    return spelt.compare(0, 2, "\\\\") == 0 ? "\\\\?\\UNC\\" + spelt.substr(2) : "\\\\?\\" + spelt;
}

// Back from OpenName's spelling.
std::string WithoutPrefix(const std::string& name)
{
    if (name.compare(0, 8, "\\\\?\\UNC\\") == 0)
        return "\\\\" + name.substr(8);
    return name.compare(0, 4, "\\\\?\\") == 0 ? name.substr(4) : name;
}

// The longest part of the path that exists, in long names, followed by the rest as given.
std::string WithLongNames(const std::string& root, const std::vector<std::string>& names)
{
    for (size_t count = names.size(); count > 0; --count) {
        const std::string head = Join(root, names, count);
        char buffer[MAX_PATH * 4];
        DWORD length = GetLongPathNameA(OpenName(head).c_str(), buffer, sizeof buffer);
        if (length == 0 || length >= sizeof buffer)
            continue;
        std::string path = WithoutPrefix(buffer);
        while (path.size() > 2 && path.back() == '\\')
            path.pop_back();
        return path + Join("", names, names.size()).substr(Join("", names, count).size());
    }
    return Join(root, names, names.size());
}

enum class Spelling {
    Full,
    NotAbsolute,
    // Read as two folders: a folder whose own name ends in a blank or a dot is "x" when
    // opened itself but "x " when what it holds is listed ("x \*"), and a "\\?\" path,
    // which the system takes as it stands, says "x " where its full path says "x".
    Misread,
};

// Splits the full path, without a "\\?\" prefix, into its root and its names: as the
// system opens the folder itself, also when it reads it two ways.
Spelling SplitFullPath(const std::string& path, std::string& root, std::vector<std::string>& names)
{
    std::string text = path;
    const bool literal = text.compare(0, 4, "\\\\?\\") == 0;
    if (text.compare(0, 8, "\\\\?\\UNC\\") == 0)
        text = "\\\\" + text.substr(8);
    else if (literal || text.compare(0, 4, "\\\\.\\") == 0)
        text.erase(0, 4);
    const std::string given = text;
    for (char& c : text)
        if (c == '/')
            c = '\\';
    if (text.size() == 2 && IsDriveLetterPath(text))
        text += '\\'; // the bare drive names the whole drive here, not its current folder
    const bool drivePath = IsDriveLetterPath(text) && text.size() >= 3 && text[2] == '\\';
    const bool sharePath = text.size() > 2 && text[0] == '\\' && text[1] == '\\' && text[2] != '\\';
    if (!drivePath && !sharePath)
        return Spelling::NotAbsolute;
    auto fullPathOf = [](const std::string& spelt, std::string& full) {
        char buffer[MAX_PATH * 4];
        DWORD length = GetFullPathNameA(spelt.c_str(), sizeof buffer, buffer, nullptr);
        full.assign(buffer, length > 0 && length < sizeof buffer ? length : 0);
        return !full.empty();
    };
    std::string full, inside;
    if (!fullPathOf(text, full) || !fullPathOf(text.back() == '\\' ? text : text + '\\', inside))
        return Spelling::NotAbsolute;
    Split(full, root, names);
    while (inside.size() > 1 && inside.back() == '\\')
        inside.pop_back();
    const bool twoWays = inside.back() == '.' || inside.back() == ' ';
    return twoWays || (literal && !common::SameText(given, full)) ? Spelling::Misread : Spelling::Full;
}

// The full path as given (short names stay short); "" when not absolute.
std::string FullPath(const std::string& path)
{
    std::string root;
    std::vector<std::string> names;
    return SplitFullPath(path, root, names) != Spelling::NotAbsolute ? Join(root, names, names.size()) : std::string();
}

// The canonical path in the system's spelling (not upper-cased); "" when not absolute.
// Long names cost a look at every folder on the way.
std::string LongFullPath(const std::string& path)
{
    std::string root;
    std::vector<std::string> names;
    return SplitFullPath(path, root, names) != Spelling::NotAbsolute ? WithLongNames(root, names) : std::string();
}

bool IsRoot(const std::string& canonical)
{
    if (canonical.compare(0, 2, "\\\\") != 0)
        return canonical.size() <= 2;
    size_t server = canonical.find('\\', 2);
    return server == std::string::npos || canonical.find('\\', server + 1) == std::string::npos;
}

// outer is inner, or a folder that holds it (both canonical, so upper-cased alike).
bool Holds(const std::string& outer, const std::string& inner)
{
    if (outer.empty() || outer.size() > inner.size())
        return false;
    if (inner.compare(0, outer.size(), outer) != 0)
        return false;
    return inner.size() == outer.size() || inner[outer.size()] == '\\';
}

std::string ParentOf(const std::string& canonical)
{
    size_t slash = canonical.find_last_of('\\');
    return slash == std::string::npos || slash < 2 ? std::string() : canonical.substr(0, slash);
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    return SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : "";
}

// A folder that only the shells of Vista and later name, "" where there is none. Looked up
// at run time: older shells lack the function.
std::string KnownFolder(const GUID& id)
{
    using Get = HRESULT(WINAPI*)(const GUID&, DWORD, HANDLE, PWSTR*);
    static const Get get = reinterpret_cast<Get>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("shell32.dll"), "SHGetKnownFolderPath")));
    if (!get)
        return std::string();
    PWSTR wide = nullptr;
    char path[MAX_PATH * 2] = {};
    BOOL lossy = FALSE;
    if (SUCCEEDED(get(id, 0, nullptr, &wide)) &&
        WideCharToMultiByte(CP_ACP, 0, wide, -1, path, sizeof path, nullptr, &lossy) <= 0)
        path[0] = '\0';
    CoTaskMemFree(wide); // owed whether the call succeeded or not
    return lossy ? std::string() : path;
}

// The program-files folders as Windows names them in the registry. A 32-bit program on
// a 64-bit system reads its own view there, so the 64-bit view is asked as well.
void AddRegisteredProgramFolders(std::vector<std::string>& folders)
{
    for (REGSAM view : {REGSAM(0), REGSAM(KEY_WOW64_64KEY)}) {
        RegistryKey key(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                                 KEY_QUERY_VALUE | view);
        if (!key)
            continue;
        for (const char* name : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir", "CommonFilesDir",
                                 "CommonFilesDir (x86)"})
            if (auto folder = regvalues::ReadStringValue(key.Get(), name); folder && !folder->empty())
                folders.push_back(*folder);
    }
}

GuardedFolders AskSystem()
{
    GuardedFolders guarded;
    char path[MAX_PATH] = {};
    if (GetWindowsDirectoryA(path, MAX_PATH))
        guarded.folders.push_back(path);
    if (GetSystemDirectoryA(path, MAX_PATH))
        guarded.folders.push_back(path);
    // The trace folders (Recent, Cookies, History, the Internet cache, Temp) stay out:
    // emptying them is this program's work.
    for (int csidl : {CSIDL_WINDOWS, CSIDL_SYSTEM, CSIDL_SYSTEMX86, CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86,
                      CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86, CSIDL_COMMON_APPDATA,
                      CSIDL_COMMON_DOCUMENTS, CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_STARTMENU,
                      CSIDL_COMMON_TEMPLATES, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_STARTUP, CSIDL_COMMON_FAVORITES,
                      CSIDL_COMMON_MUSIC, CSIDL_COMMON_PICTURES, CSIDL_COMMON_VIDEO, CSIDL_COMMON_ADMINTOOLS,
                      CSIDL_PROFILE, CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA,
                      CSIDL_MYPICTURES, CSIDL_MYMUSIC, CSIDL_MYVIDEO, CSIDL_FAVORITES, CSIDL_STARTMENU, CSIDL_PROGRAMS,
                      CSIDL_STARTUP, CSIDL_SENDTO, CSIDL_TEMPLATES, CSIDL_NETHOOD, CSIDL_PRINTHOOD, CSIDL_ADMINTOOLS,
                      CSIDL_CDBURN_AREA})
        if (std::string folder = ShellFolder(csidl); !folder.empty())
            guarded.folders.push_back(folder);
    static const GUID vistaFolders[] = {
        {0x374de290, 0x123f, 0x4565, {0x91, 0x64, 0x39, 0xc4, 0x92, 0x5e, 0x46, 0x7b}}, // Downloads
        {0x4c5c32ff, 0xbb9d, 0x43b0, {0xb5, 0xb4, 0x2d, 0x72, 0xe5, 0x4e, 0xaa, 0xa4}}, // Saved Games
        {0x56784854, 0xc6cb, 0x462b, {0x81, 0x69, 0x88, 0xe3, 0x50, 0xac, 0xb8, 0x82}}, // Contacts
        {0xbfb9d5e0, 0xc6a9, 0x404c, {0xb2, 0xb2, 0xae, 0x6d, 0xb6, 0xaf, 0x49, 0x68}}, // Links
        {0x7d1d3a04, 0xdebb, 0x4115, {0x95, 0xcf, 0x2f, 0x29, 0xda, 0x29, 0x20, 0xda}}, // Searches
        {0xa520a1a4, 0x1780, 0x4ff6, {0xbd, 0x18, 0x16, 0x73, 0x43, 0xc5, 0xaf, 0x16}}, // AppData\LocalLow
    };
    for (const GUID& id : vistaFolders)
        if (std::string folder = KnownFolder(id); !folder.empty())
            guarded.folders.push_back(folder);
    AddRegisteredProgramFolders(guarded.folders);
    // The folder that holds every profile: each folder directly in it is someone's.
    const std::string profiles = ParentOf(LongFullPath(ShellFolder(CSIDL_PROFILE)));
    if (!profiles.empty())
        guarded.profileRoots.push_back(profiles);
    RegistryKey list(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                              KEY_QUERY_VALUE);
    if (list)
        if (auto folder = regvalues::ReadStringValue(list.Get(), "ProfilesDirectory"); folder && !folder->empty()) {
            char expanded[MAX_PATH * 2] = {};
            DWORD length = ExpandEnvironmentStringsA(folder->c_str(), expanded, sizeof expanded);
            if (length > 0 && length <= sizeof expanded)
                guarded.profileRoots.push_back(expanded);
        }
    return guarded;
}

// Adds what the folder and each folder that holds it are. A folder that cannot be opened
// (not made yet, say) is known by its canonical spelling only.
void AddWithHolders(const std::string& folder, std::set<std::string>& asked, std::vector<FolderIdentity>& identities,
                    std::vector<std::string>& unopened)
{
    bool first = true;
    for (std::string spelt = FullPath(folder); !spelt.empty(); spelt = ParentOf(spelt), first = false) {
        if (!asked.insert(common::UpperCase(spelt)).second)
            continue;
        const std::optional<file_identity::Identity> identity = file_identity::Of(OpenName(spelt));
        // An index of 0 tells nothing: such a file system cannot tell its files apart.
        if (identity && identity->index != 0)
            identities.push_back({OpenName(spelt), *identity});
        else if (first)
            unopened.push_back(CanonicalPath(folder));
    }
}

const KnownFolders& Known(const GuardedFolders& guarded)
{
    if (guarded.known && guarded.known->folders == guarded.folders &&
        guarded.known->profileRootPaths == guarded.profileRoots)
        return *guarded.known;
    auto known = std::make_shared<KnownFolders>();
    known->folders = guarded.folders;
    known->profileRootPaths = guarded.profileRoots;
    std::set<std::string> asked;
    for (const std::string& folder : guarded.folders)
        AddWithHolders(folder, asked, known->refused, known->unopened);
    for (const std::string& root : guarded.profileRoots) {
        const std::string name = OpenName(FullPath(root));
        if (const auto identity = file_identity::Of(name); identity && identity->index != 0)
            known->profileRoots.push_back({name, *identity});
        else
            known->unopenedProfileRoots.push_back(CanonicalPath(root));
        std::vector<std::string> spellings; // the folder's own: in unopenedProfileRoots already
        AddWithHolders(root, asked, known->refused, spellings);
    }
    guarded.known = known;
    return *known;
}

// The file with this index (not 0), opened, is one of these folders. On a match the
// volumes are asked, the folder's afresh beside the file's: Wine numbers its volumes anew
// as drive letters come and go.
bool IsOneOf(const file_identity::Opened& opened, unsigned long long index, const std::vector<FolderIdentity>& folders)
{
    for (const FolderIdentity& kept : folders) {
        if (kept.identity.index != index)
            continue;
        const std::optional<file_identity::Identity> identity = file_identity::Of(opened.Handle());
        if (identity && (*identity == kept.identity || identity == file_identity::Of(kept.name)))
            return true;
    }
    return false;
}

// The index of an opened folder, asked first as it is cheap; none when it cannot be
// opened or its file system gives 0 for it (some redirectors do for every file): such a
// folder cannot be told from a guarded one.
std::optional<unsigned long long> KnownIndex(const file_identity::Opened& opened, IndexSource index)
{
    if (!opened.Valid())
        return std::nullopt;
    const std::optional<unsigned long long> known = index(opened.Handle());
    return known && *known != 0 ? known : std::nullopt;
}

} // namespace

GuardedFolders SystemGuardedFolders(const std::string& programDir, const std::string& backupDir)
{
    static const GuardedFolders system = AskSystem();
    GuardedFolders guarded = system;
    for (const std::string& folder : {programDir, backupDir})
        if (!folder.empty())
            guarded.folders.push_back(folder);
    return guarded;
}

std::string CanonicalPath(const std::string& path) { return common::UpperCase(LongFullPath(path)); }

Verdict Judge(const std::string& folder, const GuardedFolders& guarded, IndexSource index)
{
    std::string root;
    std::vector<std::string> names;
    switch (SplitFullPath(folder, root, names)) {
    case Spelling::NotAbsolute: return Verdict::NotAbsolute;
    case Spelling::Misread: return Verdict::Misread;
    case Spelling::Full: break;
    }
    const std::string target = common::UpperCase(WithLongNames(root, names));
    if (IsRoot(target))
        return Verdict::WholeDrive;
    const KnownFolders& known = Known(guarded);
    for (const std::string& kept : known.unopened)
        if (Holds(target, kept))
            return Verdict::Protected;
    for (const std::string& profiles : known.unopenedProfileRoots)
        if (Holds(target, profiles) || (!profiles.empty() && ParentOf(target) == profiles))
            return Verdict::Protected;
    // Judged by what it is, whatever the spelling: a link on the way, another drive letter
    // or a share onto the same folder. It is opened as the system opens it for the delete:
    // by its full path, names kept as the system spells them. What cannot be opened or
    // told apart cannot be judged, so it is not taken either.
    const std::string full = Join(root, names, names.size());
    const file_identity::Opened opened(OpenName(full));
    const std::optional<unsigned long long> ownIndex = KnownIndex(opened, index);
    if (!ownIndex)
        return Verdict::Unreachable;
    if (IsOneOf(opened, *ownIndex, known.refused))
        return Verdict::Protected;
    // A parent without an index (the root of a FAT drive, say) is no profile folder: those
    // were known by their spelling when they gave none.
    const file_identity::Opened parent(OpenName(ParentOf(full)));
    const std::optional<unsigned long long> parentIndex = KnownIndex(parent, index);
    if (parentIndex && IsOneOf(parent, *parentIndex, known.profileRoots))
        return Verdict::Protected;
    const DWORD attributes = GetFileAttributesA(OpenName(full).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return Verdict::Link;
    return Verdict::Allowed;
}

std::string RefusalNote(Verdict verdict, bool german)
{
    switch (verdict) {
    case Verdict::Allowed: return std::string();
    case Verdict::NotAbsolute: return language::Text(german, "  (kein vollständiger Pfad)\n", "  (not a full path)\n");
    case Verdict::WholeDrive: return language::Text(german, "  (ganzes Laufwerk)\n", "  (a whole drive)\n");
    case Verdict::Protected:
        return language::Text(german, "  (von Windows, Programmen oder Benutzern gebraucht)\n",
                              "  (needed by Windows, programs or users)\n");
    case Verdict::Link:
        return language::Text(german, "  (Verknüpfung zu einem anderen Ort)\n", "  (a link to another place)\n");
    case Verdict::Unreachable:
        return language::Text(german, "  (lässt sich nicht öffnen oder nicht erkennen)\n",
                              "  (cannot be opened or recognised)\n");
    case Verdict::Misread:
        return language::Text(german, "  (Windows würde einen anderen Ordner öffnen)\n",
                              "  (Windows would open another folder)\n");
    }
    return std::string();
}

} // namespace path_guard
