// Registry entries that the tests of the registry pages seed into the throwaway Wine
// prefix, and take away again when they end.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

namespace seeds {

// Sets a value with exactly these bytes, creating the key; fails the test when it cannot.
void SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::vector<BYTE>& data);
// A string value with its terminating zero.
void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text,
               DWORD type = REG_SZ);
void SetDword(HKEY root, const std::string& key, const std::string& name, DWORD number);
// A string value set through the wide functions, for names and texts outside the ANSI code page.
void SetWideString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text);
// The name (or text) set through the wide functions reads back intact: Wine keeps
// characters outside Windows-1252 only when it runs with a UTF-8 locale.
bool RegistryKeepsWideNames();
void MakeKey(HKEY root, const std::string& key);
bool KeyExists(HKEY root, const std::string& key);
bool ValueExists(HKEY root, const std::string& key, const std::string& name);
void DeleteTree(HKEY root, const std::string& key);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);

// Keys made by a test, deleted (with everything below them) when it ends, also when it fails.
class Seeded {
public:
    Seeded() = default;
    ~Seeded();
    Seeded(const Seeded&) = delete;
    Seeded& operator=(const Seeded&) = delete;
    // Remembers a key to delete at the end; deletes it now too, so a test starts clean.
    void Own(HKEY root, const std::string& key);
    // Remembers a value to delete at the end.
    void OwnValue(HKEY root, const std::string& key, const std::string& name);

private:
    std::vector<std::pair<HKEY, std::string>> keys_;
    std::vector<std::pair<HKEY, std::pair<std::string, std::string>>> values_;
};

// Every key below (and with) key, each with its values: type and bytes by name.
using Tree = std::map<std::string, std::map<std::string, std::pair<DWORD, std::vector<BYTE>>>>;
Tree Snapshot(HKEY root, const std::string& key);

// A file that exists (the Windows folder's win.ini) and the Windows folder.
std::string LiveFile();
std::string WindowsFolder();
// "Q:\" or another drive root with no drive behind it, as of an unplugged disk.
std::string AbsentDriveRoot();

} // namespace seeds
