// Which folders the space manager's secure wipe refuses: whatever would take a whole
// drive, Windows itself, the programs, a user's profile, or this program.
#pragma once

#include <string>
#include <vector>

// The folders a wipe must never take, with everything above them.
struct ProtectedFolders {
    std::vector<std::string> exact;     // refused themselves, and every folder above them
    std::vector<std::string> profileRoots;  // refused with every profile directly in them
};

// The protected folders of this system: the Windows, system and program-files folders,
// the profile roots (Documents and Settings / users, the current profile), the program's
// own folder.
ProtectedFolders SystemProtectedFolders(const std::string& programDir);

enum class WipeVerdict { Allowed, NotAFolder, WholeDrive, Protected };

// The verdict for a target path. Paths compare case-insensitively and without a
// trailing backslash; "." and ".." parts are resolved first.
WipeVerdict JudgeWipeTarget(const std::string& path, const ProtectedFolders& folders);
