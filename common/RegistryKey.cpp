#include "common/RegistryKey.h"

#include <utility>

RegistryKey::RegistryKey(HKEY parent, const std::string& path, REGSAM access)
{
    // Without a parent there is nothing to open.
    if (parent)
        status_ = ::RegOpenKeyExA(parent, path.c_str(), 0, access, &key_);
    if (status_ != ERROR_SUCCESS)
        key_ = nullptr;
}

RegistryKey RegistryKey::Create(HKEY parent, const std::string& path, REGSAM access)
{
    RegistryKey key;
    if (parent)
        key.status_ = ::RegCreateKeyExA(parent, path.c_str(), 0, nullptr, 0, access, nullptr, &key.key_, nullptr);
    if (key.status_ != ERROR_SUCCESS)
        key.key_ = nullptr;
    return key;
}

RegistryKey::~RegistryKey() { Close(); }

RegistryKey::RegistryKey(RegistryKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)), status_(std::exchange(other.status_, ERROR_INVALID_HANDLE))
{
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept
{
    if (this != &other) {
        Close();
        key_ = std::exchange(other.key_, nullptr);
        status_ = std::exchange(other.status_, ERROR_INVALID_HANDLE);
    }
    return *this;
}

void RegistryKey::Close()
{
    if (key_)
        ::RegCloseKey(key_);
    key_ = nullptr;
}
