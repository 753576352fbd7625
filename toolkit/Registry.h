// TRegistry: the program's registry object, a thin wrapper over one open key of the
// advapi32 registry. Callers set RootKey (and Access when they need a particular
// right), open one key, read or write its values and close it again.
//
// Paths given to OpenKey and OpenKeyReadOnly are taken from RootKey; the key names given
// to KeyExists, DeleteKey and the value calls are taken from the open key, or from
// RootKey when no key is open. Reads report a missing or wrong-typed value through
// std::optional instead of throwing, so a hand-edited registry never stops the program.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

class TRegistry {
public:
    TRegistry() = default;
    ~TRegistry();
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey = HKEY_CURRENT_USER;
    // Rights asked for by OpenKey; OpenKeyReadOnly always asks for KEY_READ only.
    REGSAM Access = KEY_ALL_ACCESS;

    // Closes any open key first. With canCreate the key and its missing parents are
    // created. Returns whether a key is now open.
    bool OpenKey(const std::string& path, bool canCreate);
    bool OpenKeyReadOnly(const std::string& path);
    void CloseKey();
    HKEY CurrentKey() const { return current_; }
    const std::string& CurrentPath() const { return currentPath_; }

    // REG_SZ or REG_EXPAND_SZ (not expanded); nullopt when missing or of another type.
    std::optional<std::string> ReadString(const std::string& name) const;
    // REG_DWORD only.
    std::optional<int> ReadInteger(const std::string& name) const;
    // Any type except the string and integer types, as the stored bytes.
    std::optional<std::vector<BYTE>> ReadBinaryData(const std::string& name) const;
    // The stored bytes whatever the type; the type goes to *type when asked for.
    std::optional<std::vector<BYTE>> ReadRawData(const std::string& name, DWORD* type = nullptr) const;

    bool WriteString(const std::string& name, const std::string& value);
    bool WriteInteger(const std::string& name, int value);
    bool WriteBinaryData(const std::string& name, const void* data, DWORD size);
    bool WriteBinaryData(const std::string& name, const std::vector<BYTE>& data);

    std::optional<DWORD> GetDataSize(const std::string& name) const;
    std::optional<DWORD> GetDataType(const std::string& name) const; // REG_SZ, REG_DWORD, ...
    bool ValueExists(const std::string& name) const;
    bool DeleteValue(const std::string& name);

    bool KeyExists(const std::string& path) const;
    // Deletes the key with every key and value under it. An empty path is refused: it
    // would name the open key (or the root) itself.
    bool DeleteKey(const std::string& path);

    // Names of the open key's values and subkeys (empty when no key is open).
    std::vector<std::string> GetValueNames() const;
    std::vector<std::string> GetKeyNames() const;
    bool HasSubKeys() const;

private:
    bool Open(const std::string& path, REGSAM access, bool canCreate);
    HKEY Base() const { return current_ ? current_ : RootKey; }

    HKEY current_ = nullptr;
    std::string currentPath_;
};
