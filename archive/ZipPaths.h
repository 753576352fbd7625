// Rules for the paths that extraction creates, so that no entry and no target climbs
// out of the folder it is meant for.
#pragma once

#include <string>

// A target is relative (placed below the reader's root folder) unless it begins with
// '/' or '\' or names a drive ("C:...").
bool IsRelativeTarget(const std::string& path);

// Whether any step of the path leads upward: "..", or a step of dots and blanks only
// that Windows would trim to "..".
bool HasParentStep(const std::string& path);

// The path with every '/' turned into '\'.
std::string WithBackslashes(std::string path);

// The part of the path up to and including its last separator ("" when it has none).
std::string FolderPart(const std::string& path);

// Creates, one level after the other, every folder of `folders` below `root` (which ends
// in '\'); true when the deepest one exists afterwards.
bool CreateFoldersBelow(const std::string& root, const std::string& folders);
