// The scan locations as the settings keep them: the check marks of the drive rows, the
// folders the user added, the drive number of a drive caption, and the used space of
// the checked locations (the 100 % of the scan's progress).
#pragma once

#include "fileengines/ScanRecords.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cleaning {

// One row of a location list: drive rows show the shell's display name, which carries
// the drive letter as "(C:)"; added-folder rows show the folder path.
struct LocationRow {
    std::string caption;
    bool checked = false;
};

// Drive number of a drive text: "A:" 1 ... "Z:" 26 (any case); anything else 0.
int DriveNumber(const std::string& driveText);

// The drive letter of a drive row's caption ("Local Disk (C:)" gives 'C'), or 0.
char DriveLetterOf(const std::string& caption);

// What is stored under DriveSettings: the rows from the first one while the caption
// holds ")", each as name = caption, checked = the mark.
std::vector<CheckedEntry> DriveMarksToSave(const std::vector<LocationRow>& rows);

// What is stored under AddedDirs: every row whose caption does not hold ":)".
std::vector<CheckedEntry> AddedDirsToSave(const std::vector<LocationRow>& rows);

// The stored mark for each row, matched by name rather than by position, so that a
// drive that disappeared, or a registry that lists its values in another order, never
// moves a mark onto another drive: a row takes the stored value of its own caption
// (compared without regard to case, as registry names are), else -- its label having
// changed -- the one stored value with the same drive letter. A row with neither keeps
// its mark (nullopt).
std::vector<std::optional<bool>> MatchDriveMarks(const std::vector<std::string>& captions,
                                                 const std::vector<CheckedEntry>& stored);

// The stored added folders split into those to add again (in stored order, with their
// marks) and those that no longer exist (to be reported once; the next save drops them).
struct AddedDirsPlan {
    std::vector<CheckedEntry> toAdd;
    std::vector<std::string> missing;
};
AddedDirsPlan PlanAddedDirs(const std::vector<CheckedEntry>& stored,
                            const std::function<bool(const std::string&)>& folderExists);

// How used space is measured; the real one asks the file system.
class SpaceMeter {
public:
    virtual ~SpaceMeter() = default;
    virtual unsigned long long FolderSize(const std::string& folder);   // recursive bytes
    virtual unsigned long long DriveUsed(int driveNumber);              // 0 = the current drive
    virtual unsigned long long PathUsed(const std::string& path);       // network paths
};

// The used bytes of the checked rows: a folder path (":" second, longer than three
// characters) by its own recursive size, a drive row (no backslash) by its drive's size
// less its free space, anything else (a network path) by the size less the free space
// that the system reports for that path.
unsigned long long UsedSpaceOfLocations(const std::vector<LocationRow>& rows, SpaceMeter& meter);

} // namespace cleaning
