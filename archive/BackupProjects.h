// Backup projects: one zip archive of saved files, named by the time stamp
// "dd.mm.yyyy_hh.mm.ss" that also names its folder under the backup folder and its value
// under the Backup key. Here are the rules for the names and the texts that the backups
// page and the backups browser show; nothing here touches a window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace backup {

// "dd.mm.yyyy_hh.mm.ss".
std::string StampOf(const SYSTEMTIME& time);
// The same time one second later (across minutes, days, months and years).
SYSTEMTIME NextSecond(const SYSTEMTIME& time);
// True only for a name of exactly the stamp's form: the digits and separators in their
// places and nothing else. Removing a project acts on such names only, so that no other
// folder under the backup folder (nor "..", nor an absolute path) can be removed.
bool IsStampName(const std::string& name);

// backupDir + "\" + stamp, and the archive in it: ... + "\" + stamp + ".zip".
std::string ProjectFolder(const std::string& backupDir, const std::string& stamp);
std::string ProjectArchive(const std::string& backupDir, const std::string& stamp);

// Creates every missing level of a path that begins with a drive ("C:\"); true when the
// whole path is a folder afterwards.
bool MakeDirectory(const std::string& path);

// Picks the first stamp from `now` on, second by second, whose folder could be created
// anew (so an existing project is never written into) and that `taken` does not report
// (a registered project whose folder is gone keeps its value). The backup folder's
// missing levels are made by makeDirectory first, then the project's folder is created;
// the chosen stamp is returned, or "" when no folder could be created.
std::string ClaimProject(const std::string& backupDir, SYSTEMTIME now,
                         const std::function<bool(const std::string& stamp)>& taken,
                         const std::function<bool(const std::string& path)>& makeDirectory = MakeDirectory);

// Text helpers of the browser.
std::string ReplaceChar(std::string text, char from, char to);
std::string SlashToBackslash(const std::string& text);
// The part after the last '\' (the whole text without one).
std::string FileNamePart(const std::string& backslashed);
// The part up to and including the last '\' ("" without one).
std::string FolderPartOf(const std::string& backslashed);

// The saving: 100 - packed*100/size rounded, + " %"; "0 %" when either is 0 or the
// entry did not shrink.
std::string SavingRatioText(unsigned long packed, unsigned long size);
// "D" directory, "A" archive, "H" hidden, "R" read-only, "S" system, as far as set.
std::string AttributeLetters(DWORD attributes);
// Local date and time text of a time that holds local calendar fields already (as the
// zip reader reports them); "" when it does not convert.
std::string LocalDateTimeText(const FILETIME& time);

// Where a restore may write an entry: its stored name as an absolute path on a drive
// ("C:\..."), with no step that climbs upward, no second ':' (no stream) and no empty
// file name. False otherwise: such an entry is refused.
bool IsSafeRestoreTarget(const std::string& backslashedName);
// Where "save as" may write an entry: folder + its file name, the name neither empty nor
// "." or ".." nor holding ':'. "" when the entry is refused.
std::string ExtractTarget(const std::string& folder, const std::string& backslashedName);

} // namespace backup
