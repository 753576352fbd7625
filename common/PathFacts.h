// What the file system says about a path, and where the running program lies.
#pragma once

#include <string>

namespace common {

// Something (file or folder) is there.
bool Exists(const std::string& path);

// A folder is there.
bool IsFolder(const std::string& path);

// A file, not a folder, is there. An empty path is none (the system would take it as
// the current folder).
bool FileExists(const std::string& path);

// What is at a path that Windows or the registry names, for the judgement that the file
// or folder it names is gone. Only "not found" on a drive that is there counts as missing:
// a path the system cannot answer for (access denied, a drive not ready or not plugged in
// now, a network path, a path too long) is not known to be missing.
// A 32-bit program on 64-bit Windows has the system folder redirected to the 32-bit one;
// there a path is also looked for as 64-bit programs see it, so that what either kind of
// program finds counts as there.
enum class Presence { Exists, Missing, Unknown };
Presence PresenceOf(const std::string& path);
// A file, not a folder, is at such a path (seen as above).
bool SystemFileExists(const std::string& path);

// The full path of the running program's executable.
std::string OwnExecutable();

// The folder that holds the running program, without a trailing backslash.
std::string OwnFolder();

} // namespace common
