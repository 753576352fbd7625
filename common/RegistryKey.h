// An open registry key, closed at the end of its life.
#pragma once

#include <windows.h>

#include <string>

class RegistryKey {
public:
    RegistryKey() = default;
    // Opens an existing key; empty when it cannot be opened (Status() tells why).
    RegistryKey(HKEY parent, const std::string& path, REGSAM access = KEY_READ);
    // Opens the key, making it (and the keys above it) when missing.
    static RegistryKey Create(HKEY parent, const std::string& path, REGSAM access);
    ~RegistryKey();
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept;
    RegistryKey& operator=(RegistryKey&& other) noexcept;

    HKEY Get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    // The error of opening or creating the key; ERROR_SUCCESS when it is open.
    LONG Status() const { return status_; }

private:
    void Close();

    HKEY key_ = nullptr;
    LONG status_ = ERROR_INVALID_HANDLE;
};
