// Files that an interrupted free-space wipe left in a drive's root: "WIPE_SHREDDER",
// "WIPE_SHREDDER1" and the numbered file-table files. The wipe marks them
// delete-on-close, but a crash or a power cut can leave them behind, and then they hold
// the drive's whole free space.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct LeftoverWipeFile {
    std::string path;
    uint64_t size = 0;
};

// True for the names the wipe gives its files: WIPE_SHREDDER followed by nothing or
// by digits only (the file-table fill counts on past 099).
bool IsWipeFileName(const std::string& name);

// The wipe files in the folder root ("C:\" or any folder, with or without its
// trailing backslash).
std::vector<LeftoverWipeFile> FindLeftoverWipeFiles(const std::string& root);

// The question put to the user about these files (not empty).
std::string LeftoverWipeFilesQuestion(const std::vector<LeftoverWipeFile>& files, bool german);

// Deletes the files; returns the paths of those still there afterwards.
std::vector<std::string> DeleteLeftoverWipeFiles(const std::vector<LeftoverWipeFile>& files);

// Looks for wipe files in each root; when there are any, asks the user (through the
// effects seam) and on Yes deletes exactly the files the question was about, then
// names those that could not be deleted. Returns the number of files found.
unsigned OfferToDeleteLeftoverWipeFiles(HWND owner, const std::vector<std::string>& roots, bool german);
