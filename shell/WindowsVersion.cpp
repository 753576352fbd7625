#include "shell/WindowsVersion.h"

#include "common/CaseRule.h"
#include "toolkit/Registry.h"

#include <cstring>

namespace {

// The product type was read into an 80-byte buffer: a longer value counts as unreadable.
constexpr size_t kProductTypeLimit = 80;

char SecondCharacter(const std::string& text) { return text.size() >= 2 ? text[1] : '\0'; }

void AppendFamily(const WindowsVersionRecord& v, WindowsVersion& result)
{
    std::string& name = result.nameText;
    switch (v.platform) {
    case VER_PLATFORM_WIN32s:
        name += "Microsoft Win32s";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (v.major == 4 && v.minor == 0) {
            name += "Microsoft Windows 95 ";
            if (SecondCharacter(v.service) == 'C' || SecondCharacter(v.service) == 'B')
                name += "OSR2 ";
        } else if (v.major == 4 && v.minor == 10) {
            name += "Microsoft Windows 98 ";
            if (SecondCharacter(v.service) == 'A')
                name += " SE ";
        } else if (v.major == 4 && v.minor == 90) {
            name += "Microsoft Windows Millennium Edition";
        }
        break;
    case VER_PLATFORM_WIN32_NT:
        if (v.major == 5 && v.minor == 2) {
            name += "Microsoft Windows Server 2003 family, ";
            result.osLevel = 3;
            result.isXpClass = 1;
        } else if (v.major == 5 && v.minor == 1) {
            name += "Microsoft Windows XP ";
            result.osLevel = 3;
            result.isXpClass = 1;
        } else if (v.major == 5 && v.minor == 0) {
            name += "Microsoft Windows 2000 ";
            result.osLevel = 2;
        } else if (v.major <= 4) {
            name += "Microsoft Windows NT ";
            result.osLevel = 1;
        }
        break;
    default:
        break;
    }
}

std::string EditionFromRecord(const WindowsVersionRecord& v)
{
    bool datacenter = v.suiteMask & VER_SUITE_DATACENTER;  // 0x80
    bool enterprise = v.suiteMask & VER_SUITE_ENTERPRISE;  // 0x02
    if (v.productType == VER_NT_WORKSTATION) {
        if (v.major == 4)
            return "Workstation 4.0 ";
        return (v.suiteMask & VER_SUITE_PERSONAL) ? "Home Edition " : "Professional ";
    }
    if (v.productType == VER_NT_SERVER) {
        if (v.major == 5 && v.minor == 2) {
            if (datacenter)
                return "Datacenter Edition ";
            if (enterprise)
                return "Enterprise Edition ";
            // Web Edition sets exactly this bit; other bits beside it mean Standard.
            return v.suiteMask == VER_SUITE_BLADE ? "Web Edition " : "Standard Edition ";
        }
        if (v.major == 5 && v.minor == 0) {
            if (datacenter)
                return "Datacenter Server ";
            return enterprise ? "Advanced Server " : "Server ";
        }
        return enterprise ? "Server 4.0, Enterprise Edition " : "Server 4.0 ";
    }
    return std::string();
}

// Without the extended record the edition comes from the registry.
bool AppendEditionFromRegistry(const WindowsVersionRecord& v, const std::optional<std::string>& productType,
                               std::string& name)
{
    if (!productType || productType->size() >= kProductTypeLimit)
        return false;
    if (common::SameText(*productType, "WINNT"))
        name += "Workstation ";
    else if (common::SameText(*productType, "LANMANNT"))
        name += "Server ";
    else if (common::SameText(*productType, "SERVERNT"))
        name += "Advanced Server ";
    name += std::to_string(v.major) + "." + std::to_string(v.minor) + " ";
    return true;
}

std::string ServicePackText(const WindowsVersionRecord& v, bool hotfixQ246009)
{
    // The high word of the build number holds the version on some systems.
    std::string build = " (Build " + std::to_string(v.build & 0xFFFF) + ") ";
    // Service Pack 6a did not change the service text; only its hotfix key tells it apart.
    if (v.major == 4 && common::SameText(v.service, "Service Pack 6") && hotfixQ246009)
        return "Service Pack 6a" + build;
    return v.service + build;
}

} // namespace

WindowsVersion DecodeWindowsVersion(const WindowsVersionFacts& facts)
{
    WindowsVersion result;
    if (!facts.record)
        return result;
    const WindowsVersionRecord& v = *facts.record;

    AppendFamily(v, result);
    if (v.platform == VER_PLATFORM_WIN32_NT) {
        if (v.hasExtendedFields)
            result.nameText += EditionFromRecord(v);
        else if (!AppendEditionFromRegistry(v, facts.productType, result.nameText))
            return result; // ok stays false; the texts keep what was appended so far
        result.nameText += ServicePackText(v, facts.hotfixQ246009);
    }
    result.versionText = "Version " + std::to_string(v.major) + "." + std::to_string(v.minor);
    result.nameText += result.versionText;
    result.ok = true;
    return result;
}

WindowsVersionFacts GatherWindowsVersionFacts(TRegistry& registry)
{
    WindowsVersionFacts facts;

    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
    bool extended = ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)) != FALSE;
    if (!extended) { // before NT 4 SP6 and on the 95 family only the plain record exists
        info = OSVERSIONINFOEXA{};
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info)))
            return facts;
    }
    WindowsVersionRecord record;
    record.platform = info.dwPlatformId;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.service.assign(info.szCSDVersion, strnlen(info.szCSDVersion, sizeof info.szCSDVersion));
    record.hasExtendedFields = extended;
    if (extended) {
        record.productType = info.wProductType;
        record.suiteMask = info.wSuiteMask;
    }
    facts.record = record;

    registry.RootKey = HKEY_LOCAL_MACHINE;
    if (registry.OpenKeyReadOnly("SYSTEM\\CurrentControlSet\\Control\\ProductOptions"))
        facts.productType = registry.ReadString("ProductType");
    registry.CloseKey();
    facts.hotfixQ246009 = registry.KeyExists("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Hotfix\\Q246009");
    return facts;
}
