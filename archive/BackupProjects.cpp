#include "archive/BackupProjects.h"

#include "archive/ZipPaths.h"
#include "common/PathFacts.h"

#include <cmath>
#include <cstdio>

namespace backup {

std::string StampOf(const SYSTEMTIME& time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02u.%02u.%04u_%02u.%02u.%02u", time.wDay, time.wMonth, time.wYear,
                  time.wHour, time.wMinute, time.wSecond);
    return text;
}

SYSTEMTIME NextSecond(const SYSTEMTIME& time)
{
    FILETIME file{};
    SYSTEMTIME whole = time;
    whole.wMilliseconds = 0;
    if (!SystemTimeToFileTime(&whole, &file))
        return time;
    ULARGE_INTEGER value;
    value.LowPart = file.dwLowDateTime;
    value.HighPart = file.dwHighDateTime;
    value.QuadPart += 10000000ULL;
    file.dwLowDateTime = value.LowPart;
    file.dwHighDateTime = value.HighPart;
    SYSTEMTIME next{};
    FileTimeToSystemTime(&file, &next);
    return next;
}

bool IsStampName(const std::string& name)
{
    static const char form[] = "dd.dd.dddd_dd.dd.dd";
    if (name.size() != sizeof form - 1)
        return false;
    for (size_t i = 0; i < name.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (form[i] == 'd' ? !digit : name[i] != form[i])
            return false;
    }
    return true;
}

std::string ProjectFolder(const std::string& backupDir, const std::string& stamp)
{
    return backupDir + "\\" + stamp;
}

std::string ProjectArchive(const std::string& backupDir, const std::string& stamp)
{
    return ProjectFolder(backupDir, stamp) + "\\" + stamp + ".zip";
}

bool MakeDirectory(const std::string& path)
{
    if (path.size() < 3)
        return false;
    // The drive part ("C:\") exists or not; every level after it is made in turn.
    size_t next = 3;
    while (next < path.size()) {
        size_t slash = path.find('\\', next);
        std::string level = path.substr(0, slash == std::string::npos ? path.size() : slash);
        if (!level.empty() && level.back() != '\\')
            CreateDirectoryA(level.c_str(), nullptr);
        if (slash == std::string::npos)
            break;
        next = slash + 1;
    }
    return common::IsFolder(path);
}

std::string ClaimProject(const std::string& backupDir, SYSTEMTIME now,
                         const std::function<bool(const std::string& stamp)>& taken,
                         const std::function<bool(const std::string& path)>& makeDirectory)
{
    if (!makeDirectory(backupDir))
        return "";
    // Each try moves one second on; a day of tries is far more than the backups that
    // could start within the same second.
    for (int attempt = 0; attempt < 86400; ++attempt, now = NextSecond(now)) {
        std::string stamp = StampOf(now);
        if (taken && taken(stamp))
            continue;
        if (CreateDirectoryA(ProjectFolder(backupDir, stamp).c_str(), nullptr))
            return stamp;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return ""; // no room, no right, or no such drive: later stamps fare no better
    }
    return "";
}

std::string ReplaceChar(std::string text, char from, char to)
{
    for (char& c : text)
        if (c == from)
            c = to;
    return text;
}

std::string SlashToBackslash(const std::string& text) { return ReplaceChar(text, '/', '\\'); }

std::string FileNamePart(const std::string& backslashed)
{
    size_t slash = backslashed.find_last_of('\\');
    return slash == std::string::npos ? backslashed : backslashed.substr(slash + 1);
}

std::string FolderPartOf(const std::string& backslashed)
{
    size_t slash = backslashed.find_last_of('\\');
    return slash == std::string::npos ? std::string() : backslashed.substr(0, slash + 1);
}

std::string SavingRatioText(unsigned long packed, unsigned long size)
{
    if (packed == 0 || size == 0 || packed >= size)
        return "0 %";
    long saving = std::lround(100.0 - static_cast<double>(packed) * 100.0 / static_cast<double>(size));
    return std::to_string(saving) + " %";
}

std::string AttributeLetters(DWORD attributes)
{
    std::string letters;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        letters += 'D';
    if (attributes & FILE_ATTRIBUTE_ARCHIVE)
        letters += 'A';
    if (attributes & FILE_ATTRIBUTE_HIDDEN)
        letters += 'H';
    if (attributes & FILE_ATTRIBUTE_READONLY)
        letters += 'R';
    if (attributes & FILE_ATTRIBUTE_SYSTEM)
        letters += 'S';
    return letters;
}

std::string LocalDateTimeText(const FILETIME& time)
{
    SYSTEMTIME fields{};
    if (!FileTimeToSystemTime(&time, &fields))
        return "";
    char date[64] = {}, clock[64] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &fields, nullptr, date, sizeof date) ||
        !GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &fields, nullptr, clock, sizeof clock))
        return "";
    return std::string(date) + " " + clock;
}

bool IsSafeRestoreTarget(const std::string& backslashedName)
{
    if (backslashedName.size() < 4)
        return false;
    const char drive = backslashedName[0];
    const bool letter = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    if (!letter || backslashedName[1] != ':' || backslashedName[2] != '\\')
        return false;
    if (backslashedName.find(':', 2) != std::string::npos)
        return false;
    if (backslashedName.back() == '\\')
        return false;
    return !HasParentStep(backslashedName);
}

std::string ExtractTarget(const std::string& folder, const std::string& backslashedName)
{
    std::string name = FileNamePart(backslashedName);
    if (name.empty() || name.find(':') != std::string::npos || HasParentStep(name) || name == ".")
        return "";
    // A drive root ("D:\") already ends in its separator.
    return folder.size() < 4 ? folder + name : folder + "\\" + name;
}

} // namespace backup
