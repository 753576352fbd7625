#include "cleaning/ScanLocations.h"

#include "fileengines/Masks.h"
#include "common/CaseRule.h"
#include "fileengines/ShellServices.h"

#include <windows.h>

namespace cleaning {

int DriveNumber(const std::string& driveText)
{
    std::string upper = common::UpperCase(driveText);
    if (upper.size() != 2 || upper[1] != ':' || upper[0] < 'A' || upper[0] > 'Z')
        return 0;
    return upper[0] - 'A' + 1;
}

char DriveLetterOf(const std::string& caption)
{
    size_t colon = caption.find(':');
    if (colon == std::string::npos || colon == 0)
        return 0;
    int number = DriveNumber(caption.substr(colon - 1, 2));
    return number ? static_cast<char>('A' + number - 1) : 0;
}

std::vector<CheckedEntry> DriveMarksToSave(const std::vector<LocationRow>& rows)
{
    std::vector<CheckedEntry> marks;
    for (const LocationRow& row : rows) {
        if (row.caption.find(')') == std::string::npos)
            break;
        marks.push_back(CheckedEntry{row.checked, row.caption});
    }
    return marks;
}

std::vector<CheckedEntry> AddedDirsToSave(const std::vector<LocationRow>& rows)
{
    std::vector<CheckedEntry> folders;
    for (const LocationRow& row : rows)
        if (row.caption.find(":)") == std::string::npos)
            folders.push_back(CheckedEntry{row.checked, row.caption});
    return folders;
}

std::vector<std::optional<bool>> MatchDriveMarks(const std::vector<std::string>& captions,
                                                 const std::vector<CheckedEntry>& stored)
{
    std::vector<std::optional<bool>> marks;
    for (const std::string& caption : captions) {
        std::optional<bool> mark;
        for (const CheckedEntry& entry : stored)
            if (common::SameText(entry.text, caption))
                mark = entry.active;
        char letter = DriveLetterOf(caption);
        if (!mark && letter) {
            int sameLetter = 0;
            for (const CheckedEntry& entry : stored)
                if (entry.text.find(":)") != std::string::npos && DriveLetterOf(entry.text) == letter) {
                    mark = entry.active;
                    ++sameLetter;
                }
            if (sameLetter != 1)
                mark.reset(); // no value, or no single one, belongs to this drive
        }
        marks.push_back(mark);
    }
    return marks;
}

AddedDirsPlan PlanAddedDirs(const std::vector<CheckedEntry>& stored,
                            const std::function<bool(const std::string&)>& folderExists)
{
    AddedDirsPlan plan;
    for (const CheckedEntry& entry : stored) {
        if (folderExists(entry.text))
            plan.toAdd.push_back(entry);
        else
            plan.missing.push_back(entry.text);
    }
    return plan;
}

unsigned long long SpaceMeter::FolderSize(const std::string& folder) { return file_engines::GetDirSize(folder); }

unsigned long long SpaceMeter::DriveUsed(int driveNumber)
{
    std::string root;
    if (driveNumber >= 1 && driveNumber <= 26) {
        root = std::string(1, static_cast<char>('A' + driveNumber - 1)) + ":\\";
    } else {
        char current[MAX_PATH] = {};
        ::GetCurrentDirectoryA(MAX_PATH, current);
        root = std::string(current).substr(0, 3);
    }
    if (!file_engines::GetDiskSpaceEx(root))
        return 0;
    return file_engines::DiskTotal - file_engines::DiskFreeToCaller;
}

unsigned long long SpaceMeter::PathUsed(const std::string& path)
{
    if (!file_engines::GetDiskSpaceEx(path))
        return 0;
    return file_engines::DiskTotal - file_engines::DiskTotalFree;
}

unsigned long long UsedSpaceOfLocations(const std::vector<LocationRow>& rows, SpaceMeter& meter)
{
    unsigned long long total = 0;
    for (const LocationRow& row : rows) {
        if (!row.checked)
            continue;
        const std::string& caption = row.caption;
        if (caption.size() > 3 && caption[1] == ':') {
            total += meter.FolderSize(caption);
        } else if (caption.find('\\') == std::string::npos) {
            size_t colon = caption.find(':');
            total += meter.DriveUsed(colon != std::string::npos && colon > 0
                                         ? DriveNumber(caption.substr(colon - 1, 2)) : 0);
        } else {
            total += meter.PathUsed(caption);
        }
    }
    return total;
}

} // namespace cleaning
