// Windows version detection: the decoding of the version record into the level that
// features test, the XP-family flag and a readable name, kept apart from the gathering
// of the record so that every Windows version can be checked without running on it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class TRegistry;

// What GetVersionExA reports.
struct WindowsVersionRecord {
    DWORD platform = 0;       // VER_PLATFORM_WIN32s, _WIN32_WINDOWS or _WIN32_NT
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
    std::string service;      // szCSDVersion: "Service Pack 3", " A " on 98 SE, ...
    BYTE productType = 0;     // VER_NT_WORKSTATION 1, VER_NT_SERVER 3 (extended record only)
    WORD suiteMask = 0;       // extended record only
    bool hasExtendedFields = false;
};

// Everything the decoder looks at: the record and two registry facts.
struct WindowsVersionFacts {
    std::optional<WindowsVersionRecord> record;  // nullopt: no version information at all
    // "ProductType" under HKLM\SYSTEM\CurrentControlSet\Control\ProductOptions; nullopt
    // when it could not be read.
    std::optional<std::string> productType;
    bool hotfixQ246009 = false; // the NT 4 "Service Pack 6a" hotfix key exists
};

struct WindowsVersion {
    bool ok = false;       // false: nothing readable, or the NT product type unreadable
    int osLevel = 0;       // 0 9x family and unlisted versions, 1 NT 4 and older, 2 2000, 3 XP/2003
    int isXpClass = 0;     // 1 on Windows XP and Server 2003
    std::string nameText;    // e.g. "Microsoft Windows XP Professional Service Pack 2 (Build 2600) Version 5.1"
    std::string versionText; // "Version 5.1"
};

WindowsVersion DecodeWindowsVersion(const WindowsVersionFacts& facts);

// Reads the running system's facts: GetVersionExA (extended record, else the plain one)
// and the two registry facts through `registry` (opened read-only, closed afterwards).
WindowsVersionFacts GatherWindowsVersionFacts(TRegistry& registry);
